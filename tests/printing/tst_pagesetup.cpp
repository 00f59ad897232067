// The page setup window and the page values behind it.
#include "MainMenuFixture.h"
#include "ModalDriver.h"
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/RichPane.h"
#include "platform/Twips.h"
#include "printing/PageSetup.h"
#include "printing/PageValues.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTextFrame>
#include <memory>

namespace {
const QString kSettings = QStringLiteral("Settings");

// A program state on a throw-away folder and settings file, and a pane to lay out.
struct Setup {
    Setup() : settings(folder.makeSettings()), state(*settings, dialogs) {
        folder.installMessages();
        state.MessageFolder = folder.path() + QStringLiteral("/msg/");
        wrap.setEnabled(false);
        pane.resize(600, 400);
    }
    void store(const char* key, const QString& value) {
        settings->write(kSettings, QString::fromLatin1(key), value);
    }
    double stored(const char* key) const {
        return settings->readNumber(kSettings, QString::fromLatin1(key), -999);
    }
    std::unique_ptr<PageSetup> open() { return std::make_unique<PageSetup>(state, &pane, &wrap); }
    int pixels(double twips) const {
        return Twips::toPixelsRounded(twips, RichPane::LogicalDpi(&pane));
    }

    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    ProgramState state;
    QTextEdit pane;
    QAction wrap{nullptr};
};

void storeMillimetres(Setup& s, const char* width, const char* left, const char* right) {
    s.store("CM_IN", QStringLiteral("0"));
    s.store("WidthPage", QString::fromLatin1(width));
    s.store("MarginLeft", QString::fromLatin1(left));
    s.store("MarginRight", QString::fromLatin1(right));
    s.store("gTopMargin", QStringLiteral("12"));
    s.store("gBottomMargin", QStringLiteral("15"));
    s.store("FitToDesktop", QStringLiteral("0"));
}
} // namespace

class TestPageSetup : public QObject {
    Q_OBJECT
private slots:
    void conversionsRoundInEachDirection();
    void listEntriesInEachUnit();
    void loadShowsTheStoredValues();
    void unitChangesConvertAndRefill();
    void fitToFormIgnoresWidthAndSideMargins();
    void okStoresAndLaysOutThePane();
    void firstUseShowsTheUsualPaperWidth();
    void aWidthWithoutRoomForTextIsRefused_data();
    void aWidthWithoutRoomForTextIsRefused();
    void cancelPutsBackWhatItFound();
    void pageSetupItemOpensTheWindow();
    void startUpFailureOpensPageSetup();
};

void TestPageSetup::conversionsRoundInEachDirection() {
    QCOMPARE(float(PageValues::ToInches(210)), 8.3f);
    QCOMPARE(PageValues::ToMillimetres(8.3), 211.0);
    QCOMPARE(float(PageValues::ToInches(25)), 1.0f);
    QCOMPARE(float(PageValues::ToInches(0)), 0.0f);

    Setup s;
    ProgramState& st = s.state;
    st.CM_IN = 0;
    st.WidthPage = 210;
    st.MarginLeft = 20;
    st.MarginRight = 13;
    st.gTopMargin = 100;
    st.gBottomMargin = 1;
    PageValues::ConvertUnits(st, true);
    QCOMPARE(int(st.CM_IN), 1);
    QCOMPARE(float(st.WidthPage), 8.3f);
    QCOMPARE(float(st.MarginLeft), 0.8f);
    QCOMPARE(float(st.MarginRight), 0.5f);
    QCOMPARE(float(st.gTopMargin), 3.9f);
    QCOMPARE(float(st.gBottomMargin), 0.0f);
    PageValues::ConvertUnits(st, true); // already inches: nothing converts
    QCOMPARE(float(st.WidthPage), 8.3f);
    PageValues::ConvertUnits(st, false);
    QCOMPARE(int(st.CM_IN), 0);
    QCOMPARE(st.WidthPage, 211.0);
    QCOMPARE(st.MarginLeft, 20.0);
    QCOMPARE(st.MarginRight, 13.0);
    QCOMPARE(st.gTopMargin, 99.0);
}

