// The frame-rate cap and the frame-rate title.
#include "app/app.h"
#include "platform/glfw2.h"
#include "view/search_view.h"
#include "world/world.h"

#include <sstream>

std::string titlePrefix = "Tanglor pathfinding - fps: ";

namespace {

std::string rateWord; // the latest rate shown
std::string notice;
double noticeUntil = 0.0;

// " | heuristic Manhattan x1.5" while the world's walk counts with a heuristic or a weight
// other than its search's own.
std::string settingsTitle(const Walk& walk, MoveRule rule) {
    const SearchRow& row = searchRow(walk.kind);
    const Heuristic heuristic = heuristicOf(walk.kind, walk.settings, rule);
    const double weight = weightOf(walk.kind, walk.settings);
    if ((!row.takesHeuristic && !row.takesWeight) ||
        (heuristic == heuristicOf(walk.kind, {}, rule) && weight == 1)) {
        return "";
    }
    return std::string(" | heuristic ") + heuristicName(heuristic) + " x" + weightText(weight);
}

void setTitle(double now) {
    std::string title = titlePrefix + rateWord;
    if (world.board.rule == MoveRule::Benchmark) {
        title += " | benchmark rule";
    } else if (world.board.rule == MoveRule::FourWays) {
        title += " | four ways";
    }
    if (world.session.fog) {
        title += " | fog " + std::to_string(world.session.sight);
    }
    title += settingsTitle(world.walk, world.board.rule);
    title += problemTitle(world) + searchViewTitle(world);
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

void capFrameRate() {
    frameClock.frameBusyTime = glfwGetTime() - frameClock.frameStartTime;
    double period = 1.0 / frameClock.targetFrameRate;
    if (period > frameClock.frameBusyTime) {
        glfwSleep(period - frameClock.frameBusyTime);
    }
}

void updateTitle() {
    if (glfwGetTime() - frameClock.fpsIntervalStart <= 0.5) {
        return;
    }
    double elapsed = glfwGetTime() - frameClock.fpsIntervalStart;
    double rate = frameClock.framesThisInterval / elapsed;
    rateWord = rateText(rate);
    frameClock.fpsIntervalStart = glfwGetTime();
    frameClock.framesThisInterval = 0;
    // The search view and notices add their parts after the rate, joined by " | ".
    setTitle(frameClock.fpsIntervalStart);
}
