// The race in the panel: each viewport's label in its top-left corner, and in the panel
// the four racers side by side as bars: the tiles each closed, and each walk's cost beside
// the cheapest.
#include "ui/panel.h"
#include "ui/panel_parts.h"
#include "view/palette.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>

namespace {

const ImU32 ClosedPurple =
    IM_COL32(ClosedMark.shown[0], ClosedMark.shown[1], ClosedMark.shown[2], 255);
const ImU32 WalkGreen = IM_COL32(0, 200, 0, 255);
const ImU32 CheapestRed =
    IM_COL32(CheapestLine.shown[0], CheapestLine.shown[1], CheapestLine.shown[2], 255);
const ImU32 BarGround = IM_COL32(60, 60, 60, 255);

// A bar `width` pixels long at `at`, filled to `share` (0 to 1), with `label` over it.
void bar(ImDrawList* draw, ImVec2 at, float width, float height, float share, ImU32 colour,
         const char* label) {
    draw->AddRectFilled(at, ImVec2(at.x + width, at.y + height), BarGround);
    draw->AddRectFilled(at, ImVec2(at.x + width * std::clamp(share, 0.0f, 1.0f), at.y + height),
                        colour);
    draw->AddText(ImVec2(at.x + 3, at.y), IM_COL32(255, 255, 255, 255), label);
}

} // namespace

void raceLabels(const PanelText& text) {
    ImDrawList* draw = ImGui::GetForegroundDrawList();
    for (int i = 0; i < RacerCount; i++) {
        const PixelRect view = raceViewport(i);
        const ImVec2 at(static_cast<float>(view.x + 6), static_cast<float>(view.y + 4));
        const ImVec2 size = ImGui::CalcTextSize(text.race[i]);
        draw->AddRectFilled(ImVec2(at.x - 3, at.y - 1),
                            ImVec2(at.x + size.x + 3, at.y + size.y + 1), IM_COL32(0, 0, 0, 160));
        draw->AddText(at, IM_COL32(255, 255, 255, 255), text.race[i]);
    }
}

void raceBars(const PanelText& text) {
    int mostClosed = 1;
    double dearest = 1;
    long long mostInAll = 1;
    bool fogged = false; // under fog a third bar: the tiles every plan of the walk closed
    for (const RaceBar& b : text.bars) {
        mostClosed = std::max(mostClosed, b.closed);
        dearest = std::max({dearest, b.cost, b.cheapest});
        mostInAll = std::max(mostInAll, b.closedInAll);
        fogged = fogged || b.closedInAll >= 0;
    }
    const int columns = fogged ? 3 : 2;
    const float name = ImGui::CalcTextSize("first-sight A*").x + 26.0f;
    const float width =
        (ImGui::GetContentRegionAvail().x - name - 8.0f * (columns - 1)) / float(columns);
    const float left = ImGui::GetCursorPosX();
    ImGui::SetCursorPosX(left + name);
    ImGui::TextDisabled("closed");
    ImGui::SameLine(left + name + width + 8.0f);
    ImGui::TextDisabled(fogged ? "cost" : "walk cost");
    if (fogged) {
        ImGui::SameLine(left + name + 2.0f * (width + 8.0f));
        ImGui::TextDisabled("in all");
    }
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const float height = ImGui::GetTextLineHeight();
    for (int i = 0; i < RacerCount; i++) {
        const RaceBar& b = text.bars[i];
        const ImVec2 at = ImGui::GetCursorScreenPos();
        // Each row's search, chosen here: the rows lie as the viewports' labels read.
        racerChoice(i, name - 4.0f);
        char closed[32];
        char cost[32];
        std::snprintf(closed, sizeof closed, b.searching ? "searching %d" : "%d", b.closed);
        if (b.cost >= 0) {
            std::snprintf(cost, sizeof cost, "%s", b.costLabel);
        } else {
            std::snprintf(cost, sizeof cost, "%s", b.searching ? "" : "no walk");
        }
        bar(draw, ImVec2(at.x + name, at.y), width, height, float(b.closed) / mostClosed,
            ClosedPurple, closed);
        const ImVec2 walk(at.x + name + width + 8.0f, at.y);
        bar(draw, walk, width, height, b.cost < 0 ? 0.0f : float(b.cost / dearest), WalkGreen,
            cost);
        if (b.cheapest >= 0) {
            const float x = walk.x + width * float(b.cheapest / dearest);
            draw->AddLine(ImVec2(x, walk.y - 1), ImVec2(x, walk.y + height + 1), CheapestRed, 2.0f);
        }
        if (fogged) {
            char all[32];
            std::snprintf(all, sizeof all, "%lld", std::max(b.closedInAll, 0LL));
            bar(draw, ImVec2(walk.x + width + 8.0f, walk.y), width, height,
                float(double(std::max(b.closedInAll, 0LL)) / double(mostInAll)), ClosedPurple, all);
        }
    }
    ImGui::TextDisabled("red mark: the cheapest walk's cost");
    if (fogged) {
        ImGui::TextDisabled("in all: closed in all, by every plan");
    }
}
