#pragma once
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

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
// margin), in twips; both 0 with "Fit to Form", and also when the width leaves no line
// between the margins (values stored before such widths were refused).
struct PaneLayout {
    double rightMarginTwips = 0;
    double indentTwips = 0;
    bool fitToWindow = true;
};
PaneLayout ComputePaneLayout(const ProgramState& state);

// Values are kept in single precision, as they are stored.
double Single(double value);

// Unit changes: to inches one decimal, to millimetres a whole number (210 mm -> 8.3 in ->
// 211 mm).
double ToInches(double millimetres);
double ToMillimetres(double inches);
// Converts the five values to the unit asked for and records it; nothing happens when that
// unit is already in force.
void ConvertUnits(ProgramState& state, bool toInches);
// Width and side margins become whole millimetres (the window shows them that way).
void RoundMillimetres(ProgramState& state);

// The width of the usual paper where the user lives (A4, or US Letter), in the unit asked
// for: what page setup shows until a width is stored.
double DefaultWidth(bool inches, const QLocale& locale = QLocale::system());
// Whether a page width leaves a line between the side margins (all in one unit).
bool LeavesALine(double width, double left, double right);

// The choices offered by the page setup lists in each unit.
QStringList WidthEntries(bool inches);
QStringList MarginEntries(bool inches);
// A value as the lists show it, and a list text read back (nothing when it is not a number).
QString FormatValue(double value);
std::optional<double> ParseValue(const QString& text);

// Everything the page setup window may change, so that Cancel can put it back.
struct Snapshot {
    quint8 CM_IN = 0;
    double WidthPage = 0, MarginLeft = 0, MarginRight = 0, gTopMargin = 0, gBottomMargin = 0;
    qint16 FitToDesktop = 1;
    qint16 ApplyToAllForms = 0;
};
Snapshot Take(const ProgramState& state);
void Restore(ProgramState& state, const Snapshot& snapshot);

} // namespace PageValues
