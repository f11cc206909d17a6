// The search view's playback: a walk's search is played back one closed tile a step over
// the view's `playSeconds`; the keys pause it and step it. In a race the four racers' playbacks
// take the same steps together, so the one that closes fewest tiles finishes first.
#include "view/search_view.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// Starts the playback of `steps` steps over while the view is on; shows them all at once
// while it is off.
void restart(const SearchView& view, Playback& p, int steps) {
    p.playing = view.mode != SearchViewMode::Off && steps > 0 && !view.atOnce;
    p.paused = false;
    p.shown = p.playing ? 0.0 : steps;
}

// Records that ended since their walks were last played: all shown walks start over
// together, once none of them is still searching.
void takeUpEnded(ShownWalks& shown) {
    bool fresh = false;
    for (int i = 0; i < shown.count; i++) {
        if (shown.walks[i]->planning == Planning::Walk) {
            return; // the cheapest walk may still be looked for: the playback need not wait
        }
        fresh = fresh || shown.walks[i]->playback.serial != shown.walks[i]->search.serial;
    }
    for (int i = 0; fresh && i < shown.count; i++) {
        shown.walks[i]->playback.serial = shown.walks[i]->search.serial;
        restart(*shown.view, shown.walks[i]->playback, shown.steps);
    }
}

// For each tile of a record with scans, the step its jumps first looked at it (the tiles
// closed then), INT_MAX for none: one pass over the scans when the record is first shown,
// then a look-up a tile. A few records are kept, one for each walk the view may show.
struct FirstScans {
    long long serial = -1;
    unsigned long long used = 0;
    std::vector<int> step;
};

const std::vector<int>& firstScans(const Walk& walk) {
    static FirstScans kept[5];
    static unsigned long long uses = 0;
    const SearchRecord& record = walk.search;
    FirstScans* oldest = &kept[0];
    for (FirstScans& k : kept) {
        if (k.serial == record.serial) {
            k.used = ++uses;
            return k.step;
        }
        oldest = k.used < oldest->used ? &k : oldest;
    }
    oldest->serial = record.serial;
    oldest->used = ++uses;
    oldest->step.assign(static_cast<std::size_t>(walk.query.tileCount()), INT_MAX);
    // From the last scan back, so that each tile keeps its first.
    for (std::size_t k = record.scanned.size(); k-- > 0;) {
        oldest->step[static_cast<std::size_t>(record.scanned[k])] = record.scannedAt[k];
    }
    return oldest->step;
}

} // namespace

ShownWalks shownWalks(World& w) {
    ShownWalks shown;
    shown.view = &w.session.view;
    if (!w.session.racing) {
        shown.walks[0] = &w.walk;
        shown.count = 1;
    } else {
        for (Racer& racer : w.session.racers) {
            shown.walks[shown.count++] = &racer.walk;
        }
    }
    for (int i = 0; i < shown.count; i++) {
        shown.steps = std::max(shown.steps, searchSteps(*shown.walks[i]));
    }
    return shown;
}

int searchSteps(const Walk& walk) {
    return walk.planning == Planning::Walk ? 0 : static_cast<int>(walk.search.closed.size());
}

int playbackStep(const Walk& walk) {
    // A record the playback has not taken up yet (a race's four are taken up together, once
    // all have ended) shows nothing yet.
    return walk.playback.serial == walk.search.serial ? static_cast<int>(walk.playback.shown) : 0;
}

void setSearchViewMode(World& w, SearchViewMode mode) {
    ShownWalks shown = shownWalks(w);
    takeUpEnded(shown);
    for (int i = 0; i < shown.count; i++) {
        Playback& p = shown.walks[i]->playback;
        if (w.session.view.mode == SearchViewMode::Off && mode != SearchViewMode::Off) {
            // A search made while it was off shows finished at once.
            p.playing = p.paused = false;
            p.shown = shown.steps;
        } else if (mode == SearchViewMode::Off) {
            p.playing = false; // off ends a playback: the monkey sets off at once
        }
    }
    w.session.view.mode = mode;
}

void cycleSearchView(World& w) {
    setSearchViewMode(w, w.session.view.mode == SearchViewMode::Off     ? SearchViewMode::Marks
                         : w.session.view.mode == SearchViewMode::Marks ? SearchViewMode::Costs
                                                                        : SearchViewMode::Off);
}

void pausePlayback(World& w) {
    if (w.session.view.mode == SearchViewMode::Off) {
        return;
    }
    const ShownWalks shown = shownWalks(w);
    for (int i = 0; i < shown.count; i++) {
        Playback& p = shown.walks[i]->playback;
        p.paused = !p.paused;
        p.playing = p.playing && p.shown < shown.steps;
    }
}

