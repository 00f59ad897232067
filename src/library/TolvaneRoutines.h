#pragma once
#include <QString>

class Dialogs;

// Program identity and the error report shown by every procedure that traps an error.
namespace TolvaneRoutines {

QString ProductName();
QString WebAddress();
QString EmailAddress();
// "Version 1.0 Build 03" for version 1.0.3.
QString VersionText();
// Major, minor and revision written one after another: "103" for 1.0.3.
QString VersionDigits();

// Error numbers raised by the program, with their standard descriptions.
namespace ErrorNumber {
constexpr int InvalidArgument = 5;
constexpr int Overflow = 6;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int DeviceIOError = 57;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int InvalidPropertyValue = 380;
constexpr int PrinterError = 482;
} // namespace ErrorNumber

QString StandardErrorDescription(int errorNumber);
// The text of the error report box.
QString ErrorReportText(int errorNumber, const QString& context, const QString& additional);
QString ErrorReportTitle();
void ReportError(Dialogs& dialogs, int errorNumber, const QString& context,
                 const QString& additional);

} // namespace TolvaneRoutines
