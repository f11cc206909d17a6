// Building the world: the map file is read into tile codes, the grid is built, and every
// tile gets its kind, extra cost, model, colour, turn and place; then the two figures.
// Nothing here touches OpenGL: the world is built before any window exists.
#include "world/world.h"
#include "world/map_file.h"
#include "world/tile_kinds.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>

int defaultRandomDraw() {
    return std::rand() % 32768;
}

int (*randomDraw)() = defaultRandomDraw;

namespace {

void setColor(Mesh& mesh, double red, double green, double blue) {
    mesh.color[0] = red;
    mesh.color[1] = green;
    mesh.color[2] = blue;
}

float turnFromDraw(int draw) {
    return static_cast<float>(draw / 32767.0 * 360.0);
}

} // namespace

World::World(std::string mapFileName, std::string modelFolder)
    : mapFileName(mapFileName), modelFolder(modelFolder) {
    MapCodes map = readMap(mapFileName, problems);
    build(std::move(map));
}

World::World(MapCodes map, std::string mapFileName, std::string modelFolder)
    : mapFileName(mapFileName), modelFolder(modelFolder) {
    build(std::move(map));
}

void World::build(MapCodes map) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    buildGrid(static_cast<int>(map.columns), static_cast<int>(map.rows));

    // A broken model stops the program; the tile takes its kind all the same.
    auto readShared = [&](const std::string& modelName, Mesh& mesh) {
        mesh.shape = model(modelName);
        addProblem(problems, mesh.shape->error);
        return true;
    };
    for (int i = 0; i < board.tileCount(); i++) {
        setTileKind(i, i < static_cast<int>(map.codes.size()) ? map.codes[i] : MissingCode,
                    readShared);
    }
    if (map.benchmark) {
        for (int i = 0; i < board.tileCount(); i++) {
            if (map.codes[i] == OutsideCode) {
                makeOutside(i);
            }
        }
        mapFormat = MapFormat{true, std::move(map.chars), std::move(map.header), map.crlf};
    }

    Mesh monkey;
    readShared(MonkeyModel.file, monkey); // every walk's monkey shows this shape (newWalk)
    readShared(BananaModel.file, banana);
    setColor(banana, BananaModel.color[0], BananaModel.color[1], BananaModel.color[2]);
    banana.visible = false;
    walk = newWalk(SearchKind::FirstSightAStar);
    stepFrames = 100;
    clickPhase = 0;
}

void World::buildGrid(int columns, int rows) {
    buildTiles(columns, rows);
    tileModels.assign(tiles.size(), Mesh());
    for (int i = 0; i < board.tileCount(); i++) {
        const Vec3 anchor = tileAnchor(board, i);
        tileModels[i].position[0] = static_cast<float>(anchor.x);
        tileModels[i].position[2] = static_cast<float>(anchor.z);
    }
}

std::shared_ptr<MeshShape> World::model(const std::string& modelName) {
    std::shared_ptr<MeshShape>& kept = models[modelName];
    if (!kept) {
        Mesh read;
        read.load(modelPath(modelName));
        kept = read.shape;
    }
    return kept;
}

Walk World::newWalk(SearchKind kind) const {
    Walk walk;
    walk.kind = kind;
    const auto model = models.find(MonkeyModel.file);
    if (model != models.end()) {
        walk.monkey.shape = model->second;
    }
    setColor(walk.monkey, MonkeyModel.color[0], MonkeyModel.color[1], MonkeyModel.color[2]);
    walk.monkey.visible = false;
    relight(walk);
    return walk;
}

void World::makeOutside(int index) {
    MapBoard::makeOutside(index);
    tileModels[index].shape = nullptr;
    tileModels[index].visible = false;
}

std::string World::modelPath(const std::string& modelName) const {
    // The models lie beside the map: "map.txt" means the working directory.
    const std::filesystem::path folder = !modelFolder.empty()
                                             ? std::filesystem::path(modelFolder)
                                             : std::filesystem::path(mapFileName).parent_path();
    return folder.empty() ? modelName : (folder / modelName).string();
}

bool World::setTileKind(int index, int code, const ModelReader& read) {
    // Model, colour and turn, as the table has them for the code; any other code is open
    // ground without a model (black).
    const TileKind& kind = tileKindOf(code);
    Mesh mesh;
    const Vec3 anchor = tileAnchor(board, index);
    mesh.position[0] = static_cast<float>(anchor.x);
    mesh.position[2] = static_cast<float>(anchor.z);
    if (kind.models[0] != nullptr) {
        const char* model = kind.models[0];
        if (kind.models[1] != nullptr) { // one of three, at random
            const double u = randomDraw() / 32767.0;
            model = kind.models[u < 0.3 ? 0 : u <= 0.6 ? 1 : 2];
        }
        if (!read(model, mesh)) {
            return false;
        }
        if (kind.turned) {
            mesh.angle = turnFromDraw(randomDraw());
        }
        setColor(mesh, kind.color[0], kind.color[1], kind.color[2]);
    }
    setTileCode(index, code);
    tileModels[index] = std::move(mesh);
    return true;
}
