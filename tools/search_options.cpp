// Reading the heuristic and weight options, strictly: a name as written, a number in range.
#include "tools/search_options.h"

#include <cmath>
#include <cstdlib>

namespace {

// "A*, greedy and JPS": the searches whose rows take the choice.
std::string takers(bool SearchRow::*takes) {
    std::vector<std::string> names;
    for (int k = 0; k < SearchKindCount; k++) {
        if (searchRow(static_cast<SearchKind>(k)).*takes) {
            names.push_back(searchName(static_cast<SearchKind>(k)));
        }
    }
    std::string list;
    for (std::size_t i = 0; i < names.size(); i++) {
        list += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    }
    return list;
}

} // namespace

std::string readHeuristic(const std::string& value, ChosenSettings* chosen) {
    if (!heuristicNamed(value, &chosen->settings.heuristic)) {
        return "\"" + value +
               "\" is not a heuristic: octile, Manhattan, Euclidean, Chebyshev or none";
    }
    chosen->settings.heuristicChosen = true;
    chosen->heuristicGiven = true;
    return "";
}

std::string readWeight(const std::string& value, ChosenSettings* chosen) {
    // Digits and a point only: no sign, blank, exponent, hexadecimal, nan or inf.
    const bool plain = !value.empty() && value.find_first_not_of("0123456789.") == value.npos &&
                       value.find_first_of("0123456789") != value.npos;
    char* end = nullptr;
    const double weight = plain ? std::strtod(value.c_str(), &end) : NAN;
    if (!plain || end != value.c_str() + value.size() || !(weight >= MinWeight) ||
        weight > MaxWeight) {
        return "--weight takes a number from 1 to 10, not \"" + value + "\"";
    }
    chosen->settings.weight = weight;
    chosen->weightGiven = true;
    return "";
}

std::string settingsRefusal(const std::vector<SearchKind>& searches, const ChosenSettings& chosen) {
    if (searches.size() != 1) {
        return "";
    }
    const SearchRow& row = searchRow(searches[0]);
    if (chosen.heuristicGiven && !row.takesHeuristic) {
        return "--heuristic is for " + takers(&SearchRow::takesHeuristic) + ", not " + row.name;
    }
    if (chosen.weightGiven && !row.takesWeight) {
        return "--weight is for " + takers(&SearchRow::takesWeight) + ", not " + row.name;
    }
    return "";
}
