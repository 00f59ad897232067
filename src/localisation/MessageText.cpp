#include "localisation/MessageText.h"

#include "library/FileFunctions.h"
#include "library/LineReader.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "platform/Win1252.h"
#include "platform/Dialogs.h"

namespace MessageText {

namespace {

enum class Scan { Found, NotFound, BadRecord, Unreadable };

// Finds the first record with the number; a record whose number field is not a number
// before it spoils the lookup, as it would for a translator's damaged file.
Scan findRecord(const QString& path, int number, QString& found) {
    LineReader reader(FileFunctions::resolve(path));
    if (!reader.isOpen())
        return Scan::Unreadable;
    // Number 0 is never looked for: the scan stops before reading a line, but only after
    // the file has been opened, so a missing file is still reported.
    if (number == 0)
        return Scan::Found;
    QByteArray line;
    while (reader.readLine(line)) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        bool ok = false;
        const int n = line.left(4).trimmed().toInt(&ok);
        if (!ok)
            return Scan::BadRecord;
        if (n == number) {
            found = Win1252::decode(line);
            return Scan::Found;
        }
    }
    return Scan::NotFound;
}

} // namespace

QString MessageFilePath(const ProgramState& state, int kind) {
    return state.MessageFolder + state.LanguagePrefix +
           (kind == Standard ? QStringLiteral("STD") : QStringLiteral("FRM")) +
           QStringLiteral(".mes");
}

QString ExpandRecord(const QString& line, const QString& argument) {
    QString text = line;
    text.replace(QStringLiteral("^^"), QStringLiteral("\r\n"));
    int from = 0;
    for (;;) {
        const int at = text.indexOf('%', from);
        if (at < 0)
            break;
        text.replace(at, 1, argument);
        from = at + argument.size();
    }
    return text.mid(5);
}

QString DebugForm(const QString& text, int number) {
    // Whole-number arithmetic: 0.7 * 90 in floating point falls just short of 63.
    const qsizetype keep = text.size() * 7 / 10;
    return text.left(keep) + QString::number(number);
}

QString GetMessageText(const ProgramState& state, int kind, int number, const QString& argument) {
    const QString path = MessageFilePath(state, kind);
    if (!FileFunctions::FileExists(path))
        state.dialogs.show(Dialogs::Icon::Critical, TolvaneRoutines::ProductName(),
                           QStringLiteral("Serious Error!'") + QStringLiteral("\r\n") + path +
                               QStringLiteral("' missing."));
    QString line;
    const Scan scan = findRecord(path, number, line);
    switch (scan) {
    case Scan::Found:
        break;
    case Scan::NotFound:
        line = QStringLiteral("     MESSAGE: ") + QString::number(number) +
               QStringLiteral(" FILE: ") + path + QStringLiteral(" NOT FOUND!!");
        break;
    case Scan::BadRecord:
    case Scan::Unreadable:
        state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                           QStringLiteral("Error in language file with message ") +
                               QString::number(number) + QStringLiteral("."));
        return QString();
    }
    const QString text = ExpandRecord(line, argument);
    return state.DebugMode ? DebugForm(text, number) : text;
}

} // namespace MessageText
