// The options window, driven as its user drives it: the precedence list and its rewrites,
// the colour and size samples, the highlight limit, the switches, "OK" and closing.
#include "MainMenuFixture.h"
#include "ModalDriver.h"
#include "ParallelFixture.h"
#include "parallel/MultiBib.h"
#include "parallel/SetDefaults.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct Options {
    explicit Options(const QByteArray& catalogue) {
        fx.oldAndNew(QStringLiteral("b_a"), "A");
        fx.newOnly(QStringLiteral("b_b"), "B");
        fx.load(catalogue);
        d = std::make_unique<SetDefaults>(*fx.state);
        d->show();
    }
    QStringList row(int r) const {
        const QTreeWidgetItem* item = d->LV->topLevelItem(r);
        return {item->text(0), item->text(1), item->text(2), item->text(3)};
    }
    QString names() const {
        QStringList out;
        for (int r = 0; r < d->LV->topLevelItemCount(); ++r)
            out << d->LV->topLevelItem(r)->text(0);
        return out.join(QLatin1Char('|'));
    }
    void tick(int r, bool on) const {
        d->LV->topLevelItem(r)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    bool ticked(int r) const { return d->LV->topLevelItem(r)->checkState(0) == Qt::Checked; }
    void clickHeader(int section) const {
        QHeaderView* h = d->LV->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(section) + 4, h->height() / 2));
    }
    qint64 stored(const char* key) const {
        return fx.settings->readInt(QStringLiteral("Settings"), QString::fromLatin1(key), -1, -1,
                                    1LL << 32);
    }
    ParallelFixture fx;
    std::unique_ptr<SetDefaults> d;
};

QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

} // namespace

class TestSetDefaults : public QObject {
    Q_OBJECT
private slots:
    void tickingWritesAtOnceAndKeepsOneBibleAvailable() {
        // Two rows with one description: the row the tick came from is the one put back.
        const QByteArray catalogue =
            "1,1,\"Same\",\"b_a\"\r\n2,1,\"Same\",\"b_lost\"\r\n3,0,\"Other\",\"b_b\"\r\n";
        Options o(catalogue);
        ProgramState& s = *o.fx.state;
        QCOMPARE(o.row(1), (QStringList{"Same", "02", "b_lost", "NOT AVAILABLE"}));
        QCOMPARE(o.row(2), (QStringList{"Other", "03", "b_b", "BIBLE DISABLED"}));
        const QColor colours[] = {rgb(0, 255, 0), rgb(255, 0, 0), rgb(255, 255, 0)};
        for (int r = 0; r < 3; ++r)
            QCOMPARE(o.d->LV->topLevelItem(r)->foreground(3).color(), colours[r]);
        QSignalSpy reloaded(o.d.get(), &SetDefaults::catalogueReloaded);
        o.fx.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("must stay enabled"));
        o.tick(0, false);
        QVERIFY(o.ticked(0) && o.ticked(1));
        QCOMPARE(o.fx.catalogue(), catalogue);
        QCOMPARE(reloaded.count(), 0);

