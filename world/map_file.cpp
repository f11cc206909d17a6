// Reading and writing the map file. Reading never waits on a pipe and stops at the first
// bad token; writing never leaves a half-written map.
#include "world/map_file.h"
#include "world/world.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void addProblem(std::vector<std::string>& problems, const std::string& problem) {
    if (problem.empty()) {
        return;
    }
    // 200 tiles reading the same broken model is one problem, not 200.
    for (const std::string& known : problems) {
        if (known == problem) {
            return;
        }
    }
    problems.push_back(problem);
}

namespace {

// A tile code is a whole decimal number with an optional sign that fits an int.
bool parseTileCode(const std::string& token, int* code) {
    // from_chars takes a minus but no plus, which the map format allows: skip one.
    const char* first = token.data() + (token.size() > 1 && token[0] == '+' && token[1] != '-');
    const char* last = token.data() + token.size();
    const auto [end, error] = std::from_chars(first, last, *code);
    return error == std::errc() && end == last;
}

std::string folderOf(const std::string& fileName) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(fileName, error);
    if (error) {
        full = fileName;
    }
    return full.parent_path().string();
}

} // namespace

// A broken map may hold a token of any length; the message only needs its start. Bytes
// that are not printable ASCII are written as \xNN: a NUL would cut the token short on the
// terminal, and a binary file's escape codes would reach it.
std::string inQuotes(const std::string& token) {
    constexpr size_t Shown = 32;
    std::string text = "\"";
    for (size_t i = 0; i < token.size() && i < Shown; i++) {
        const auto byte = static_cast<unsigned char>(token[i]);
        if (byte < 0x20 || byte >= 0x7f || byte == '\\') {
            static const char Hex[] = "0123456789abcdef";
            text += byte == '\\' ? std::string("\\\\")
                                 : std::string{'\\', 'x', Hex[byte >> 4], Hex[byte & 15]};
        } else {
            text += token[i];
        }
    }
    return text + (token.size() > Shown ? "...\"" : "\"");
}

std::string modelFolderFor(const std::string& mapFileName, const std::string& shipped) {
    const std::filesystem::path folder = std::filesystem::path(mapFileName).parent_path();
    for (const char* model : {"ground3.obj", "tree.obj", "tree2.obj", "tree3.obj",
                              "ground_stones.obj", "water.obj", "monkey.obj", "banan.obj"}) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(folder / model, error)) {
            return shipped;
        }
    }
    return "";
}

namespace {

// The map file opened for reading, or a problem added and a stream that reads nothing.
bool openMap(const std::string& mapFileName, std::ifstream& file,
             std::vector<std::string>& problems) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(mapFileName, error);
    if (std::filesystem::is_directory(status)) {
        addProblem(problems, mapFileName + ": is a folder, not a map file");
        return false;
    }
    // A pipe or a device might never end, or never start.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        addProblem(problems, mapFileName + ": is not a plain file");
        return false;
    }
    file.open(mapFileName);
    if (!file) {
        // Most often the program was started from another folder: say which one.
        addProblem(problems, std::filesystem::exists(status)
                                 ? mapFileName + ": cannot be opened"
                                 : mapFileName + ": not found in " + folderOf(mapFileName));
        return false;
    }
    return true;
}

// Where reading the codes stopped, and why.
struct CodesRead {
    bool badToken = false;       // a token that is no tile code; its problem is said
    bool tooBig = false;         // more tiles than a map may hold
    long long tooBigAt = 0;      // the line that made it so
    long long firstEmptyRow = 0; // a blank line is a row without codes: where the first is
};

// The codes of a map.txt file, line by line. Codes flow on across lines: only the first
// line's count means anything (columns).
CodesRead readCodes(std::istream& file, MapCodes& map, const std::string& mapFileName,
                    std::vector<std::string>& problems) {
    CodesRead read;
    std::string line;
    while (!read.badToken && !read.tooBig && std::getline(file, line)) {
        map.rows++;
        long long codesOnLine = 0;
        std::istringstream words(line); // a trailing \r is white space like any other
        std::string token;
        while (words >> token) {
            int code = 0;
            if (!parseTileCode(token, &code)) {
                addProblem(problems, mapFileName + ":" + std::to_string(map.rows) + ": " +
                                         inQuotes(token) + " is not a tile code");
                read.badToken = true;
                break;
            }
            codesOnLine++;
            map.columns += map.rows == 1;
            // No grid holds more tiles than this, so no more codes can ever be used.
            if (static_cast<long long>(map.codes.size()) < MaxTiles) {
                map.codes.push_back(code);
            }
        }
        if (!read.badToken && codesOnLine == 0 && read.firstEmptyRow == 0) {
            read.firstEmptyRow = map.rows;
        }
        // Too big already: no need to read the rest of what may be a huge file.
        read.tooBig =
            map.columns > MaxSide || map.rows > MaxSide || map.columns * map.rows > MaxTiles;
        read.tooBigAt = map.rows;
    }
    return read;
}

