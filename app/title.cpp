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

namespace {

std::string rateWord; // the latest rate shown
std::string notice;
double noticeUntil = 0.0;

void setTitle(double now) {
    std::string title = titlePrefix + rateWord + searchViewTitle(world);
    if (!notice.empty() && now < noticeUntil) {
        title += " | " + notice;
    }
    glfwSetWindowTitle(title.c_str());
}

} // namespace

const char* titleNotice(double now) {
    return now < noticeUntil ? notice.c_str() : "";
}

void showTitleNotice(const std::string& text, double now) {
    notice = text;
    noticeUntil = now + NoticeSeconds;
    setTitle(now); // at once, not at the next rate
}

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
    rateWord = rateText(rate);
    fpsIntervalStart = glfwGetTime();
    framesThisInterval = 0;
    // The search view and notices add their parts after the rate, joined by " | ".
    setTitle(fpsIntervalStart);
}
