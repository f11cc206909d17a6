// One log of the calls the program makes into the platform and OpenGL stand-ins, in order,
// so that tests can check the order of a frame across both.
#pragma once

#include <string>
#include <vector>

struct Call {
    std::string name;
    std::vector<double> args;
};

std::vector<Call>& callLog();
void clearCalls();
void logCall(const char* name, std::vector<double> args = {});
// Only the names, in order; with a prefix, only the calls whose name starts with it.
std::vector<std::string> callNames(const std::string& prefix = "");
