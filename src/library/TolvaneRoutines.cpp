#include "library/TolvaneRoutines.h"

#include "platform/Dialogs.h"

#include <map>

namespace TolvaneRoutines {

QString ProductName() { return QStringLiteral("Tolvane"); }

// The project has no site of its own yet; the reserved example domain keeps links harmless.
QString WebAddress() { return QStringLiteral("https://tolvane.example.org/"); }

QString EmailAddress() { return QStringLiteral("support@tolvane.example.org"); }

QString VersionText() {
    return QStringLiteral("Version %1.%2 Build 0%3")
        .arg(TOLVANE_VERSION_MAJOR)
        .arg(TOLVANE_VERSION_MINOR)
        .arg(TOLVANE_VERSION_PATCH);
}

QString VersionDigits() {
    return QStringLiteral("%1%2%3")
        .arg(TOLVANE_VERSION_MAJOR)
        .arg(TOLVANE_VERSION_MINOR)
        .arg(TOLVANE_VERSION_PATCH);
}

QString StandardErrorDescription(int errorNumber) {
    static const std::map<int, const char*> table = {
        {3, "Return without GoSub"},
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {11, "Division by zero"},
        {13, "Type mismatch"},
        {52, "Bad file name or number"},
        {53, "File not found"},
        {54, "Bad file mode"},
        {55, "File already open"},
        {57, "Device I/O error"},
        {58, "File already exists"},
        {61, "Disk full"},
        {62, "Input past end of file"},
        {67, "Too many files"},
        {68, "Device unavailable"},
        {70, "Permission denied"},
        {71, "Disk not ready"},
        {75, "Path/File access error"},
        {76, "Path not found"},
        {91, "Object variable not set"},
        {380, "Invalid property value"},
        {482, "Printer error"},
    };
    const auto it = table.find(errorNumber);
    if (it == table.end())
        return QStringLiteral("Application-defined or object-defined error");
    return QString::fromLatin1(it->second);
}

QString ErrorReportTitle() { return ProductName() + QStringLiteral(" Unforseen error."); }

QString ErrorReportText(int errorNumber, const QString& context, const QString& additional) {
    const QString nl = QStringLiteral("\r\n");
    return QStringLiteral("An Error has occured.") + nl +
           QStringLiteral("Module            : ") + context + QStringLiteral(".") + nl +
           QStringLiteral("Error Number  : ") + QString::number(errorNumber) + nl +
           QStringLiteral("Description      : ") + StandardErrorDescription(errorNumber) +
           QStringLiteral(".") + nl + QStringLiteral("Additional Info: ") + additional + nl + nl +
           QStringLiteral("If the error persists, please report it to us.") + nl +
           QStringLiteral("Select 'Help' then click 'Report a bug'.") + nl +
           QStringLiteral("You must give us a FULL DESCRIPTION of") + nl +
           QStringLiteral("the error or we will not be able to help you.");
}

void ReportError(Dialogs& dialogs, int errorNumber, const QString& context,
                 const QString& additional) {
    dialogs.show(Dialogs::Icon::Warning, ErrorReportTitle(),
                 ErrorReportText(errorNumber, context, additional));
}

} // namespace TolvaneRoutines
