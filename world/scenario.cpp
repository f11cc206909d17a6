// Reading a scenario file. Every problem gets a line that names the line of the file; a
// damaged or binary file is read in bounded pieces and never echoed raw.
#include "world/scenario.h"
#include "world/map_board.h"
#include "world/map_file.h"
#include "world/tile_kinds.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

namespace {

// No problem line comes near this: a longer one is cut here rather than read whole, so a
// file of one 2 GB line costs no memory.
constexpr long long MaxLine = 1000;
// Ninety times the largest file of the benchmark sets; more would only fill memory.
constexpr std::size_t MaxProblems = 1000000;

// One problem a line of the file: a file of the wrong kind would make a line of every line,
// so the first few say enough, and reading stops there.
struct Problems {
    const std::string& fileName;
    std::vector<std::string>& problems;
    int count = 0; // every one said, those the list held already too
    void add(long long line, const std::string& what) {
        if (!full()) {
            addProblem(problems, fileName + ":" + std::to_string(line) + ": " + what);
            count++;
        }
    }
    bool any() const { return count != 0; }
    bool full() const { return count >= 10; }
};

enum class LineRead { Line, TooLong, End };

// The next line without its end (a CR of a CRLF end, trailing blanks), at most MaxLine
// characters of it; End at the end of the file or on a read error.
LineRead nextLine(std::istream& in, std::string& line) {
    line.assign(MaxLine + 1, '\0');
    in.getline(line.data(), MaxLine + 1);
    const auto count = static_cast<std::size_t>(in.gcount());
    if (in.bad() || (in.fail() && count == 0)) {
        line.clear();
        return LineRead::End;
    }
    if (in.fail()) { // MaxLine characters and no line end yet
        in.clear();
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        line.clear();
        return LineRead::TooLong;
    }
    line.resize(in.eof() ? count : count - 1); // gcount counts the '\n' it took
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.pop_back();
    }
    return LineRead::Line;
}

// The words of a line, split at blanks and tabs.
std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t from = line.find_first_not_of(" \t");
    while (from != std::string::npos) {
        const std::size_t to = line.find_first_of(" \t", from);
        fields.push_back(line.substr(from, to - from));
        from = line.find_first_not_of(" \t", to);
    }
    return fields;
}

bool isVersionLine(const std::string& line) {
    const std::vector<std::string> fields = fieldsOf(line);
    return fields.size() == 2 && fields[0] == "version" && (fields[1] == "1" || fields[1] == "1.0");
}

// Why a field is no whole number that fits an int, or "".
std::string notWhole(const std::string& field, int& value) {
    long long number = -1;
    const char* last = field.data() + field.size();
    const auto [end, error] = std::from_chars(field.data(), last, number);
    if (error != std::errc() || end != last || number < 0) {
        return " is not a whole number of 0 or more";
    }
    if (number > INT_MAX) {
        return " is too large";
    }
    value = static_cast<int>(number);
    return "";
}

bool isLength(const std::string& field, double& value) {
    const char* last = field.data() + field.size();
    const auto [end, error] = std::from_chars(field.data(), last, value);
    return error == std::errc() && end == last && std::isfinite(value) && value >= 0;
}

// Why the start or the goal (`end`) cannot stand at column, row of the board, or "".
std::string notOnBoard(const char* end, int column, int row, const MapBoard& map) {
    const Board& board = map.board;
    const std::string at =
        std::string("the ") + end + " " + std::to_string(column) + "," + std::to_string(row);
    const long long tile = static_cast<long long>(row) * board.columns + column;
    if (column >= board.columns || row >= board.rows ||
        tile >= static_cast<long long>(map.tiles.size())) {
        return at + " is off the map";
    }
    if (map.tiles[tile].outside) {
        return at + " is outside the map";
    }
    if (!board.passable(static_cast<int>(tile))) {
        return at + " is a " + kindName(map.tiles[tile].kind);
    }
    return "";
}

