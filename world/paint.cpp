// Painting tiles while the program runs: a tile's kind moves on in the cycle ground ->
// stones -> water -> tree -> ground, and the world's walk under way is planned again from
// where its monkey is, so that it follows the new map.
#include "world/tile_kinds.h"
#include "world/world.h"

int World::paintCycle(int index) const {
    const int kind = nextPaintKind(tiles[index].kind);
    // A figure never stands in a tree.
    return kind == TreeCode && anyFigureOn(index) ? nextPaintKind(kind) : kind;
}

std::string World::paintTile(int index, int code) {
    if (index < 0 || index >= board.tileCount() || tiles[index].kind == code ||
        (code == TreeCode && anyFigureOn(index))) {
        return "";
    }
    // Models the world already holds are shared; one it never needed is read now. One that
    // cannot be read is not kept, so that a later paint tries it again.
    std::string problem;
    auto readPainted = [&](const std::string& modelName, Mesh& mesh) {
        std::shared_ptr<MeshShape> read = model(modelName);
        if (!read->error.empty()) {
            problem = read->error;
            models.erase(modelName);
            return false;
        }
        mesh.shape = std::move(read);
        return true;
    };
    if (!setTileKind(index, code, readPainted)) {
        return problem;
    }
    unsavedPaints = true;
    noteChanged(index); // D* Lite repairs rather than starts over
    // Under fog a painted tile is known to every walk as it now is.
    forEachWalk([&](Walk& w) {
        if (w.fogged()) {
            w.fog.learn(board, index);
        }
    });
    if (banana.visible) {
        replan(walk, searchSlice);
    }
    racersReplan(*this);
    return "";
}