// A problem with the size or the count of codes, naming the line it is about.
void checkCodes(const MapCodes& map, const CodesRead& read, bool wholeFile,
                const std::string& mapFileName, std::vector<std::string>& problems) {
    auto at = [&](long long line) { return mapFileName + ":" + std::to_string(line) + ": "; };
    if (read.tooBig) {
        addProblem(problems, at(read.tooBigAt) + std::to_string(map.columns) + " x " +
                                 std::to_string(map.rows) + (wholeFile ? "" : " or more") +
                                 " tiles: a map holds at most " + std::to_string(MaxSide) +
                                 " on a side and " + std::to_string(MaxTiles) + " in all");
    } else if (read.badToken) {
        // The bad token is the problem; a count of the codes before it would only confuse.
    } else if (map.rows == 0) {
        addProblem(problems, at(1) + "the file is empty");
    } else if (map.columns == 0) {
        addProblem(problems, at(1) + "no tile codes on the first line");
    } else if (static_cast<long long>(map.codes.size()) < map.columns * map.rows) {
        const std::string count = std::to_string(map.codes.size()) + " tile codes for " +
                                  std::to_string(map.columns) + " x " + std::to_string(map.rows) +
                                  " tiles";
        // Most often a blank line at the end: every line is a row, the empty one too.
        addProblem(problems, read.firstEmptyRow == 0
                                 ? at(map.rows) + count
                                 : at(read.firstEmptyRow) +
                                       "this line is empty, and every line is a row: " + count);
    }
}

} // namespace

MapCodes readMap(const std::string& mapFileName, std::vector<std::string>& problems) {
    MapCodes map;
    std::ifstream file;
    if (!openMap(mapFileName, file, problems)) {
        return map;
    }
    // A benchmark map says so on its first line.
    std::string first;
    if (std::getline(file, first) && first.rfind("type", 0) == 0) {
        return readBenchmarkMap(file, first, mapFileName, problems);
    }
    file.clear();
    file.seekg(0);
    const CodesRead read = readCodes(file, map, mapFileName, problems);
    if (file.bad()) {
        addProblem(problems, mapFileName + ":" + std::to_string(map.rows + 1) +
                                 ": could not be read to the end");
    }
    checkCodes(map, read, file.eof(), mapFileName, problems);
    return read.tooBig ? MapCodes() : map;
}

namespace {

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Writes all of `text`, or says why not.
std::string writeAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno != EINTR) {
            return systemError("cannot write the new map");
        }
        done += n > 0 ? static_cast<size_t>(n) : 0;
    }
    // On disk before it takes the map's name: a crash then leaves the old map or the new.
    return ::fsync(fd) == 0 ? "" : systemError("cannot write the new map");
}

} // namespace

std::string writeMap(const std::string& mapFileName, const World& w) {
    std::string text = w.mapFormat.benchmark ? benchmarkMapText(w) : "";
    for (int r = 0; r < w.board.rows && !w.mapFormat.benchmark; r++) {
        for (int c = 0; c < w.board.columns; c++) {
            text += (c > 0 ? " " : "") + std::to_string(w.tiles[r * w.board.columns + c].kind);
        }
        text += '\n';
    }

    // The new map is written whole beside the old one, then renamed over it.
    std::string temporary = mapFileName + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return systemError("cannot make a new file beside it");
    }
    // The map keeps its permissions; a new one gets the usual ones.
    struct stat old {};
    const bool existed = ::stat(mapFileName.c_str(), &old) == 0;
    const mode_t umask = ::umask(0);
    ::umask(umask);
    ::fchmod(fd, existed ? old.st_mode & 07777 : 0666 & ~umask);
    std::string problem = writeAll(fd, text);
    if (::close(fd) != 0 && problem.empty()) {
        problem = systemError("cannot write the new map");
    }
    // The old map stays as .bak: a second name for the same file, so the map is never
    // missing, not even for a moment.
    const std::string backup = mapFileName + ".bak";
    if (problem.empty() && existed) {
        std::error_code error;
        std::filesystem::remove(backup, error);
        if (error || ::link(mapFileName.c_str(), backup.c_str()) != 0) {
            std::filesystem::copy_file(mapFileName, backup,
                                       std::filesystem::copy_options::overwrite_existing, error);
            if (error) {
                problem = "cannot keep the old map as " + backup + ": " + error.message();
            }
        }
    }
    if (problem.empty() && ::rename(temporary.c_str(), mapFileName.c_str()) != 0) {
        problem = systemError("cannot put the new map in place");
    }
    if (!problem.empty()) {
        ::unlink(temporary.c_str());
    }
    return problem;
}
