#pragma once
#include <QString>

struct ProgramState;

// The values the options window edits besides the precedence: the check of the highlight
// limit, and the values its "OK" stores.
namespace OptionValues {

constexpr qint32 kLimitLow = 10;
constexpr qint32 kLimitHigh = 50000;

// The maximum number of highlighted terms as typed. An empty field counts as 0; a text that
// is not a whole number is refused like one below the limit.
struct LimitCheck {
    bool ok = false;
    qint32 value = 0;
    int message = 0;  // standard message to show when refused: 85 too high, 86 too low
    QString argument; // the limit it names
};
LimitCheck CheckHighlightLimit(const QString& text);

// Writes the program-wide values the options window edits to the settings store, each as
// the decimal text of its value; "ShowSplash" takes the given switch.
void Save(ProgramState& state, qint16 showSplash);

} // namespace OptionValues
