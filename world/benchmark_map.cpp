// The map format of the grid pathfinding benchmark sets: four header lines, then a line of
// characters per row. Every problem gets a line that names the line of the file.
#include "world/map_file.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <charconv>
#include <istream>

namespace {

// The line without its end: a CR of a CRLF line end, and blanks after the last character.
std::string trimmed(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.pop_back();
    }
    return line;
}

// "height 257": the number after `word`, or -1.
long long headerNumber(const std::string& line, const std::string& word) {
    if (line.rfind(word + " ", 0) != 0) {
        return -1;
    }
    const char* first = line.data() + word.size() + 1;
    const char* last = line.data() + line.size();
    while (first < last && *first == ' ') {
        first++;
    }
    long long value = -1;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && value > 0 ? value : -1;
}

int codeOf(char c) {
    if (c == '@' || c == 'O') {
        return OutsideCode;
    }
    const TileKind* kind = tileKindOfChar(c);
    return kind != nullptr ? kind->code : MissingCode;
}

// One problem a line of the file: a file of the wrong kind would make a line of every row,
// so the first few say enough.
struct Problems {
    const std::string& mapFileName;
    std::vector<std::string>& problems;
    std::size_t before = problems.size();
    void add(long long line, const std::string& what) {
        if (problems.size() - before < 10) {
            addProblem(problems, mapFileName + ":" + std::to_string(line) + ": " + what);
        }
    }
    bool any() const { return problems.size() != before; }
};

// The four header lines: the size, and on which lines the height and the width stand. False
// after saying what is wrong.
bool readHeader(std::istream& in, const std::string& firstLine, MapCodes& map, Problems& said) {
    std::string lines[4] = {trimmed(firstLine)};
    for (int i = 1; i < 4; i++) {
        std::getline(in, lines[i]);
        lines[i] = trimmed(lines[i]);
    }
    if (lines[0].rfind("type ", 0) != 0 || lines[0].size() < 6) {
        said.add(1, "the first line must be \"type\" and a word (\"type octile\")");
    }
    int heightLine = 2; // either order
    long long height = headerNumber(lines[1], "height");
    long long width = headerNumber(lines[2], "width");
    if (height < 0 && width < 0) {
        width = headerNumber(lines[1], "width");
        height = headerNumber(lines[2], "height");
        heightLine = 3;
    }
    if (height < 0 || width < 0) {
        said.add(height < 0 && heightLine == 2 ? 2 : 3,
                 "the header's second and third lines must be \"height N\" and \"width N\"");
    }
    if (lines[3] != "map") {
        said.add(4, "the header's fourth line must be \"map\"");
    }
    if (said.any()) {
        return false;
    }
    if (width > MaxSide || height > MaxSide || width * height > MaxTiles) {
        // The line of the number past the limit; for too many in all, the later of the two.
        const int line = height > MaxSide ? heightLine : width > MaxSide ? 5 - heightLine : 3;
        said.add(line, std::to_string(width) + " x " + std::to_string(height) +
                           " tiles: a map holds at most " + std::to_string(MaxSide) +
                           " on a side and " + std::to_string(MaxTiles) + " in all");
        return false;
    }
    for (const std::string& line : lines) {
        map.header += line + "\n";
    }
    map.columns = width;
    map.rows = height;
    return true;
}

// The rows after the header, a line of characters each; blank lines after them are harmless.
void readRows(std::istream& in, MapCodes& map, Problems& said) {
    map.codes.reserve(static_cast<std::size_t>(map.columns * map.rows));
    map.chars.reserve(static_cast<std::size_t>(map.columns * map.rows));
    long long row = 0;
    long long number = 4; // the header's last line
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        number++;
        if (row == map.rows) {
            if (!line.empty()) {
                said.add(number, "more lines than the header's " + std::to_string(map.rows));
                break;
            }
            continue;
        }
        row++;
        if (static_cast<long long>(line.size()) != map.columns) {
            said.add(number, std::to_string(line.size()) + " characters, the header says " +
                                 std::to_string(map.columns));
            continue;
        }
        for (long long c = 0; c < map.columns; c++) {
            const int code = codeOf(line[c]);
            if (code == MissingCode) {
                said.add(number, "'" + std::string(1, line[c]) + "' (column " + std::to_string(c) +
                                     ") is not a map character");
                break;
            }
            map.codes.push_back(code);
            map.chars.push_back(line[c]);
        }
    }
    if (in.bad()) {
        said.add(number + 1, "could not be read to the end");
    } else if (row < map.rows) { // the file ends at its last line
        said.add(number,
                 std::to_string(row) + " map lines, the header says " + std::to_string(map.rows));
    }
}

} // namespace

MapCodes readBenchmarkMap(std::istream& in, const std::string& firstLine,
                          const std::string& mapFileName, std::vector<std::string>& problems) {
    MapCodes map;
    map.benchmark = true;
    map.crlf = !firstLine.empty() && firstLine.back() == '\r';
    Problems said{mapFileName, problems};
    if (!readHeader(in, firstLine, map, said)) {
        return MapCodes();
    }
    readRows(in, map, said);
    return said.any() ? MapCodes() : map;
}

std::string benchmarkMapText(const World& w) {
    const std::string end = w.mapFormat.crlf ? "\r\n" : "\n";
    std::string text;
    for (std::size_t from = 0; from < w.mapFormat.header.size();) {
        const std::size_t to = w.mapFormat.header.find('\n', from);
        text += w.mapFormat.header.substr(from, to - from) + end;
        from = to + 1;
    }
    for (int r = 0; r < w.board.rows; r++) {
        for (int c = 0; c < w.board.columns; c++) {
            const int i = r * w.board.columns + c;
            const MapTile& node = w.tiles[i];
            // The character read stands while it still means the tile's kind.
            const char read =
                i < static_cast<int>(w.mapFormat.chars.size()) ? w.mapFormat.chars[i] : '.';
            const int readCode = codeOf(read);
            const int code = node.outside ? OutsideCode : node.kind;
            const char* chars = tileKindOf(code).chars;
            text += readCode == code   ? read
                    : node.outside     ? '@'
                    : chars[0] != '\0' ? chars[0]
                                       : tileKindOf(GroundCode).chars[0];
        }
        text += end;
    }
    return text;
}
