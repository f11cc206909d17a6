// The program's controls, each named once; the keys (app/keys.cpp), the panel and the demo
// call them. Each goes to the world once; what it does to the world's walk, the session does
// to every racer's.
#include "app/actions.h"

#include "app/app.h"
#include "ui/panel.h"
#include "view/camera.h"
#include "view/race.h"
#include "world/world.h"

#include <algorithm>
#include <climits>

namespace {

// Every walk's step progress, the world's and each racer's: a change of pace keeps each
// monkey where it is along its step.
template <typename Change> void eachStepFrame(Change change) {
    change(world.walk.stepFrame);
    for (Racer& racer : world.session.racers) {
        change(racer.walk.stepFrame);
    }
}

} // namespace

void slowerPace() {
    // Slower has no limit, short of the largest int.
    if (world.stepFrames <= INT_MAX - 5) {
        world.stepFrames += 5;
    }
}

void fasterPace() {
    if (world.stepFrames <= 6) {
        return;
    }
    // Shorter steps, with the progress scaled so that each monkey keeps its place.
    const int frames = world.stepFrames;
    const float ratio = static_cast<float>((frames - 5.0) / frames);
    world.stepFrames = frames - 5;
    // At paces beyond float precision the ratio rounds up to 1; the progress must still never
    // pass the step's end (nor overflow on the way back to int).
    eachStepFrame([&](int& stepFrame) {
        const double scaled = std::min<double>(stepFrame * ratio, world.stepFrames);
        stepFrame = static_cast<int>(scaled);
    });
}

void chooseSearchView(SearchViewMode mode) {
    setSearchViewMode(world, mode);
}

void setPlaybackSeconds(double seconds) {
    world.session.view.playSeconds = std::clamp(seconds, 0.5, 10.0);
}

namespace {

// A search that cannot run on this board is not chosen: the notice says why.
bool refusedHere(SearchKind kind) {
    if (!searchRunsOn(kind, world.board)) {
        showTitleNotice(oneCostNotice(kind), frameClock.frameStartTime);
        return true;
    }
    return false;
}

// Whether the world's walk is a scenario's problem, as going to it set it up.
bool onProblem() {
    const std::vector<ScenarioProblem>& problems = world.scenario.problems;
    if (world.problemAt < 1 || world.problemAt > static_cast<int>(problems.size()) ||
        !world.banana.visible) {
        return false;
    }
    const ScenarioProblem& p = problems[world.problemAt - 1];
    const int columns = world.board.columns;
    return world.walk.origin == p.startRow * columns + p.startColumn &&
           world.walk.target == p.goalRow * columns + p.goalColumn;
}

// Planned again after a new search, heuristic, weight or rule: a scenario's problem from its
// start, the monkey put back there, so that its length and the listed one answer the same
// problem; any other walk from where the monkey is, as after a paint.
void planAgain() {
    if (onProblem()) {
        goToProblem(world.problemAt);
    } else if (world.banana.visible) {
        world.replan(world.walk, world.searchSlice);
    }
}

} // namespace

void chooseSearch(SearchKind kind) {
    if (world.walk.kind == kind || refusedHere(kind)) {
        return;
    }
    world.walk.kind = kind;
    planAgain();
}

void chooseSettings(const SearchSettings& settings) {
    if (world.walk.settings == settings) {
        return;
    }
    world.walk.settings = settings;
    planAgain();
}

void chooseRule(MoveRule rule) {
    const bool problem = onProblem();
    world.setRule(rule);
    if (problem) {
        goToProblem(world.problemAt);
    }
}

void chooseRace(bool on) {
    setRace(world, on);
}

void chooseRacer(int viewport, SearchKind kind) {
    if (refusedHere(kind)) {
        return;
    }
    setRacer(world, viewport, kind);
}

void chooseRacerSettings(int viewport, const SearchSettings& settings) {
    setRacerSettings(world, viewport, settings);
}

void toggleFog() {
    world.setFog(!world.session.fog);
}

void togglePanel() {
    panel.shown = !panel.shown;
}

void putViewBack() {
    fitCameraStart(world.board.columns, world.board.rows, panelLeft(windowWidth), windowWidth,
                   windowHeight);
    resetCamera();
}
