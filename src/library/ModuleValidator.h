#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// One fault found in a module or catalogue file.
struct ModuleProblem {
    QString file;
    int line = 0; // 1-based; 0 when the fault concerns the whole file
    QString what;

    QString toString() const;
};

// Checks module and catalogue files against their formats: the library that ships with the
// program, or one a user assembled. Each check returns readable problems and never stops at the
// first one, so one run lists everything that needs fixing.
class ModuleValidator {
public:
    // Bible and commentary texts: running number, book, chapter, verse, text.
    QList<ModuleProblem> checkVerseText(const QString& name, const QByteArray& bytes) const;
    // Dictionary: number TAB headword TAB definition, cross-references to existing entries.
    QList<ModuleProblem> checkDictionary(const QString& name, const QByteArray& bytes) const;
    // Names: number TAB name TAB meaning.
    QList<ModuleProblem> checkNames(const QString& name, const QByteArray& bytes) const;
    // Books.txt and ref.txt: 72 lines of number TAB reference name TAB caption.
    QList<ModuleProblem> checkBookList(const QString& name, const QByteArray& bytes) const;
    // Translations.txt: number,flag,"description","code" records.
    QList<ModuleProblem> checkTranslations(const QString& name, const QByteArray& bytes) const;

    // Every catalogue and every module the catalogue lists under a program folder (which holds
    // "sysdefs" and "Modules"), plus the translation notes and the maps.
    QList<ModuleProblem> checkProgramFolder(const QString& programFolder) const;

    static constexpr int MaxRunningNumber = 32767;
    static constexpr int MaxChapterLines = 254;
    static constexpr char CrossReferenceMark = '\xAF';

private:
    QList<QByteArray> splitLines(const QString& name, const QByteArray& bytes,
                                 QList<ModuleProblem>& problems) const;
    void checkModuleFile(const QString& folder, int number, const QString& code,
                         QList<ModuleProblem>& problems) const;
};
