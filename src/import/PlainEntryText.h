#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The plain text of a module entry, as the markup filters leave it, made into the text of one
// Tolvane line. The filters leave three kinds of marks of their own in it:
//  - a soft blank where removed markup (a footnote, a heading, a line of poetry) stood between
//    words: it becomes a blank between two words and nothing before punctuation;
//  - a line break for a paragraph or a line of poetry;
//  - a link to another entry of the same module: kLinkOpen, the entry's key, kLinkClose;
//  - words the translators supplied (printed in italics) between kAddedOpen and kAddedClose.
namespace PlainEntryText {

constexpr char16_t kSoftBlank = 0xE000;
constexpr char16_t kLinkOpen = 0xE010;
constexpr char16_t kLinkClose = 0xE011;
constexpr char16_t kAddedOpen = 0xE001;
constexpr char16_t kAddedClose = 0xE002;
// In a commentary entry: what comes before it introduces the chapter.
constexpr char16_t kIntroEnd = 0xE003;

constexpr char16_t kAmpersand = 0xE004;
constexpr char16_t kLessThan = 0xE005;
constexpr char16_t kGreaterThan = 0xE006;

// Soft blanks resolved, "&", "<" and ">" put back, white space collapsed to single blanks,
// trimmed.
QString tidy(const QString& text);

// A verse: line breaks are soft blanks (a verse is one line). Supplied words glued to their
// neighbours in the source get a blank on either side; in Spanish (`spanish`) an object
// pronoun supplied after a verb form is one word with it ("sácalo").
QString verse(const QString& text, bool spanish = false);
QString addedWords(const QString& text, bool spanish);

// The paragraphs of an entry, each tidied, empty ones left out.
QStringList paragraphs(const QString& text);

// A commentary entry: paragraphs joined by the byte 227 and a blank, which the commentary
// window shows as a line break. A literal 227, "[" or "]" would be misread by that window
// and is replaced ("a", "(", ")"); *replaced counts them.
QString commentary(const QString& text, int* replaced = nullptr);

// A dictionary definition: paragraphs joined by "|". Tabs, "|" and the cross-reference mark
// (175) from the source are replaced (blank, "/", "-"); each link becomes, right after the
// text that shows it, a blank, the mark, " n°" and the five-digit number `resolve` gives
// its key, or nothing when it gives 0 (*unresolved counts those).
using Resolver = std::function<int(const QString& key)>;
QString definition(const QString& text, const Resolver& resolve, int* resolved = nullptr,
                   int* unresolved = nullptr, int* replaced = nullptr);

// The words of an entry of any kind, to measure its letters: every mark removed, links
// without their keys, paragraphs joined by blanks.
QString words(const QString& text);

// The links of a text, in order (their keys).
QStringList links(const QString& text);

} // namespace PlainEntryText
