#pragma once
#include <QString>

// Why a SWORD module cannot come into Tolvane's library. The texts shown for them are
// standard messages (see ImportTexts); `detail` fills their "%".
enum class ImportRefusal {
    None,
    UnsupportedKind, // general books, maps, images: Tolvane has no such module kind
    Locked,          // enciphered and no key in its configuration
    MissingData,     // the configuration names data files that are not there
    Unreadable,      // the data files cannot be read (permissions)
    Damaged,         // index and data disagree, or entries cannot be read
    Script,          // the text is in letters Windows-1252 cannot hold (detail: the script)
    TooManyChanges,  // too many letters would lose their accents (detail: how many in 100)
    NoText,          // no entry of the 66 books (or no entry at all)
    TooManyLines,    // running numbers would pass 32,767 (detail: the count)
    LongChapter,     // a chapter of more than 254 lines (detail: book chapter)
    Invalid,         // the written file fails the module check (detail: the first problem)
    NoNumberLeft,    // the catalogue's number range for this kind is full
};

// One module installed in a SWORD folder, as the import window and `tolvane-cli import
// --list` show it.
struct SwordModuleInfo {
    enum class Kind { Bible, Commentary, Dictionary, Other };

    QString name;        // the module's name, as its configuration file calls it
    QString description; // its "Description"
    Kind kind = Kind::Other;
    QString language; // its "Lang" code ("en", "es"); empty when it gives none
    QString folder;   // the SWORD folder it was found in
    ImportRefusal refusal = ImportRefusal::None;
    QString detail; // what the refusal's text shows

    bool importable() const { return refusal == ImportRefusal::None; }
};
