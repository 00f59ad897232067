#pragma once
#include <QByteArray>
#include <QString>

// The unscrambled download notice: five fields separated by tabs (the fifth is the rest of
// the text) that tell where audio Bibles can be downloaded.
//
//   1  "OK" when the service is available
//   2  the download address
//   3  "<<" + window caption + ">>" + message, or just the message
//   4  contact address, one space, contact text
//   5  second address, one space, its text
struct DownloadNotice {
    enum class Failure { None, MissingFields, CaptionMarks };

    bool available = false;
    QString downloadAddress;
    bool hasCaption = false;
    QString caption;
    QString message;
    QString contactAddress, contactText;
    QString secondAddress, secondText;

    // The notice from its Windows-1252 bytes. A notice with fewer than five fields, or whose
    // third field has ">>" before its third character, is refused.
    static DownloadNotice parse(const QByteArray& text, Failure* failure);

    // Addresses a notice may ask us to open: web addresses for the links; web or mail
    // addresses for the contact (a bare "name@host" is taken as a mail address). Anything
    // else (a local file, another scheme) gives an empty text and is shown, not opened.
    static QString safeWebAddress(const QString& address);
    static QString safeContactAddress(const QString& address);
};
