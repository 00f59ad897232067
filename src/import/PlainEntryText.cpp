#include "import/PlainEntryText.h"

namespace PlainEntryText {

namespace {

bool isClosingPunctuation(QChar c) {
    static const QString kClosing = QStringLiteral(",.;:!?)]}\u2019\u201D\u00BB'\"");
    return kClosing.contains(c);
}

QString resolveSoftBlanks(const QString& text) {
    if (!text.contains(QChar(kSoftBlank)))
        return text;
    QString out;
    out.reserve(text.size());
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QChar(kSoftBlank)) {
            out += c;
            continue;
        }
        int j = i + 1;
        while (j < n && text.at(j) == QChar(kSoftBlank))
            ++j;
        const bool wordBefore = !out.isEmpty() && !out.back().isSpace();
        const bool wordAfter = j < n && !text.at(j).isSpace() && !isClosingPunctuation(text.at(j));
        if (wordBefore && wordAfter)
            out += QLatin1Char(' ');
        i = j - 1;
    }
    return out;
}

QString replaceEach(QString text, QChar from, QChar to, int* count) {
    const int n = int(text.count(from));
    if (n > 0) {
        text.replace(from, to);
        if (count)
            *count += n;
    }
    return text;
}

QString lastWord(const QString& text) {
    qsizetype start = text.size();
    while (start > 0 &&
           (text.at(start - 1).isLetterOrNumber() || text.at(start - 1) == QLatin1Char('_')))
        --start;
    return text.mid(start);
}

// Whether a supplied word is a Spanish object pronoun that the word before it, a verb form,
// takes as its ending.
bool isEncliticAfterVerb(const QString& added, const QString& before) {
    static const QStringList kPronouns = {
        QStringLiteral("lo"),   QStringLiteral("la"),    QStringLiteral("le"),
        QStringLiteral("los"),  QStringLiteral("las"),   QStringLiteral("les"),
        QStringLiteral("me"),   QStringLiteral("te"),    QStringLiteral("se"),
        QStringLiteral("nos"),  QStringLiteral("os"),    QStringLiteral("selo"),
        QStringLiteral("sela"), QStringLiteral("selos"), QStringLiteral("selas"),
        QStringLiteral("melo"), QStringLiteral("mela"),  QStringLiteral("telo"),
        QStringLiteral("tela"), QStringLiteral("noslo"), QStringLiteral("oslo")};
    // Words after which such a pronoun stands on its own ("y la declaró").
    static const QStringList kNotVerbs = {
        QStringLiteral("y"),      QStringLiteral("e"),      QStringLiteral("o"),
        QStringLiteral("u"),      QStringLiteral("que"),    QStringLiteral("como"),
        QStringLiteral("no"),     QStringLiteral("ni"),     QStringLiteral("si"),
        QStringLiteral("lo"),     QStringLiteral("la"),     QStringLiteral("le"),
        QStringLiteral("los"),    QStringLiteral("las"),    QStringLiteral("les"),
        QStringLiteral("se"),     QStringLiteral("me"),     QStringLiteral("te"),
        QStringLiteral("nos"),    QStringLiteral("os"),     QStringLiteral("dios"),
        QStringLiteral("ellos"),  QStringLiteral("ellas"),  QStringLiteral("gentes"),
        QStringLiteral("cuánto"), QStringLiteral("cuándo"), QStringLiteral("jehová"),
        QStringLiteral("josué"),  QStringLiteral("quién"),  QStringLiteral("él"),
        QStringLiteral("mas"),    QStringLiteral("pues"),   QStringLiteral("ya"),
        QStringLiteral("aun"),    QStringLiteral("aún"),    QStringLiteral("también"),
        QStringLiteral("donde"),  QStringLiteral("cuando"), QStringLiteral("porque"),
        QStringLiteral("cual"),   QStringLiteral("quien"),  QStringLiteral("más"),
        QStringLiteral("así")};
    static const QStringList kShortVerbs = {
        QStringLiteral("di"),  QStringLiteral("dí"),  QStringLiteral("haz"), QStringLiteral("da"),
        QStringLiteral("he"),  QStringLiteral("fué"), QStringLiteral("fue"), QStringLiteral("ve"),
        QStringLiteral("pon"), QStringLiteral("sal"), QStringLiteral("ten"), QStringLiteral("ven"),
        QStringLiteral("oid"), QStringLiteral("dad")};
    static const QStringList kEndings = {
        QStringLiteral("ar"),  QStringLiteral("er"), QStringLiteral("ir"), QStringLiteral("ír"),
        QStringLiteral("ndo"), QStringLiteral("ad"), QStringLiteral("ed"), QStringLiteral("id")};
    static const QString kAccented = QStringLiteral("áéíóúÁÉÍÓÚ");
    if (!kPronouns.contains(added.trimmed().toLower()))
        return false;
    const QString w = before.toLower();
    if (w.isEmpty() || kNotVerbs.contains(w))
        return false;
    if (kShortVerbs.contains(w))
        return true;
    for (const QString& e : kEndings)
        if (w.endsWith(e))
            return true;
    // A written accent before the last letter marks a verb with a pronoun already attached
    // or a stressed verb form (sáca, díjo, aláben).
    for (qsizetype i = 0; i + 1 < w.size(); ++i)
        if (kAccented.contains(w.at(i)))
            return true;
    return kAccented.contains(w.back()) && w.size() > 2;
}

} // namespace

