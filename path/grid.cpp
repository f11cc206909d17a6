// The board's grid: sizing it, giving its tiles their costs, and what a step between two
// of them costs.
#include "path/board.h"

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
    enterable.assign((cells + 63) / 64, 0);
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
    return rule == MoveRule::Benchmark ? "benchmark" : "corners cut";
}

bool ruleNamed(const std::string& name, MoveRule* rule) {
    for (MoveRule r : {MoveRule::CornersCut, MoveRule::Benchmark}) {
        if (name == ruleName(r)) {
            *rule = r;
            return true;
        }
    }
    return false;
}

double Board::stepCost(int from, int to) const {
    if (!passable(to)) {
        return NoStep;
    }
    const int columnStep = to % columns - from % columns;
    const int rowStep = to / columns - from / columns;
    for (int s = 0; s < 8; s++) {
        if (SlotColumn[s] != columnStep || SlotRow[s] != rowStep) {
            continue;
        }
        if (rule == MoveRule::CornersCut) {
            return StepCosts[s] + extraCost(to);
        }
        if (SlotDiagonal[s] && !(passable(from - from % columns + to % columns) &&
                                 passable(to - to % columns + from % columns))) {
            return NoStep;
        }
        return (SlotDiagonal[s] ? Sqrt2 : 1.0) + extraCost(to) / 10.0;
    }
    return NoStep; // not a step: the tiles are not neighbours
}
