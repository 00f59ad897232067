// tolvane-cli notice: the download notice, read as the audio window reads it, or made.
//
// Reads a fetched notice (FILE, or "-" for standard input), unscrambles it and prints its
// fields one a line as the notice window uses them: "available", "download", "caption",
// "message", "contact", "second", each "name TAB value"; addresses the window would refuse
// to open are printed with "(refused)". With --scramble, reads a plain notice instead and
// writes it scrambled, ready to be served. Exit status: 0 on success, 1 for a notice that
// cannot be read (the window shows its error text then), 2 for bad arguments.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "platform/Win1252.h"
#include "media/DownloadNotice.h"
#include "media/NoticeCipher.h"

#include <QFile>
#include <cstdio>

const char* const Cli::kNoticeUsage =
    "usage: tolvane-cli notice [--scramble] FILE|-\n"
    "  --scramble  scramble a plain notice (five tab-separated fields) for serving\n";

namespace {
QString address(const QString& raw, const QString& safe) {
    return safe.isEmpty() && !raw.isEmpty() ? raw + QStringLiteral(" (refused)") : safe;
}
} // namespace

int Cli::runNotice(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {}, {QStringLiteral("--scramble")}, a, error))
        return usage(error, kNoticeUsage);
    if (a.words.size() != 1)
        return usage(QStringLiteral("one notice file, or - for standard input"), kNoticeUsage);
    QFile in;
    const bool ok = a.words.first() == QLatin1String("-")
                        ? in.open(stdin, QIODevice::ReadOnly)
                        : (in.setFileName(a.words.first()), in.open(QIODevice::ReadOnly));
    if (!ok)
        return usage(QStringLiteral("cannot read ") + a.words.first(), kNoticeUsage);
    const QByteArray bytes = in.read(1024 * 1024);
    if (a.has(QStringLiteral("--scramble"))) {
        QByteArray plain = bytes;
        while (plain.endsWith('\n') || plain.endsWith('\r'))
            plain.chop(1);
        const QByteArray out = NoticeCipher::scramble(plain);
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
        return kOk;
    }
    const NoticeCipher::Result plain = NoticeCipher::unscramble(bytes);
    DownloadNotice::Failure failure = DownloadNotice::Failure::MissingFields;
    const DownloadNotice n =
        plain.ok() ? DownloadNotice::parse(plain.text, &failure) : DownloadNotice();
    if (!plain.ok() || failure != DownloadNotice::Failure::None) {
        printError(plain.ok() ? QStringLiteral("the notice lacks fields or its caption is malformed")
                              : QStringLiteral("the notice cannot be unscrambled (group %1)")
                                    .arg(plain.group));
        return kNothing;
    }
    writeOut(QStringLiteral("available\t%1\ndownload\t%2\ncaption\t%3\nmessage\t%4\n"
                            "contact\t%5\t%6\nsecond\t%7\t%8\n")
                 .arg(n.available ? QStringLiteral("yes") : QStringLiteral("no"),
                      address(n.downloadAddress, DownloadNotice::safeWebAddress(n.downloadAddress)),
                      n.caption, n.message,
                      address(n.contactAddress,
                              DownloadNotice::safeContactAddress(n.contactAddress)),
                      n.contactText,
                      address(n.secondAddress, DownloadNotice::safeWebAddress(n.secondAddress)),
                      n.secondText));
    return kOk;
}
