// Writes a made map in the map.txt format to standard output.
//
//   make_map KIND COLUMNSxROWS [--seed N] [--trees P] [--stones P] [--water P]
//   make_map --help | --version
//
// KIND is maze, rooms or random; the same seed (1 when not given) gives the same map byte for
// byte. The shares are for random maps, in percent (20, 10 and 5 when not given).
#include "app/command.h"
#include "world/map_maker.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

const char* const Usage = "usage: make_map maze|rooms|random COLUMNSxROWS [--seed N] [--trees P] "
                          "[--stones P] [--water P]\n";

int usage(const std::string& why) {
    std::cerr << "make_map: " << why << "\n" << Usage;
    return 2;
}

// What --help adds to the usage line.
const char* const Words =
    "Writes a made map in the map.txt format to standard output.\n"
    "  maze|rooms|random  the kind of map\n"
    "  COLUMNSxROWS     its size in tiles, e.g. 64x48\n"
    "  --seed N         the same seed gives the same map byte for byte (default 1)\n"
    "  --trees P        the share of trees on a random map, in percent (default 20)\n"
    "  --stones P       the share of stones on a random map, in percent (default 10)\n"
    "  --water P        the share of water on a random map, in percent (default 5)\n";

// A whole number with nothing after it.
template <typename Number> bool parse(const std::string& text, Number* value) {
    const char* end = text.data() + text.size();
    if (text.empty() || text[0] < '0' || text[0] > '9') {
        return false;
    }
    const auto [after, error] = std::from_chars(text.data(), end, *value);
    return error == std::errc() && after == end;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status =
            answerHelpOrVersion(argc, argv, "make_map", std::string(Usage) + Words)) {
        return *status;
    }
    if (argc < 3) {
        return usage("a kind and a size are needed");
    }
    MapRecipe recipe;
    if (!mapKindNamed(argv[1], &recipe.kind)) {
        return usage(std::string("\"") + argv[1] + "\" is not a kind of map");
    }
    const std::string size = argv[2];
    const std::size_t x = size.find('x');
    if (x == std::string::npos || !parse(size.substr(0, x), &recipe.columns) ||
        !parse(size.substr(x + 1), &recipe.rows)) {
        return usage("\"" + size + "\" is not a size: write it as COLUMNSxROWS, e.g. 64x48");
    }
    for (int i = 3; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            return usage(option + " needs a number");
        }
        const std::string value = argv[i + 1];
        const bool read = option == "--seed"     ? parse(value, &recipe.seed)
                          : option == "--trees"  ? parse(value, &recipe.trees)
                          : option == "--stones" ? parse(value, &recipe.stones)
                          : option == "--water"  ? parse(value, &recipe.water)
                                                 : false;
        if (!read) {
            return usage("\"" + option + " " + value + "\" is not an option this takes");
        }
    }
    const std::string problem = recipeProblem(recipe);
    if (!problem.empty()) {
        return usage(problem);
    }
    const std::string text = mapText(makeMap(recipe));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