void TestPageSetup::listEntriesInEachUnit() {
    const QStringList inchWidths = PageValues::WidthEntries(true);
    QCOMPARE(inchWidths.size(), 140);
    QCOMPARE(inchWidths.first(), QStringLiteral("3.0"));
    QCOMPARE(inchWidths.last(), QStringLiteral("16.9"));
    QVERIFY(inchWidths.contains(QStringLiteral("8.3")));
    const QStringList mmWidths = PageValues::WidthEntries(false);
    QCOMPARE(mmWidths.size(), 354);
    QCOMPARE(mmWidths.first(), QStringLiteral("76"));
    QCOMPARE(mmWidths.last(), QStringLiteral("429"));
    const QStringList inchMargins = PageValues::MarginEntries(true);
    QCOMPARE(inchMargins.size(), 40);
    QCOMPARE(inchMargins.first(), QStringLiteral("0.0"));
    QCOMPARE(inchMargins.last(), QStringLiteral("3.9"));
    const QStringList mmMargins = PageValues::MarginEntries(false);
    QCOMPARE(mmMargins.size(), 101);
    QCOMPARE(mmMargins.last(), QStringLiteral("100"));

    QCOMPARE(*PageValues::ParseValue(QStringLiteral(" 8.3 ")), double(8.3f));
    QVERIFY(!PageValues::ParseValue(QStringLiteral("wide")));
    QVERIFY(!PageValues::ParseValue(QStringLiteral("nan")));
    QVERIFY(!PageValues::ParseValue(QStringLiteral("1e300")));
    QCOMPARE(PageValues::FormatValue(double(8.3f)), QStringLiteral("8.3"));
}

void TestPageSetup::loadShowsTheStoredValues() {
    Setup s;
    storeMillimetres(s, "210.4", "20.6", "19.5");
    s.store("ApplyToAllForms", QStringLiteral("1"));
    auto w = s.open();
    QCOMPARE(w->windowTitle(), QStringLiteral("Page Setup"));
    QVERIFY(w->optCM->isChecked());
    QVERIFY(!w->optNone->isChecked());
    QCOMPARE(w->cboWidth->currentText(), QStringLiteral("210"));
    QCOMPARE(w->cboLeft->currentText(), QStringLiteral("21"));
    QCOMPARE(w->cboRight->currentText(), QStringLiteral("20"));
    QCOMPARE(w->cboTop->currentText(), QStringLiteral("12"));
    QCOMPARE(w->cboBottom->currentText(), QStringLiteral("15"));
    QCOMPARE(w->cboWidth->count(), 354);
    QCOMPARE(w->cboTop->count(), 101);
    QCOMPARE(w->lblWidth->text(), QStringLiteral("Page Width mm"));
    QCOMPARE(w->lblBottom->text(), QStringLiteral("Bottom Margin mm"));
    QVERIFY(w->chkAll->isChecked());
    QVERIFY(w->cboWidth->isEnabled());
    // A value outside the list's range still shows as it is.
    s.store("WidthPage", QStringLiteral("50"));
    auto again = s.open();
    QCOMPARE(again->cboWidth->currentText(), QStringLiteral("50"));
}

void TestPageSetup::unitChangesConvertAndRefill() {
    Setup s;
    storeMillimetres(s, "210", "25", "20");
    auto w = s.open();
    w->optIN->click();
    QCOMPARE(w->cboWidth->currentText(), QStringLiteral("8.3"));
    QCOMPARE(w->cboLeft->currentText(), QStringLiteral("1"));
    QCOMPARE(w->cboWidth->count(), 140);
    QCOMPARE(w->cboLeft->count(), 40);
    QCOMPARE(w->lblWidth->text(), QStringLiteral("Page Width Inch"));
    QCOMPARE(w->lblTop->text(), QStringLiteral("Top Margin Inch"));
    QCOMPARE(int(s.state.CM_IN), 1);
    w->optIN->click(); // the unit in force: nothing converts again
    QCOMPARE(w->cboWidth->currentText(), QStringLiteral("8.3"));
    w->optCM->click();
    QCOMPARE(w->cboWidth->currentText(), QStringLiteral("211"));
    QCOMPARE(w->cboLeft->currentText(), QStringLiteral("25"));
    QCOMPARE(int(s.state.CM_IN), 0);

    // Choosing or typing an entry stores its number at once.
    w->cboTop->setCurrentIndex(w->cboTop->findText(QStringLiteral("30")));
    emit w->cboTop->textActivated(QStringLiteral("30"));
    QCOMPARE(s.state.gTopMargin, 30.0);
    w->cboWidth->lineEdit()->selectAll();
    QTest::keyClicks(w->cboWidth->lineEdit(), QStringLiteral("199"));
    QCOMPARE(s.state.WidthPage, 199.0);
    QTest::keyClicks(w->cboWidth->lineEdit(), QStringLiteral("x")); // not a number: kept
    QCOMPARE(s.state.WidthPage, 199.0);
}

