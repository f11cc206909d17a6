// Drawing the side panel with Dear ImGui and its OpenGL 2 renderer, once a frame after the
// mouse step and before the swap. Every control calls the code its key or button calls.
#include "ui/panel.h"
#include "app/app.h"
#include "platform/glfw2.h"
#include "platform/panel_input.h"
#include "ui/panel_parts.h"
#include "view/camera.h"
#include "view/search_view.h"
#include "world/world.h"

#include <GL/gl.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

#include <cstdint>

namespace {

bool started = false;
bool fontNearest = false;
double lastFrameTime = -1.0;
PanelText text;

// A line of text, when it has any.
void line(const char* buffer) {
    if (buffer[0] != '\0') {
        ImGui::TextWrapped("%s", buffer);
    }
}

// The walk (in a race, the racers' bars instead: the world's walk does not show then) and
// the tile under the cursor, each keeping its height so that the controls below never move.
void walkAndTile() {
    if (raceOn(world)) {
        const Section bars = beginSection("Race", 7);
        raceBars(text);
        endSection(bars);
    } else {
        const Section walk = beginSection("Walk", 4);
        if (text.start[0] == '\0') {
            ImGui::TextDisabled("click a tile for the monkey");
        }
        line(text.start);
        if (text.target[0] != '\0') {
            ImGui::SameLine(0.0f, 12.0f);
            ImGui::TextUnformatted(text.target);
        }
        line(text.figures);
        line(text.step);
        endSection(walk);
    }
    const Section tile = beginSection("Tile under the cursor", 2);
    if (text.tile[0] == '\0') {
        ImGui::TextDisabled("none");
    }
    line(text.tile);
    line(text.tileFigures);
    endSection(tile);
}

// A notice (a save, a reload that failed, a new map) at the panel's top, where the eye is,
// for the seconds it stands in the title.
void notice() {
    const char* notice = titleNotice(frameClock.frameStartTime);
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
        {"W A S D", "move the view over the board"},
        {"Space", "put the view back"},
        {"keypad - / +", "walk slower / faster"},
        {"O", "search view: off, marks, costs"},
        {"P", "pause or resume the playback"},
        {"Left / Right", "while paused: step back / on"},
        {"1 to 9, 0", "choose the search"},
        {"C", "race four searches"},
        {"B", "the rules in turn: ours, benchmark, four ways"},
        {"F", "fog on or off"},
        {"[ / ]", "the problem before / after"},
        {"G", "a new map: the next seed"},
        {"R", "read the map again"},
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
    // Feathered edges double the triangles a software renderer blends, for no gain on
    // axis-aligned boxes and text.
    style.AntiAliasedLines = false;
    style.AntiAliasedLinesUseTex = false;
    style.AntiAliasedFill = false;
    ImGui_ImplOpenGL2_Init();
    lastFrameTime = -1.0;
    fontNearest = false;
    started = true;
}

void drawPanel() {
    if (!started || (!panel.shown && !raceOn(world))) {
        return;
    }
    feedPanelInput(lastFrameTime < 0.0 ? 0.0 : frameClock.frameStartTime - lastFrameTime);
    lastFrameTime = frameClock.frameStartTime;
    buildPanelText(world, world.session.view.hoverTile, world.session.view.hoverView, text);

    ImGui_ImplOpenGL2_NewFrame();
    if (!fontNearest) {
        // The atlas is drawn one texel to a pixel: the nearest texel is the filtered one, at
        // a quarter of the reads for every pixel of the panel.
        fontNearest = true;
        const GLuint font =
            static_cast<GLuint>(reinterpret_cast<intptr_t>(ImGui::GetIO().Fonts->TexID));
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glBindTexture(GL_TEXTURE_2D, font);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    }
    ImGui::NewFrame();
    if (raceOn(world)) {
        raceLabels(text);
    }
    if (!panel.shown) {
        ImGui::Render();
        ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
        return;
    }
    const float left = static_cast<float>(panelLeft(windowWidth));
    ImGui::SetNextWindowPos(ImVec2(left, 0.0f));
    ImGui::SetNextWindowSize(
        ImVec2(static_cast<float>(windowWidth) - left, static_cast<float>(windowHeight)));
    // No ground and no title bar: the panel is drawn on the window's cleared background,
    // which the board's drawing leaves alone, and every pixel the renderer need not blend
    // counts on a software renderer.
    ImGui::Begin("Tanglor pathfinding", nullptr,
                 ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                     ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoBackground |
                     ImGuiWindowFlags_NoSavedSettings);
    // A line marks where the board ends and the panel begins.
    ImGui::GetWindowDrawList()->AddLine(ImVec2(left, 0.0f),
                                        ImVec2(left, static_cast<float>(windowHeight)),
                                        ImGui::GetColorU32(ImGuiCol_Separator));
    notice();
    legend();
    walkAndTile();
    problemsSection(text);
    panelControls(text);
    keyList();
    ImGui::TextDisabled("H hides this panel");
    ImGui::End();
    ImGui::Render();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}