        o.tick(2, true);
        QVERIFY(o.fx.catalogue().endsWith("2,1,\"Same\",\"b_lost\"\r\n3,1,\"Other\",\"b_b\"\r\n"));
        QCOMPARE(o.row(2).at(3), QStringLiteral("AVAILABLE"));
        QCOMPARE(s.BibleNames, (QStringList{"Same", "Other"}));
        o.tick(0, false);
        QCOMPARE(s.BibleNames, QStringList{"Other"});
        QCOMPARE(o.row(0).at(3), QStringLiteral("BIBLE DISABLED"));
        QCOMPARE(o.d->LV->topLevelItem(0)->foreground(0).color(), rgb(255, 255, 0));
        QCOMPARE(reloaded.count(), 2);
        QCOMPARE(o.fx.dialogs.pending(), 0);
    }

    void movesAndSortsRewriteTheOrder() {
        // More rows than two digits number: "#" must order as a number ("11" before "100").
        QByteArray catalogue = "1,1,\"Bible 001\",\"b_a\"\r\n";
        for (int i = 2; i <= 120; ++i)
            catalogue += QByteArray::number(i) + ",1,\"Bible " +
                         QByteArray::number(i).rightJustified(3, '0') + "\",\"b_x\"\r\n";
        catalogue += "121,0,\"Zed\",\"b_b\"\r\n1700,1,\"Comm\",\"c\"\r\n";
        Options o(catalogue);
        SetDefaults& d = *o.d;
        o.clickHeader(0); // ascending by name
        o.clickHeader(0); // descending
        QCOMPARE(o.row(0), (QStringList{"Zed", "01", "b_b", "BIBLE DISABLED"}));
        QCOMPARE(o.row(1).at(0), QStringLiteral("Bible 120"));
        QVERIFY(
            o.fx.catalogue().startsWith("1,0,\"Zed\",\"b_b\"\r\n2,1,\"Bible 120\",\"b_x\"\r\n"));

        d.LV->setCurrentItem(d.LV->topLevelItem(1));
        QTest::mouseClick(d.CmdDown, Qt::LeftButton); // only this row and the next change places
        QCOMPARE(o.names().section('|', 0, 3), QStringLiteral("Zed|Bible 119|Bible 120|Bible 118"));
        QCOMPARE(d.LV->currentItem()->text(0), QStringLiteral("Bible 120"));
        d.LV->setCurrentItem(d.LV->topLevelItem(100));
        QTest::mouseClick(d.cmdUp, Qt::LeftButton);
        QCOMPARE(o.row(99), (QStringList{"Bible 021", "100", "b_x", "NOT AVAILABLE"}));
        const QString order = o.names();
        o.clickHeader(1); // ascending by "#": the order stands
        QCOMPARE(o.names(), order);
        QVERIFY(o.fx.catalogue().contains("100,1,\"Bible 021\",\"b_x\"\r\n101,1,\"Bible 022\""));
        QVERIFY(
            o.fx.catalogue().endsWith("121,1,\"Bible 001\",\"b_a\"\r\n1700,1,\"Comm\",\"c\"\r\n"));

        // A disabled row does not move; the last row does not move down.
        d.LV->setCurrentItem(d.LV->topLevelItem(0));
        o.fx.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("cannot be moved"));
        QTest::mouseClick(d.CmdDown, Qt::LeftButton);
        d.LV->setCurrentItem(d.LV->topLevelItem(120));
        QTest::mouseClick(d.CmdDown, Qt::LeftButton);
        QCOMPARE(o.names(), order);
        QCOMPARE(o.fx.dialogs.records().constLast().box.icon, Dialogs::Icon::None);
    }

    void okStoresTheValuesShown() {
        Options o("1,1,\"Alpha\",\"b_a\"\r\n");
        SetDefaults& d = *o.d;
        ScriptedDialogs& dialogs = o.fx.dialogs;
        QSignalSpy saved(&d, &SetDefaults::optionsSaved);
        QCOMPARE(d.Text2->text(), QStringLiteral("500")); // the values in force
        QCOMPARE(d.TH[0]->palette().color(QPalette::WindowText), rgb(255, 0, 0));
        QCOMPARE(d.T2B->palette().color(QPalette::Window), rgb(0xDC, 0xDC, 0xDC));
        QTest::mouseClick(d.OTH[2], Qt::LeftButton);
        dialogs.expectColour(rgb(1, 2, 3));
        QTest::mouseClick(d.cmdColour, Qt::LeftButton);
        QTest::mouseClick(d.OTB, Qt::LeftButton);
        dialogs.expectColour(rgb(10, 20, 30));
        QTest::mouseClick(d.cmdColour, Qt::LeftButton);
        dialogs.expectColour(std::nullopt); // cancelled: nothing changes
        QTest::mouseClick(d.cmdColour, Qt::LeftButton);
        QTest::mouseClick(d.C2Back, Qt::LeftButton);
        dialogs.expectColour(rgb(7, 8, 9));
        QTest::mouseClick(d.Command1, Qt::LeftButton);
        d.Slider1Font->setValue(20);
        d.chkSplash->click();

        // A limit that is no number is refused, and nothing is stored.
        d.Text2->setText(QStringLiteral("12x"));
        dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("less than 10"));
        QTest::mouseClick(d.CmdSave, Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(o.stored("ShowSplash"), -1);
        d.Text2->setText(QStringLiteral("750"));
        QTest::mouseClick(d.CmdSave, Qt::LeftButton);

        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(o.stored("MAXCountSize"), 750);
        QCOMPARE(o.stored("Bib1H3"), 0x030201);
        QCOMPARE(o.stored("Bib1BC"), 0x1E140A);
        QCOMPARE(o.stored("Bib2BC"), 0x090807);
        QCOMPARE(o.stored("Bib2Fontsize"), 20);
        QCOMPARE(o.stored("ShowSplash"), 0);
        QCOMPARE(o.stored("DeleteTempFilesOnExit"), 1);
        QCOMPARE(o.fx.state->Bib1H3, 0x030201u);
        QCOMPARE(dialogs.pending(), 0);
    }

    void closingPutsTheSwitchesBack() {
        Options o("1,1,\"Alpha\",\"b_a\"\r\n");
        SetDefaults& d = *o.d;
        ProgramState& s = *o.fx.state;
        d.chkActiveUpd->click();
        d.chkDeleteOnExit->click();
        d.chkAutoClearClip->click();
        QCOMPARE(int(s.ActiveUpdateBib1), 1); // in force at once
        QCOMPARE(int(s.DeleteTempFilesOnExit), 0);
        QCOMPARE(o.stored("AutoClearClip"), 1);
        d.reject();
        QCOMPARE(int(s.ActiveUpdateBib1), 0);
        QCOMPARE(int(s.DeleteTempFilesOnExit), 1);
        QCOMPARE(o.stored("AutoClearClip"), 0);
        QCOMPARE(o.stored("DeleteTempFilesOnExit"), -1);
    }

    void aCatalogueThatCannotBeWrittenStaysAsItWas() {
        const QByteArray catalogue = "1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Bee\",\"b_b\"\r\n";
        Options o(catalogue);
        ReadOnlyFolder locked(o.fx.folder.file(QStringLiteral("sysdefs")));
        if (locked.writable())
            QSKIP("no way to make a folder unwritable here");
        o.d->LV->setCurrentItem(o.d->LV->topLevelItem(1));
        o.fx.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Translations.txt"));
        QTest::mouseClick(o.d->cmdUp, Qt::LeftButton);
        QCOMPARE(o.fx.dialogs.pending(), 0);
        QCOMPARE(o.fx.catalogue(), catalogue);
        QCOMPARE(o.names(), QStringLiteral("Alpha|Bee")); // the list shows what is stored
        QCOMPARE(o.fx.state->BibleNames, (QStringList{"Alpha", "Bee"}));
    }

    void mainWindowOpensBothAndItsListFollowsANewOrder() {
        MainMenuFixture m;
        m.folder.addSmallBible(QStringLiteral("b_two"));
        m.folder.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n2,1,\"Second\",\"b_two\"\r\n");
        m.settings->write(QStringLiteral("Settings"), QStringLiteral("ScreenV1X"), "8000");
        m.load();
        const MainActions& a = m.window->actions();
        QVERIFY(a.view.multiBible->isEnabled() && a.tools.options->isEnabled());
        a.view.multiBible->trigger();
        a.view.multiBible->trigger(); // raised, not made twice
        const QList<MultiBib*> views = m.window->findChildren<MultiBib*>();
        QCOMPARE(views.size(), 1);
        QVERIFY(views.at(0)->isVisible());
        QCOMPARE(views.at(0)->width(), qRound(8000 * views.at(0)->logicalDpiX() / 1440.0));

        ModalDriver::whenModal(QStringLiteral("SetDefaults"), [](QWidget* w) {
            auto* d = static_cast<SetDefaults*>(w);
            d->LV->setCurrentItem(d->LV->topLevelItem(1));
            d->cmdUp->click();
            d->reject();
        });
        a.tools.options->trigger();
        auto* list = ctl<QComboBox>(*m.window, "cboTranslation");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), QStringLiteral("Second"));
        QCOMPARE(list->currentText(), QStringLiteral("Test Bible")); // still the one searched
        QCOMPARE(m.window->currentBibleFile(), QStringLiteral("b_tst.TXT"));
        QCOMPARE(views.at(0)->CurBibleFile, QStringLiteral("b_two.TXT"));
    }
};

QTEST_MAIN(TestSetDefaults)
#include "tst_setdefaults.moc"
