// A trace document walked as it is parsed, YAML (yaml-cpp's events) or JSON (nlohmann's SAX),
// without holding it: a trace of a search on a big board runs to millions of events, and a
// whole document tree of them would take many times the file's size.
#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <string>

// An event as the file gives it, before it is checked. Ids are kept as text: other solvers
// name their tiles with numbers or words, and a parent names the id of another event.
struct RawEvent {
    std::string type;
    std::optional<double> x, y, g, h, f;
    std::optional<std::string> id, parentId;
    std::string bad; // a field that is not what it should be
};

struct RawTrace {
    std::optional<std::string> version;
    bool hasEvents = false;
    // Handed each event as it ends.
    std::function<void(const RawEvent&)> onEvent;
};

// Walks the document in `in`; "" when it parsed, else what is wrong with it as YAML or JSON
// (with the parser's line).
std::string parseTrace(std::istream& in, bool json, RawTrace& raw);
