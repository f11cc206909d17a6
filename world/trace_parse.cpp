// Both parsers feed one collector: containers opened and closed, keys, and scalar values.
// Only the top level's `version` and `events` and each event's own fields are kept.
#include "world/trace_parse.h"

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <vector>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/parser.h>

namespace {

// A scalar as the file gives it: nothing (null), a number, or text.
struct Value {
    enum Kind { Null, Number, Text } kind = Null;
    double number = 0;
    std::string text; // a number's own text too
};

constexpr const char* NumberKeys[5] = {"x", "y", "g", "h", "f"};

struct Collector {
    RawTrace& raw;
    struct Level {
        bool map = false;
        bool keyNext = true; // a map's next scalar is a key
        std::string key;
    };
    std::vector<Level> levels; // the containers open, the document's own first
    RawEvent event;            // the event being read

    // Whether the second level open is the top level's `events` list.
    bool inEvents() const {
        return levels.size() >= 2 && levels[0].map && levels[0].key == "events" && !levels[1].map;
    }
    void open(bool map) {
        if (levels.size() == 2 && inEvents()) {
            event = RawEvent();
            if (!map) {
                event.bad = "is not a list of fields";
            }
        }
        if (levels.size() == 1 && levels[0].map && levels[0].key == "events" && !map) {
            raw.hasEvents = true;
        }
        levels.push_back(Level{map, true, ""});
    }
    void close() {
        levels.pop_back();
        if (levels.size() == 2 && inEvents() && raw.onEvent) {
            raw.onEvent(event);
        }
        valueTaken();
    }
    // A value ended at the level below: the map above it waits for a key again.
    void valueTaken() {
        if (!levels.empty() && levels.back().map) {
            levels.back().keyNext = true;
        }
    }
    void key(const std::string& name) {
        levels.back().key = name;
        levels.back().keyNext = false;
    }
    void scalar(const Value& v) {
        if (!levels.empty() && levels.back().map && levels.back().keyNext) {
            key(v.text);
            return;
        }
        if (levels.size() == 1 && levels[0].key == "version" && v.kind != Value::Null) {
            raw.version = v.text;
        } else if (levels.size() == 3 && inEvents() && levels[2].map) {
            field(levels[2].key, v);
        } else if (levels.size() == 2 && inEvents() && raw.onEvent) {
            RawEvent notAnEvent;
            notAnEvent.bad = "is not a list of fields";
            raw.onEvent(notAnEvent);
        }
        valueTaken();
    }
    void field(const std::string& name, const Value& v) {
        if (v.kind == Value::Null) {
            return;
        }
        if (name == "type") {
            event.type = v.text;
        } else if (name == "id" || name == "pId") {
            (name == "id" ? event.id : event.parentId) = v.text;
        }
        for (int k = 0; k < 5; k++) {
            if (name == NumberKeys[k] && v.kind == Value::Number) {
                std::optional<double>* fields[5] = {&event.x, &event.y, &event.g, &event.h,
                                                    &event.f};
                *fields[k] = v.number;
            } else if (name == NumberKeys[k]) {
                event.bad = name + " is not a number";
            }
        }
    }
};

// A YAML scalar's text read as a number where all of it is one.
Value yamlValue(const std::string& text) {
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    const bool whole = !text.empty() && end == text.c_str() + text.size();
    return Value{whole ? Value::Number : Value::Text, whole ? number : 0, text};
}

struct YamlEvents : YAML::EventHandler {
    Collector& c;
    explicit YamlEvents(Collector& collector) : c(collector) {}
    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override { c.scalar(Value{}); }
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override { c.scalar(Value{}); }
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t,
                  const std::string& value) override {
        c.scalar(yamlValue(value));
    }
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {
        c.open(false);
    }
    void OnSequenceEnd() override { c.close(); }
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {
        c.open(true);
    }
    void OnMapEnd() override { c.close(); }
};

struct JsonEvents : nlohmann::json_sax<nlohmann::json> {
    Collector& c;
    std::string error;
    explicit JsonEvents(Collector& collector) : c(collector) {}
    bool number(double n, const std::string& text) {
        c.scalar(Value{Value::Number, n, text});
        return true;
    }
    bool null() override { return c.scalar(Value{}), true; }
    bool boolean(bool b) override {
        return c.scalar(Value{Value::Text, 0, b ? "true" : "false"}), true;
    }
    bool number_integer(number_integer_t n) override {
        return number(static_cast<double>(n), std::to_string(n));
    }
    bool number_unsigned(number_unsigned_t n) override {
        return number(static_cast<double>(n), std::to_string(n));
    }
    bool number_float(number_float_t n, const string_t& text) override { return number(n, text); }
    bool string(string_t& s) override { return c.scalar(Value{Value::Text, 0, s}), true; }
    bool binary(binary_t&) override { return c.scalar(Value{Value::Text, 0, ""}), true; }
    bool start_object(std::size_t) override { return c.open(true), true; }
    bool key(string_t& k) override { return c.key(k), true; }
    bool end_object() override { return c.close(), true; }
    bool start_array(std::size_t) override { return c.open(false), true; }
    bool end_array() override { return c.close(), true; }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& e) override {
        const std::string what = e.what();
        error = what.substr(what.find(']') + 2);
        return false;
    }
};

} // namespace

std::string parseTrace(std::istream& in, bool json, RawTrace& raw) {
    Collector collector{raw, {}, {}};
    if (json) {
        JsonEvents events(collector);
        nlohmann::json::sax_parse(in, &events);
        return events.error.empty() ? "" : "not valid JSON (" + events.error + ")";
    }
    try {
        YamlEvents events(collector);
        YAML::Parser parser(in);
        parser.HandleNextDocument(events);
    } catch (const YAML::Exception& e) {
        return "not valid YAML (line " + std::to_string(e.mark.line + 1) + ", column " +
               std::to_string(e.mark.column + 1) + ": " + e.msg + ")";
    }
    return "";
}
