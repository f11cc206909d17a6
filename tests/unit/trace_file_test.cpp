// Search traces through files: every search written as YAML and JSON and read back plays the
// same closings in the same order, the same walk and cost; another solver's trace, named its
// own way, plays; a broken one is refused in one line that says where.
#include "tests/path/board_maker.h"
#include "world/trace_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <random>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path scratch(const std::string& name) {
    return fs::temp_directory_path() / ("tanglor_trace_" + std::to_string(::getpid()) + name);
}

// `text` written to a scratch file, read back as a trace over `board`; "" or why not.
std::string readBack(const std::string& name, const std::string& text, const Board& board,
                     SearchTrace& trace) {
    const fs::path file = scratch(name);
    std::ofstream(file, std::ios::binary) << text;
    const std::string why = readTraceFile(file.string(), board, trace, name);
    fs::remove(file);
    return why;
}

struct Played {
    GridSearch query;
    SearchRecord record;
};

void play(const Board& board, const SearchTrace& trace, Played& out) {
    replayTrace(board, trace, out.query, out.record);
}

const MoveRule Rules[] = {MoveRule::CornersCut, MoveRule::Benchmark, MoveRule::FourWays};

TEST(TraceFiles, EverySearchReadBackClosesTheSameTilesInOrderAndWalksTheSameWalk) {
    std::mt19937 random(36);
    int compared = 0;
    for (int round = 0; round < 36; round++) {
        const MoveRule rule = Rules[round % 3];
        const bool weighted = round % 2 == 1;
        const Board board =
            randomBoard(random, 4 + int(random() % 12), 4 + int(random() % 12), weighted, rule);
        const int from = int(random() % unsigned(board.tileCount()));
        const int to = int(random() % unsigned(board.tileCount()));
        if (!board.passable(from) || !board.passable(to)) {
            continue;
        }
        for (int k = 0; k < SearchKindCount; k++) {
            const SearchKind kind = static_cast<SearchKind>(k);
            if (!searchRunsOn(kind, board)) {
                continue;
            }
            SCOPED_TRACE(std::string(searchName(kind)) + " round " + std::to_string(round));
            GridSearch search;
            SearchRecord own;
            search.begin(board, kind, from, to, own);
            search.advance(board, own, LLONG_MAX);
            const SearchTrace written = traceSearch(board, kind, from, to);
            // Each tile taken is closed once its neighbours are done, before the next is taken.
            int taken = -1;
            for (const TraceEvent& e : written.events) {
                if (e.type == TraceEventType::Expanding || e.type == TraceEventType::End) {
                    EXPECT_EQ(taken, -1) << "no closing for " << taken;
                    taken = e.type == TraceEventType::Expanding ? e.tile : -1;
                } else if (e.type == TraceEventType::Closing) {
                    EXPECT_EQ(e.tile, taken);
                    taken = -1;
                }
            }
            const bool json = (round + k) % 2 == 0;
            SearchTrace read;
            ASSERT_EQ(readBack(json ? "t.json" : "t.yaml", traceText(written, json), board, read),
                      "");
            Played played;
            play(board, read, played);
            const SearchRecord& r = played.record;
            EXPECT_EQ(r.closed, own.closed);
            // The view shows a tile closed at its last closing (from both ends, one a side).
            for (std::size_t i = 0; i < r.closed.size(); i++) {
                const auto later =
                    std::find(r.closed.begin() + long(i) + 1, r.closed.end(), r.closed[i]);
                EXPECT_TRUE(later != r.closed.end() ||
                            played.query.closedAt(r.closed[i]) == int(i));
            }
            EXPECT_EQ(r.scanned, own.scanned);
            if (!searchRow(kind).bothEnds) { // from both ends a tile may join on each side
                // Seen at first sight, the target is generated, though it never joins.
                std::vector<int> opened = r.opened;
                const bool sighted = kind == SearchKind::FirstSightAStar && own.found && from != to;
                EXPECT_EQ(sighted ? opened.back() : to, to);
                opened.resize(opened.size() - sighted);
                EXPECT_EQ(opened, own.opened);
                EXPECT_EQ(r.traced.open - sighted, own.stillOpen());
            }
            EXPECT_EQ(r.found, own.found);
            if (!own.found) {
                EXPECT_TRUE(std::isnan(r.traced.walkCost));
                continue;
            }
            // The parents lead back over the same walk; an any-angle one by its segments, or
            // tile by tile where each is a straight or diagonal run.
            if (anyAngle(kind)) {
                EXPECT_NEAR(walkCost(board, kind, from, r.walk),
                            walkCost(board, kind, from, own.walk), 1e-9);
            } else {
                EXPECT_EQ(r.walk, own.walk);
                EXPECT_EQ(r.kind, SearchKind::AStar);
            }
            EXPECT_NEAR(r.traced.walkCost, walkCost(board, kind, from, own.walk), 1e-9);
            compared++;
        }
    }
    EXPECT_GT(compared, 100);
}

