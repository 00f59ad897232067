#include "PrintTestText.h"

#include <QFont>
#include <QRegularExpression>
#include <QStringList>
#include <QTextDocument>

namespace PrintTestText {

QString Verses(int paragraphs) {
    static const char* const kWords[] = {
        "beginning", "created", "heaven", "earth", "without", "form", "void", "darkness",
        "upon", "face", "deep", "spirit", "moved", "waters", "light", "divided", "evening",
        "morning", "firmament", "midst", "gathered", "together", "place", "appear", "dry",
        "land", "seas", "grass", "herb", "yielding", "seed", "fruit", "tree", "kind"};
    QStringList out;
    int w = 0;
    for (int p = 1; p <= paragraphs; ++p) {
        QStringList words{QStringLiteral("Verse %1:").arg(p)};
        for (int i = 0; i < 40; ++i)
            words << QString::fromLatin1(kWords[w++ % (sizeof kWords / sizeof *kWords)]);
        out << words.join(QLatin1Char(' ')) + QLatin1Char('.');
    }
    return out.join(QLatin1Char('\n'));
}

void Fill(QTextDocument& document, const QString& text) {
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Serif"), 12));
    document.setPlainText(text);
}

QStringList Words(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.split(space, Qt::SkipEmptyParts);
}

} // namespace PrintTestText
