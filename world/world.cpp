// Building the world: the map file is read into tile codes, the grid is built, and every
// tile gets its kind, terrain cost, model, colour, turn and place; then the two figures.
// Nothing here touches OpenGL: the world is built before any window exists.
#include "world/world.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

int defaultRandomDraw() {
    return std::rand() % 32768;
}

int (*randomDraw)() = defaultRandomDraw;

namespace {

// Far beyond any map that suits the scene; keeps a damaged map from asking for gigabytes
// of tiles.
constexpr long long MaxTiles = 65536;

// The kind of a tile for which the map holds no code. Like any code without a kind, the
// tile is open ground with no model.
constexpr int MissingCode = -1;

struct MapCodes {
    std::vector<int> codes;
    long long columns = 0;
    long long rows = 0;
};

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

// A tile code is a whole decimal number with an optional sign that fits an int.
bool parseTileCode(const std::string& token, int* code) {
    size_t i = 0;
    bool negative = false;
    if (token[0] == '+' || token[0] == '-') {
        negative = token[0] == '-';
        i = 1;
    }
    if (i == token.size()) {
        return false;
    }
    long long value = 0;
    for (; i < token.size(); i++) {
        if (token[i] < '0' || token[i] > '9') {
            return false;
        }
        value = value * 10 + (token[i] - '0');
        if (value > 2147483648LL) {
            return false;
        }
    }
    value = negative ? -value : value;
    if (value > 2147483647LL) {
        return false;
    }
    *code = static_cast<int>(value);
    return true;
}

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

std::string folderOf(const std::string& fileName) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(fileName, error);
    if (error) {
        full = fileName;
    }
    return full.parent_path().string();
}

MapCodes readMap(const std::string& mapFileName, std::vector<std::string>& problems) {
    MapCodes map;
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(mapFileName, error);
    if (std::filesystem::is_directory(status)) {
        addProblem(problems, mapFileName + ": is a folder, not a map file");
        return map;
    }
    // A pipe or a device might never end, or never start.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        addProblem(problems, mapFileName + ": is not a plain file");
        return map;
    }
    std::ifstream file(mapFileName);
    if (!file) {
        if (std::filesystem::exists(status)) {
            addProblem(problems, mapFileName + ": cannot be opened");
        } else {
            // Most often the program was started from another folder: say which one.
            addProblem(problems, mapFileName + ": not found in " + folderOf(mapFileName));
        }
        return map;
    }

    // Codes flow on across lines: only the first line's count means anything (columns).
    bool stopped = false;
    long long firstEmptyRow = 0; // a blank line is a row without codes: tell where it is
    std::string line;
    while (!stopped && std::getline(file, line)) {
        map.rows++;
        long long codesOnLine = 0;
        std::istringstream words(line); // a trailing \r is white space like any other
        std::string token;
        while (words >> token) {
            int code = 0;
            if (!parseTileCode(token, &code)) {
                addProblem(problems, mapFileName + ":" + std::to_string(map.rows) + ": " +
                                         inQuotes(token) + " is not a tile code");
                stopped = true;
                break;
            }
            codesOnLine++;
            if (map.rows == 1) {
                map.columns++;
            }
            // No grid holds more tiles than this, so no more codes can ever be used.
            if (static_cast<long long>(map.codes.size()) < MaxTiles) {
                map.codes.push_back(code);
            }
        }
        if (!stopped && codesOnLine == 0 && firstEmptyRow == 0) {
            firstEmptyRow = map.rows;
        }
    }
    if (file.bad()) {
        addProblem(problems, mapFileName + ": could not be read to the end");
    }

    long long tiles = map.columns * map.rows;
    if (map.columns > MaxTiles || map.rows > MaxTiles || tiles > MaxTiles) {
        addProblem(problems, mapFileName + ": " + std::to_string(map.columns) + " x " +
                                 std::to_string(map.rows) + " tiles are more than the " +
                                 std::to_string(MaxTiles) + " a map may hold");
        map = MapCodes();
    } else if (stopped) {
        // The bad token is the problem; a count of the codes before it would only confuse.
    } else if (map.rows == 0) {
        addProblem(problems, mapFileName + " is empty");
    } else if (map.columns == 0) {
        addProblem(problems, mapFileName + ":1: no tile codes on the first line");
    } else if (static_cast<long long>(map.codes.size()) < tiles) {
        std::string count = std::to_string(map.codes.size()) + " tile codes for " +
                            std::to_string(map.columns) + " x " + std::to_string(map.rows) +
                            " tiles";
        // Most often a blank line at the end: every line is a row, the empty one too.
        addProblem(problems, firstEmptyRow == 0
                                 ? mapFileName + ": " + count
                                 : mapFileName + ":" + std::to_string(firstEmptyRow) +
                                       ": this line is empty, and every line is a row: " + count);
    }
    return map;
}

void setColor(Mesh& mesh, double red, double green, double blue) {
    mesh.color[0] = red;
    mesh.color[1] = green;
    mesh.color[2] = blue;
}

float turnFromDraw(int draw) {
    return static_cast<float>(draw / 32767.0 * 360.0);
}

} // namespace

World::World(std::string mapFileName) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    MapCodes map = readMap(mapFileName, problems);
    buildGrid(static_cast<int>(map.columns), static_cast<int>(map.rows));

    // The models lie beside the map: "map.txt" means the working directory.
    std::filesystem::path folder = std::filesystem::path(mapFileName).parent_path();
    auto load = [&](Mesh& mesh, const char* modelName) {
        mesh.load(folder.empty() ? std::string(modelName) : (folder / modelName).string());
        addProblem(problems, mesh.error);
    };

    for (int i = 0; i < nodeCount; i++) {
        GridNode& node = nodes[i];
        Mesh& mesh = node.mesh;
        node.kind = i < static_cast<int>(map.codes.size()) ? map.codes[i] : MissingCode;
        switch (node.kind) {
        case 0:
            load(mesh, "ground3.obj");
            node.terrainCost = 0;
            mesh.angle = turnFromDraw(randomDraw());
            setColor(mesh, 0.0, 0.3, 0.0);
            break;
        case 1: {
            double u = randomDraw() / 32767.0;
            load(mesh, u < 0.3 ? "tree.obj" : u <= 0.6 ? "tree3.obj" : "tree2.obj");
            node.terrainCost = ImpassableCost;
            mesh.angle = turnFromDraw(randomDraw());
            setColor(mesh, 0.2, 0.5, 0.0);
            break;
        }
        case 2:
            load(mesh, "ground_stones.obj");
            node.terrainCost = 20;
            mesh.angle = turnFromDraw(randomDraw());
            setColor(mesh, 0.5, 0.5, 0.5);
            break;
        case 3:
            // Water lies flat and unturned: no draw.
            load(mesh, "water.obj");
            node.terrainCost = 40;
            setColor(mesh, 0.0, 0.0, 0.3);
            break;
        default:
            // Any other code is open ground without a model: the tile's defaults stand
            // (terrain cost 0, black).
            break;
        }
    }

    load(monkey, "monkey.obj");
    setColor(monkey, 1.0, 0.6, 0.2);
    load(banana, "banan.obj");
    setColor(banana, 1.0, 1.0, 0.0);

    bobFrame = 0;
    monkey.visible = false;
    banana.visible = false;
    walking = false;
    stepFrames = 100;
    stepFrame = 0;
    clickPhase = 0;
}
