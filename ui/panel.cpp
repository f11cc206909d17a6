// Drawing the side panel with Dear ImGui and its OpenGL 2 renderer, once a frame after the
// mouse step and before the swap. Every control calls the code its key or button calls.
#include "ui/panel.h"
#include "app/app.h"
#include "platform/glfw2.h"
#include "platform/panel_input.h"
#include "view/camera.h"
#include "view/search_view.h"
#include "world/world.h"

#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

namespace {

bool started = false;
double lastFrameTime = -1.0;
PanelText text;

// How each thing looks on the board at the start view, as read off the window: the lit
// colours of the models and the marks' own.
const ImU32 BoardGreen = IM_COL32(0, 130, 0, 255);
const ImU32 GroundGreen = IM_COL32(0, 104, 0, 255);
const ImU32 TreeGreen = IM_COL32(63, 158, 0, 255);
const ImU32 StonesGrey = IM_COL32(171, 171, 171, 255);
const ImU32 WaterBlue = IM_COL32(0, 0, 105, 255);
const ImU32 MonkeyOrange = IM_COL32(255, 190, 63, 255);
const ImU32 BananaYellow = IM_COL32(255, 255, 0, 255);
const ImU32 PathGreen = IM_COL32(0, 255, 0, 255);
const ImU32 PathWhite = IM_COL32(255, 255, 255, 255);
const ImU32 PathBlue = IM_COL32(0, 0, 255, 255);
const ImU32 ClosedPurple = IM_COL32(140, 51, 217, 255);
const ImU32 OpenYellow = IM_COL32(255, 217, 25, 255);
const ImU32 CheapestRed = IM_COL32(255, 38, 25, 255);

enum class Shape { Disc, Square, Frame, Line };

// A swatch the size of a line of text: `shape` in `colour`, on the board's green when
// `onBoard`, then `word` beside it.
void swatch(Shape shape, ImU32 colour, bool onBoard, const char* word) {
    const float size = ImGui::GetTextLineHeight();
    const ImVec2 at = ImGui::GetCursorScreenPos();
    const ImVec2 end(at.x + size, at.y + size);
    const ImVec2 centre(at.x + size / 2, at.y + size / 2);
    ImDrawList* draw = ImGui::GetWindowDrawList();
    if (onBoard) {
        draw->AddRectFilled(at, end, BoardGreen);
    }
    if (shape == Shape::Disc) {
        draw->AddCircleFilled(centre, size * 0.42f, colour);
    } else if (shape == Shape::Square) {
        draw->AddRectFilled(ImVec2(at.x + 1, at.y + 1), ImVec2(end.x - 1, end.y - 1), colour);
    } else if (shape == Shape::Frame) {
        draw->AddRect(ImVec2(at.x + 2, at.y + 2), ImVec2(end.x - 2, end.y - 2), colour, 0.0f, 0,
                      2.0f);
    } else {
        draw->AddLine(ImVec2(at.x, centre.y), ImVec2(end.x, centre.y), colour, 2.0f);
        draw->AddCircleFilled(centre, 2.5f, colour);
    }
    ImGui::Dummy(ImVec2(size, size));
    ImGui::SameLine();
    ImGui::TextUnformatted(word);
}

// Two swatches to a line: the second starts half way across.
void nextColumn() {
    ImGui::SameLine(ImGui::GetWindowContentRegionMax().x / 2);
}

void heading(const char* name) {
    ImGui::Spacing();
    ImGui::TextDisabled("%s", name);
    ImGui::Separator();
}

// A part of the panel that keeps its height, `lines` of text, whatever it holds at the
// moment: the controls below it never move.
struct Section {
    float end = 0.0f;
};

Section beginSection(const char* name, int lines) {
    heading(name);
    return Section{ImGui::GetCursorPosY() + lines * ImGui::GetTextLineHeightWithSpacing()};
}

void endSection(const Section& section) {
    const float missing = section.end - ImGui::GetCursorPosY();
    if (missing > 0.0f) {
        ImGui::Dummy(ImVec2(0.0f, missing - ImGui::GetStyle().ItemSpacing.y));
    }
}

void legend() {
    const Section section{ImGui::GetCursorPosY() + 8 * ImGui::GetTextLineHeightWithSpacing()};
    swatch(Shape::Disc, MonkeyOrange, false, "monkey");
    nextColumn();
    swatch(Shape::Disc, BananaYellow, false, "banana");
    swatch(Shape::Disc, GroundGreen, true, "ground");
    nextColumn();
    swatch(Shape::Disc, StonesGrey, true, "stones (+20)");
    swatch(Shape::Square, WaterBlue, false, "water (+40)");
    nextColumn();
    swatch(Shape::Disc, PathGreen, true, "lit path");
    swatch(Shape::Disc, TreeGreen, true, "tree (cannot be entered)");
    // A path tile on stones shows white, on water full blue.
    swatch(Shape::Disc, PathWhite, true, "lit on stones");
    nextColumn();
    swatch(Shape::Square, PathBlue, false, "lit on water");
    if (searchView.mode != SearchViewMode::Off) {
        swatch(Shape::Square, ClosedPurple, false, "closed");
        nextColumn();
        swatch(Shape::Frame, OpenYellow, false, "open");
        swatch(Shape::Line, CheapestRed, false, "cheapest walk");
        if (searchView.mode == SearchViewMode::Costs) {
            nextColumn();
            ImGui::TextUnformatted("digits: g");
        }
    }
    endSection(section);
}

// A line of text, when it has any.
void line(const char* buffer) {
    if (buffer[0] != '\0') {
        ImGui::TextWrapped("%s", buffer);
    }
}

void walkAndTile() {
    const Section walk = beginSection("Walk", 5);
    if (text.start[0] == '\0') {
        ImGui::TextDisabled("click a tile for the monkey");
    }
    line(text.start);
    line(text.target);
    line(text.figures);
    line(text.step);
    endSection(walk);
    const Section tile = beginSection("Tile under the cursor", 3);
    if (text.tile[0] == '\0') {
        ImGui::TextDisabled("none");
    }
    line(text.tile);
    line(text.tileFigures);
    endSection(tile);
}

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
    if (ImGui::Button(searchView.paused ? "Resume (P)" : "Pause (P)")) {
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

void walkControls() {
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

    heading("Paint brush (Shift + left, middle)");
    const int brushes[5] = {BrushCycle, 0, 2, 3, 1};
    for (int i = 0; i < 5; i++) {
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
        resetCamera();
    }
    const char* notice = titleNotice(frameStartTime);
    if (notice[0] != '\0') {
        ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(255, 220, 120, 255));
        ImGui::TextWrapped("%s", notice);
        ImGui::PopStyleColor();
    }
}

void keyList() {
    if (!ImGui::CollapsingHeader("Keys")) {
        return;
    }
    static const char* const Keys[][2] = {
        {"left click", "monkey, then banana; again: start over"},
        {"Shift + left, middle", "paint a tile; drag to paint on"},
        {"right drag", "turn and tilt the view"},
        {"wheel", "zoom"},
        {"Space", "put the view back"},
        {"keypad - / +", "walk slower / faster"},
        {"O", "search view: off, marks, costs"},
        {"P", "pause or resume the playback"},
        {"Left / Right", "while paused: step back / on"},
        {"R", "read map.txt again"},
        {"Ctrl + S", "save the map"},
        {"H", "hide or show this panel"},
        {"Escape", "quit"},
    };
    for (const auto& [key, what] : Keys) {
        ImGui::TextUnformatted(key);
        ImGui::SameLine(110.0f);
        ImGui::TextWrapped("%s", what);
    }
}

} // namespace

