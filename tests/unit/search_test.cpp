// The A* search's exact walks, and the click cycle around them.
#include "world_files.h"

#include <gtest/gtest.h>

TEST(Search, WalksExactly) {
    // A small field on which each walk changes if a step or terrain cost, the heuristic, the
    // stop at the first sight of the target, the slot order or a tie rule changes.
    const char* field = "2 0 1 2 3 0/3 2 2 0 3 3/2 3 3 3 2 0/3 0 2 0 3 2/0 1 0 3 2 3";
    const struct {
        const char* map;
        int from, to;
        std::vector<int> path; // tiles from the target back, the start left out
        bool walks;
    } walks[] = {
        {field, 26, 8, {8, 14, 19}, true},
        {field, 0, 20, {20, 19, 12, 7}, true},
        {field, 12, 5, {5, 4, 9, 8, 7}, true},
        {"0 0 2 2 2/1 0 2 1 3/3 2 0 3 2/1 3 3 0 1", 0, 9, {9, 14, 18, 12, 6}, true},
        // An open tile takes a new parent only for a strictly lower cost.
        {"0 2 0 2/0 2 0 2", 7, 0, {0, 1, 2}, true},
        // Taking the chosen tile off the open list keeps the others in order.
        {"2 3 2 2/0 1 1 2/0 2 3 3", 7, 4, {4, 1, 2}, true},
        // The target's own cost never counts: water beside the start is a walk of one step.
        {"0 3 0", 0, 1, {1}, true},
        {"0 0 0/0 0 0", 4, 4, {}, true},  // the start again: a walk of no steps
        {"0 1 0/1 1 0", 0, 2, {}, false}, // walled in
    };
    TempFolder folder;
    for (const auto& walk : walks) {
        World w = mapOf(folder, walk.map);
        clickTile(w, walk.from);
        clickTile(w, walk.to);
        EXPECT_EQ(std::tuple(pathTiles(w), w.walking), std::tuple(walk.path, walk.walks))
            << walk.map << " from " << walk.from << " to " << walk.to;
    }
}

TEST(Search, FiguresStandOnTheirTilesAndAThirdClickStartsOver) {
    TempFolder folder;
    World w = mapOf(folder, "0 0 0/0 1 0/0 0 0");
    for (int tile : {0, 8, 2, 6}) {
        w.stepFrame = 7; // the walker is under way
        clickTile(w, tile);
        const float* at = w.nodes[tile].mesh.position;
        const bool start = w.clickPhase == 1; // else the target was chosen and searched for
        const Mesh& figure = start ? w.monkey : w.banana;
        EXPECT_EQ(std::tuple(figure.position[0], figure.position[1], figure.position[2],
                             w.monkey.visible, w.banana.visible),
                  std::tuple(at[0], start ? 1.0f : 0.0f, at[2], true, !start));
        EXPECT_TRUE(!start || (w.walkFromX == at[0] && w.walkFromZ == at[2] && w.stepFrame == 0 &&
                               !w.walking && w.path.size() + w.openList.size() == 0));
    }
    EXPECT_EQ(pathTiles(w), (std::vector<int>{6, 3, 1}));
}
