// The panel's controls: each calls the code its key or button calls.
#include "app/app.h"
#include "platform/glfw2.h"
#include "ui/panel.h"
#include "ui/panel_parts.h"
#include "view/camera.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <imgui.h>

#include <algorithm>

namespace {

// Where the second of two radio buttons on a line starts, in pixels from the panel's edge.
constexpr float SecondColumn = 150.0f;

// One keystroke of a key that acts on its press and on its release alike.
void keystroke(int key) {
    keyCallback(key, GLFW_PRESS);
    keyCallback(key, GLFW_RELEASE);
}

void searchControls() {
    heading("Search view");
    const SearchViewMode modes[3] = {SearchViewMode::Off, SearchViewMode::Marks,
                                     SearchViewMode::Costs};
    const char* const names[3] = {"off", "marks", "costs"};
    for (int i = 0; i < 3; i++) {
        if (i > 0) {
            ImGui::SameLine();
        }
        if (ImGui::RadioButton(names[i], searchView.mode == modes[i])) {
            setSearchViewMode(world, modes[i]);
        }
    }
    ImGui::BeginDisabled(searchView.mode == SearchViewMode::Off);
    const bool paused = shownWalks(world).walks[0]->playback.paused;
    if (ImGui::Button(paused ? "Resume (P)" : "Pause (P)")) {
        searchViewKey(world, 'P', GLFW_PRESS);
    }
    ImGui::SameLine();
    if (ImGui::ArrowButton("back", ImGuiDir_Left)) {
        searchViewKey(world, GLFW_KEY_LEFT, GLFW_PRESS);
    }
    ImGui::SameLine();
    if (ImGui::ArrowButton("forward", ImGuiDir_Right)) {
        searchViewKey(world, GLFW_KEY_RIGHT, GLFW_PRESS);
    }
    ImGui::SameLine();
    ImGui::TextUnformatted("step");
    ImGui::EndDisabled();
    float seconds = static_cast<float>(searchPlaySeconds);
    // No typing into the slider: the panel never takes a key from the board.
    if (ImGui::SliderFloat("playback", &seconds, 0.5f, 10.0f, "%.1f s", ImGuiSliderFlags_NoInput)) {
        searchPlaySeconds = seconds;
    }
}

void searchChoice() {
    heading("Search (1 to 5)");
    for (int i = 0; i < SearchKindCount; i++) {
        const SearchKind kind = static_cast<SearchKind>(i);
        if (i % 2 == 1) {
            ImGui::SameLine(SecondColumn); // past "first-sight A*"
        }
        if (ImGui::RadioButton(searchName(kind), world.walk.kind == kind && !raceOn())) {
            chooseSearch(kind);
        }
    }
    ImGui::SameLine(SecondColumn);
    bool racing = raceOn();
    if (ImGui::Checkbox("race four (C)", &racing)) {
        setRace(world, racing);
    }
    // The four racers, by viewport: two to a line as the viewports lie; chosen before a
    // race or during one.
    const float width = ImGui::GetContentRegionAvail().x / 2 - ImGui::GetStyle().ItemSpacing.x;
    for (int i = 0; i < RacerCount; i++) {
        if (i % 2 == 1) {
            ImGui::SameLine();
        }
        ImGui::PushID(i);
        ImGui::SetNextItemWidth(width);
        if (ImGui::BeginCombo("##racer", searchName(race.racers[i].walk.kind))) {
            for (int k = 0; k < SearchKindCount; k++) {
                const SearchKind kind = static_cast<SearchKind>(k);
                if (ImGui::Selectable(searchName(kind), race.racers[i].walk.kind == kind)) {
                    setRacer(world, i, kind);
                }
            }
            ImGui::EndCombo();
        }
        ImGui::PopID();
    }
}

void walkControls(const PanelText& text) {
    heading("Walking pace");
    if (ImGui::Button("-")) {
        keystroke(GLFW_KEY_KP_SUBTRACT);
    }
    ImGui::SameLine();
    if (ImGui::Button("+")) {
        keystroke(GLFW_KEY_KP_ADD);
    }
    ImGui::SameLine();
    ImGui::TextUnformatted(text.pace);

    heading("Brush: Shift+click or middle click");
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

void mapControls() {
    heading("Map and view");
    if (ImGui::Button("Reload (R)")) {
        reloadMap(frameStartTime);
    }
    ImGui::SameLine();
    if (ImGui::Button("Save (Ctrl+S)")) {
        saveMap(frameStartTime);
    }
    if (ImGui::Button("Reset view (Space)")) {
        putViewBack();
    }
    const char* notice = titleNotice(frameStartTime);
    if (notice[0] != '\0') {
        ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(255, 220, 120, 255));
        ImGui::TextWrapped("%s", notice);
        ImGui::PopStyleColor();
    }
}

void newMapControls() {
    heading("New map (G: the next seed)");
    MapRecipe& recipe = panel.newMap;
    if (recipe.columns == 0) { // until one is made, the board's size
        recipe.columns = std::clamp(world.board.columns, 16, 1024);
        recipe.rows = recipe.columns;
    }
    const float width = ImGui::GetContentRegionAvail().x / 2 - ImGui::GetStyle().ItemSpacing.x;
    ImGui::SetNextItemWidth(width);
    if (ImGui::BeginCombo("##kind", mapKindName(recipe.kind))) {
        for (MapKind kind : {MapKind::Maze, MapKind::Rooms, MapKind::Random}) {
            if (ImGui::Selectable(mapKindName(kind), recipe.kind == kind)) {
                recipe.kind = kind;
            }
        }
        ImGui::EndCombo();
    }
    ImGui::SameLine();
    ImGui::SetNextItemWidth(width);
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
        makeNewMap(recipe, frameStartTime);
    }
}

} // namespace

void panelControls(const PanelText& text) {
    searchControls();
    searchChoice();
    walkControls(text);
    mapControls();
    newMapControls();
}
