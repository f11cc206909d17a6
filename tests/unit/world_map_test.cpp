// Building the world from a map file: reading the codes, each tile's kind, cost, model,
// colour, turn and place, the two figures, and the problems a broken map or model leaves.
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Every model the world reads, each with its own vertex count so that tests can tell
// which one a tile got.
const std::pair<const char*, int> Models[] = {
    {"ground3.obj", 3},       {"tree.obj", 4},  {"tree3.obj", 5},  {"tree2.obj", 6},
    {"ground_stones.obj", 7}, {"water.obj", 8}, {"monkey.obj", 9}, {"banan.obj", 10},
};

void writeModels(const TempFolder& folder) {
    for (auto [name, vertexCount] : Models) {
        folder.write(name, modelText(vertexCount));
    }
}

// The random source replaced by a script; draws beyond it are 0.
std::vector<int> script;
size_t drawsTaken = 0;
int scriptedDraw() {
    int draw = drawsTaken < script.size() ? script[drawsTaken] : 0;
    drawsTaken++;
    return draw;
}

struct ScriptedDraws {
    explicit ScriptedDraws(std::vector<int> draws) {
        script = std::move(draws);
        drawsTaken = 0;
        randomDraw = scriptedDraw;
    }
    ~ScriptedDraws() { randomDraw = defaultRandomDraw; }
};

// Runs the test inside a folder, so that a map named just "map.txt" is looked for there.
struct WorkingFolder {
    std::filesystem::path before = std::filesystem::current_path();
    explicit WorkingFolder(const TempFolder& folder) { std::filesystem::current_path(folder.dir); }
    ~WorkingFolder() { std::filesystem::current_path(before); }
};

World worldFromText(const TempFolder& folder, const std::string& text) {
    return World(folder.write("map.txt", text));
}

void expectPosition(const GridNode& node, float x, float z) {
    EXPECT_EQ(node.mesh.position[0], x);
    EXPECT_EQ(node.mesh.position[1], 0.0f);
    EXPECT_EQ(node.mesh.position[2], z);
}

void expectColor(const Mesh& mesh, double red, double green, double blue) {
    EXPECT_EQ(mesh.color[0], red);
    EXPECT_EQ(mesh.color[1], green);
    EXPECT_EQ(mesh.color[2], blue);
}

void expectEmptyTile(const GridNode& node) {
    EXPECT_EQ(node.terrainCost, 0);
    EXPECT_TRUE(node.mesh.vertices.empty());
    expectColor(node.mesh, 0.0, 0.0, 0.0);
    EXPECT_TRUE(node.mesh.visible);
}

} // namespace

TEST(WorldMap, LineEndsAndBlanksDoNotChangeTheGrid) {
    const char* texts[] = {"0 1\n2 3\n", "0 1\n2 3", "0 1\r\n2 3\r\n", "  0 1   \n2\t3 \t\n"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        TempFolder folder;
        writeModels(folder);
        World w = worldFromText(folder, text);
        EXPECT_EQ(w.problems, std::vector<std::string>{});
        ASSERT_EQ(w.columns, 2);
        ASSERT_EQ(w.rows, 2);
        ASSERT_EQ(w.nodes.size(), 4u);
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(w.nodes[i].kind, i);
        }
        expectPosition(w.nodes[0], 0, -10);
        expectPosition(w.nodes[1], 10, -10);
        expectPosition(w.nodes[2], 0, 0);
        expectPosition(w.nodes[3], 10, 0);
    }
}

TEST(WorldMap, FirstLineSetsColumnsAndCodesFlowOn) {
    TempFolder folder;
    World one = worldFromText(folder, "0 0 0\n");
    EXPECT_EQ(one.columns, 3);
    EXPECT_EQ(one.rows, 1);
    expectPosition(one.nodes[0], 0, 0);
    expectPosition(one.nodes[2], 20, 0);

    World five = worldFromText(folder, "7 7 7 7 7\n7 7 7 7 7\n");
    ASSERT_EQ(five.nodeCount, 10);
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(five.nodes[i].mesh.position[0], -10.0f + 10.0f * (i % 5));
    }

    // Short and long lines shift the later codes; an empty line is a row without codes;
    // codes past the last tile are dropped. None of it is a problem.
    writeModels(folder);
    World shifted = worldFromText(folder, "0 1 2\n3\n\n2 1 0 3 2 1 0 3 2\n");
    EXPECT_EQ(shifted.problems, std::vector<std::string>{});
    EXPECT_EQ(shifted.columns, 3);
    EXPECT_EQ(shifted.rows, 4);
    std::vector<int> kinds;
    for (const GridNode& node : shifted.nodes) {
        kinds.push_back(node.kind);
    }
    EXPECT_EQ(kinds, (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 3, 2, 1, 0, 3}));
}

