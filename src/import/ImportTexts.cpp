#include "import/ImportTexts.h"

#include "localisation/MessageText.h"

namespace ImportTexts {

namespace Msg {
// Standard messages.
constexpr int NotFound = 530;
constexpr int FirstRefusal = 531; // UnsupportedKind; the refusals follow in their order
constexpr int ReplaceQuestion = 543;
constexpr int Imported = 544;
constexpr int Replaced = 545;
constexpr int LeftOut = 546;
constexpr int Cancelled = 547;
constexpr int Failed = 548;
constexpr int NotSwordFolder = 549;
// Form texts.
constexpr int FirstKind = 1036; // Bible, Commentary, Dictionary, Other
constexpr int Yes = 1040;
} // namespace Msg

QString Kind(const ProgramState& state, SwordModuleInfo::Kind kind) {
    return MessageText::Frm(state, Msg::FirstKind + int(kind));
}

QString Importable(const ProgramState& state, ImportRefusal refusal, const QString& detail) {
    if (refusal == ImportRefusal::None)
        return MessageText::Frm(state, Msg::Yes);
    return MessageText::Std(
        state, Msg::FirstRefusal + int(refusal) - int(ImportRefusal::UnsupportedKind), detail);
}

QStringList Row(const ProgramState& state, const SwordModuleInfo& info) {
    return {info.name, info.description, Kind(state, info.kind), info.language,
            Importable(state, info)};
}

QString ReplaceQuestion(const ProgramState& state, const ModuleImporter::Outcome& outcome) {
    return MessageText::Std(state, Msg::ReplaceQuestion,
                            outcome.description + QStringLiteral(" (") + outcome.code +
                                QLatin1Char(')'));
}

QString Outcome(const ProgramState& state, const ModuleImporter::Outcome& o) {
    using Status = ModuleImporter::Status;
    const QString module = o.name;
    switch (o.status) {
    case Status::Imported: {
        QString text = MessageText::Std(state, Msg::Imported,
                                        o.description + QStringLiteral(" (") + o.code +
                                            QStringLiteral(".txt, ") + QString::number(o.lines) +
                                            QLatin1Char(')'));
        if (o.charactersReplaced > 0)
            text += QStringLiteral("\r\n") +
                    MessageText::Std(state, Msg::Replaced, QString::number(o.charactersReplaced));
        if (!o.booksLeftOut.isEmpty())
            text +=
                QStringLiteral("\r\n") +
                MessageText::Std(state, Msg::LeftOut, o.booksLeftOut.join(QStringLiteral(", ")));
        return text;
    }
    case Status::Exists:
        return ReplaceQuestion(state, o);
    case Status::Refused:
        return module + QStringLiteral(": ") + Importable(state, o.refusal, o.detail);
    case Status::Cancelled:
        return MessageText::Std(state, Msg::Cancelled, module);
    case Status::Failed:
        return MessageText::Std(state, Msg::Failed, module + QStringLiteral(": ") + o.failure);
    case Status::NotFound:
        break;
    }
    return NotFound(state, module);
}

QString NotFound(const ProgramState& state, const QString& name) {
    return MessageText::Std(state, Msg::NotFound, name);
}

QString NotSwordFolder(const ProgramState& state, const QString& folder) {
    return MessageText::Std(state, Msg::NotSwordFolder, folder);
}

} // namespace ImportTexts
