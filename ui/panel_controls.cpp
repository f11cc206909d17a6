// The panel's controls: each calls the action its key calls (app/actions.h). What is used
// less (the brush, a new map) is folded, so that at 1280 x 720 every section shows whole.
#include "app/app.h"
#include "ui/panel.h"
#include "ui/panel_parts.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Where the second of two radio buttons on a line starts, in pixels from the panel's edge.
constexpr float SecondColumn = 150.0f;

// A choice of search: a drop-down, in the width given, showing `shown` (none: the name).
bool searchCombo(const char* id, SearchKind* kind, float width, const char* shown = nullptr) {
    bool chosen = false;
    ImGui::SetNextItemWidth(width);
    if (ImGui::BeginCombo(id, shown ? shown : searchName(*kind))) {
        for (int k = 0; k < SearchKindCount; k++) {
            const SearchKind each = static_cast<SearchKind>(k);
            // Greyed out where it cannot run: a board with stones or water.
            const ImGuiSelectableFlags flags = !searchRunsOn(each, world.board)
                                                   ? ImGuiSelectableFlags_Disabled
                                                   : ImGuiSelectableFlags_None;
            if (ImGui::Selectable(searchName(each), *kind == each, flags)) {
                *kind = each;
                chosen = true;
            }
        }
        ImGui::EndCombo();
    }
    return chosen;
}

bool settingsWidgets(SearchKind kind, SearchSettings* settings, bool locked);

// The width that puts `count` items on what is left of the line.
float share(int count) {
    const float gaps = ImGui::GetStyle().ItemSpacing.x * static_cast<float>(count - 1);
    return (ImGui::GetContentRegionAvail().x - gaps) / static_cast<float>(count);
}

} // namespace

void racerChoice(int viewport, float width) {
    const Walk& walk = world.session.racers[viewport].walk;
    SearchKind kind = walk.kind;
    // Its settings named where they differ from the search's own: "A* x2".
    const std::string caption = settingsCaption(kind, walk.settings, world.board.rule);
    ImGui::PushID(viewport);
    if (searchCombo("##racer", &kind, width, caption.c_str())) {
        chooseRacer(viewport, kind);
    }
    // A right click on it: that racer's heuristic and weight.
    if (ImGui::BeginPopupContextItem("##racerSettings")) {
        SearchSettings settings = world.session.racers[viewport].walk.settings;
        if (settingsWidgets(kind, &settings, false)) {
            chooseRacerSettings(viewport, settings);
        }
        ImGui::EndPopup();
    }
    ImGui::PopID();
}

