#pragma once
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"

#include <QFile>
#include <QProcess>
#include <memory>

// A program folder with the books, the messages and the Bibles a test writes, and a program
// state loaded from it as the main window's start-up loads it.
struct ParallelFixture {
    ParallelFixture() : settings(folder.makeSettings()) {
        folder.installMessages();
        folder.makeFolders();
        folder.writeBooks();
    }
    static QByteArray line(int book, int chapter, int verse, const QByteArray& text) {
        static int running = 0;
        return TestProgramFolder::bibleLine(++running, book, chapter, verse, text);
    }
    void bible(const QString& code, const QByteArray& text) const {
        folder.write(QStringLiteral("Modules/Bible/") + code + QStringLiteral(".txt"), text);
    }
    // A whole Psalm 3 with its title as verse 0, Genesis 1:1 and John 3:16.
    void oldAndNew(const QString& code, const QByteArray& tag) const {
        bible(code, line(1, 1, 1, tag + " in the beginning") + line(19, 3, 0, tag + " a psalm") +
                        line(19, 3, 1, tag + " increased") + line(19, 3, 2, tag + " no help") +
                        line(43, 3, 16, tag + " so loved"));
    }
    // John 3:16 alone.
    void newOnly(const QString& code, const QByteArray& tag) const {
        bible(code, line(40, 1, 1, tag + " generation") + line(43, 3, 16, tag + " so loved"));
    }
    ProgramState& load(const QByteArray& catalogue) {
        folder.writeTranslations(catalogue);
        state = std::make_unique<ProgramState>(*settings, dialogs);
        ProgramState& s = *state;
        s.programDir = folder.path();
        DataFolders::SetProgramPaths(s);
        s.ModulePath = s.ProgramFolder + QStringLiteral("Modules/");
        DataFolders::SetModuleFolders(s);
        Catalogues::LoadBookCatalogue(s);
        Catalogues::LoadTranslationCatalogue(s);
        return s;
    }
    QByteArray catalogue() const { return folder.read(QStringLiteral("sysdefs/Translations.txt")); }

    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    std::unique_ptr<ProgramState> state;
};

// A folder no one may write to while the object lives: permissions, and for root (whom they
// do not stop) the immutable attribute. writable() tells whether that worked.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(path) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        m_immutable = writable() && QProcess::execute("chattr", {"+i", path}) == 0;
    }
    ~ReadOnlyFolder() {
        if (m_immutable)
            QProcess::execute("chattr", {"-i", m_path});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool writable() const {
        QFile probe(m_path + QStringLiteral("/probe"));
        return probe.open(QIODevice::WriteOnly) && probe.remove();
    }

private:
    QString m_path;
    bool m_immutable = false;
};
