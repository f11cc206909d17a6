// Painting tiles while the program runs: a tile's kind moves on in the cycle ground ->
// stones -> water -> tree -> ground, and a walk under way is planned again from where the
// monkey is, so that it follows the new map.
#include "world/world.h"

int nextPaintKind(int code) {
    switch (code) {
    case 0:
        return 2;
    case 2:
        return 3;
    case 3:
        return 1;
    default:
        return 0; // trees and any code without a kind become ground
    }
}

int World::monkeyTile() const {
    return tileOfWaypoint(Vec3{walkFromX, 0.0, walkFromZ});
}

bool World::figureOn(int index) const {
    const bool stepping = walking && !path.empty() && tileOfWaypoint(path.back()) == index;
    return (monkey.visible && (monkeyTile() == index || stepping)) ||
           (banana.visible && targetNode == &nodes[index]);
}

int World::paintCycle(int index) const {
    const int kind = nextPaintKind(nodes[index].kind);
    // A figure never stands in a tree.
    return kind == 1 && figureOn(index) ? nextPaintKind(kind) : kind;
}

std::string World::paintTile(int index, int code) {
    if (index < 0 || index >= nodeCount || nodes[index].kind == code ||
        (code == 1 && figureOn(index))) {
        return "";
    }
    // Models the world already holds are shared; one it never needed is read now, once.
    std::string problem;
    auto readPainted = [&](const std::string& modelName, Mesh& mesh) {
        auto known = models.find(modelName);
        if (known == models.end()) {
            auto read = std::make_shared<Mesh>();
            read->load(modelPath(modelName));
            if (!read->error.empty()) {
                problem = read->error;
                return false;
            }
            known = models.emplace(modelName, std::move(read)).first;
        }
        mesh.shape = known->second;
        return true;
    };
    if (!setTileKind(index, code, readPainted)) {
        return problem;
    }
    unsavedPaints = true;
    if (banana.visible) {
        replan();
    }
    return "";
}

void World::replan() {
    // From the tile the monkey stands on, or from the one it is stepping onto: it finishes
    // that step first, so it never jumps.
    const bool stepping = walking && !path.empty() && stepFrame > 0;
    const Vec3 waypoint = stepping ? path.back() : Vec3{walkFromX, 0.0, walkFromZ};

    // The old walk's lights go by what its search recorded; the waypoint becomes the start.
    for (int tile : search.walk) {
        nodes[tile].marked = false;
    }
    if (search.start >= 0) {
        nodes[search.start].marked = false;
    }
    startNode = &nodes[tileOfWaypoint(waypoint)];
    startNode->marked = true;
    targetNode->marked = true;
    openList.clear();
    closedList.clear();
    path.clear();
    if (!stepping) {
        stepFrame = 0; // the next step starts where the monkey stands
    }
    // The monkey waits for the search (on a big board it may go on over frames), then
    // finishes its step; closed off, it stays where it stands.
    walking = false;
    resumeStep = stepping;
    resumeWaypoint = waypoint;
    beginSearch();
    advanceSearch(searchSlice);
}
