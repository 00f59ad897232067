#pragma once
#include <QString>

struct ProgramState;

// Interface texts by set and number from the chosen language's message files.
// Kind 0: standard messages (prefix + "STD.mes"); kind 1: form texts (prefix + "FRM.mes").
// Nothing is cached: translators can edit a file while the program runs.
namespace MessageText {

enum Kind { Standard = 0, Form = 1 };

QString MessageFilePath(const ProgramState& state, int kind);

// The text with "^^" as CR LF and each "%" replaced by the argument. Problems with the file
// are shown in boxes and give an empty text.
QString GetMessageText(const ProgramState& state, int kind, int number,
                       const QString& argument = QString());

// Shorthands used by the windows.
inline QString Std(const ProgramState& s, int n, const QString& arg = QString()) {
    return GetMessageText(s, Standard, n, arg);
}
inline QString Frm(const ProgramState& s, int n, const QString& arg = QString()) {
    return GetMessageText(s, Form, n, arg);
}

// The replacement rules alone, for a record already found (exposed for tests and tools).
QString ExpandRecord(const QString& line, const QString& argument);
QString DebugForm(const QString& text, int number);

} // namespace MessageText
