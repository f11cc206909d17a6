// The race's words: places, the title and each view's label; its drawing and layout are in
// view/board_draw.cpp, its racers and how they follow the world's walk in world/session.cpp.
#include "view/race.h"
#include "view/search_view.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* ordinal(int place) {
    static const char* const Words[RacerCount] = {"1st", "2nd", "3rd", "4th"};
    return Words[std::clamp(place, 1, RacerCount) - 1];
}

} // namespace

bool raceOver(const World& w) {
    for (int i = 0; w.session.racing && i < RacerCount; i++) {
        const Walk& walk = w.session.racers[i].walk;
        if (walk.searching() || walk.search.start < 0 || walk.playback.playing ||
            walk.playback.serial != walk.search.serial) {
            return false;
        }
    }
    return w.session.racing;
}

int racePlace(const World& w, int index) {
    const std::size_t closed = w.session.racers[index].walk.search.closed.size();
    int place = 1;
    for (const Racer& r : w.session.racers) {
        place += r.walk.search.closed.size() < closed;
    }
    return place;
}

std::string raceTitle(const World& w) {
    const Board& board = w.board;
    std::string text = " | race: ";
    for (int i = 0; i < RacerCount; i++) {
        const Walk& walk = w.session.racers[i].walk;
        char part[96];
        const int closed = static_cast<int>(walk.search.closed.size());
        if (walk.search.start >= 0 && walk.search.found && !walk.searching()) {
            std::snprintf(part, sizeof part, "%s closed %d walk %s",
                          settingsCaption(walk.kind, walk.settings, board.rule).c_str(), closed,
                          costText(walk.found.cost, board.rule, walk.kind).c_str());
        } else {
            std::snprintf(part, sizeof part, "%s closed %d no walk",
                          settingsCaption(walk.kind, walk.settings, board.rule).c_str(), closed);
        }
        text += (i > 0 ? "; " : "") + std::string(part);
    }
    return text;
}

void writeRacerLabel(const World& w, int index, char* out, size_t size) {
    const Walk& walk = w.session.racers[index].walk;
    char figures[FiguresLength];
    writeSearchFigures(w.board, walk, figures, sizeof figures, false);
    const std::string caption = settingsCaption(walk.kind, walk.settings, w.board.rule);
    const char* name = caption.c_str();
    if (!raceOver(w)) {
        std::snprintf(out, size, "%s: %s", name, figures);
        return;
    }
    const bool cheapest = walk.search.found && walk.found.cost <= walk.cheapest.cost;
    std::snprintf(out, size, "%s: %s\n%s%s", name, figures, ordinal(racePlace(w, index)),
                  cheapest ? ", cheapest" : "");
}