QString tidy(const QString& text) {
    QString t = resolveSoftBlanks(text);
    t.replace(QChar(kAmpersand), QLatin1Char('&'));
    t.replace(QChar(kLessThan), QLatin1Char('<'));
    t.replace(QChar(kGreaterThan), QLatin1Char('>'));
    return t.simplified();
}

QString verse(const QString& text, bool spanish) {
    QString t = text;
    t.replace(QLatin1Char('\n'), QChar(kSoftBlank));
    return tidy(addedWords(t, spanish));
}

QString addedWords(const QString& text, bool spanish) {
    if (!text.contains(QChar(kAddedOpen)))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QChar(kAddedClose))
            continue;
        if (c != QChar(kAddedOpen)) {
            out += c;
            continue;
        }
        qsizetype close = text.indexOf(QChar(kAddedClose), i + 1);
        if (close < 0)
            close = n;
        const QString inner = text.mid(i + 1, close - i - 1);
        if (!out.isEmpty() && out.back().isLetter() &&
            !(spanish && isEncliticAfterVerb(inner, lastWord(out))))
            out += QLatin1Char(' ');
        out += inner;
        i = close;
        if (i + 1 < n) {
            const QChar next = text.at(i + 1);
            if (next.isLetter() || QStringLiteral("\u00BF\u00A1(\u201C\u2018").contains(next))
                out += QLatin1Char(' ');
        }
    }
    return out;
}

QStringList paragraphs(const QString& text) {
    QStringList out;
    for (const QString& part : text.split(QLatin1Char('\n'))) {
        const QString p = tidy(part);
        if (!p.isEmpty())
            out.append(p);
    }
    return out;
}

QString commentary(const QString& text, int* replaced) {
    QString t = replaceEach(text, QChar(0xE3), QLatin1Char('a'), replaced);
    t = replaceEach(t, QLatin1Char('['), QLatin1Char('('), replaced);
    t = replaceEach(t, QLatin1Char(']'), QLatin1Char(')'), replaced);
    return paragraphs(t).join(QStringLiteral("\u00E3 "));
}

QString words(const QString& text) {
    QString t = text;
    for (char16_t mark : {kIntroEnd, kAddedOpen, kAddedClose})
        t.remove(QChar(mark));
    t.replace(QLatin1Char('\n'), QChar(kSoftBlank));
    return definition(t, Resolver());
}

QStringList links(const QString& text) {
    QStringList out;
    for (qsizetype at = text.indexOf(QChar(kLinkOpen)); at >= 0;
         at = text.indexOf(QChar(kLinkOpen), at + 1)) {
        const qsizetype close = text.indexOf(QChar(kLinkClose), at + 1);
        if (close < 0)
            break;
        out.append(text.mid(at + 1, close - at - 1));
    }
    return out;
}

QString definition(const QString& text, const Resolver& resolve, int* resolved, int* unresolved,
                   int* replaced) {
    QString t = replaceEach(text, QLatin1Char('\t'), QLatin1Char(' '), replaced);
    t = replaceEach(t, QLatin1Char('|'), QLatin1Char('/'), replaced);
    t = replaceEach(t, QChar(0xAF), QLatin1Char('-'), replaced);
    QString out;
    out.reserve(t.size() + 16);
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t.at(i) != QChar(kLinkOpen)) {
            out += t.at(i);
            continue;
        }
        qsizetype close = t.indexOf(QChar(kLinkClose), i + 1);
        if (close < 0)
            close = t.size();
        const int number = resolve ? resolve(t.mid(i + 1, close - i - 1)) : 0;
        if (number > 0) {
            out += QStringLiteral(" \u00AF n\u00B0") +
                   QString::number(number).rightJustified(5, QLatin1Char('0'));
            if (resolved)
                ++*resolved;
        } else if (unresolved) {
            ++*unresolved;
        }
        i = close;
    }
    return paragraphs(out).join(QLatin1Char('|'));
}

} // namespace PlainEntryText
