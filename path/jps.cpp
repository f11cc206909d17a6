// Jump point search: from each tile it closes it jumps along straight and diagonal runs and
// joins only the tiles where a run must turn (jump points), so on open ground it closes few.
#include "path/search.h"

bool GridSearch::expandJumps(const Board& board, SearchRecord& record, int current) {
    return expand(board, record, current);
}
