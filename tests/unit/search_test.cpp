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
    clickTile(w, 0);
    clickTile(w, 8);
    w.stepFrame = 7; // the walker is under way
    clickTile(w, 2);
    const float* start = w.nodes[2].mesh.position;
    EXPECT_EQ(std::tuple(w.clickPhase, w.walking, w.monkey.visible, w.banana.visible,
                         w.path.size() + w.openList.size() + w.closedList.size(), w.stepFrame),
              std::tuple(1, false, true, false, 0u, 0));
    EXPECT_EQ(std::tuple(w.monkey.position[0], w.monkey.position[1], w.monkey.position[2],
                         w.walkFromX, w.walkFromZ),
              std::tuple(start[0], 1.0f, start[2], start[0], start[2]));
    clickTile(w, 6);
    const float* target = w.nodes[6].mesh.position;
    EXPECT_EQ(std::tuple(w.banana.visible, w.banana.position[0], w.banana.position[1],
                         w.banana.position[2], pathTiles(w)),
              std::tuple(true, target[0], 0.0f, target[2], std::vector<int>{6, 3, 1}));
}
