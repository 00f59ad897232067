#include "PdfCheck.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace PdfCheck {
namespace {
QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

bool ToolsAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

int PageCount(const QString& pdf) {
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption);
    const auto m = pages.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF PageSize(const QString& pdf) {
    static const QRegularExpression size(
        QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+)"), QRegularExpression::MultilineOption);
    const auto m = size.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString Text(const QString& pdf) {
    // Ligatures ("fi" set as one glyph) come back as their compatibility characters.
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")})
        .normalized(QString::NormalizationForm_KC);
}

QList<Word> Words(const QString& pdf) {
    const QString html = run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression tag(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
        "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> out;
    int page = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        Word w;
        w.page = page;
        w.box = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        w.text = m.captured(5);
        out << w;
    }
    return out;
}

QRectF InkBox(const QList<Word>& words) {
    QRectF box;
    for (const Word& w : words)
        box = box.isNull() ? w.box : box.united(w.box);
    return box;
}

} // namespace PdfCheck
