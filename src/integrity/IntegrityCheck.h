#pragma once
#include <QString>
#include <QVector>
#include <functional>

struct ProgramState;

// The module integrity check: each installed module file's check value is recorded in
// SysDefsFolder + "CRC_" + file name on its first check and compared on later ones; a changed
// file loses its verse index. The text it produces is what the results pane shows and what
// tolvane-cli check prints.
class IntegrityCheck {
public:
    enum class Kind { Bibles, Commentaries, Dictionary, Names };
    enum class Outcome {
        Unchanged, // value equals the recorded one
        Recorded,  // no CRC file yet: the value was recorded now
        Changed,   // value differs: the verse index was deleted
        Problem,   // unreadable module or damaged CRC file: nothing recorded or deleted
        Empty      // no module of the kind in its list slot: nothing checked
    };
    struct Result {
        Outcome outcome = Outcome::Empty;
        QString report;
    };
    struct Module {
        QString displayName;
        QString fileName;
    };
    struct ModuleList {
        QString folder;
        QVector<Module> modules; // an entry with an empty file name is an empty slot
    };

    // What the check appends, piece by piece: a progress line before each module (the pane
    // repaints after it), each report, and the closing "DONE!".
    enum class Piece { Progress, Report, Done };
    using Append = std::function<void(const QString& text, Piece piece)>;

    explicit IntegrityCheck(ProgramState& state) : m_state(state) {}

    static ModuleList Modules(const ProgramState& state, Kind kind);
    // Whether the kind's menu item is enabled: Bibles always, the others while their folder
    // holds a ".txt" file.
    static bool KindAvailable(const ProgramState& state, Kind kind);
    static QString ProgressLine(const QString& folder, const QString& file,
                                const QString& displayName);
    static QString CrcFilePath(const ProgramState& state, const QString& file);

    // Checks one file, records or compares its value, deletes its verse index when changed.
    Result CheckModuleCrc(const QString& folder, const QString& file);

    // One menu item: every module of the kind in list order, then "DONE!".
    void RunKind(Kind kind, const Append& append);
    // "All": the four kinds in order, each while its menu item is enabled.
    void RunAll(const Append& append);

    // Counts since construction.
    int changedCount() const { return m_changed; }
    int problemCount() const { return m_problems; }

private:
    ProgramState& m_state;
    int m_changed = 0;
    int m_problems = 0;
};
