// One log of the calls the program makes into the platform and OpenGL stand-ins, in order,
// so that tests can check the order of a frame across both.
#pragma once

#include <string>
#include <vector>

struct Call {
    std::string name;
    std::vector<double> args;
};

inline std::vector<Call> calls;
// Off for long runs: a frame makes thousands of OpenGL calls.
inline bool logging = true;

template <typename... Args> void record(const char* name, Args... args) {
    if (logging) {
        calls.push_back(Call{name, {double(args)...}});
    }
}

// The log as "name(arg,arg) " per call.
std::string callText();
// Where the first call of that name stands at or after `from`; the log's size if nowhere.
std::size_t callAt(const std::string& name, std::size_t from = 0);