namespace {

void searchChoice() {
    heading("Search (1 to 9 and 0)"); // 0 chooses the tenth
    SearchKind kind = world.walk.kind;
    ImGui::BeginDisabled(raceOn(world));
    if (searchCombo("##search", &kind, SecondColumn - 16.0f)) {
        chooseSearch(kind);
    }
    ImGui::EndDisabled();
    ImGui::SameLine(SecondColumn);
    bool racing = raceOn(world);
    if (ImGui::Checkbox("race four (C)", &racing)) {
        chooseRace(racing);
    }
}

// A heuristic and a weight for `kind`, each greyed out where the search takes none (or all
// of them while `locked`): true when one was changed.
bool settingsWidgets(SearchKind kind, SearchSettings* settings, bool locked) {
    const SearchRow& row = searchRow(kind);
    const Heuristic heuristic = heuristicOf(kind, *settings, world.board.rule);
    bool changed = false;
    ImGui::BeginDisabled(locked || !row.takesHeuristic);
    ImGui::SetNextItemWidth(SecondColumn - 16.0f);
    if (ImGui::BeginCombo("##heuristic", heuristicName(heuristic))) {
        for (int h = 0; h < HeuristicCount; h++) {
            if (ImGui::Selectable(heuristicName(static_cast<Heuristic>(h)), h == int(heuristic))) {
                settings->heuristicChosen = true;
                settings->heuristic = static_cast<Heuristic>(h);
                changed = true;
            }
        }
        ImGui::EndCombo();
    }
    ImGui::EndDisabled();
    ImGui::SameLine(SecondColumn);
    ImGui::BeginDisabled(locked || !row.takesWeight);
    float weight = static_cast<float>(weightOf(kind, *settings));
    ImGui::SetNextItemWidth(ImGui::GetFontSize() * 7.5f);
    // Whole tenths, as the slider steps.
    if (ImGui::SliderFloat("##weight", &weight, float(MinWeight), float(MaxWeight), "x%.1f")) {
        settings->weight = std::round(double(weight) * 10.0) / 10.0;
        changed = true;
    }
    ImGui::EndDisabled();
    ImGui::TextUnformatted(
        (std::string(searchName(kind)) + ": " + promiseText(kind, *settings, world.board.rule))
            .c_str());
    return changed;
}

// The world's walk's heuristic and weight, and what its search then promises.
void settingsChoice() {
    SearchSettings settings = world.walk.settings;
    if (settingsWidgets(world.walk.kind, &settings, raceOn(world))) {
        chooseSettings(settings);
    }
}

// The rule every walk steps by: the program's own, the benchmark's (no diagonal step cuts a
// corner) or four ways (none at all). Below the older controls, which keep their places.
void ruleChoice() {
    ImGui::SetNextItemWidth(ImGui::GetFontSize() * 9);
    if (ImGui::BeginCombo("rule (B)", ruleName(world.board.rule))) {
        for (int r = 0; r < MoveRuleCount; r++) {
            const MoveRule rule = static_cast<MoveRule>(r);
            if (ImGui::Selectable(ruleName(rule), rule == world.board.rule)) {
                chooseRule(rule);
            }
        }
        ImGui::EndCombo();
    }
    ImGui::SameLine();
    bool fog = world.session.fog;
    if (ImGui::Checkbox("fog (F)", &fog)) {
        toggleFog();
    }
}

void searchViewControls() {
    heading("Search view (O)");
    const SearchViewMode modes[3] = {SearchViewMode::Off, SearchViewMode::Marks,
                                     SearchViewMode::Costs};
    const char* const names[3] = {"off", "marks", "costs"};
    for (int i = 0; i < 3; i++) {
        if (i > 0) {
            ImGui::SameLine();
        }
        if (ImGui::RadioButton(names[i], world.session.view.mode == modes[i])) {
            chooseSearchView(modes[i]);
        }
    }
    ImGui::BeginDisabled(world.session.view.mode == SearchViewMode::Off);
    const bool paused = shownWalks(world).walks[0]->playback.paused;
    if (ImGui::Button(paused ? "Resume (P)" : "Pause (P)")) {
        pausePlayback(world);
    }
    ImGui::SameLine();
    if (ImGui::ArrowButton("back", ImGuiDir_Left)) {
        stepPlayback(world, -1);
    }
    ImGui::SameLine();
    if (ImGui::ArrowButton("forward", ImGuiDir_Right)) {
        stepPlayback(world, 1);
    }
    ImGui::EndDisabled();
    ImGui::SameLine();
    ImGui::SetNextItemWidth(ImGui::GetContentRegionAvail().x);
    float seconds = static_cast<float>(world.session.view.playSeconds);
    // No typing into the slider: the panel never takes a key from the board.
    if (ImGui::SliderFloat("##playback", &seconds, 0.5f, 10.0f, "playback %.1f s",
                           ImGuiSliderFlags_NoInput)) {
        setPlaybackSeconds(seconds);
    }
}

void paceMapAndView(const PanelText& text) {
    heading("Pace, map and view");
    // A click is a keystroke of the keypad key, which steps the pace on its press and its
    // release.
    if (ImGui::Button("-")) {
        slowerPace();
        slowerPace();
    }
    ImGui::SameLine();
    if (ImGui::Button("+")) {
        fasterPace();
        fasterPace();
    }
    ImGui::SameLine();
    ImGui::TextUnformatted(text.pace);
    if (ImGui::Button("Reload (R)")) {
        reloadMap(frameClock.frameStartTime);
    }
    ImGui::SameLine();
    if (ImGui::Button("Save (Ctrl+S)")) {
        saveMap(frameClock.frameStartTime);
    }
    if (ImGui::Button("Reset view (Space)")) {
        putViewBack();
    }
}

void brushChoice() {
    if (!ImGui::CollapsingHeader("Brush: Shift + click, middle click")) {
        return;
    }
    // The cycle, then each kind in the order the cycle gives them, from ground.
    int brushes[TileKindCount + 1] = {BrushCycle, GroundCode};
    for (int i = 2; i <= TileKindCount; i++) {
        brushes[i] = nextPaintKind(brushes[i - 1]);
    }
    for (int i = 0; i <= TileKindCount; i++) {
        if (i != 0 && i != 3) {
            ImGui::SameLine();
        }
        if (ImGui::RadioButton(i == 0 ? "cycle" : kindName(brushes[i]),
                               panel.brush == brushes[i])) {
            panel.brush = brushes[i];
        }
    }
}

void newMapControls() {
    if (!ImGui::CollapsingHeader("New map (G: the next seed)")) {
        return;
    }
    MapRecipe& recipe = panel.newMap;
    if (recipe.columns == 0) { // until one is made, the board's size
        recipe.columns = std::clamp(world.board.columns, 16, 1024);
        recipe.rows = recipe.columns;
    }
    ImGui::SetNextItemWidth(share(2));
    if (ImGui::BeginCombo("##kind", mapKindName(recipe.kind))) {
        for (MapKind kind : {MapKind::Maze, MapKind::Rooms, MapKind::Random}) {
            if (ImGui::Selectable(mapKindName(kind), recipe.kind == kind)) {
                recipe.kind = kind;
            }
        }
        ImGui::EndCombo();
    }
    ImGui::SameLine();
    ImGui::SetNextItemWidth(share(1));
    int side = std::clamp(recipe.columns, 16, 1024);
    if (ImGui::SliderInt("##side", &side, 16, 1024, "%d a side",
                         ImGuiSliderFlags_Logarithmic | ImGuiSliderFlags_NoInput)) {
        recipe.columns = recipe.rows = side;
    }
    if (ImGui::Button("-##seed") && recipe.seed > 1) {
        recipe.seed--;
    }
    ImGui::SameLine();
    if (ImGui::Button("+##seed")) {
        recipe.seed++;
    }
    ImGui::SameLine();
    ImGui::Text("seed %u", recipe.seed);
    ImGui::SameLine();
    if (ImGui::Button("Make")) {
        makeNewMap(recipe, frameClock.frameStartTime);
    }
}

} // namespace

void panelControls(const PanelText& text) {
    searchChoice();
    searchViewControls();
    paceMapAndView(text);
    ruleChoice();
    settingsChoice(); // below the older controls too, which keep their places
    ImGui::Spacing();
    brushChoice();
    newMapControls();
}
