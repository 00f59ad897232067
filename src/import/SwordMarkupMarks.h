#pragma once
#include <swbasicfilter.h>
#include <swoptfilter.h>

#include <QString>

// The filter Tolvane puts in front of libsword's own option filters (an option filter that is
// always on: raw filters would see a compressed module's bytes still compressed). Those turn the
// markup into plain text and drop footnotes, Strong's numbers and headings; this one keeps what the
// plain text would otherwise lose:
//  - the divine name, printed in small capitals, is written in capitals;
//  - where a dropped footnote, heading or speaker stood between two words, and after each
//    block element, a soft blank (or, for commentaries and dictionaries, a line break) keeps
//    the words apart;
//  - a link to another entry of the same module is followed by a link mark holding its key;
//  - character references are resolved here, "&", "<" and ">" as marks of their own, since
//    one of libsword's filters drops "&amp;" and any later filter would read "<" as markup.
// It also notes whether the entry it was given was empty, which tells a damaged data file from
// an entry that is empty by design.
class SwordMarkupMarks : public sword::SWOptionFilter, public sword::SWBasicFilter {
public:
    enum class Mode { Verses, Paragraphs, Entries };

    // moduleName: links naming another module are left alone. latin1: the module's text is
    // Latin-1, not UTF-8 (upper-casing must know).
    SwordMarkupMarks(Mode mode, const QString& moduleName, bool latin1);

    char processText(sword::SWBuf& text, const sword::SWKey* key = nullptr,
                     const sword::SWModule* module = nullptr) override;

    // The length of the text given to the first call since startEntry(), before any change;
    // -1 when there was no call.
    void startEntry() { m_lastInputLength = -1; }
    long lastInputLength() const { return m_lastInputLength; }

protected:
    sword::BasicFilterUserData* createUserData(const sword::SWModule* module,
                                               const sword::SWKey* key) override;
    bool handleToken(sword::SWBuf& buf, const char* token,
                     sword::BasicFilterUserData* userData) override;
    bool handleEscapeString(sword::SWBuf& buf, const char* escString,
                            sword::BasicFilterUserData* userData) override;

private:
    void upperCaseTail(sword::SWBuf& buf, unsigned long from) const;
    QString linkKey(const char* target) const;

    Mode m_mode;
    QString m_moduleName;
    bool m_latin1;
    long m_lastInputLength = -1;
};
