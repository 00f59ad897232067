#pragma once
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"

#include <QComboBox>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <memory>

// The entries of a list, and a choice made in it as the user makes one.
inline QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}
inline void choose(QComboBox* box, const QString& text) {
    const int i = box->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    box->setCurrentIndex(i);
    emit box->activated(i);
}

// A started program on a throw-away folder holding a small reference library: a Bible with a
// Psalm title line, a commentary lacking Exodus, a dictionary, a names module, maps and
// translation notes, each with the damaged lines its window must get past.
struct ReferenceFixture {
    // The library's modules and its catalogue, into any program folder.
    static void WriteLibrary(const TestProgramFolder& folder) {
        using F = TestProgramFolder;
        folder.write(QStringLiteral("Modules/Bible/b_tst.txt"),
                     F::bibleLine(1, 1, 1, 1, "In the beginning God created the heaven.") +
                         F::bibleLine(2, 1, 1, 2, "And the earth was without form.") +
                         F::bibleLine(3, 1, 2, 1, "Thus the heavens were finished.") +
                         F::bibleLine(4, 2, 1, 1, "Now these are the names.") +
                         F::bibleLine(5, 19, 3, 0, "A Psalm of David.") +
                         F::bibleLine(6, 19, 3, 1, "LORD, how are they increased!") +
                         F::bibleLine(7, 19, 3, 2, "Many there be.") +
                         F::bibleLine(8, 40, 1, 1, "The book of the generation."));
        folder.write(QStringLiteral("Modules/Bible/b_two.txt"),
                     F::bibleLine(1, 1, 1, 1, "Second: In the beginning.") +
                         F::bibleLine(2, 19, 3, 1, "Second: LORD, how."));
        folder.write(QStringLiteral("Modules/Commentary/c_tst.txt"),
                     F::bibleLine(1, 1, 1, 0, "Genesis\xe3 Chapter 1") +
                         F::bibleLine(2, 1, 1, 1, "Verses 1-2\xe3 God [creates] all.") +
                         F::bibleLine(3, 1, 2, 1, "The rest.\xe3") +
                         F::bibleLine(4, 19, 3, 0, "Psalm 3 opens."));
        folder.write(QStringLiteral("Modules/Dictionary/d_tst.txt"),
                     "1\tAARON\tBrother of Moses|See MOSES \xaf n\xb0"
                     "00002 and PRIEST \xaf n\xb0"
                     "00004\r\n"
                     "2\tMOSES\tLeader\r\n"
                     "3\tAARON\tThe second AARON\r\n"
                     "4\tPRIEST\tBad marks \xaf n\xb0"
                     "40000 \xaf n\xb0"
                     "0000x1 \xaf n\xb0"
                     "00999 \xaf n\xb0"
                     "00\r\n"
                     "x\tBADNUMBER\tnumber is not a number\r\n"
                     "no tabs at all\r\n"
                     "5\tONE TAB ONLY\r\n"
                     "6\tZEBRA\tSee \xaf n\xb0"
                     "00006 and \xaf n\xb0"
                     "00001\r\n");
        folder.write(QStringLiteral("Modules/Name/n_tst.txt"),
                     "1\tAaron\tBrother of Moses\r\n"
                     "2\tAbel\tbreath\r\n"
                     "a bad line without tabs\r\n"
                     "3\tAbel\tsecond Abel\r\n"
                     "4\tAbcdefghijklmnopqrst\ttwenty letters\r\n"
                     "5\tZion\tsunny | mountain\r\n");
        folder.write(QStringLiteral("Modules/TLNotes.txt"),
                     "before any heading\r\n$$b_tst\r\nTest Bible notes.\r\nsecond line\r\n"
                     "$$empty\r\nxx$$c_tst\r\nCommentary notes.\r\n$$b_tst\r\nduplicate\r\n");
        folder.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n2,1,\"Second\",\"b_two\"\r\n"
                                 "1500,1,\"Test Names\",\"n_tst\"\r\n"
                                 "1600,1,\"Test Dictionary\",\"d_tst\"\r\n"
                                 "1700,1,\"Test Commentary\",\"c_tst\"\r\n");
    }

    ReferenceFixture() {
        folder.installMessages();
        folder.makeFolders();
        folder.writeBooks();
        WriteLibrary(folder);
        store = folder.makeSettings();
        state = std::make_unique<ProgramState>(*store, dialogs);
        state->programDir = folder.path();
        DataFolders::SetProgramPaths(*state);
        DataFolders::SetModuleRoot(*state);
        Catalogues::LoadBookCatalogue(*state);
        Catalogues::LoadTranslationCatalogue(*state);
    }

    // A picture saved in the maps folder in the format its extension names.
    void writeMap(const QString& name, QSize size, const char* format) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        image.save(folder.file(QStringLiteral("Modules/Maps/") + name), format);
    }

    struct Run {
        int status = -1;
        QString out;
        QString errors;
    };
    // tolvane-cli on this folder.
    Run cli(const QString& command, const QStringList& args) const {
        QProcess p;
        p.start(QStringLiteral(TOLVANE_CLI),
                QStringList{command, QStringLiteral("--folder"), folder.path()} + args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> store;
    ScriptedDialogs dialogs;
    std::unique_ptr<ProgramState> state;
};
