// A search trace written as YAML or JSON, and its map in the grid format.
#include "world/tile_kinds.h"
#include "world/trace_file.h"

#include <charconv>
#include <cmath>

namespace {

// The shortest text that reads back as the same number.
std::string number(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// Each event a rectangle of one tile, coloured by its type by the viewer's own colours, the
// view centred on the tile of the event under way.
const char* const YamlHeader = "version: 1.4.0\n"
                               "views:\n"
                               "  main:\n"
                               "    - $: rect\n"
                               "      width: 1\n"
                               "      height: 1\n"
                               "      x: ${{ $.x }}\n"
                               "      y: ${{ $.y }}\n"
                               "      fill: ${{ color[$.type] }}\n"
                               "pivot:\n"
                               "  x: ${{ $.x + 0.5 }}\n"
                               "  y: ${{ $.y + 0.5 }}\n"
                               "  scale: 1\n"
                               "events:\n";
const char* const JsonHeader = "{\n"
                               "  \"version\": \"1.4.0\",\n"
                               "  \"views\": {\n"
                               "    \"main\": [\n"
                               "      {\"$\": \"rect\", \"width\": 1, \"height\": 1, "
                               "\"x\": \"${{ $.x }}\", \"y\": \"${{ $.y }}\", "
                               "\"fill\": \"${{ color[$.type] }}\"}\n"
                               "    ]\n"
                               "  },\n"
                               "  \"pivot\": {\"x\": \"${{ $.x + 0.5 }}\", "
                               "\"y\": \"${{ $.y + 0.5 }}\", \"scale\": 1},\n"
                               "  \"events\": [\n";

// One event's fields, in order, each as `key` `separator` value, joined by ", ".
std::string eventFields(const TraceEvent& e, int columns, bool json) {
    const std::string quote = json ? "\"" : "";
    auto field = [&](const char* key, const std::string& value) {
        return ", " + quote + key + quote + ": " + value;
    };
    std::string text = quote + "type" + quote + ": " + quote + traceEventName(e.type) + quote;
    text += field("id", std::to_string(e.tile));
    text += field("x", std::to_string(e.tile % columns));
    text += field("y", std::to_string(e.tile / columns));
    if (e.parent >= 0) {
        text += field("pId", std::to_string(e.parent));
    }
    for (const auto& [key, value] : {std::pair{"g", e.g}, {"h", e.h}, {"f", e.f}}) {
        if (!std::isnan(value)) {
            text += field(key, number(value));
        }
    }
    return text;
}

} // namespace

bool traceFileIsJson(const std::string& fileName) {
    const std::string ending = ".json";
    return fileName.size() >= ending.size() &&
           fileName.compare(fileName.size() - ending.size(), ending.size(), ending) == 0;
}

std::string traceText(const SearchTrace& trace, bool json) {
    std::string text = json ? JsonHeader : YamlHeader;
    const int columns = std::max(trace.columns, 1);
    for (std::size_t i = 0; i < trace.events.size(); i++) {
        const std::string fields = eventFields(trace.events[i], columns, json);
        if (json) {
            text += "    {" + fields + (i + 1 < trace.events.size() ? "},\n" : "}\n");
        } else {
            text += "  - { " + fields + " }\n";
        }
    }
    if (json) {
        text += "  ]\n}\n";
    } else if (trace.events.empty()) {
        text += "  []\n";
    }
    return text;
}

std::string traceGridText(const MapBoard& map) {
    std::string text = "type octile\nheight " + std::to_string(map.board.rows) + "\nwidth " +
                       std::to_string(map.board.columns) + "\nmap\n";
    for (int r = 0; r < map.board.rows; r++) {
        for (int c = 0; c < map.board.columns; c++) {
            const MapTile& tile = map.tiles[static_cast<std::size_t>(r * map.board.columns + c)];
            const char* chars = tileKindOf(tile.kind).chars;
            text += tile.outside ? '@' : chars[0] != '\0' ? chars[0] : '.';
        }
        text += '\n';
    }
    return text;
}
