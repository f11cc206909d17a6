// The frame-rate cap and the frame-rate title.
#include "app/app.h"
#include "platform/glfw2.h"
#include "view/search_view.h"
#include "world/world.h"

#include <sstream>

double targetFrameRate = 70.0;
double frameBusyTime = 0.0;
double fpsIntervalStart = 0.0;
std::string titlePrefix = "Tanglor pathfinding - fps: ";

// The stream's default format: six significant digits, no trailing zeros (70, 69.9301).
std::string rateText(double rate) {
    std::stringstream stream;
    stream << rate;
    std::string word;
    stream >> word;
    return word;
}

void updateTitle() {
    frameBusyTime = glfwGetTime() - frameStartTime;
    double period = 1.0 / targetFrameRate;
    if (period > frameBusyTime) {
        glfwSleep(period - frameBusyTime);
    }
    if (glfwGetTime() - fpsIntervalStart <= 0.5) {
        return;
    }
    double elapsed = glfwGetTime() - fpsIntervalStart;
    double rate = framesThisInterval / elapsed;
    std::string word = rateText(rate);
    fpsIntervalStart = glfwGetTime();
    framesThisInterval = 0;
    // The search view adds its figures after the rate, joined by " | ".
    glfwSetWindowTitle((titlePrefix + word + searchViewTitle(world)).c_str());
}