TEST(WorldMap, TileKindsCostsModelsAndColours) {
    TempFolder folder;
    writeModels(folder);
    ScriptedDraws draws({0, 0, 0, 0});
    World w = worldFromText(folder, "0 1 2 3 7 -1\n");
    EXPECT_EQ(w.problems, std::vector<std::string>{});

    struct Expected {
        int terrainCost;
        size_t vertices;
        double color[3];
    };
    const Expected expected[] = {
        {0, 3, {0.0, 0.3, 0.0}},
        {ImpassableCost, 4, {0.2, 0.5, 0.0}},
        {20, 7, {0.5, 0.5, 0.5}},
        {40, 8, {0.0, 0.0, 0.3}},
    };
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE("code " + std::to_string(i));
        const GridNode& node = w.nodes[i];
        EXPECT_EQ(node.kind, i);
        EXPECT_EQ(node.terrainCost, expected[i].terrainCost);
        EXPECT_EQ(node.mesh.vertices.size(), expected[i].vertices);
        expectColor(node.mesh, expected[i].color[0], expected[i].color[1], expected[i].color[2]);
        EXPECT_TRUE(node.mesh.visible);
    }
    // Codes without a kind: open ground with no model, black, in their place.
    EXPECT_EQ(w.nodes[4].kind, 7);
    EXPECT_EQ(w.nodes[5].kind, -1);
    expectEmptyTile(w.nodes[4]);
    expectEmptyTile(w.nodes[5]);
    expectPosition(w.nodes[5], 30, 0);

    EXPECT_EQ(w.monkey.vertices.size(), 9u);
    expectColor(w.monkey, 1.0, 0.6, 0.2);
    EXPECT_EQ(w.banana.vertices.size(), 10u);
    expectColor(w.banana, 1.0, 1.0, 0.0);
}

TEST(WorldMap, RandomDrawsInNodeOrder) {
    TempFolder folder;
    writeModels(folder);
    // ground: turn; tree: model, turn; stones: turn; water and code 7: nothing.
    ScriptedDraws draws({16383, 20000, 32767, 0, 99});
    World w = worldFromText(folder, "0 1 3 7 2\n");
    EXPECT_EQ(drawsTaken, 4u);
    EXPECT_EQ(w.nodes[0].mesh.angle, static_cast<float>(16383 / 32767.0 * 360.0));
    EXPECT_EQ(w.nodes[1].mesh.vertices.size(), 6u); // 20000 is above 0.6: tree2.obj
    EXPECT_EQ(w.nodes[1].mesh.angle, 360.0f);
    EXPECT_EQ(w.nodes[2].mesh.angle, 0.0f);
    EXPECT_EQ(w.nodes[3].mesh.angle, 0.0f);
    EXPECT_EQ(w.nodes[4].mesh.angle, 0.0f);
}

TEST(WorldMap, TreeChoiceThresholds) {
    TempFolder folder;
    writeModels(folder);
    // 0.3 x 32767 = 9830.1 and 0.6 x 32767 = 19660.2.
    ScriptedDraws draws({9830, 0, 9831, 0, 19660, 0, 19661, 0, 0, 0, 32767, 0});
    World w = worldFromText(folder, "1 1 1 1 1 1\n");
    std::vector<size_t> models;
    for (const GridNode& node : w.nodes) {
        models.push_back(node.mesh.vertices.size());
        EXPECT_EQ(node.terrainCost, ImpassableCost);
    }
    // tree.obj 4, tree3.obj 5, tree2.obj 6 vertices.
    EXPECT_EQ(models, (std::vector<size_t>{4, 5, 5, 6, 4, 6}));
}

