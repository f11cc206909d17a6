// The board's grid: sizing it, giving its tiles their costs, and what a step between two
// of them costs.
#include "path/board.h"
#include "path/cost_model.h"

#include <cstdlib>

long long nextSerial() {
    static long long last = 0;
    return ++last;
}

void Board::buildGrid(int columnCount, int rowCount) {
    columns = columnCount;
    rows = rowCount;
    // Every tile ground at first; the border is never entered.
    stride = columns + 2;
    const std::size_t cells = static_cast<std::size_t>(stride) * static_cast<std::size_t>(rows + 2);
    extra.assign(cells, ImpassableCost);
    enterable.assign((cells + 63) / 64 + 1, 0); // a word more: a cell's byte and the next
    for (int tile = 0; tile < tileCount(); tile++) {
        const int cell = cellOf(tile);
        extra[cell] = 0;
        enterable[cell >> 6] |= std::uint64_t{1} << (cell & 63);
    }
    weightedTiles = 0;
    tilesSerial = nextSerial();
}

void Board::setExtraCost(int tile, int extraCost) {
    const auto weighted = [](int cost) { return cost != 0 && cost != ImpassableCost; };
    const int cell = cellOf(tile);
    weightedTiles += int(weighted(extraCost)) - int(weighted(extra[cell]));
    extra[cell] = extraCost;
    const std::uint64_t bit = std::uint64_t{1} << (cell & 63);
    enterable[cell >> 6] =
        extraCost == ImpassableCost ? enterable[cell >> 6] & ~bit : enterable[cell >> 6] | bit;
    tilesSerial = nextSerial();
}

const char* ruleName(MoveRule rule) {
    return rule == MoveRule::Benchmark  ? "benchmark"
           : rule == MoveRule::FourWays ? "four ways"
                                        : "corners cut";
}

bool ruleNamed(const std::string& name, MoveRule* rule) {
    for (MoveRule r : {MoveRule::CornersCut, MoveRule::Benchmark, MoveRule::FourWays}) {
        if (name == ruleName(r)) {
            *rule = r;
            return true;
        }
    }
    return false;
}

double Board::stepCost(int from, int to) const {
    const int dc = to % columns - from % columns;
    const int dr = to / columns - from / columns;
    if (to < 0 || to >= tileCount() || !passable(to) || from == to || std::abs(dc) > 1 ||
        std::abs(dr) > 1) {
        return NoStep; // into a tile that cannot be entered, or not a step
    }
    const CostModel& costs = costModel(rule);
    const bool diagonal = dc != 0 && dr != 0;
    if (diagonal && !costs.diagonals) {
        return NoStep;
    }
    if (diagonal && costs.cornersGuarded &&
        !(passable(from + dc) && passable(from + dr * columns))) {
        return NoStep;
    }
    return (diagonal ? costs.diagonal : costs.straight) + costs.extra(extraCost(to));
}
