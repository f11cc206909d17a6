// Building the world from a map file: reading the codes, each tile's kind, cost, model, turn
// and colour, and the problems a broken map or model leaves.
#include "world_files.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(WorldMap, ReadsCodesOrTellsTheProblem) {
    // Map text, then the grid and its codes, or the problem (after the map's path).
    const std::pair<std::string, std::string> cases[] = {
        {"0 1\n2 3", "2 x 2: 0 1 2 3"},
        {"  0 1   \r\n2\t3 \t\r\n", "2 x 2: 0 1 2 3"},
        // Only the first line counts columns; codes flow on, extra ones are dropped.
        {"0 1 2\n3\n\n2 1 0 3 2 1 0 3 2\n", "3 x 4: 0 1 2 3 2 1 0 3 2 1 0 3"},
        {"+2 -1 2147483647 -2147483648\n", "4 x 1: 2 -1 2147483647 -2147483648"},
        {"0 0 0\n0 0 0\n0 x7 0\n", ":3: \"x7\" is not a tile code"},
        {"0 0\n0 2147483648\n", ":2: \"2147483648\" is not a tile code"},
        {"0 0 0\n0 0\n", ":2: 5 tile codes for 3 x 2 tiles"}, // where the file ends
        {"0 0\n0 0\n\n",
         ":3: this line is empty, and every line is a row: 4 tile codes for 2 x 3 tiles"},
        // Bytes a terminal would act on are shown, not sent.
        {std::string("0 0\0\x1b\\", 6), ":1: \"0\\x00\\x1b\\\\\" is not a tile code"},
        {"", ":1: the file is empty"},
        {"\n0 0\n", ":1: no tile codes on the first line"},
        {"7" + std::string(70000, '\n'),
         ":4097: 1 x 4097 or more tiles: a map holds at most 4096 on a side and 4000000 in all"},
    };
    TempFolder folder;
    writeModels(folder);
    for (const auto& [text, read] : cases) {
        World w(folder.write("map.txt", text));
        std::ostringstream out;
        for (const std::string& problem : w.problems) {
            out << problem.substr(folder.path("map.txt").size()) << "; ";
        }
        if (w.problems.empty()) {
            out << w.board.columns << " x " << w.board.rows << ":";
            for (const MapTile& tile : w.tiles) {
                out << " " << tile.kind;
            }
        }
        EXPECT_EQ(out.str(), w.problems.empty() ? read : read + "; ") << text;
    }
    // Named without a folder, the map is looked for in the working one: say which.
    const std::string missing = "tanglor_no_such_folder/map.txt";
    EXPECT_EQ(World(missing).problems.front(),
              missing + ": not found in " +
                  (std::filesystem::current_path() / "tanglor_no_such_folder").string());
    World few(folder.write("map.txt", "0 0 0\n0 0\n")); // tile 5 gets no code: open ground
    EXPECT_EQ(std::tuple(few.tiles[5].kind, few.board.extraCost(5)), std::tuple(-1, 0));
    // However many tiles use a model, its problem is told once.
    std::filesystem::remove(folder.path("ground3.obj"));
    EXPECT_EQ(mapOf(folder, "0 0/0 0").problems,
              std::vector<std::string>{folder.path("ground3.obj") + ": cannot be opened"});
}

TEST(WorldMap, KindsGiveCostModelTurnAndColour) {
    TempFolder folder;
    writeModels(folder);
    // A tree draws its model, then its turn; ground and stones draw a turn; water lies
    // unturned and, like a code without a kind, draws nothing. 0.3 x 32767 = 9830.1 and
    // 0.6 x 32767 = 19660.2 split the trees.
    static const std::vector<int> script = {9830,  0,     9831,  0,     19660, 0,
                                            19661, 32767, 32767, 16383, 99};
    static size_t taken;
    taken = 0; // static for the plain function pointer; a repeated run starts over
    randomDraw = [] { return taken < script.size() ? script[taken++] : 0; };
    World w(folder.write("map.txt", "1 1 1 1 3 7 -1 0 2\n"));
    randomDraw = defaultRandomDraw;
    EXPECT_EQ(taken, 10u);

    // Kind, terrain cost, model vertices, turn and colour of each tile, then the figures'.
    EXPECT_EQ(looksOf(w), "1 2147483647 4 0 0.2 0.5 0\n1 2147483647 5 0 0.2 0.5 0\n"
                          "1 2147483647 5 0 0.2 0.5 0\n1 2147483647 6 360 0.2 0.5 0\n"
                          "3 40 8 0 0 0 0.3\n7 0 0 0 0 0 0\n-1 0 0 0 0 0 0\n0 0 3 360 0 0.3 0\n"
                          "2 20 7 179.995 0.5 0.5 0.5\n9 0 1 0.6 0.2\n10 0 1 1 0\n");
    // Nothing is under way yet.
    EXPECT_EQ(std::tuple(w.clickPhase, w.walk.walking, w.stepFrames, w.walk.stepFrame,
                         w.walk.bobFrame, w.walk.monkey.visible, w.banana.visible),
              std::tuple(0, false, 100, 0, 0, false, false));
}