TEST(WorldMap, FieldsWhenConstructionEnds) {
    TempFolder folder;
    World w = worldFrom(folder, filledCodes(4, 4, 0));
    EXPECT_EQ(w.clickPhase, 0);
    EXPECT_FALSE(w.walking);
    EXPECT_EQ(w.stepFrames, 100);
    EXPECT_EQ(w.stepFrame, 0);
    EXPECT_EQ(w.bobFrame, 0);
    EXPECT_FALSE(w.monkey.visible);
    EXPECT_FALSE(w.banana.visible);
    EXPECT_TRUE(w.openList.empty());
    EXPECT_TRUE(w.closedList.empty());
    EXPECT_TRUE(w.path.empty());
    EXPECT_EQ(w.nodeCount, 16);
}

TEST(WorldMapProblems, MapThatCannotBeFound) {
    TempFolder folder;
    writeModels(folder);
    {
        // Started from a folder without the map: the message names that folder.
        WorkingFolder inside(folder);
        World w{std::string("map.txt")};
        ASSERT_EQ(w.problems.size(), 1u);
        EXPECT_EQ(w.problems[0], "map.txt: not found in " + folder.dir.string());
        EXPECT_TRUE(w.nodes.empty());
        EXPECT_EQ(w.monkey.vertices.size(), 9u) << "models are read beside map.txt";
    }
    std::string elsewhere = folder.path("maps/level.txt");
    World w(elsewhere);
    EXPECT_EQ(w.problems.front(), elsewhere + ": not found in " + folder.path("maps"));
    EXPECT_EQ(w.columns, 0);
    EXPECT_EQ(w.tileIndexAt(0, 0), -1);

    std::filesystem::create_directory(folder.path("adir"));
    World dir(folder.path("adir"));
    EXPECT_EQ(dir.problems.front(), folder.path("adir") + ": is a folder, not a map file");
    World device{std::string("/dev/zero")};
    EXPECT_EQ(device.problems.front(), "/dev/zero: is not a plain file");
}

TEST(WorldMapProblems, TokensThatAreNotTileCodes) {
    TempFolder folder;
    writeModels(folder);
    WorkingFolder inside(folder);
    const std::pair<const char*, const char*> cases[] = {
        {"0 0 0\n0 0 0\n0 x7 0\n", "map.txt:3: \"x7\" is not a tile code"},
        {"0 1.5 0\n", "map.txt:1: \"1.5\" is not a tile code"},
        {"0 0\n+ 0\n", "map.txt:2: \"+\" is not a tile code"},
        {"0 0\n0 2147483648\n", "map.txt:2: \"2147483648\" is not a tile code"},
        {"0 0\n0 -99999999999999999999\n",
         "map.txt:2: \"-99999999999999999999\" is not a tile code"},
        {"0 0\n0 +-1\n", "map.txt:2: \"+-1\" is not a tile code"},
    };
    for (auto [text, problem] : cases) {
        SCOPED_TRACE(text);
        std::ofstream("map.txt") << text;
        World w{std::string("map.txt")};
        EXPECT_EQ(w.problems, std::vector<std::string>{problem});
    }

    // Reading stops at the bad token: nothing after it is a code, and the tiles left
    // without one are open ground with no model.
    std::ofstream("map.txt") << "0 0 0\n0 x 0\n0 0 0\n0 0 0\n";
    World w{std::string("map.txt")};
    EXPECT_EQ(w.columns, 3);
    EXPECT_EQ(w.nodeCount, w.columns * w.rows);
    for (int i = 4; i < w.nodeCount; i++) {
        EXPECT_TRUE(w.nodes[i].kind < 0 || w.nodes[i].kind > 3);
        expectEmptyTile(w.nodes[i]);
    }

    // Signs and the ends of the int range are codes.
    std::ofstream("map.txt") << "+2 -1 2147483647 -2147483648\n";
    World signs{std::string("map.txt")};
    EXPECT_EQ(signs.problems, std::vector<std::string>{});
    EXPECT_EQ(signs.nodes[0].kind, 2);
    EXPECT_EQ(signs.nodes[1].kind, -1);
    EXPECT_EQ(signs.nodes[2].kind, INT_MAX);
    EXPECT_EQ(signs.nodes[3].kind, INT_MIN);
}

