#pragma once
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/ConsoleDialogs.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

// What every subcommand of tolvane-cli shares: exit codes, output in UTF-8, errors on the
// error stream, and a program folder loaded as the main window's start-up loads it.
namespace Cli {

constexpr int kOk = 0;      // found, matched, unchanged
constexpr int kNothing = 1; // nothing matched or found
constexpr int kUsage = 2;   // bad arguments, or no usable program folder

void printError(const QString& text);
// Writes text to standard output as UTF-8, as it stands.
void writeOut(const QString& text);
// One line of error text, then the subcommand's usage; returns kUsage.
int usage(const QString& error, const char* usageText);
// One line of error text naming where the options are explained; returns kUsage.
int refuse(const QString& error, const char* command);
// One line of error text for a program folder or module that is not there; returns kUsage.
int missing(const QString& error);

// A command's options: "--name value" pairs, "--flag" switches and the words left over.
struct Arguments {
    QStringList words;
    QHash<QString, QString> values;
    QSet<QString> flags;
    bool has(const QString& flag) const { return flags.contains(flag); }
    QString value(const QString& name, const QString& def = QString()) const {
        return values.value(name, def);
    }
};
// Splits args (the words after the subcommand) by the given option names; "--" ends the
// options. False, with an error text, for an unknown option or a value missing.
bool parse(const QStringList& args, const QStringList& valueOptions, const QStringList& flags,
           Arguments& out, QString& error);
// A whole number in [low, high], or nothing.
std::optional<int> toInt(const QString& text, int low, int high);

// The program-wide state over a throw-away settings store: the command line never touches
// the user's own settings. The catalogues and module folders are loaded by load().
class Session {
public:
    Session();
    ProgramState& state() { return m_state; }
    // folder empty: the program folder next to tolvane-cli. False with an error text when it
    // is not a program folder or holds no usable Bible.
    bool load(const QString& folder, QString& error);

private:
    QTemporaryDir m_settingsDir;
    SettingsStore m_store;
    ConsoleDialogs m_dialogs;
    ProgramState m_state;
};

} // namespace Cli
