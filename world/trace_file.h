// Search traces as files other tools read and write: a YAML or JSON document of format 1.x
// with a `views` section, which draws each event as a tile coloured by its type, and the
// list of events; beside it the map in the benchmark sets' grid format.
#pragma once

#include "path/search_trace.h"
#include "world/map_board.h"

#include <string>

// Whether a trace file's name asks for JSON (it ends in ".json"); else YAML.
bool traceFileIsJson(const std::string& fileName);

// The trace as the file's text, with the map's size giving each event's column and row.
std::string traceText(const SearchTrace& trace, bool json);
// The map as the grid format gives it: "type octile", height, width, "map", then a character
// a tile.
std::string traceGridText(const MapBoard& map);

// Reads a trace over `board` into `trace`; "" when it was read, else one line saying what is
// wrong: the file (as `shownAs` names it, if given), and the event's number (from 1) or the
// parser's line.
std::string readTraceFile(const std::string& fileName, const Board& board, SearchTrace& trace,
                          const std::string& shownAs = "");
