// The map edited while the program runs: R reads map.txt and the models again, Ctrl+S writes
// the painted map back. What goes wrong goes to stderr, one line a problem, and to the title
// for a few seconds; the world in use is never left half changed.
#include "app/app.h"
#include "ui/panel.h"
#include "view/search_view.h"
#include "world/map_file.h"
#include "world/map_maker.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <filesystem>
#include <iostream>

namespace {

// When the first R found paints not yet saved; a second R within the notice's time reloads.
double reloadWarnedAt = -1.0;

std::string mapName() {
    return std::filesystem::path(world.mapFileName).filename().string();
}

// The world in use replaced by `fresh`: the pace, the rule and the way the window searches
// carry over, the rest starts afresh; a board of another size (or a made one) gets its own
// start view, and a race starts over on it.
void replaceWorld(World fresh, bool viewBack) {
    fresh.stepFrames = world.stepFrames;
    fresh.searchSlice = world.searchSlice;
    fresh.board.rule = world.board.rule;
    const bool resized =
        fresh.board.columns != world.board.columns || fresh.board.rows != world.board.rows;
    fresh.session = std::move(world.session);
    world = std::move(fresh);
    if (resized || viewBack) {
        putViewBack();
    }
    racersRestart(world);
}

} // namespace

void reloadMap(double now) {
    if (world.unsavedPaints && (reloadWarnedAt < 0.0 || now - reloadWarnedAt > NoticeSeconds)) {
        reloadWarnedAt = now;
        showTitleNotice("unsaved paints: press R again to reload", now);
        return;
    }
    reloadWarnedAt = -1.0;
    World fresh(world.mapFileName, world.modelFolder);
    // The scenario is read again for the map as it now is: its problems must still fit it.
    if (fresh.problems.empty() && !world.scenario.problems.empty()) {
        readScenario(world.scenario.fileName, fresh, fresh.scenario, fresh.problems);
    }
    if (!fresh.problems.empty()) {
        for (const std::string& problem : fresh.problems) {
            std::cerr << "tanglor: " << problem << '\n';
        }
        showTitleNotice(mapName() + " not reloaded: " + fresh.problems.front(), now);
        return;
    }
    const int problem = world.problemAt;
    replaceWorld(std::move(fresh), false);
    goToProblem(problem);
    showTitleNotice("", now);
}

void saveMap(double now) {
    const std::string problem = writeMap(world.mapFileName, world);
    if (!problem.empty()) {
        std::cerr << "tanglor: " << mapName() << " not saved: " << problem << '\n';
        showTitleNotice(mapName() + " not saved: " + problem, now);
        return;
    }
    world.unsavedPaints = false;
    showTitleNotice(mapName() + " saved", now);
}

void paintTileNow(int index, int code, double now) {
    if (index < 0 || index >= world.board.tileCount()) {
        return;
    }
    const std::string problem = world.paintTile(index, code);
    if (!problem.empty()) {
        std::cerr << "tanglor: " << problem << '\n';
        showTitleNotice("tile not painted: " + problem, now);
    }
}

void makeNewMap(const MapRecipe& recipe, double now) {
    const std::string problem = recipeProblem(recipe);
    if (!problem.empty()) {
        showTitleNotice("no new map: " + problem, now);
        return;
    }
    // Saved as map.txt in the folder in use, whatever the map in use was read from.
    const std::filesystem::path folder = std::filesystem::path(world.mapFileName).parent_path();
    const std::string file = folder.empty() ? "map.txt" : (folder / "map.txt").string();
    World fresh(makeMap(recipe), file, world.modelFolder);
    if (!fresh.problems.empty()) {
        showTitleNotice("no new map: " + fresh.problems.front(), now);
        return;
    }
    fresh.unsavedPaints = true; // the first R warns before it is lost
    replaceWorld(std::move(fresh), true);
    panel.newMap = recipe;
    panel.newMapMade = true;
    reloadWarnedAt = -1.0;
    showTitleNotice(std::string("new ") + mapKindName(recipe.kind) + " " +
                        std::to_string(recipe.columns) + " x " + std::to_string(recipe.rows) +
                        ", seed " + std::to_string(recipe.seed),
                    now);
}

void makeNextMap(double now) {
    MapRecipe recipe = panel.newMap;
    if (!panel.newMapMade || recipe.columns == 0) {
        recipe.columns = world.board.columns;
        recipe.rows = world.board.rows;
    }
    if (panel.newMapMade) {
        recipe.seed++;
    }
    makeNewMap(recipe, now);
}
