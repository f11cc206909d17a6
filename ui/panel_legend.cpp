// The panel's legend and the pieces every section of it is built from.
#include "ui/panel_parts.h"
#include "view/palette.h"
#include "view/search_view.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <imgui.h>

namespace {

// A colour as the window shows it, for the library.
ImU32 colourOf(const std::uint8_t rgb[3]) {
    return IM_COL32(rgb[0], rgb[1], rgb[2], 255);
}

// The board's green at the start view, under the tile models.
const ImU32 BoardGreen = IM_COL32(0, 130, 0, 255);

enum class Shape { Disc, Square, Frame, Dot, Line, Tree, Crescent };

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
    } else if (shape == Shape::Dot) {
        // A small square, as a tile a jump looked at shows.
        draw->AddRectFilled(ImVec2(centre.x - size * 0.2f, centre.y - size * 0.2f),
                            ImVec2(centre.x + size * 0.2f, centre.y + size * 0.2f), colour);
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
    // Seven lines, the search's marks included, so that nothing below moves when they show;
    // eight while a walk shown has JPS's scans, or is from both ends, whose swatches take
    // places of their own.
    const bool scans = shownScans(world);
    const bool bothEnds = shownBothEnds(world);
    const bool repair = shownRepair(world);
    // "closed from the target" and "kept from the last plan" take a line of their own; the
    // rest go two to a line.
    const int placed = scans + bothEnds + 2; // the cheapest walk and the digits besides
    const Section section{ImGui::GetCursorPosY() + (6 + bothEnds + repair + (placed + 1) / 2) *
                                                       ImGui::GetTextLineHeightWithSpacing()};
    const TileKind& ground = TileKinds[GroundCode];
    const TileKind& tree = TileKinds[TreeCode];
    const TileKind& stones = TileKinds[StonesCode];
    const TileKind& water = TileKinds[WaterCode];
    swatch(Shape::Disc, colourOf(MonkeyOrange.shown), false, "monkey");
    nextColumn();
    swatch(Shape::Crescent, colourOf(BananaYellow.shown), false, "banana");
    swatch(Shape::Disc, colourOf(ground.above), true, legendWords(ground).c_str());
    nextColumn();
    swatch(Shape::Disc, colourOf(stones.above), true, legendWords(stones).c_str());
    swatch(Shape::Square, colourOf(water.above), false, legendWords(water).c_str());
    nextColumn();
    swatch(Shape::Disc, colourOf(ground.lit), true, "lit path");
    swatch(Shape::Tree, colourOf(tree.above), true, legendWords(tree).c_str());
    // A path tile on stones shows white, on water full blue.
    swatch(Shape::Disc, colourOf(stones.lit), true, "lit on stones");
    nextColumn();
    swatch(Shape::Square, colourOf(water.lit), false, "lit on water");
    if (world.session.view.mode != SearchViewMode::Off) {
        swatch(Shape::Square, colourOf(ClosedMark.shown), false, "closed");
        nextColumn();
        swatch(Shape::Frame, colourOf(OpenMark.shown), false, "open");
        if (bothEnds) {
            swatch(Shape::Square, colourOf(TargetClosedMark.shown), false,
                   "closed from the target");
        }
        if (repair) {
            swatch(Shape::Square, colourOf(KeptMark.shown), false, "kept from the last plan");
        }
        // Then two to a line: the jumps' scans while there are any, the cheapest walk and,
        // with the costs, what the digits are.
        bool right = false;
        const auto place = [&right] {
            if (right) {
                nextColumn();
            }
            right = !right;
        };
        if (scans) {
            place();
            swatch(Shape::Dot, colourOf(ScannedMark.shown), false, "scanned");
        }
        if (bothEnds) {
            place();
            swatch(Shape::Frame, colourOf(MeetingMark.shown), false, "sides met");
        }
        place();
        swatch(Shape::Line, colourOf(CheapestLine.shown), false, "cheapest walk");
        if (world.session.view.mode == SearchViewMode::Costs) {
            place();
            ImGui::TextUnformatted("digits: g");
        }
    }
    endSection(section);
}
