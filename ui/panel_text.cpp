// What the panel says and where it lies: the logic behind the panel, apart from its drawing
// so that it is tested without a window.
#include "app/app.h"
#include "ui/panel.h"
#include "world/tile_kinds.h"

#include <cstdio>

Panel panel;

int panelLeft(int width) {
    return panel.shown ? (width > PanelWidth ? width - PanelWidth : 0) : width;
}

bool overPanel(int x, int y) {
    return x >= panelLeft(windowWidth) && x < windowWidth && y >= 0 && y < windowHeight;
}

int brushKind(const World& w, int tile) {
    if (w.tiles[tile].outside) {
        return GroundCode; // a paint off the board makes the board's ground there
    }
    return panel.brush == BrushCycle ? w.paintCycle(tile) : panel.brush;
}

void writeListedLine(const World& w, char* out, size_t size) {
    out[0] = '\0';
    if (w.problemAt < 1) {
        return;
    }
    const double listed = w.scenario.problems[w.problemAt - 1].listed;
    const double found = w.walk.found.cost;
    if (w.board.rule != MoveRule::Benchmark) {
        // The listed lengths hold under the benchmark's rule only.
        std::snprintf(out, size, "listed %.2f, under the benchmark rule", listed);
    } else if (w.walk.searching() || w.walk.search.start < 0) {
        std::snprintf(out, size, "listed %.2f", listed);
    } else if (!w.walk.search.found) {
        std::snprintf(out, size, "no walk found, listed %.2f", listed);
    } else if (found > listed * ListedTolerance) {
        std::snprintf(out, size, "found %.2f, listed %.2f (+%.1f %%)", found, listed,
                      (found / listed - 1.0) * 100.0);
    } else {
        std::snprintf(out, size, "found %.2f, listed %.2f", found, listed);
    }
}

void buildPanelText(World& w, int hoverTile, int hoverView, PanelText& text) {
    const Board& board = w.board;
    auto tileLine = [&](char* out, size_t size, const char* word, int tile) {
        out[0] = '\0';
        if (tile >= 0) {
            std::snprintf(out, size, "%s %d,%d", word, tile % board.columns, tile / board.columns);
        }
    };
    tileLine(text.start, sizeof text.start, "start", w.walk.monkey.visible ? w.walk.start : -1);
    tileLine(text.target, sizeof text.target, "target", w.banana.visible ? w.walk.target : -1);

    text.figures[0] = text.step[0] = '\0';
    if (w.walk.search.start >= 0) {
        writeSearchFigures(board, w.walk, text.figures, sizeof text.figures);
    }
    const ShownWalks shown = shownWalks(w);
    if (w.session.view.mode != SearchViewMode::Off && shown.walks[0]->playback.playing) {
        std::snprintf(text.step, sizeof text.step, "step %d of %d", playbackStep(*shown.walks[0]),
                      shown.steps);
    }

    text.tile[0] = text.tileFigures[0] = '\0';
    if (hoverTile >= 0 && hoverTile < board.tileCount()) {
        std::snprintf(text.tile, sizeof text.tile, "tile %d,%d: %s", hoverTile % board.columns,
                      hoverTile / board.columns,
                      w.tiles[hoverTile].outside ? "out of bounds"
                                                 : kindName(w.tiles[hoverTile].kind));
        const Walk& walk = raceOn(w) && hoverView >= 0 ? w.session.racers[hoverView].walk : w.walk;
        writeHoverFigures(board, walk, hoverTile, text.tileFigures, sizeof text.tileFigures);
    }
    std::snprintf(text.pace, sizeof text.pace, "%d frames a step", w.stepFrames);
    text.problem[0] = '\0';
    if (w.problemAt > 0) {
        std::snprintf(text.problem, sizeof text.problem, "problem %d of %zu (bucket %d)",
                      w.problemAt, w.scenario.problems.size(),
                      w.scenario.problems[w.problemAt - 1].bucket);
    }
    writeListedLine(w, text.listed, sizeof text.listed);

    for (int i = 0; i < RacerCount && raceOn(w); i++) {
        writeRacerLabel(w, i, text.race[i], sizeof text.race[i]);
        const Walk& walk = w.session.racers[i].walk;
        RaceBar& bar = text.bars[i];
        bar = RaceBar{searchName(walk.kind), static_cast<int>(walk.search.closed.size()),
                      walk.searching(), walk.found.cost, walk.cheapest.cost};
        std::snprintf(bar.costLabel, sizeof bar.costLabel, "%s",
                      costText(walk.found.cost, board.rule, walk.kind).c_str());
        bar.closedInAll = walk.fogged() ? walk.closedInAll : -1;
    }
}
