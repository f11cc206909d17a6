// The map file: reading it into tile codes, with one line per problem, and writing a
// world's tiles back in the same format.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct World;

// The largest map: 4096 tiles on a side and 4 million in all, beyond the largest of the
// benchmark sets' maps; a damaged map asking for more is refused before anything is built.
inline constexpr long long MaxSide = 4096;
inline constexpr long long MaxTiles = 4000000;

// The kind of a tile for which the map holds no code. Like any code without a kind, the
// tile is open ground with no model.
inline constexpr int MissingCode = -1;

struct MapCodes {
    std::vector<int> codes;
    long long columns = 0;
    long long rows = 0;
    // A map in the grid benchmark sets' format ("type octile", "height", "width", "map",
    // then a character a tile): its characters, kept so that a save writes back what was
    // read, and its header lines and line ends. Its out-of-bounds tiles have OutsideCode.
    bool benchmark = false;
    std::vector<char> chars;
    std::string header;
    bool crlf = false;
};

// The code of an out-of-bounds tile of a benchmark map ('@' or 'O'); a map.txt code never
// means that.
inline constexpr int OutsideCode = -2147483647 - 1;

// The benchmark format's part (world/benchmark_map.cpp): the rows after a first line that
// starts with "type", read from `in`; and a world written back in that format.
MapCodes readBenchmarkMap(std::istream& in, const std::string& firstLine,
                          const std::string& mapFileName, std::vector<std::string>& problems);
std::string benchmarkMapText(const World& w);

// The folder the models of a map file are read from: beside it when all eight are there,
// else `shipped` (the program's own assets).
std::string modelFolderFor(const std::string& mapFileName, const std::string& shipped);

// A token of a broken file as a message shows it: in quotes, its start only, and bytes that
// are not printable ASCII as \xNN.
std::string inQuotes(const std::string& token);

// Adds a problem to the list unless it is there already (or empty).
void addProblem(std::vector<std::string>& problems, const std::string& problem);

// The codes of a map file, or problems. A problem leaves no tiles when the map's size
// cannot be trusted.
MapCodes readMap(const std::string& mapFileName, std::vector<std::string>& problems);

// Writes the world's tile codes to `mapFileName` in the map format: a temporary file in the
// same folder, renamed over the map once it is whole, the old map kept as NAME.bak. Returns
// "" on success, else why it failed; the old map is then untouched.
std::string writeMap(const std::string& mapFileName, const World& w);