void TestPageSetup::fitToFormIgnoresWidthAndSideMargins() {
    Setup s;
    storeMillimetres(s, "210", "25", "20");
    s.store("FitToDesktop", QStringLiteral("1"));
    RichPane::SetLineLayout(&s.pane, false, 5000, 500);
    auto w = s.open();
    QVERIFY(w->optNone->isChecked());
    for (QComboBox* c : {w->cboWidth, w->cboLeft, w->cboRight})
        QVERIFY(!c->isEnabled());
    QVERIFY(w->cboTop->isEnabled());
    QCOMPARE(w->lblWidth->text(), QStringLiteral("Ignored"));
    QCOMPARE(w->lblRight->text(), QStringLiteral("Ignored"));
    QCOMPARE(w->lblTop->text(), QStringLiteral("Top Margin mm"));

    w->optCM->click(); // back to the page values
    QVERIFY(w->cboWidth->isEnabled());
    QCOMPARE(w->lblWidth->text(), QStringLiteral("Page Width mm"));
    w->optNone->click();
    QVERIFY(!w->cboLeft->isEnabled());
    QCOMPARE(w->lblLeft->text(), QStringLiteral("Ignored"));

    w->cmdINDEX->click();
    QCOMPARE(s.stored("FitToDesktop"), 1.0);
    QCOMPARE(s.pane.lineWrapMode(), QTextEdit::WidgetWidth);
    QCOMPARE(s.pane.document()->rootFrame()->frameFormat().leftMargin(), 0.0);
    QVERIFY(!s.wrap.isEnabled());
    QVERIFY(w->isHidden());
}

void TestPageSetup::okStoresAndLaysOutThePane() {
    Setup s;
    storeMillimetres(s, "210", "25", "20");
    auto w = s.open();
    w->optIN->click();
    w->cboRight->setCurrentIndex(w->cboRight->findText(QStringLiteral("1.5")));
    emit w->cboRight->textActivated(QStringLiteral("1.5"));
    w->chkAll->click();
    QCOMPARE(s.stored("ApplyToAllForms"), 1.0); // stored at once
    w->cmdINDEX->click();

    QCOMPARE(s.stored("CM_IN"), 1.0);
    QCOMPARE(float(s.stored("WidthPage")), 8.3f);
    QCOMPARE(float(s.stored("MarginLeft")), 1.0f);
    QCOMPARE(float(s.stored("MarginRight")), 1.5f);
    QCOMPARE(float(s.stored("gTopMargin")), 0.5f);
    QCOMPARE(float(s.stored("gBottomMargin")), 0.6f);
    QCOMPARE(s.stored("FitToDesktop"), 0.0);
    QCOMPARE(s.pane.lineWrapMode(), QTextEdit::FixedPixelWidth);
    QCOMPARE(s.pane.lineWrapColumnOrWidth(), s.pixels((8.3 - 1.5) * 1440));
    QCOMPARE(s.pane.document()->rootFrame()->frameFormat().leftMargin(),
             Twips::toPixels(1440, RichPane::LogicalDpi(&s.pane)));
    QVERIFY(s.wrap.isEnabled());
}

void TestPageSetup::firstUseShowsTheUsualPaperWidth() {
    QCOMPARE(PageValues::DefaultWidth(false, QLocale(QLocale::German, QLocale::Germany)), 210.0);
    QCOMPARE(float(PageValues::DefaultWidth(true, QLocale(QLocale::English, QLocale::UnitedStates))),
             8.5f);

    Setup s; // nothing stored: millimetres, "Fit to Form", width 0
    auto w = s.open();
    const QString usual = PageValues::FormatValue(PageValues::DefaultWidth(false));
    QCOMPARE(w->cboWidth->currentText(), usual);
    QVERIFY(w->cboWidth->currentIndex() >= 0); // one of the list's own entries
    w->optCM->click();
    w->cboLeft->setEditText(QStringLiteral("20"));
    w->cboRight->setEditText(QStringLiteral("20"));
    w->cmdINDEX->click();
    QVERIFY(w->isHidden());
    QCOMPARE(s.pane.lineWrapColumnOrWidth(), s.pixels((usual.toDouble() - 20) * 56.7));
}

void TestPageSetup::aWidthWithoutRoomForTextIsRefused_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("shown"); // the width named in the message
    QTest::newRow("no width") << 0 << "0" << "20" << "20" << "0 mm";
    QTest::newRow("narrower than the margins") << 0 << "76" << "50" << "30" << "76 mm";
    QTest::newRow("as wide as the margins") << 1 << "4" << "2" << "2" << "4 in";
}