// A problem line read into `problem`; else why it is none. Its first fault only: one
// message a line is enough to find it.
std::string readProblem(const std::string& line, const MapBoard& map, ScenarioProblem& problem) {
    const Board& board = map.board;
    const std::vector<std::string> fields = fieldsOf(line);
    if (fields.size() != 9) {
        return std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields") +
               ", a problem has 9";
    }
    static const char* const Names[9] = {"bucket",      "map name",     "map width",
                                         "map height",  "start column", "start row",
                                         "goal column", "goal row",     "length"};
    int whole[9] = {};
    for (int i : {0, 2, 3, 4, 5, 6, 7}) {
        const std::string why = notWhole(fields[i], whole[i]);
        if (!why.empty()) {
            return std::string("the ") + Names[i] + " " + inQuotes(fields[i]) + why;
        }
    }
    if (!isLength(fields[8], problem.listed)) {
        return "the length " + inQuotes(fields[8]) + " is not a number of 0 or more";
    }
    if (whole[2] != board.columns || whole[3] != board.rows) {
        return "the map is " + std::to_string(board.columns) + " x " + std::to_string(board.rows) +
               " tiles, the problem says " + std::to_string(whole[2]) + " x " +
               std::to_string(whole[3]);
    }
    problem.bucket = whole[0];
    problem.startColumn = whole[4];
    problem.startRow = whole[5];
    problem.goalColumn = whole[6];
    problem.goalRow = whole[7];
    std::string why = notOnBoard("start", problem.startColumn, problem.startRow, map);
    return why.empty() ? notOnBoard("goal", problem.goalColumn, problem.goalRow, map) : why;
}

// The lines after the version line. Empty lines at the end are harmless; one among the
// problems is refused, as it most often means a file pasted together from two.
void readProblems(std::istream& in, const MapBoard& map, Scenario& scenario, Problems& said) {
    long long number = 1; // the version line
    long long firstEmpty = 0;
    std::string line;
    LineRead read = LineRead::End;
    while (!said.full() && (read = nextLine(in, line)) != LineRead::End) {
        number++;
        if (read == LineRead::TooLong) {
            said.add(number, "over " + std::to_string(MaxLine) +
                                 " characters, too long for a "
                                 "problem line");
            continue;
        }
        if (line.empty()) {
            firstEmpty = firstEmpty == 0 ? number : firstEmpty;
            continue;
        }
        if (firstEmpty != 0) {
            said.add(firstEmpty, "an empty line among the problems");
            firstEmpty = 0;
        }
        if (scenario.problems.size() == MaxProblems) {
            said.add(number, "more than " + std::to_string(MaxProblems) +
                                 " problems: a scenario file holds at most that many");
            return;
        }
        ScenarioProblem problem;
        const std::string why = readProblem(line, map, problem);
        if (!why.empty()) {
            said.add(number, why);
            continue;
        }
        problem.line = static_cast<int>(number);
        problem.number = static_cast<int>(scenario.problems.size()) + 1;
        scenario.problems.push_back(problem);
    }
    if (in.bad()) {
        said.add(number + 1, "could not be read to the end");
    }
}

// The file opened for reading, or a problem added.
bool openScenario(const std::string& fileName, std::ifstream& file,
                  std::vector<std::string>& problems) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (std::filesystem::is_directory(status)) {
        addProblem(problems, fileName + ": is a folder, not a scenario file");
        return false;
    }
    // A pipe or a device might never end, or never start.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        addProblem(problems, fileName + ": is not a plain file");
        return false;
    }
    file.open(fileName, std::ios::binary);
    if (!file) {
        addProblem(problems, fileName + (std::filesystem::exists(status) ? ": cannot be opened"
                                                                         : ": not found"));
        return false;
    }
    return true;
}

} // namespace

bool readScenario(const std::string& fileName, const MapBoard& map, Scenario& scenario,
                  std::vector<std::string>& problems) {
    scenario.fileName = fileName;
    scenario.problems.clear();
    std::ifstream file;
    if (!openScenario(fileName, file, problems)) {
        return false;
    }
    Problems said{fileName, problems};
    std::string line;
    const LineRead first = nextLine(file, line);
    if (first == LineRead::End) {
        said.add(1, file.bad() ? "could not be read" : "the file is empty");
    } else if (first != LineRead::Line || !isVersionLine(line)) {
        // Most likely no scenario file at all: its other lines would say nothing more.
        said.add(1, "the first line must be \"version 1\"");
    } else {
        readProblems(file, map, scenario, said);
        if (!said.any() && scenario.problems.empty()) {
            addProblem(problems, fileName + ": no problems after the version line");
        }
    }
    if (said.any() || scenario.problems.empty()) {
        scenario.problems.clear();
        return false;
    }
    return true;
}
