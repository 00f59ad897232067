#include "MainMenuFixture.h"
#include "ModalDriver.h"
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "localisation/LanguageE.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

using Answer = Dialogs::Answer;

namespace {

QByteArray bookList(int lines, const QByteArray& prefix) {
    QByteArray out;
    for (int n = 1; n <= lines; ++n)
        out += QByteArray::number(n) + '\t' + prefix + "S" + QByteArray::number(n) + '\t' + prefix +
               " book " + QByteArray::number(n) + "\r\n";
    return out;
}

// The language editor on a throw-away program folder with a GERMAN list and "ref.txt".
struct EditorFixture {
    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<LanguageE> editor;

    explicit EditorFixture(bool withRef = true) {
        folder.makeStandard();
        if (withRef)
            folder.write("sysdefs/ref.txt", folder.read("sysdefs/Books.txt"));
        folder.write("sysdefs/BOOKS_GERMAN.txt", bookList(72, "De"));
        settings = folder.makeSettings();
        state = std::make_unique<ProgramState>(*settings, dialogs);
        state->programDir = folder.path();
        DataFolders::SetProgramPaths(*state);
        Catalogues::LoadBookCatalogue(*state);
    }
    void open() { editor = std::make_unique<LanguageE>(*state, nullptr); }
    QStringList languages() const {
        QStringList out;
        for (int i = 0; i < editor->LSel->count(); ++i)
            out << editor->LSel->item(i)->text();
        return out;
    }
    QString cell(int row, int column) const {
        return editor->LV->topLevelItem(row)->text(column);
    }
    void choose(const QString& language) {
        editor->LSel->setCurrentRow(int(languages().indexOf(language)));
    }
    void chooseCreate() { editor->LSel->setCurrentRow(editor->LSel->count() - 1); }
};

} // namespace

class TestLanguageEditor : public QObject {
    Q_OBJECT

private slots:
    void loadsLanguagesAndReferenceNames() {
        EditorFixture f;
        f.folder.write("sysdefs/books_spanish.txt", bookList(72, "Es"));
        f.open();
        QCOMPARE(f.languages(), (QStringList{"GERMAN", "spanish", "CREATE NEW LANGUAGE"}));
        QCOMPARE(f.editor->LV->topLevelItemCount(), 72);
        QCOMPARE(f.cell(0, 1), "Genesis");
        QCOMPARE(f.cell(71, 0), "72");
        QCOMPARE(f.editor->windowTitle(), "Tolvane Language Editor");
    }

