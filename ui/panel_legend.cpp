// The panel's legend and the pieces every section of it is built from.
#include "ui/panel_parts.h"
#include "view/search_view.h"

#include <imgui.h>

namespace {

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

enum class Shape { Disc, Square, Frame, Line, Tree, Crescent };

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
    } else if (shape == Shape::Line) {
        draw->AddLine(ImVec2(at.x, centre.y), ImVec2(end.x, centre.y), colour, 2.0f);
        draw->AddCircleFilled(centre, 2.5f, colour);
    } else if (shape == Shape::Tree) {
        // A crown over a dark trunk, so that it does not read as the ground's disc.
        draw->AddRectFilled(ImVec2(centre.x - 1, centre.y), ImVec2(centre.x + 1, end.y - 1),
                            IM_COL32(90, 50, 20, 255));
        draw->AddTriangleFilled(ImVec2(centre.x, at.y + 1), ImVec2(end.x - 2, end.y - 4),
                                ImVec2(at.x + 2, end.y - 4), colour);
    } else {
        // The banana's crescent: a disc with a bite out of it.
        draw->AddCircleFilled(centre, size * 0.42f, colour);
        draw->AddCircleFilled(ImVec2(centre.x + size * 0.2f, centre.y - size * 0.2f), size * 0.34f,
                              ImGui::GetColorU32(ImGuiCol_WindowBg));
    }
    ImGui::Dummy(ImVec2(size, size));
    ImGui::SameLine();
    ImGui::TextUnformatted(word);
}

// Two swatches to a line: the second starts half way across.
void nextColumn() {
    ImGui::SameLine(ImGui::GetWindowContentRegionMax().x / 2);
}

} // namespace

void heading(const char* name) {
    ImGui::Spacing();
    ImGui::TextDisabled("%s", name);
    ImGui::Separator();
}

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
    swatch(Shape::Crescent, BananaYellow, false, "banana");
    swatch(Shape::Disc, GroundGreen, true, "ground");
    nextColumn();
    swatch(Shape::Disc, StonesGrey, true, "stones (+20)");
    swatch(Shape::Square, WaterBlue, false, "water (+40)");
    nextColumn();
    swatch(Shape::Disc, PathGreen, true, "lit path");
    swatch(Shape::Tree, TreeGreen, true, "tree (cannot be entered)");
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
