#include "tests/support/call_log.h"

std::vector<Call>& callLog() {
    static std::vector<Call> calls;
    return calls;
}

void clearCalls() {
    callLog().clear();
}

void logCall(const char* name, std::vector<double> args) {
    callLog().push_back(Call{name, std::move(args)});
}

std::vector<std::string> callNames(const std::string& prefix) {
    std::vector<std::string> names;
    for (const Call& call : callLog()) {
        if (call.name.compare(0, prefix.size(), prefix) == 0) {
            names.push_back(call.name);
        }
    }
    return names;
}
