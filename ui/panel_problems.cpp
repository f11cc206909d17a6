// The scenario's problems in the panel: which one the walk is set to, its listed length
// beside the walk found, the one before and after, and a number to go to.
#include "app/app.h"
#include "ui/panel.h"
#include "ui/panel_parts.h"

#include <imgui.h>

#include <algorithm>

namespace {

// The number the slider stands at; a problem is gone to when it is let go, not at every
// number it passes on the way.
int chosen = 1;

} // namespace

void problemsSection(const PanelText& text) {
    const int count = static_cast<int>(world.scenario.problems.size());
    if (count == 0) {
        return;
    }
    const Section section = beginSection("Problems ([ and ])", 3);
    ImGui::TextUnformatted(text.problem[0] != '\0' ? text.problem : "no problem gone to yet");
    if (ImGui::ArrowButton("previous problem", ImGuiDir_Left)) {
        previousProblem();
    }
    ImGui::SameLine();
    if (ImGui::ArrowButton("next problem", ImGuiDir_Right)) {
        nextProblem();
    }
    ImGui::SameLine();
    if (!ImGui::IsAnyItemActive()) {
        chosen = std::clamp(world.problemAt, 1, count);
    }
    ImGui::SetNextItemWidth(-1.0f);
    ImGui::SliderInt("##problem", &chosen, 1, count, "go to %d", ImGuiSliderFlags_NoInput);
    if (ImGui::IsItemDeactivatedAfterEdit()) {
        goToProblem(chosen);
    }
    if (text.listed[0] != '\0') {
        ImGui::TextWrapped("%s", text.listed);
    }
    endSection(section);
}
