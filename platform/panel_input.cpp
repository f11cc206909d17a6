#include "platform/panel_input.h"
#include "platform/layer_state.h"

#include <imgui.h>

#include <algorithm>

void feedPanelInput(double seconds) {
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(layer::state.frameWidth),
                            static_cast<float>(layer::state.frameHeight));
    // The library refuses a frame of no time; a stall must not become one huge step.
    io.DeltaTime = static_cast<float>(std::clamp(seconds, 1.0e-4, 0.25));
    int x = 0;
    int y = 0;
    glfwGetMousePos(&x, &y);
    io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
    // ImGui numbers the buttons left, right, middle, as version 2 does.
    for (int button = 0; button < 3; button++) {
        io.MouseDown[button] = glfwGetMouseButton(button) == GLFW_PRESS;
    }
    io.MouseWheel = static_cast<float>(layer::state.areaScroll);
}
