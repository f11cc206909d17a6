// Boards for the searches' own tests, made from rows of letters: '.' ground, 'T' a tree,
// 's' stones (+20), '~' water (+40).
#pragma once

#include "path/board.h"

#include <random>
#include <string>
#include <vector>

inline Board boardOf(const std::vector<std::string>& rows, MoveRule rule) {
    Board board;
    board.buildGrid(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    board.rule = rule;
    for (int r = 0; r < board.rows; r++) {
        for (int c = 0; c < board.columns; c++) {
            const char k = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            const int extra = k == 'T' ? ImpassableCost : k == 's' ? 20 : k == '~' ? 40 : 0;
            board.setExtraCost(r * board.columns + c, extra);
        }
    }
    return board;
}

// A random board of `columns` x `rows`, a quarter of it trees, and with `weighted` stones and
// water too.
inline Board randomBoard(std::mt19937& random, int columns, int rows, bool weighted,
                         MoveRule rule) {
    std::vector<std::string> lines(static_cast<std::size_t>(rows), std::string(columns, '.'));
    const char kinds[] = {'.', '.', 'T', weighted ? 's' : '.', weighted ? '~' : '.', '.', '.'};
    for (std::string& line : lines) {
        for (char& k : line) {
            k = kinds[random() % sizeof kinds];
        }
    }
    return boardOf(lines, rule);
}