void stepPlayback(World& w, int by) {
    if (w.session.view.mode == SearchViewMode::Off) {
        return;
    }
    const ShownWalks shown = shownWalks(w);
    const double steps = shown.steps;
    for (int i = 0; i < shown.count; i++) {
        Playback& p = shown.walks[i]->playback;
        if (by > 0 && p.paused) {
            p.shown = std::min(std::floor(p.shown) + 1.0, steps);
        } else if (by < 0 && (p.paused || p.shown >= steps)) {
            // Back from the end pauses there; the walk, once under way, goes on.
            p.shown = std::max(std::ceil(p.shown) - 1.0, 0.0);
            p.paused = true;
        }
        p.playing = p.playing && p.shown < steps;
    }
}

void advanceSearchView(World& w, double now) {
    // A frame that stalled must not jump the playback on.
    const double elapsed =
        w.session.view.lastTime < 0.0 ? 0.0 : std::clamp(now - w.session.view.lastTime, 0.0, 0.1);
    w.session.view.lastTime = now;
    ShownWalks shown = shownWalks(w);
    takeUpEnded(shown);
    if (w.session.view.mode == SearchViewMode::Off) {
        return;
    }
    const double steps = shown.steps;
    for (int i = 0; i < shown.count; i++) {
        Playback& p = shown.walks[i]->playback;
        if (!p.paused && p.shown < steps) {
            p.shown = std::min(p.shown + elapsed * steps / w.session.view.playSeconds, steps);
        }
        p.playing = p.playing && p.shown < steps;
    }
}

namespace {

// D* Lite's last plan: its closings by this step, and after a repair what it kept.
TileMark repairMark(const Walk& walk, int tile, int step) {
    if (tile < 0 || tile >= static_cast<int>(walk.dstarClosedAt.size())) {
        return TileMark::None;
    }
    const int closed = walk.dstarClosedAt[tile];
    if (closed >= 0 && closed < step) {
        return TileMark::Closed;
    }
    const bool kept = walk.newSearchClosed >= 0 && walk.dstar.settledBefore(tile) &&
                      walk.dstar.gOf(tile) < HUGE_VAL;
    return kept ? TileMark::Kept : TileMark::None;
}

} // namespace

TileMark searchViewMark(const SearchView& view, const Walk& walk, int tile) {
    const GridSearch& query = walk.query;
    if (view.mode != SearchViewMode::Off && walk.planning != Planning::Walk && walk.repairs &&
        walk.search.kind == SearchKind::DStarLite) {
        return repairMark(walk, tile, playbackStep(walk));
    }
    const bool scans = !walk.search.scanned.empty();
    if (view.mode == SearchViewMode::Off || walk.planning == Planning::Walk ||
        (query.listOf(tile) == NotListed && !scans)) {
        return TileMark::None;
    }
    const int step = playbackStep(walk);
    if (tile >= 0 && tile == walk.search.meeting && step >= searchSteps(walk)) {
        return TileMark::Meeting;
    }
    const int fromTarget = query.closedFromTargetAt(tile);
    if (fromTarget >= 0 && fromTarget < step) {
        return TileMark::ClosedFromTarget;
    }
    const int closed = query.closedAt(tile);
    if (closed >= 0 && closed < step) {
        return TileMark::Closed;
    }
    const int opened = query.joinedAt(tile);
    const int joined = opened >= 0 ? walk.search.openedAt[opened] : -1;
    if (joined >= 0 && joined <= step && step > 0) {
        return TileMark::Open;
    }
    // A tile a jump looked at by this step (a jump's scans come at step 1 at the earliest).
    if (scans && step > 0 && tile >= 0) {
        const std::vector<int>& first = firstScans(walk);
        if (static_cast<std::size_t>(tile) < first.size() &&
            first[static_cast<std::size_t>(tile)] <= step) {
            return TileMark::Scanned;
        }
    }
    return TileMark::None;
}

namespace {

template <typename Test> bool anyShown(World& w, Test test) {
    const ShownWalks shown = shownWalks(w);
    for (int i = 0; i < shown.count; i++) {
        if (test(shown.walks[i]->search)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool shownScans(World& w) {
    return anyShown(w, [](const SearchRecord& r) { return !r.scanned.empty(); });
}

bool shownBothEnds(World& w) {
    return anyShown(w, [](const SearchRecord& r) { return !r.fromTarget.empty(); });
}

bool shownRepair(World& w) {
    const ShownWalks shown = shownWalks(w);
    for (int i = 0; i < shown.count; i++) {
        if (shown.walks[i]->newSearchClosed >= 0) {
            return true;
        }
    }
    return false;
}

double closedCost(const Walk& walk, int tile) {
    // A tile only the target's side closed: its cost from the target.
    const GridSearch* back = walk.query.targetSide();
    if (back && walk.query.closedFromTargetAt(tile) >= 0 &&
        back->closedAt(tile) == walk.query.closedAt(tile)) {
        return back->costsOf(tile).g;
    }
    return walk.query.costsOf(tile).g; // the start: 0
}

bool searchViewHoldsWalk(const SearchView& view, const Walk& walk) {
    return view.mode != SearchViewMode::Off && walk.playback.playing &&
           walk.playback.shown < searchSteps(walk);
}
