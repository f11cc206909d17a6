// A search trace from a file shown as the world's walk, through the same record, playback and
// walker as a search of our own.
#include "world/world.h"

void World::showTrace(const SearchTrace& trace) {
    GridSearch query;
    SearchRecord record;
    replayTrace(board, trace, query, record);
    if (record.start < 0) {
        return; // nothing to stand on
    }
    startWalk(walk, record.start);
    walk.target = record.target;
    walk.kind = record.kind;
    walk.query = std::move(query);
    walk.search = std::move(record);
    if (walk.target >= 0) {
        placeBanana();
        endPlan(walk); // the walker, the lights and the figures, as after any plan
    }
    clickPhase = 0; // the next click starts over, as after a second click
    if (session.view.mode == SearchViewMode::Off) {
        session.view.mode = SearchViewMode::Marks;
    }
}