void TestPageSetup::aWidthWithoutRoomForTextIsRefused() {
    QFETCH(int, unit);
    QFETCH(QString, width);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, shown);
    Setup s;
    storeMillimetres(s, "200", "25", "20");
    RichPane::SetLineLayout(&s.pane, false, 5000, 500);
    auto w = s.open();
    w->show();
    (unit ? w->optIN : w->optCM)->click();
    w->cboTop->setEditText(QStringLiteral("3"));
    w->cboWidth->setEditText(width);
    w->cboLeft->setEditText(left);
    w->cboRight->setEditText(right);
    s.dialogs.expectMessage(Dialogs::Answer::Ok, shown);
    w->cmdINDEX->click();

    QCOMPARE(s.dialogs.pending(), 0);
    QCOMPARE(s.dialogs.records().first().box.icon, Dialogs::Icon::Warning);
    QVERIFY(w->isVisible()); // the window stays open with the old values
    const QStringList old = unit ? QStringList{"7.9", "1", "0.8"} : QStringList{"200", "25", "20"};
    QCOMPARE((QStringList{w->cboWidth->currentText(), w->cboLeft->currentText(),
                          w->cboRight->currentText(), w->cboTop->currentText()}),
             old + QStringList{"3"}); // the top margin is not part of the refusal
    QCOMPARE(s.stored("WidthPage"), 200.0); // nothing stored
    QCOMPARE(s.pane.lineWrapColumnOrWidth(), s.pixels(5000)); // nor laid out
    // The old values are good: OK now closes and stores them.
    w->cmdINDEX->click();
    QVERIFY(w->isHidden());
    QCOMPARE(float(s.stored("WidthPage")), old[0].toFloat());

    // Values stored before such widths were refused leave the pane wrapping at its edge.
    s.state.WidthPage = s.state.MarginLeft + s.state.MarginRight;
    s.state.FitToDesktop = 0;
    QVERIFY(PageValues::ComputePaneLayout(s.state).fitToWindow);
}

void TestPageSetup::cancelPutsBackWhatItFound() {
    Setup s;
    storeMillimetres(s, "210", "25", "20");
    PageValues::Load(s.state); // the values in force, as start-up reads them
    RichPane::SetLineLayout(&s.pane, false, 128000, 0);
    auto w = s.open();
    w->optIN->click();
    w->cboBottom->setCurrentIndex(3);
    emit w->cboBottom->textActivated(w->cboBottom->itemText(3));
    w->optNone->click();
    w->chkAll->click();
    w->cmdCancel->click();

    QCOMPARE(int(s.state.CM_IN), 0);
    QCOMPARE(s.state.WidthPage, 210.0);
    QCOMPARE(s.state.gBottomMargin, 15.0);
    QCOMPARE(s.state.FitToDesktop, qint16(0));
    QCOMPARE(s.state.ApplyToAllForms, qint16(0));
    QCOMPARE(s.stored("ApplyToAllForms"), 0.0);
    QCOMPARE(s.stored("CM_IN"), 0.0);
    QCOMPARE(s.pane.lineWrapColumnOrWidth(), s.pixels(128000)); // the pane is left alone

    // Closing the window any other way is a Cancel too.
    auto again = s.open();
    again->optIN->click();
    again->reject();
    QCOMPARE(int(s.state.CM_IN), 0);
}

void TestPageSetup::pageSetupItemOpensTheWindow() {
    MainMenuFixture f;
    f.load();
    QVERIFY(!f.settings->contains(kSettings, QStringLiteral("WidthPage")));
    bool modal = false;
    ModalDriver::whenModal(QStringLiteral("PageSetup"), [&](QWidget* w) {
        modal = w->isModal();
        auto* page = static_cast<PageSetup*>(w);
        page->optCM->click();
        page->cboWidth->setEditText(QStringLiteral("200"));
        page->cmdINDEX->click();
    });
    ctl<QAction>(*f.window, "Page_Setup")->trigger();
    QVERIFY(modal);
    QCOMPARE(f.settings->readNumber(kSettings, QStringLiteral("WidthPage"), 0), 200.0);
    QCOMPARE(f.settings->readNumber(kSettings, QStringLiteral("FitToDesktop"), -1), 0.0);
    QCOMPARE(ctl<QTextEdit>(*f.window, "RT")->lineWrapMode(), QTextEdit::FixedPixelWidth);
}

void TestPageSetup::startUpFailureOpensPageSetup() {
    MainMenuFixture f;
    f.settings->write(kSettings, QStringLiteral("MarginLeft"), QStringLiteral("wide"));
    f.dialogs.expectMessage(); // the error report, "Load Main"
    bool opened = false;
    ModalDriver::whenModal(QStringLiteral("PageSetup"), [&](QWidget* w) {
        opened = true;
        static_cast<PageSetup*>(w)->cmdINDEX->click();
    });
    f.load();
    QVERIFY(opened);
    QVERIFY(f.dialogs.records().first().box.text.contains(QStringLiteral("Load Main")) ||
            f.dialogs.records().first().box.title.contains(QStringLiteral("Load Main")));
    QVERIFY(f.steps.contains(QStringLiteral("33")));
    QVERIFY(!f.steps.contains(QStringLiteral("29")));
    // OK wrote a number where the damaged value was.
    bool ok = false;
    f.settings->readNumber(kSettings, QStringLiteral("MarginLeft"), 0, &ok);
    QVERIFY(ok);
}

QTEST_MAIN(TestPageSetup)
#include "tst_pagesetup.moc"
