#include "tests/support/call_log.h"

#include <sstream>

std::string callText(std::size_t from) {
    std::ostringstream out;
    for (std::size_t i = from; i < calls.size(); ++i) {
        out << calls[i].name << "(";
        for (std::size_t a = 0; a < calls[i].args.size(); ++a) {
            out << (a == 0 ? "" : ",") << calls[i].args[a];
        }
        out << ") ";
    }
    return out.str();
}

std::size_t callAt(const std::string& name, std::size_t from) {
    while (from < calls.size() && calls[from].name != name) {
        ++from;
    }
    return from;
}
