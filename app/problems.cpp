// A benchmark scenario's problems in the window: going to one sets the monkey on its start and
// the banana on its goal, as two clicks would (the racers follow each); the title names it.
#include "app/app.h"
#include "world/world.h"

#include <algorithm>
#include <cstdio>

void goToProblem(int number) {
    const std::vector<ScenarioProblem>& problems = world.scenario.problems;
    if (problems.empty()) {
        return;
    }
    world.problemAt = std::clamp(number, 1, static_cast<int>(problems.size()));
    const ScenarioProblem& p = problems[world.problemAt - 1];
    const int columns = world.board.columns;
    if (world.clickPhase == 1) {
        // A monkey placed by a click but no banana yet: the problem's two clicks start over.
        world.walk.monkey.visible = false;
        world.clearWalk(world.walk);
        world.clickPhase = 0;
    }
    world.clickTile(p.startRow * columns + p.startColumn);
    world.clickTile(p.goalRow * columns + p.goalColumn);
}

void previousProblem() {
    goToProblem(world.problemAt - 1);
}

void nextProblem() {
    goToProblem(world.problemAt + 1);
}

std::string problemTitle(const World& w) {
    if (w.problemAt < 1 || w.problemAt > static_cast<int>(w.scenario.problems.size())) {
        return "";
    }
    char text[96];
    std::snprintf(text, sizeof text, " | problem %d of %zu: listed %.2f", w.problemAt,
                  w.scenario.problems.size(), w.scenario.problems[w.problemAt - 1].listed);
    return text;
}
