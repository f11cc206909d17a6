// Search traces read from YAML (yaml-cpp) or JSON (nlohmann's JSON), ours or another solver's:
// both are read into plain events first, then checked against the board in one place.
#include "world/trace_file.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <unordered_map>
#include <yaml-cpp/yaml.h>

namespace {

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
    std::vector<RawEvent> events;
};

constexpr const char* NumberKeys[5] = {"x", "y", "g", "h", "f"};

std::optional<double>& numberField(RawEvent& e, int k) {
    std::optional<double>* fields[5] = {&e.x, &e.y, &e.g, &e.h, &e.f};
    return *fields[k];
}

RawEvent yamlEvent(const YAML::Node& node) {
    RawEvent e;
    if (!node.IsMap()) {
        e.bad = "is not a list of fields";
        return e;
    }
    e.type = node["type"] && node["type"].IsScalar() ? node["type"].as<std::string>() : "";
    for (int k = 0; k < 5; k++) {
        const YAML::Node value = node[NumberKeys[k]];
        if (!value || value.IsNull()) {
            continue;
        }
        try {
            numberField(e, k) = value.as<double>();
        } catch (const YAML::Exception&) {
            e.bad = std::string(NumberKeys[k]) + " is not a number";
        }
    }
    for (auto [key, into] : {std::pair{"id", &e.id}, {"pId", &e.parentId}}) {
        if (node[key] && node[key].IsScalar()) {
            *into = node[key].as<std::string>();
        }
    }
    return e;
}

RawEvent jsonEvent(const nlohmann::json& node) {
    RawEvent e;
    if (!node.is_object()) {
        e.bad = "is not an object";
        return e;
    }
    e.type =
        node.contains("type") && node["type"].is_string() ? node["type"].get<std::string>() : "";
    for (int k = 0; k < 5; k++) {
        if (!node.contains(NumberKeys[k]) || node[NumberKeys[k]].is_null()) {
            continue;
        }
        if (node[NumberKeys[k]].is_number()) {
            numberField(e, k) = node[NumberKeys[k]].get<double>();
        } else {
            e.bad = std::string(NumberKeys[k]) + " is not a number";
        }
    }
    for (auto [key, into] : {std::pair{"id", &e.id}, {"pId", &e.parentId}}) {
        if (node.contains(key) && node[key].is_string()) {
            *into = node[key].get<std::string>();
        } else if (node.contains(key) && node[key].is_number()) {
            *into = node[key].dump();
        }
    }
    return e;
}

// The document read, or what is wrong with it as YAML or JSON.
std::string readRaw(const std::string& fileName, const std::string& text, RawTrace& raw) {
    if (traceFileIsJson(fileName)) {
        try {
            const nlohmann::json root = nlohmann::json::parse(text);
            if (root.is_object() && root.contains("version")) {
                const nlohmann::json& v = root["version"];
                raw.version = v.is_string() ? v.get<std::string>() : v.dump();
            }
            raw.hasEvents =
                root.is_object() && root.contains("events") && root["events"].is_array();
            if (raw.hasEvents) {
                for (const nlohmann::json& node : root["events"]) {
                    raw.events.push_back(jsonEvent(node));
                }
            }
        } catch (const nlohmann::json::exception& e) {
            const std::string what = e.what();
            return "not valid JSON (" + what.substr(what.find(']') + 2) + ")";
        }
        return "";
    }
    try {
        const YAML::Node root = YAML::Load(text);
        if (root.IsMap() && root["version"] && root["version"].IsScalar()) {
            raw.version = root["version"].as<std::string>();
        }
        raw.hasEvents = root.IsMap() && root["events"] && root["events"].IsSequence();
        if (raw.hasEvents) {
            for (const YAML::Node& node : root["events"]) {
                raw.events.push_back(yamlEvent(node));
            }
        }
    } catch (const YAML::Exception& e) {
        return "not valid YAML (line " + std::to_string(e.mark.line + 1) + ", column " +
               std::to_string(e.mark.column + 1) + ": " + e.msg + ")";
    }
    return "";
}

bool whole(const std::optional<double>& v) {
    return v && std::floor(*v) == *v && std::abs(*v) < 1e9;
}

// The tile an event names by its column and row, else by a whole id (row x width + column);
// -2 when it names none, -3 when it is off the board.
int tileOf(const RawEvent& e, const Board& board) {
    std::optional<double> column = e.x, row = e.y;
    if (!column && !row && e.id) {
        char* end = nullptr;
        const double id = std::strtod(e.id->c_str(), &end);
        if (end && *end == '\0' && !e.id->empty()) {
            column = std::fmod(id, board.columns);
            row = std::floor(id / board.columns);
        }
    }
    if (!whole(column) || !whole(row)) {
        return -2;
    }
    if (*column < 0 || *row < 0 || *column >= board.columns || *row >= board.rows) {
        return -3;
    }
    return static_cast<int>(*row) * board.columns + static_cast<int>(*column);
}

} // namespace

std::string readTraceFile(const std::string& path, const Board& board, SearchTrace& trace,
                          const std::string& shownAs) {
    const std::string& fileName = shownAs.empty() ? path : shownAs;
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        return fileName + ": cannot be read (no such file, or not readable)";
    }
    RawTrace raw;
    if (const std::string why = readRaw(path, text, raw); !why.empty()) {
        return fileName + ": " + why;
    }
    if (!raw.version || raw.version->rfind("1.", 0) != 0) {
        return fileName + ": not a search trace of format 1.x (its version is " +
               (raw.version ? "\"" + *raw.version + "\"" : std::string("missing")) + ")";
    }
    if (!raw.hasEvents) {
        return fileName + ": not a search trace: it has no list of events";
    }
    trace = SearchTrace{board.columns, board.rows, {}};
    std::unordered_map<std::string, int> tileOfId;
    for (std::size_t i = 0; i < raw.events.size(); i++) {
        const RawEvent& e = raw.events[i];
        const std::string event = fileName + ": event " + std::to_string(i + 1) + ": ";
        TraceEvent out;
        if (!e.bad.empty()) {
            return event + e.bad;
        }
        if (!traceEventNamed(e.type, &out.type)) {
            return event + "unknown type \"" + e.type + "\"";
        }
        out.tile = tileOf(e, board);
        if (out.tile == -3) {
            return event + "its tile is off the map (" + std::to_string(board.columns) + " x " +
                   std::to_string(board.rows) + " tiles)";
        }
        if (out.tile == -2 && out.type != TraceEventType::End) {
            return event + "names no tile (x and y, or a whole id)";
        }
        out.tile = std::max(out.tile, -1);
        out.g = e.g.value_or(NAN);
        out.h = e.h.value_or(NAN);
        out.f = e.f.value_or(NAN);
        if (e.id && out.tile >= 0) {
            tileOfId[*e.id] = out.tile;
        }
        if (e.parentId) {
            const auto parent = tileOfId.find(*e.parentId);
            out.parent = parent != tileOfId.end() ? parent->second : -1;
        }
        trace.events.push_back(out);
    }
    return "";
}
