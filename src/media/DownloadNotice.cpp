#include "media/DownloadNotice.h"

#include "platform/Win1252.h"

#include <QRegularExpression>
#include <QUrl>

namespace {
const QChar kTab(u'\t');

// Splits "address text" at its first space; without a space there is neither.
void splitAddress(const QString& field, QString& address, QString& text) {
    const qsizetype space = field.indexOf(QLatin1Char(' '));
    if (space < 0)
        return;
    address = field.left(space);
    text = field.mid(space + 1);
}
} // namespace

DownloadNotice DownloadNotice::parse(const QByteArray& bytes, Failure* failure) {
    DownloadNotice n;
    auto fail = [&](Failure f) {
        if (failure)
            *failure = f;
        return DownloadNotice();
    };
    const QString text = Win1252::decode(bytes);
    const QStringList fields = text.split(kTab);
    if (fields.size() < 5)
        return fail(Failure::MissingFields);
    n.available = fields.at(0) == QLatin1String("OK");
    n.downloadAddress = fields.at(1);
    const QString& third = fields.at(2);
    const qsizetype close = third.indexOf(QLatin1String(">>"));
    if (third.contains(QLatin1String("<<")) && close >= 0) {
        // The caption runs from the third character up to the first ">>".
        if (close < 2)
            return fail(Failure::CaptionMarks);
        n.hasCaption = true;
        n.caption = third.mid(2, close - 2);
        n.message = third.mid(close + 2);
    } else {
        n.message = third;
    }
    splitAddress(fields.at(3), n.contactAddress, n.contactText);
    splitAddress(fields.mid(4).join(kTab), n.secondAddress, n.secondText);
    if (failure)
        *failure = Failure::None;
    return n;
}

QString DownloadNotice::safeWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QString();
    return url.toString();
}

QString DownloadNotice::safeContactAddress(const QString& address) {
    static const QRegularExpression bareMail(
        QStringLiteral(R"(^[A-Za-z0-9._%+-]+@[A-Za-z0-9-]+(\.[A-Za-z0-9-]+)+$)"));
    if (bareMail.match(address).hasMatch())
        return QStringLiteral("mailto:") + address;
    const QUrl url(address, QUrl::StrictMode);
    // A plain mail address only: fields such as "?attach=" are not passed on.
    if (url.isValid() && url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0 &&
        !url.hasQuery() && !url.hasFragment() && bareMail.match(url.path()).hasMatch())
        return url.toString();
    return safeWebAddress(address);
}
