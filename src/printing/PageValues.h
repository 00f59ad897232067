#pragma once

struct ProgramState;

// The page width and margins that govern the results pane's line width and the printed page.
// Values are in millimetres or inches ("CM_IN"), kept in the program-wide state.
namespace PageValues {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerMillimetre = 56.7;

// Reads the page keys of "Settings"; false when a stored value does not convert (the values
// read before it are kept).
bool Load(ProgramState& state);
void Save(ProgramState& state);

bool InInches(const ProgramState& state);
double TwipsPerUnit(const ProgramState& state);

// The pane's line layout: line width (page width less right margin) and indent (left
// margin), in twips; both 0 with "Fit to Form".
struct PaneLayout {
    double rightMarginTwips = 0;
    double indentTwips = 0;
    bool fitToWindow = true;
};
PaneLayout ComputePaneLayout(const ProgramState& state);

} // namespace PageValues
