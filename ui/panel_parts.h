// The panel's drawing pieces shared by its files: headings, sections that keep their
// height, and the legend.
#pragma once

struct PanelText;

void heading(const char* name);

// A part of the panel that keeps its height, `lines` of text, whatever it holds at the
// moment: the controls below it never move.
struct Section {
    float end = 0.0f;
};
Section beginSection(const char* name, int lines);
void endSection(const Section& section);

// A swatch and a word for each thing on the board, the search's marks while they show.
void legend();

// The race (ui/panel_race.cpp): each viewport's label over the board, and the racers' bars.
void raceLabels(const PanelText& text);
void raceBars(const PanelText& text);

// The search a race viewport runs, as a drop-down `width` pixels wide (ui/panel_controls.cpp).
void racerChoice(int viewport, float width);

// The scenario's problems, while one is open (ui/panel_problems.cpp): the one gone to, its
// listed length beside the walk found, and the controls to go to another.
void problemsSection(const PanelText& text);

// The controls (ui/panel_controls.cpp): the search view, the searches and the race, the
// walking pace and the brush, the map and the view, a new map.
void panelControls(const PanelText& text);
