// What the panel says and where it lies: the logic behind the panel, apart from its drawing
// so that it is tested without a window.
#include "app/app.h"
#include "ui/panel.h"

#include <cstdio>
#include <cstring>

Panel panel;

int panelLeft(int width) {
    return panel.shown ? (width > PanelWidth ? width - PanelWidth : 0) : width;
}

bool overPanel(int x, int y) {
    return x >= panelLeft(windowWidth) && x < windowWidth && y >= 0 && y < windowHeight;
}

int brushKind(const World& w, int tile) {
    if (w.nodes[tile].outside) {
        return 0; // a paint off the board makes the board's ground there
    }
    return panel.brush == BrushCycle ? w.paintCycle(tile) : panel.brush;
}

const char* kindName(int code) {
    static const char* const Names[4] = {"ground", "tree", "stones", "water"};
    return code >= 0 && code <= 3 ? Names[code] : "bare tile";
}

// 1048576 as "1,048,576", into `out` (16 characters hold any tile count).
static const char* withCommas(long long n, char out[16]) {
    char digits[16];
    const int count = std::snprintf(digits, sizeof digits, "%lld", n);
    int o = 0;
    for (int i = 0; i < count; i++) {
        out[o++] = digits[i];
        if (i < count - 1 && (count - 1 - i) % 3 == 0) {
            out[o++] = ',';
        }
    }
    out[o] = '\0';
    return out;
}

void buildPanelText(World& w, int hoverTile, int hoverView, PanelText& text) {
    auto tileLine = [&](char* out, size_t size, const char* word, const GridNode* node) {
        out[0] = '\0';
        if (node != nullptr) {
            std::snprintf(out, size, "%s %d,%d", word, node->index % w.columns,
                          node->index / w.columns);
        }
    };
    tileLine(text.start, sizeof text.start, "start", w.monkey.visible ? w.startNode : nullptr);
    tileLine(text.target, sizeof text.target, "target", w.banana.visible ? w.targetNode : nullptr);

    text.figures[0] = text.step[0] = '\0';
    if (w.searchUnderWay()) {
        char closed[16], tiles[16];
        std::snprintf(text.figures, sizeof text.figures, "searching: %s of %s tiles",
                      withCommas(static_cast<long long>(w.search.closed.size()), closed),
                      withCommas(w.nodeCount, tiles));
    } else if (w.search.start >= 0) {
        writeSearchFigures(w, text.figures, sizeof text.figures);
    }
    if (searchView.mode != SearchViewMode::Off && searchView.playing) {
        std::snprintf(text.step, sizeof text.step, "step %d of %d", searchViewStep(),
                      playbackSteps(w));
    }

    text.tile[0] = text.tileFigures[0] = '\0';
    if (hoverTile >= 0 && hoverTile < w.nodeCount) {
        std::snprintf(text.tile, sizeof text.tile, "tile %d,%d: %s", hoverTile % w.columns,
                      hoverTile / w.columns,
                      w.nodes[hoverTile].outside ? "out of bounds"
                                                 : kindName(w.nodes[hoverTile].kind));
        if (raceOn() && hoverView >= 0) {
            writeRacerHover(w, hoverView, hoverTile, text.tileFigures, sizeof text.tileFigures);
        } else {
            writeHoverFigures(w, hoverTile, text.tileFigures, sizeof text.tileFigures);
        }
    }
    std::snprintf(text.pace, sizeof text.pace, "%d frames a step", w.stepFrames);

    for (int i = 0; i < RacerCount && raceOn(); i++) {
        char figures[FiguresLength];
        writeRacerFigures(w, i, figures, sizeof figures);
        // Every label names its search; the figures name all but the program's own.
        const char* name = searchName(race.racers[i].kind);
        const std::size_t length = std::strlen(name);
        const bool named = std::strncmp(figures, name, length) == 0 && figures[length] == ':';
        std::snprintf(text.race[i], sizeof text.race[i], "%s%s%s", named ? "" : name,
                      named ? "" : ": ", figures);
    }
}
