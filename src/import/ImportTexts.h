#pragma once
#include "import/ModuleImporter.h"
#include "import/SwordModuleInfo.h"

#include <QString>
#include <QStringList>

struct ProgramState;

// The texts the import window and `tolvane-cli import` show, from the message files.
namespace ImportTexts {

// "Bible", "Commentary", "Dictionary", "Other".
QString Kind(const ProgramState& state, SwordModuleInfo::Kind kind);
// "Yes", or "No: " and why not.
QString Importable(const ProgramState& state, ImportRefusal refusal, const QString& detail);
inline QString Importable(const ProgramState& state, const SwordModuleInfo& info) {
    return Importable(state, info.refusal, info.detail);
}
// The columns of a module's row in the import window's list, and of its line in
// `tolvane-cli import --list`: name, description, kind, language, whether it can be imported.
QStringList Row(const ProgramState& state, const SwordModuleInfo& info);

// The question asked before an earlier import is replaced.
QString ReplaceQuestion(const ProgramState& state, const ModuleImporter::Outcome& outcome);
// What became of one import, one line per fact (CR LF between lines).
QString Outcome(const ProgramState& state, const ModuleImporter::Outcome& outcome);
// No module of that name in the SWORD folders.
QString NotFound(const ProgramState& state, const QString& name);
QString NotSwordFolder(const ProgramState& state, const QString& folder);

} // namespace ImportTexts
