// What the frame benchmarks share: nearest-rank percentiles of frame work, the line that
// prints them, the machine's load, and an empty frame timed like a real one.
#pragma once

#include "app/app.h"
#include "platform/glfw2.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

struct Summary {
    double median = 0.0;
    double p90 = 0.0;
    double p99 = 0.0;
    double max = 0.0;
    double mean = 0.0;
    size_t overPeriod = 0;
};

inline Summary summarise(std::vector<double> samples, double period) {
    Summary s;
    std::sort(samples.begin(), samples.end());
    auto rank = [&](double p) {
        size_t i = static_cast<size_t>(p * static_cast<double>(samples.size()) + 0.999999);
        return samples[std::clamp<size_t>(i, 1, samples.size()) - 1];
    };
    s.median = rank(0.5);
    s.p90 = rank(0.9);
    s.p99 = rank(0.99);
    s.max = samples.back();
    for (double t : samples) {
        s.mean += t;
        s.overPeriod += t >= period ? 1 : 0;
    }
    s.mean /= static_cast<double>(samples.size());
    return s;
}

inline void print(const char* name, const Summary& s, size_t count) {
    std::printf("%-12s frames %5zu  median %7.3f ms  p90 %7.3f ms  p99 %7.3f ms  max %7.3f ms  "
                "mean %7.3f ms  over the period %zu\n",
                name, count, s.median * 1e3, s.p90 * 1e3, s.p99 * 1e3, s.max * 1e3, s.mean * 1e3,
                s.overPeriod);
}

// The machine is shared: how busy it was belongs beside the figures.
inline std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Clear and swap, timed and capped like a real frame.
inline double emptyFrame() {
    double begin = glfwGetTime();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers();
    double busy = glfwGetTime() - begin;
    double period = 1.0 / frameClock.targetFrameRate;
    if (period > busy) {
        glfwSleep(period - busy);
    }
    return busy;
}