TEST(WorldMapProblems, TooFewCodesEmptyMapsAndHugeMaps) {
    TempFolder folder;
    writeModels(folder);
    WorkingFolder inside(folder);

    std::string text;
    for (int i = 0; i < 250; i++) {
        text += (i % 16 == 15 ? "0\n" : "0 ");
    }
    text += "\n";
    std::ofstream("map.txt") << text;
    World few{std::string("map.txt")};
    EXPECT_EQ(few.problems, std::vector<std::string>{"map.txt: 250 tile codes for 16 x 16 tiles"});
    ASSERT_EQ(few.nodeCount, 256);
    EXPECT_EQ(few.nodes[249].kind, 0);
    for (int i = 250; i < 256; i++) {
        expectEmptyTile(few.nodes[i]);
    }

    std::ofstream("map.txt") << "";
    EXPECT_EQ(World{std::string("map.txt")}.problems, std::vector<std::string>{"map.txt is empty"});

    std::ofstream("map.txt") << "\n0 0\n";
    World blank{std::string("map.txt")};
    EXPECT_EQ(blank.problems,
              std::vector<std::string>{"map.txt:1: no tile codes on the first line"});
    EXPECT_TRUE(blank.nodes.empty());

    std::string tall;
    for (int i = 0; i < 70000; i++) {
        tall += "7\n";
    }
    std::ofstream("map.txt") << tall;
    World huge{std::string("map.txt")};
    EXPECT_EQ(huge.problems,
              std::vector<std::string>{
                  "map.txt: 1 x 70000 tiles are more than the 65536 a map may hold"});
    EXPECT_TRUE(huge.nodes.empty());
    EXPECT_EQ(huge.nodeCount, 0);
    EXPECT_EQ(huge.tileIndexAt(0, 0), -1);
}

TEST(WorldMapProblems, BrokenOrMissingModelsAreReportedOnce) {
    TempFolder folder;
    writeModels(folder);
    folder.write("ground3.obj", "# h\n# h\n# h\nv 0 0 0\nv 1 0 0\nv 0 1 x\ns off\nx\nf 1 2 3\n");
    std::filesystem::remove(folder.path("tree2.obj"));
    std::filesystem::remove(folder.path("banan.obj"));
    ScriptedDraws draws({}); // every draw 0: every tree is tree.obj
    World w = worldFrom(folder, filledCodes(16, 16, 0));
    ASSERT_EQ(w.problems.size(), 2u);
    EXPECT_EQ(w.problems[0].rfind(folder.path("ground3.obj") + ": ", 0), 0u) << w.problems[0];
    EXPECT_EQ(w.problems[1], folder.path("banan.obj") + ": cannot be opened");

    ScriptedDraws trees({32767, 0, 32767, 0});
    World forest = worldFrom(folder, filledCodes(2, 1, 1));
    const std::vector<std::string> expected = {folder.path("tree2.obj") + ": cannot be opened",
                                               folder.path("banan.obj") + ": cannot be opened"};
    EXPECT_EQ(forest.problems, expected);
}

TEST(WorldShippedMap, SixteenSquareWithSomethingToShow) {
    const std::string mapFile = std::string(TANGLOR_ASSETS_DIR) + "/map.txt";
    World w(mapFile);
    for (const std::string& problem : w.problems) {
        EXPECT_EQ(problem.find(mapFile), std::string::npos) << problem;
    }
    ASSERT_EQ(w.columns, 16);
    ASSERT_EQ(w.rows, 16);
    int perKind[4] = {};
    for (const GridNode& node : w.nodes) {
        ASSERT_TRUE(node.kind >= 0 && node.kind <= 3);
        perKind[node.kind]++;
    }
    for (int count : perKind) {
        EXPECT_GT(count, 8);
    }

    // The pocket at the top left is closed off by trees.
    clickTile(w, 0, 0);
    clickTile(w, 2, 2);
    EXPECT_FALSE(w.walking);
    // Across the river the way round through the ford is cheaper than wading.
    clickTile(w, 8, 5);
    clickTile(w, 11, 5);
    ASSERT_TRUE(w.walking);
    for (auto [c, r] : pathTiles(w)) {
        EXPECT_NE(w.nodes[r * 16 + c].kind, 3) << c << ", " << r;
    }
}
