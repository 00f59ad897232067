#pragma once
#include "import/SwordModuleInfo.h"

#include <QByteArray>
#include <QChar>
#include <QString>

// Windows-1252 bytes for module text that may hold characters outside the code page. Each
// such character becomes its nearest Windows-1252 character: a table for punctuation and the
// letters whose accent is part of the letter (a stroke, a bar), otherwise the letter without
// its accents. Characters with no near form (Greek, Hebrew, Cyrillic ...) become '?' and are
// counted apart, since the text then is in a script the code page cannot hold.
class NearestWin1252 {
public:
    QByteArray encode(const QString& text);

    // Replaced by a near character, and with no near character at all.
    qint64 replaced() const { return m_replaced; }
    qint64 unrepresentable() const { return m_unrepresentable; }
    // Letters seen, the measure for the two counts.
    qint64 letters() const { return m_letters; }
    // The script of the first character without a near form (QChar::Script_Unknown if none).
    QChar::Script firstScript() const { return m_firstScript; }

    // Whether text with these counts may come into the library: not when more than one
    // letter in 200 has no near form (Script; detail: the script's name), nor when more than
    // one in 100 would change (TooManyChanges; detail: how many in 100). A few changed
    // characters are fine: they are counted and reported.
    ImportRefusal verdict(QString* detail = nullptr) const;
    static QString scriptName(QChar::Script script);

    // The near text for one character outside the code page, empty when there is none (or
    // when the character is one that is dropped, such as a zero-width space: *dropped).
    static QString nearest(char32_t c, bool* dropped = nullptr);

private:
    void encodeOther(char32_t c, QByteArray& out);

    qint64 m_replaced = 0;
    qint64 m_unrepresentable = 0;
    qint64 m_letters = 0;
    qint64 m_lettersReplaced = 0;
    QChar::Script m_firstScript = QChar::Script_Unknown;
};