    void missingReferenceListIsReported() {
        EditorFixture f(false);
        f.dialogs.expectMessage(Answer::Ok, "Load Language");
        f.open();
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.cell(0, 1), "");
    }

    // Short and long lists fill as many rows as they have, at most 72; every column of the
    // previous language is emptied first.
    void choosingFillsBothColumns_data() {
        QTest::addColumn<int>("lines");
        QTest::newRow("71 lines") << 71;
        QTest::newRow("80 lines") << 80;
    }
    void choosingFillsBothColumns() {
        QFETCH(int, lines);
        EditorFixture f;
        f.folder.write("sysdefs/BOOKS_OTHER.txt", bookList(lines, "Ot"));
        f.open();
        f.choose("GERMAN");
        QCOMPARE(f.cell(71, 2), "De book 72");
        QCOMPARE(f.cell(71, 3), "DeS72");
        f.choose("OTHER");
        QCOMPARE(f.editor->chosenFile(), "BOOKS_OTHER.txt");
        QCOMPARE(f.cell(70, 2), "Ot book 71");
        QCOMPARE(f.cell(71, 2), lines > 71 ? "Ot book 72" : "");
        QCOMPARE(f.cell(71, 3), lines > 71 ? "OtS72" : "");
        QCOMPARE(f.editor->lbl->text(), "Language: OTHER");
    }

    void newLanguageIsCheckedBeforeTheChoiceChanges_data() {
        QTest::addColumn<QString>("typed"); // "<cancel>" cancels the input box
        QTest::addColumn<QString>("box");
        QTest::newRow("cancelled") << "<cancel>" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("a digit") << "ab1" << "\"1\" cannot be used";
        QTest::newRow("a space") << "new one" << "\" \" cannot be used";
        QTest::newRow("exists") << "german" << "GERMAN already exists";
    }
    void newLanguageIsCheckedBeforeTheChoiceChanges() {
        QFETCH(QString, typed);
        QFETCH(QString, box);
        EditorFixture f;
        f.open();
        f.choose("GERMAN");
        f.dialogs.expectInput(typed == "<cancel>" ? std::nullopt : std::optional<QString>(typed));
        if (!box.isEmpty())
            f.dialogs.expectMessage(Answer::Ok, box);
        f.chooseCreate();
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.editor->LSel->currentRow(), 0);
        QCOMPARE(f.editor->chosenFile(), "BOOKS_GERMAN.txt");
        QCOMPARE(f.cell(5, 2), "De book 6");
        QCOMPARE(f.languages().size(), 2);
    }

    void createEditSaveAndChooseAgain() {
        EditorFixture f;
        f.open();
        f.dialogs.expectInput(QString("french"));
        f.dialogs.expectMessage(Answer::Ok, "saved as BOOKS_FRENCH.txt");
        f.chooseCreate();
        QCOMPARE(f.languages(), (QStringList{"GERMAN", "FRENCH", "CREATE NEW LANGUAGE"}));
        QCOMPARE(f.editor->lbl->text(), "Create New Index: FRENCH");
        const QByteArray created = f.folder.read("sysdefs/BOOKS_FRENCH.txt");
        QCOMPARE(created.count("\r\n"), 72);
        QVERIFY(created.startsWith("1\tShort Name.\tDouble Click to Edit.\r\n"));

        // Enter edits the current row: the short name proposed is the new name's first letters.
        f.editor->LV->setCurrentItem(f.editor->LV->topLevelItem(0));
        f.dialogs.expectInput(QString("Genèse"));
        f.dialogs.expectInput(std::nullopt);
        QTest::keyClick(f.editor->LV, Qt::Key_Return);
        QCOMPARE(f.dialogs.records().last().prompt, "Type the short name of this book:");
        QCOMPARE(f.cell(0, 2), QString::fromUtf8("Genèse"));
        QCOMPARE(f.cell(0, 3), "Short Name.");
        f.dialogs.expectInput(std::nullopt);
        f.dialogs.expectInput(QString("Gn"));
        QTest::keyClick(f.editor->LV, Qt::Key_Space);
        QCOMPARE(f.cell(0, 3), "Gn");
        QTest::keyClick(f.editor->LV, Qt::Key_Space, Qt::ShiftModifier); // no box
        QVERIFY(f.editor->unsaved());

        // Choosing another language with unsaved edits: No keeps everything.
        f.dialogs.expectMessage(Answer::No, "Discard them");
        f.choose("GERMAN");
        QCOMPARE(f.editor->LSel->currentRow(), 1);
        QCOMPARE(f.cell(0, 3), "Gn");

        f.dialogs.expectMessage(Answer::Yes, "BOOKS_FRENCH.txt already exists");
        f.dialogs.expectMessage(Answer::Ok, "saved as BOOKS_FRENCH.txt");
        f.editor->cSave_Click();
        QVERIFY(f.folder.read("sysdefs/BOOKS_FRENCH.txt").startsWith("1\tGn\tGen\xe8se\r\n"));
        QVERIFY(!f.editor->unsaved());
        QCOMPARE(f.dialogs.pending(), 0);
    }

    // Names that would break the book catalogue are refused; nothing is written.
    void unwritableNamesAreRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("a tab") << "Gen\tesis";
        QTest::newRow("too long") << QString(255, 'x');
        QTest::newRow("blank") << "   ";
    }
    void unwritableNamesAreRefused() {
        QFETCH(QString, name);
        EditorFixture f;
        f.open();
        f.choose("GERMAN");
        f.editor->LV->topLevelItem(9)->setText(2, name);
        const QByteArray before = f.folder.read("sysdefs/BOOKS_GERMAN.txt");
        const QByteArray books = f.folder.read("sysdefs/Books.txt");
        f.dialogs.expectMessage(Answer::Ok, "book 10 is empty");
        f.editor->cSave_Click();
        f.dialogs.expectMessage(Answer::Ok, "book 10 is empty");
        f.editor->cDefault_Click();
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.folder.read("sysdefs/BOOKS_GERMAN.txt"), before);
        QCOMPARE(f.folder.read("sysdefs/Books.txt"), books);
    }

    // Set As Default saves the language's list, makes it the catalogue and switches the
    // interface language only when both of its message files are there.
    void setAsDefault_data() {
        QTest::addColumn<QStringList>("messageFiles");
        QTest::addColumn<bool>("switches");
        QTest::newRow("no message files") << QStringList{} << false;
        QTest::newRow("form texts only") << QStringList{"GERMAN_FRM.mes"} << false;
        QTest::newRow("both") << QStringList{"GERMAN_FRM.mes", "GERMAN_STD.mes"} << true;
    }
    void setAsDefault() {
        QFETCH(QStringList, messageFiles);
        QFETCH(bool, switches);
        EditorFixture f;
        f.folder.installMessages();
        for (const QString& m : messageFiles)
            f.folder.write("msg/" + m, f.folder.read("msg/ENGLISH_" + m.mid(7)));
        f.open();
        f.choose("GERMAN");
        f.editor->LV->topLevelItem(0)->setText(2, "Erstes Buch Mose");
        f.dialogs.expectInput(std::nullopt);
        f.dialogs.expectInput(std::nullopt);
        f.editor->LV_DblClick(f.editor->LV->topLevelItem(0)); // marks the list unsaved
        QSignalSpy changed(f.editor.get(), &LanguageE::bookListChanged);
        QSignalSpy ending(f.editor.get(), &LanguageE::endProgramRequested);
        f.dialogs.expectMessage(Answer::Ok, switches ? "interface language is now GERMAN"
                                                     : "No interface texts were found for GERMAN");
        if (!switches)
            f.dialogs.expectMessage(Answer::Ok, "book list of GERMAN is now the active one");
        f.editor->cDefault_Click();
        QCOMPARE(f.dialogs.pending(), 0);
        QVERIFY(f.folder.read("sysdefs/BOOKS_GERMAN.txt").startsWith("1\tDeS1\tErstes Buch Mose"));
        QVERIFY(f.folder.read("sysdefs/Books.txt").startsWith("1\tDeS1\tErstes Buch Mose"));
        QVERIFY(!QDir(f.folder.file("sysdefs")).entryList().contains("BOOKS.TXT"));
        QCOMPARE(f.state->BookDisplayNames.first(), "Erstes Buch Mose");
        QCOMPARE(changed.size(), 1);
        QVERIFY(!f.editor->unsaved());
        QCOMPARE(ending.size(), switches ? 1 : 0);
        QCOMPARE(f.settings->read("Settings", "L", ""), switches ? "GERMAN_" : "ENGLISH_");
    }

    void disasterRecovery_data() {
        QTest::addColumn<int>("refLines");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("box");
        QTest::newRow("no") << 72 << Answer::No << "was cancelled";
        QTest::newRow("yes") << 72 << Answer::Yes << "has been restored";
        QTest::newRow("ref.txt too short") << 71 << Answer::Yes << "is damaged";
    }
    void disasterRecovery() {
        QFETCH(int, refLines);
        QFETCH(Answer, answer);
        QFETCH(QString, box);
        EditorFixture f;
        f.folder.write("sysdefs/ref.txt", bookList(refLines, "Ref"));
        f.folder.write("sysdefs/Books.txt", bookList(72, "Active"));
        if (refLines < 72)
            f.dialogs.expectMessage(Answer::Ok, "Load Language");
        f.open();
        QSignalSpy changed(f.editor.get(), &LanguageE::bookListChanged);
        f.dialogs.expectMessage(answer, "Disaster Recovery replaces");
        f.dialogs.expectMessage(Answer::Ok, box);
        f.editor->cDisaster_Click();
        QCOMPARE(f.dialogs.pending(), 0);
        const bool restored = box == "has been restored";
        QCOMPARE(f.folder.read("sysdefs/Books.txt"),
                 restored ? bookList(72, "Ref") : bookList(72, "Active"));
        QCOMPARE(changed.size(), restored ? 1 : 0);
    }

    // Closing with unsaved edits asks; No saves them, Yes lets them go.
    void closingAsksAboutUnsavedEdits() {
        EditorFixture f;
        f.open();
        f.choose("GERMAN");
        f.dialogs.expectInput(QString("Genesis"));
        f.dialogs.expectInput(QString("Gen"));
        f.editor->LV_DblClick(f.editor->LV->topLevelItem(0));
        f.dialogs.expectMessage(Answer::No, "have not been saved");
        f.dialogs.expectMessage(Answer::Yes, "already exists");
        f.dialogs.expectMessage(Answer::Ok, "saved as");
        f.editor->cQuit_Click();
        QCOMPARE(f.dialogs.pending(), 0);
        QVERIFY(f.folder.read("sysdefs/BOOKS_GERMAN.txt").startsWith("1\tGen\tGenesis\r\n"));
    }

    // Spanish as the default language: the book list changes at once, the program ends
    // through its shut-down (the notepad's changes are asked about and the user may stay),
    // and the next start speaks Spanish.
    void switchingTheInterfaceToSpanish() {
        MainMenuFixture f;
        f.folder.installMessages();
        for (const char* list : {"BOOKS_SPANISH.txt", "BOOKS_ENGLISH.txt", "ref.txt"}) {
            QFile shipped(QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/sysdefs/") + list);
            QVERIFY(shipped.open(QIODevice::ReadOnly));
            f.folder.write(QStringLiteral("sysdefs/") + list, shipped.readAll());
        }
        f.load();
        f.window->setDocumentChanged(true);
        f.dialogs.expectMessage(Answer::Ok, "El idioma de la interfaz es ahora SPANISH");
        f.dialogs.expectMessage(Answer::Cancel); // save the notepad? Cancel: stay
        ModalDriver::whenModal("LanguageE", [](QWidget* w) {
            auto* editor = static_cast<LanguageE*>(w);
            editor->LSel->setCurrentRow(1);
            editor->cDefault->click();
        });
        f.window->findChild<QAction*>("mLanguage")->trigger();
        QTRY_COMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.endRequests, 0);
        QCOMPARE(f.window->findChild<QComboBox*>("cboBooks")->itemText(0),
                 QString::fromUtf8("Génesis"));
        f.window->setDocumentChanged(false);
        f.restart();
        f.load();
        QCOMPARE(f.window->findChild<QAction*>("mBookmark")->text(), "&Marcadores");
    }
};

QTEST_MAIN(TestLanguageEditor)
#include "tst_languageeditor.moc"
