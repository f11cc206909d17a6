// Maps in the grid benchmark sets' format: read into the program's kinds and costs, tiles
// out of bounds kept off the board, every refusal naming its line, and a save that writes
// back what was read.
#include "world/map_file.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(BenchmarkMap, ReadsEveryCharacterIntoAKindAndKeepsOutOfBoundsTilesOffTheBoard) {
    TempFolder folder;
    writeModels(folder);
    // Width before height, CRLF line ends and trailing blanks, as some sets have them.
    World w(folder.write("den.map", "type octile\r\nwidth 4\r\nheight 3\r\nmap\r\n"
                                    ".GTS \r\nW@O.\r\n....\r\n"));
    ASSERT_TRUE(w.problems.empty()) << w.problems[0];
    ASSERT_EQ(std::tuple(w.board.columns, w.board.rows), std::tuple(4, 3));
    const struct {
        int kind, cost;
        bool outside;
    } expected[] = {{0, 0, false},
                    {0, 0, false},
                    {1, ImpassableCost, false},
                    {2, 20, false},
                    {3, 40, false},
                    {-1, ImpassableCost, true},
                    {-1, ImpassableCost, true}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(std::tuple(w.tiles[i].kind, w.board.extraCost(i), w.tiles[i].outside,
                             w.tileModels[i].visible),
                  std::tuple(expected[i].kind, expected[i].cost, expected[i].outside,
                             !expected[i].outside))
            << "tile " << i;
    }
    // The way from 3,1 to 1,1 goes round the two tiles off the board, never through them.
    w.clickTile(4 + 3);
    w.clickTile(4 + 4);
    for (int tile : w.walk.search.closed) {
        EXPECT_FALSE(w.tiles[tile].outside);
    }
    w.clickTile(4 + 3);
    w.clickTile(4 + 1); // a click off the board is no target
    EXPECT_TRUE(w.walk.search.target == -1 && !w.banana.visible && w.clickPhase == 1);
    // A paint off the board makes ground there, on the board.
    EXPECT_EQ(w.paintTile(5, GroundCode), "");
    EXPECT_TRUE(!w.tiles[5].outside && w.board.passable(5) && w.tileModels[5].visible);
}

TEST(BenchmarkMap, RefusesWhatIsNotOneNamingTheLineOfEachProblem) {
    TempFolder folder;
    writeModels(folder);
    const std::string header = "type octile\nheight 2\nwidth 3\nmap\n";
    const struct {
        std::string text;
        std::vector<std::string> problems;
    } cases[] = {
        {header + "...\n..\n", {"m.map:6: 2 characters, the header says 3"}},
        {header + "...\n", {"m.map:5: 1 map lines, the header says 2"}}, // where the file ends
        {header + "...\n...\n...\n", {"m.map:7: more lines than the header's 2"}},
        {header + ".x.\n..#\n",
         {"m.map:5: 'x' (column 1) is not a map character",
          "m.map:6: '#' (column 2) is not a map character"}},
        {"type octile\nheight 2\nwide 3\nmap\n...\n...\n",
         {"m.map:3: the header's second and third lines must be \"height N\" and \"width N\""}},
        {"type octile\nheight 2\nwidth 3\nmaps\n...\n...\n",
         {"m.map:4: the header's fourth line must be \"map\""}},
        // The size past the limits is told on the header line that sets it.
        {"type octile\nheight 5000\nwidth 3\nmap\n",
         {"m.map:2: 3 x 5000 tiles: a map holds at most 4096 on a side and 4000000 in all"}},
        {"type octile\nwidth 5000\nheight 3\nmap\n",
         {"m.map:2: 5000 x 3 tiles: a map holds at most 4096 on a side and 4000000 in all"}},
        {"type octile\nheight 4000\nwidth 4000\nmap\n",
         {"m.map:3: 4000 x 4000 tiles: a map holds at most 4096 on a side and 4000000 in all"}},
    };
    for (const auto& c : cases) {
        World w(folder.write("m.map", c.text));
        std::vector<std::string> problems;
        for (const std::string& p : w.problems) {
            problems.push_back(p.substr(folder.dir.string().size() + 1));
        }
        EXPECT_EQ(problems, c.problems) << c.text;
        EXPECT_EQ(w.board.tileCount(), 0);
    }
}

TEST(BenchmarkMap, ASaveWritesBackWhatWasReadAndPaintsInTheSameCharacters) {
    TempFolder folder;
    writeModels(folder);
    const std::string text = "type octile\nheight 3\nwidth 5\nmap\n@G.TS\nOW..@\n.....\n";
    const std::string path = folder.write("m.map", text);
    World w(path);
    ASSERT_TRUE(w.problems.empty());
    EXPECT_EQ(writeMap(path, w), "");
    EXPECT_EQ(fileText(path), text);
    w.paintTile(0, GroundCode); // out of bounds to ground
    w.paintTile(1, WaterCode);  // G to water
    w.paintTile(14, TreeCode);  // . to a tree
    EXPECT_EQ(writeMap(path, w), "");
    EXPECT_EQ(fileText(path), "type octile\nheight 3\nwidth 5\nmap\n.W.TS\nOW..@\n....T\n");
    EXPECT_EQ(fileText(path + ".bak"), text);
}
