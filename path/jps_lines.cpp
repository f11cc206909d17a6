// The board's passable tiles read into bit lines, once for every change of its tiles.
#include "path/jps_lines.h"

const BoardLines& linesOf(const Board& board) {
    thread_local BoardLines lines;
    if (lines.tiles == board.tilesSerial && lines.columns == board.columns &&
        lines.rows == board.rows) {
        return lines;
    }
    const int columns = board.columns, rows = board.rows;
    lines.tiles = board.tilesSerial;
    lines.columns = columns;
    lines.rows = rows;
    lines.east.size(rows, columns);
    lines.west.size(rows, columns);
    lines.south.size(columns, rows);
    lines.north.size(columns, rows);
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < columns; c++) {
            if (board.passable(r * columns + c)) {
                lines.east.set(r, c);
                lines.west.set(r, columns - 1 - c);
                lines.south.set(c, r);
                lines.north.set(c, rows - 1 - r);
            }
        }
    }
    return lines;
}
