#include "tests/support/call_log.h"

#include <algorithm>
#include <sstream>

std::string callText() {
    std::ostringstream out;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        out << calls[i].name << "(";
        for (std::size_t a = 0; a < calls[i].args.size(); ++a) {
            out << (a == 0 ? "" : ",") << calls[i].args[a];
        }
        out << ") ";
    }
    return out.str();
}

std::size_t callAt(const std::string& name, std::size_t from) {
    auto named = [&](const Call& call) { return call.name == name; };
    return std::size_t(std::find_if(calls.begin() + std::ptrdiff_t(from), calls.end(), named) -
                       calls.begin());
}