void stopPanel() {
    if (!started) {
        return;
    }
    ImGui_ImplOpenGL2_Shutdown();
    ImGui::DestroyContext();
    started = false;
}

void startPanel() {
    stopPanel(); // a new window: the renderer's font texture belongs to the old one
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr; // the program writes no file but the map it saves
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0.0f;
    style.WindowBorderSize = 0.0f;
    style.Colors[ImGuiCol_WindowBg].w = 1.0f;
    ImGui_ImplOpenGL2_Init();
    lastFrameTime = -1.0;
    started = true;
}

void drawPanel() {
    if (!started || !panel.shown) {
        return;
    }
    feedPanelInput(lastFrameTime < 0.0 ? 0.0 : frameStartTime - lastFrameTime);
    lastFrameTime = frameStartTime;
    buildPanelText(world, searchView.hoverTile, text);

    ImGui_ImplOpenGL2_NewFrame();
    ImGui::NewFrame();
    const float left = static_cast<float>(panelLeft(windowWidth));
    ImGui::SetNextWindowPos(ImVec2(left, 0.0f));
    ImGui::SetNextWindowSize(
        ImVec2(static_cast<float>(windowWidth) - left, static_cast<float>(windowHeight)));
    ImGui::Begin("Tanglor pathfinding", nullptr,
                 ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                     ImGuiWindowFlags_NoSavedSettings);
    legend();
    walkAndTile();
    searchControls();
    walkControls();
    mapControls();
    ImGui::Spacing();
    keyList();
    ImGui::TextDisabled("H hides this panel");
    ImGui::End();
    ImGui::Render();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}
