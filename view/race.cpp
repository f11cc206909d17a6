// The race's logic: the racers' walks, planned and played back together; its drawing and
// layout are in view/board_draw.cpp.
#include "view/race.h"
#include "view/search_view.h"

#include <algorithm>
#include <climits>
#include <cstdio>

Race race;

Race::Race() {
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

// Where the world's walk started, while its monkey shows.
int walkStart(const World& w) {
    return w.walk.monkey.visible ? w.walk.start : -1;
}

const char* ordinal(int place) {
    static const char* const Words[RacerCount] = {"1st", "2nd", "3rd", "4th"};
    return Words[std::clamp(place, 1, RacerCount) - 1];
}

} // namespace

bool raceOn() {
    return race.on;
}

void setRace(World& w, bool on) {
    if (on == race.on) {
        return;
    }
    race.on = on;
    if (!on) {
        // The world's own walk shows again, as its search left it.
        w.walk.playback = Playback{w.walk.search.serial, double(searchSteps(w.walk)), false, false};
        return;
    }
    // The point of a race is to see the searches at work.
    if (searchView.mode == SearchViewMode::Off) {
        searchView.mode = SearchViewMode::Marks;
    }
    for (Racer& r : race.racers) {
        const SearchSettings settings = r.walk.settings; // each view's own, kept
        r.walk = w.newWalk(r.walk.kind);
        r.walk.settings = settings;
    }
    raceFollowClick(w);
}

void raceFollowClick(World& w) {
    for (int i = 0; race.on && i < RacerCount; i++) {
        startOver(w, race.racers[i].walk, walkStart(w));
    }
}

void raceFollowDrag(World& w) {
    // The same problem for all four, so that their figures still compare.
    raceFollowClick(w);
}

void holdRacersMonkeys(const World& w) {
    for (int i = 0; race.on && i < RacerCount; i++) {
        w.holdMonkey(race.racers[i].walk);
    }
}

void raceFollowPaint(World& w) {
    for (int i = 0; race.on && w.banana.visible && i < RacerCount; i++) {
        w.replan(race.racers[i].walk, raceSlice(w));
    }
}

void raceFollowReload(World& w) {
    if (race.on) {
        race.on = false;
        setRace(w, true);
    }
}

void setRacer(World& w, int index, SearchKind kind) {
    Walk& walk = race.racers[index].walk;
    walk.kind = kind;
    if (race.on && w.banana.visible) {
        w.replan(walk, raceSlice(w));
    }
}

void setRacerSettings(World& w, int index, const SearchSettings& settings) {
    Walk& walk = race.racers[index].walk;
    walk.settings = settings;
    if (race.on && w.banana.visible) {
        w.replan(walk, raceSlice(w));
    }
}

bool raceFigureOn(const World& w, int tile) {
    for (int i = 0; race.on && i < RacerCount; i++) {
        if (w.figureOn(race.racers[i].walk, tile)) {
            return true;
        }
    }
    return false;
}

bool advanceRace(World& w, long long tiles) {
    bool advanced = false;
    bool underWay = false;
    for (int i = 0; race.on && i < RacerCount; i++) {
        Walk& walk = race.racers[i].walk;
        if (walk.searching() && !advanced) {
            w.advanceWalk(walk, tiles);
            advanced = true;
        }
        underWay = underWay || walk.searching();
    }
    return underWay;
}

bool raceOver() {
    for (int i = 0; race.on && i < RacerCount; i++) {
        const Walk& walk = race.racers[i].walk;
        if (walk.searching() || walk.search.start < 0 || walk.playback.playing ||
            walk.playback.serial != walk.search.serial) {
            return false;
        }
    }
    return race.on;
}

int racePlace(int index) {
    const std::size_t closed = race.racers[index].walk.search.closed.size();
    int place = 1;
    for (const Racer& r : race.racers) {
        place += r.walk.search.closed.size() < closed;
    }
    return place;
}

std::string raceTitle(const Board& board) {
    std::string text = " | race: ";
    for (int i = 0; i < RacerCount; i++) {
        const Walk& walk = race.racers[i].walk;
        char part[96];
        const int closed = static_cast<int>(walk.search.closed.size());
        if (walk.search.start >= 0 && walk.search.found && !walk.searching()) {
            std::snprintf(part, sizeof part, "%s closed %d walk %s",
                          settingsCaption(walk.kind, walk.settings, board.rule).c_str(), closed,
                          costText(walk.found.cost, board.rule, walk.kind).c_str());
        } else {
            std::snprintf(part, sizeof part, "%s closed %d no walk",
                          settingsCaption(walk.kind, walk.settings, board.rule).c_str(), closed);
        }
        text += (i > 0 ? "; " : "") + std::string(part);
    }
    return text;
}

void writeRacerLabel(const Board& board, int index, char* out, size_t size) {
    const Walk& walk = race.racers[index].walk;
    char figures[FiguresLength];
    writeSearchFigures(board, walk, figures, sizeof figures, false);
    const std::string caption = settingsCaption(walk.kind, walk.settings, board.rule);
    const char* name = caption.c_str();
    if (!raceOver()) {
        std::snprintf(out, size, "%s: %s", name, figures);
        return;
    }
    const bool cheapest = walk.search.found && walk.found.cost <= walk.cheapest.cost;
    std::snprintf(out, size, "%s: %s\n%s%s", name, figures, ordinal(racePlace(index)),
                  cheapest ? ", cheapest" : "");
}
