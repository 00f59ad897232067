#include "import/NearestWin1252.h"

#include "platform/Win1252.h"

namespace {

struct Near {
    char32_t from;
    const char* to; // Windows-1252 text (ASCII here); empty: the character is dropped
};

// Characters whose nearest form the decomposition does not give: punctuation, spaces of
// other widths, and letters whose mark is part of the letter.
constexpr Near kTable[] = {
    {0x2010, "-"}, {0x2011, "-"}, {0x2012, "-"},    {0x2015, "\x97"}, {0x2212, "-"},
    {0x2192, "-"}, {0x2032, "'"}, {0x2033, "\""},   {0x02BC, "'"},    {0x02BB, "'"},
    {0x02BE, "'"}, {0x02BF, "'"}, {0x02C8, "'"},    {0x201B, "'"},    {0x201F, "\""},
    {0x2002, " "}, {0x2003, " "}, {0x2009, " "},    {0x202F, " "},    {0x2007, " "},
    {0x2008, " "}, {0x200A, " "}, {0x200B, ""},     {0x200C, ""},     {0x200D, ""},
    {0x200E, ""},  {0x200F, ""},  {0xFEFF, ""},     {0x2060, ""},     {0x0142, "l"},
    {0x0141, "L"}, {0x0111, "d"}, {0x0110, "D"},    {0x0127, "h"},    {0x0126, "H"},
    {0x0131, "i"}, {0x0140, "l"}, {0x013F, "L"},    {0x0167, "t"},    {0x0166, "T"},
    {0x0180, "b"}, {0x0268, "i"}, {0x017F, "s"},    {0x0138, "k"},    {0x0149, "'n"},
    {0x014B, "n"}, {0x014A, "N"}, {0x0253, "b"},    {0x0257, "d"},    {0x01B4, "y"},
    {0x2044, "/"}, {0x2215, "/"}, {0x2027, "\xB7"},
};

bool isCombining(char32_t c) {
    const QChar::Category cat = QChar::category(c);
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
           cat == QChar::Mark_Enclosing;
}

// The first script that is neither common to all scripts nor inherited from its base.
QChar::Script scriptOf(char32_t c) {
    const QChar::Script s = QChar::script(c);
    return s == QChar::Script_Common || s == QChar::Script_Inherited ? QChar::Script_Unknown : s;
}

} // namespace

QString NearestWin1252::scriptName(QChar::Script script) {
    static const struct {
        QChar::Script script;
        const char* name;
    } kNames[] = {
        {QChar::Script_Greek, "Greek"},       {QChar::Script_Cyrillic, "Cyrillic"},
        {QChar::Script_Hebrew, "Hebrew"},     {QChar::Script_Arabic, "Arabic"},
        {QChar::Script_Syriac, "Syriac"},     {QChar::Script_Armenian, "Armenian"},
        {QChar::Script_Georgian, "Georgian"}, {QChar::Script_Coptic, "Coptic"},
        {QChar::Script_Ethiopic, "Ethiopic"}, {QChar::Script_Devanagari, "Devanagari"},
        {QChar::Script_Bengali, "Bengali"},   {QChar::Script_Tamil, "Tamil"},
        {QChar::Script_Telugu, "Telugu"},     {QChar::Script_Malayalam, "Malayalam"},
        {QChar::Script_Thai, "Thai"},         {QChar::Script_Han, "Chinese"},
        {QChar::Script_Hangul, "Korean"},     {QChar::Script_Hiragana, "Japanese"},
        {QChar::Script_Katakana, "Japanese"}, {QChar::Script_Latin, "Latin"},
    };
    for (const auto& n : kNames)
        if (n.script == script)
            return QLatin1String(n.name);
    return QStringLiteral("non-Latin");
}

ImportRefusal NearestWin1252::verdict(QString* detail) const {
    if (m_unrepresentable * 200 > m_letters) {
        if (detail)
            *detail = scriptName(m_firstScript);
        return ImportRefusal::Script;
    }
    if (m_lettersReplaced * 100 > m_letters) {
        if (detail)
            *detail = QString::number((m_lettersReplaced * 100 + m_letters - 1) / m_letters);
        return ImportRefusal::TooManyChanges;
    }
    return ImportRefusal::None;
}

QString NearestWin1252::nearest(char32_t c, bool* dropped) {
    if (dropped)
        *dropped = false;
    for (const Near& n : kTable) {
        if (n.from != c)
            continue;
        if (dropped && !*n.to)
            *dropped = true;
        return Win1252::decode(QByteArray(n.to));
    }
    // Marks on their own carry nothing the code page can show.
    if (isCombining(c)) {
        if (dropped)
            *dropped = true;
        return QString();
    }
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString kept;
    for (QChar d : decomposed) {
        if (isCombining(d.unicode()))
            continue;
        if (Win1252::encodeChar(d) < 0)
            return QString();
        kept += d;
    }
    return kept;
}

void NearestWin1252::encodeOther(char32_t c, QByteArray& out) {
    if (QChar::isLetter(c))
        ++m_letters;
    if (c <= 0xFFFF) {
        const int b = Win1252::encodeChar(QChar(char16_t(c)));
        if (b >= 0) {
            out.append(char(b));
            return;
        }
    }
    bool dropped = false;
    const QString near = nearest(c, &dropped);
    if (!near.isEmpty() || dropped) {
        ++m_replaced;
        if (QChar::isLetter(c))
            ++m_lettersReplaced;
        out.append(Win1252::encode(near));
        return;
    }
    ++m_unrepresentable;
    if (m_firstScript == QChar::Script_Unknown)
        m_firstScript = scriptOf(c);
    out.append('?');
}

QByteArray NearestWin1252::encode(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    const QChar* p = text.constData();
    const QChar* const end = p + text.size();
    while (p < end) {
        const char16_t u = p->unicode();
        if (u < 0x80) {
            if ((u | 0x20) >= 'a' && (u | 0x20) <= 'z')
                ++m_letters;
            out.append(char(u));
            ++p;
            continue;
        }
        char32_t c = u;
        if (QChar::isHighSurrogate(u) && p + 1 < end && p[1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(u, p[1].unicode());
            ++p;
        }
        ++p;
        encodeOther(c, out);
    }
    return out;
}
