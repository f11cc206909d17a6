// The session's racers follow the world's walk: each action the world takes on its own walk
// it then applies to every racer's here, so that a racer is never out of step.
#include "world/world.h"

#include <climits>

Session::Session() {
    const SearchKind kinds[RacerCount] = {SearchKind::FirstSightAStar, SearchKind::AStar,
                                          SearchKind::Dijkstra, SearchKind::Greedy};
    for (int i = 0; i < RacerCount; i++) {
        racers[i].walk.kind = kinds[i];
    }
}

namespace {

// In the window a racer's search begins on a later frame, after the one before it has
// ended, so that a big board's four never stall a frame nor hold four searches' memory;
// elsewhere it runs at once.
long long raceSlice(const World& w) {
    return w.searchSlice == LLONG_MAX ? LLONG_MAX : 0;
}

// The racer starts a new walk on `start` (none: -1): its monkey there, and when the banana
// is out, its search to it.
void startOver(World& w, Walk& walk, int start) {
    if (start < 0) {
        w.clearWalk(walk);
        walk.monkey.visible = false;
        return;
    }
    w.startWalk(walk, start);
    if (w.banana.visible && w.walk.target >= 0) {
        walk.target = w.walk.target;
        w.planWalk(walk, raceSlice(w));
    }
}

} // namespace

void setRace(World& w, bool on) {
    Session& s = w.session;
    if (on == s.racing) {
        return;
    }
    s.racing = on;
    if (!on) {
        // The world's own walk shows again, as its search left it.
        const bool searching = w.walk.planning == Planning::Walk;
        const double steps = searching ? 0.0 : double(w.walk.search.closed.size());
        w.walk.playback = Playback{w.walk.search.serial, steps, false, false};
        return;
    }
    // The point of a race is to see the searches at work.
    if (s.view.mode == SearchViewMode::Off) {
        s.view.mode = SearchViewMode::Marks;
    }
    for (Racer& r : s.racers) {
        const SearchSettings settings = r.walk.settings; // each view's own, kept
        r.walk = w.newWalk(r.walk.kind);
        r.walk.settings = settings;
    }
    racersStartOver(w);
}

void racersStartOver(World& w) {
    // Where the world's walk started, while its monkey shows; the same problem for all four,
    // so that their figures compare.
    const int start = w.walk.monkey.visible ? w.walk.start : -1;
    for (int i = 0; w.session.racing && i < RacerCount; i++) {
        startOver(w, w.session.racers[i].walk, start);
    }
}

void racersReplan(World& w) {
    for (int i = 0; w.session.racing && w.banana.visible && i < RacerCount; i++) {
        w.replan(w.session.racers[i].walk, raceSlice(w));
    }
}

void racersRestart(World& w) {
    if (w.session.racing) {
        w.session.racing = false;
        setRace(w, true);
    }
}

void setRacer(World& w, int index, SearchKind kind) {
    Walk& walk = w.session.racers[index].walk;
    walk.kind = kind;
    if (w.session.racing && w.banana.visible) {
        w.replan(walk, raceSlice(w));
    }
}

void setRacerSettings(World& w, int index, const SearchSettings& settings) {
    Walk& walk = w.session.racers[index].walk;
    walk.settings = settings;
    if (w.session.racing && w.banana.visible) {
        w.replan(walk, raceSlice(w));
    }
}

bool advanceRace(World& w, long long tiles) {
    bool advanced = false;
    bool underWay = false;
    for (int i = 0; w.session.racing && i < RacerCount; i++) {
        Walk& walk = w.session.racers[i].walk;
        if (walk.searching() && !advanced) {
            w.advanceWalk(walk, tiles);
            advanced = true;
        }
        underWay = underWay || walk.searching();
    }
    return underWay;
}

bool World::anyFigureOn(int tile) const {
    for (int i = 0; session.racing && i < RacerCount; i++) {
        if (figureOn(session.racers[i].walk, tile)) {
            return true;
        }
    }
    return figureOn(walk, tile);
}

void World::holdMonkeys() {
    forEachWalk([this](Walk& w) { holdMonkey(w); });
}

void World::setRule(MoveRule rule) {
    if (board.rule == rule) {
        return;
    }
    board.rule = rule;
    if (banana.visible) {
        replan(walk, searchSlice);
    }
    racersReplan(*this);
}