// Ids of the solver's own ("x:y" words), the start generated first, fields we do not know,
// no end: it plays, its parents' chain is the walk, a jump filled in tile by tile.
TEST(TraceFiles, AnotherSolversTracePlaysWithItsOwnIdsAndJumps) {
    const Board board = boardOf({"....", "....", "...."}, MoveRule::Benchmark);
    const std::string text =
        "version: 1.0.2\n"
        "render: { colour: red }\n"
        "events:\n"
        "  - { type: source, id: '0:0', x: 0, y: 0 }\n"
        "  - { type: destination, id: '3:2', x: 3, y: 2 }\n"
        "  - { type: generating, id: '0:0', x: 0, y: 0, g: 0, f: 3 }\n"
        "  - { type: expanding, id: '0:0', x: 0, y: 0, g: 0, f: 3 }\n"
        "  - { type: generating, id: '2:2', x: 2, y: 2, pId: '0:0', g: 2.8,"
        " h: 1, info: { kind: jump, seen: [1, 2] } }\n"
        "  - { type: closing, id: '0:0', x: 0, y: 0 }\n"
        "  - { type: expanding, id: '2:2', x: 2, y: 2, pId: '0:0' }\n"
        "  - { type: generating, id: '3:2', x: 3, y: 2, pId: '2:2', g: 3.8 }\n";
    SearchTrace trace;
    ASSERT_EQ(readBack("s.yaml", text, board, trace), "");
    Played played;
    play(board, trace, played);
    EXPECT_EQ(played.record.closed, (std::vector<int>{0, 10}));
    EXPECT_EQ(played.record.opened, (std::vector<int>{10, 11})); // the start never joins
    EXPECT_EQ(played.record.walk, (std::vector<int>{5, 10, 11}));
    EXPECT_EQ(played.record.kind, SearchKind::AStar);
    EXPECT_EQ(played.record.traced.open, 1);
    EXPECT_TRUE(std::isnan(played.record.traced.walkCost));
    const TileCosts c = played.record.traced.costs[10];
    EXPECT_EQ(c, (TileCosts{2.8, 1, 3.8, 0})); // f from g and h where it gives no f

    // A knight's move is no run: the walk is a segment, shown as any-angle.
    const std::string knight = R"({"version": "1.4.0", "events": [
        {"type": "source", "id": 0, "x": 0, "y": 0},
        {"type": "destination", "id": 6, "x": 2, "y": 1},
        {"type": "expanding", "id": 0, "x": 0, "y": 0, "g": 0},
        {"type": "generating", "id": 6, "x": 2, "y": 1, "pId": 0, "g": 2.2},
        {"type": "end", "g": 2.2}]})";
    ASSERT_EQ(readBack("k.json", knight, board, trace), "");
    play(board, trace, played);
    EXPECT_EQ(played.record.walk, (std::vector<int>{6}));
    EXPECT_EQ(played.record.kind, SearchKind::ThetaStar);
    EXPECT_DOUBLE_EQ(played.record.traced.walkCost, 2.2);
}

TEST(TraceFiles, ABrokenTraceIsRefusedInOneLineThatSaysWhere) {
    const Board board = boardOf({"...", "..."}, MoveRule::Benchmark);
    const std::string head = "version: 1.4.0\nevents:\n  - { type: source, x: 0, y: 0 }\n";
    const std::pair<std::string, std::string> cases[] = {
        {head + "  - { type: expanding, x: 3, y: 0 }\n",
         "b.yaml: event 2: its tile is off the map (3 x 2 tiles)"},
        {head + "  - { type: pruning, x: 1, y: 0 }\n", "b.yaml: event 2: unknown type \"pruning\""},
        {head + "  - { type: expanding, x: 1, y: 0, g: far }\n",
         "b.yaml: event 2: g is not a number"},
        {head + "  - { type: expanding }\n",
         "b.yaml: event 2: names no tile (x and y, or a whole id)"},
        {head + "  - { type: expanding, x: 1.5, y: 0 }\n",
         "b.yaml: event 2: names no tile (x and y, or a whole id)"},
        {head + "  - { type: expanding, x: 1, y: 0\n", "b.yaml: not valid YAML (line 5, column 1"},
        {"version: 0.9\nevents: []\n",
         "b.yaml: not a search trace of format 1.x (its version is \"0.9\")"},
        {"events: []\n", "b.yaml: not a search trace of format 1.x (its version is missing)"},
        {"version: 1.4.0\n", "b.yaml: not a search trace: it has no list of events"},
        {head + "  - [expanding, 1, 0]\n", "b.yaml: event 2: is not a list of fields"},
        {"events: [{type: nonsense}]\nversion: 3\n",
         "b.yaml: not a search trace of format 1.x (its version is \"3\")"},
        {"", "b.yaml: not a search trace of format 1.x (its version is missing)"},
    };
    for (const auto& [text, why] : cases) {
        SearchTrace trace;
        const std::string said = readBack("b.yaml", text, board, trace);
        EXPECT_EQ(said.substr(0, why.size()), why) << text;
        EXPECT_EQ(said.find('\n'), std::string::npos) << said;
    }
    SearchTrace trace;
    EXPECT_EQ(readBack("b.json", "{\"version\": \"1.4.0\", \"events\": [", board, trace)
                  .rfind("b.json: not valid JSON (parse error at line 1, column 33", 0),
              0u);
    EXPECT_EQ(readTraceFile("/no/such/trace.yaml", board, trace),
              "/no/such/trace.yaml: cannot be read (no such file, or not readable)");
}

} // namespace
