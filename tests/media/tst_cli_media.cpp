// tolvane-cli chm, audio and notice against the windows that show the same things.
#include "MediaFixture.h"
#include "media/DownloadNotice.h"
#include "media/NoticeCipher.h"
#include "media/frmCHM.h"
#include "media/frmMP3.h"
#include "media/frmMSG.h"

#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QTextEdit>
#include <QTreeWidget>
#include <QLineEdit>
#include <QtTest>

namespace {
struct Run {
    int status = -1;
    QStringList lines;
};

Run cli(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess p;
    p.start(QStringLiteral(TOLVANE_CLI), args);
    p.write(input);
    p.closeWriteChannel();
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    r.lines.removeAll(QString());
    return r;
}
} // namespace

class TestCliMedia : public QObject {
    Q_OBJECT

private slots:
    void chmListsWhatTheSelectorLists() {
        MediaFixture f;
        f.folder.makeStandard();
        // Every record counts, whatever its kind and flag; other files in the folder do not.
        f.folder.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n2,0,\"Web\",\"b_web\"\r\n"
                                   "1500,1,\"Names\",\"bnames\"\r\n");
        f.folder.write(QStringLiteral("Modules/CHM/cn_kjv.txt"), "not listed");
        QVERIFY(f.copyShipped(QStringLiteral("Modules/CHM/cn_web.chm"),
                              QStringLiteral("Modules/CHM/cn_tst.chm")));
        QVERIFY(f.copyShipped(QStringLiteral("Modules/CHM/cn_web.chm"),
                              QStringLiteral("Modules/CHM/CF_WEB.chm")));
        frmCHM w(f.state, f.opener);
        w.Form_Load();
        QStringList shown;
        for (int i = 0; i < w.LV->topLevelItemCount(); ++i)
            shown << w.LV->topLevelItem(i)->text(0) + '\t' + w.LV->topLevelItem(i)->text(1);
        shown << w.lblCount->text();
        const Run r = cli({"chm", "--folder", f.folder.path()});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines, shown);
        QCOMPARE(shown, (QStringList{"Test Bible\tcn_tst.chm", "Web\tcf_web.chm", "2 Modules found"}));
        const Run toc = cli({"chm", "--folder", f.folder.path(), "--contents", "cf_web.chm"});
        QCOMPARE(toc.lines.size(), 1 + 66 + 1189);
        QVERIFY(toc.lines.contains(QStringLiteral("  John 3\tchm:/book43.htm#c3")));
    }

    void audioListsWhatTheWindowLists() {
        MediaFixture f;
        f.folder.makeStandard();
        for (const char* book : {"Jude.mp3", "2 John.mp3"})
            QVERIFY(f.copyShipped(QStringLiteral("Modules/mp3/English/") + book,
                                  QStringLiteral("Modules/mp3/English/") + book));
        frmMP3 w(f.state, f.opener);
        w.Form_Load();
        QStringList shown;
        for (int i = 0; i < w.Lb->count(); ++i)
            shown << w.Lb->item(i)->text();
        const Run r = cli({"audio", "--folder", f.folder.path(), "english"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines, (QStringList{shown.at(0) + "\t1:34", shown.at(1) + "\t3:29",
                                       w.statusText()}));
        QCOMPARE(cli({"audio", "--folder", f.folder.path()}).lines, QStringList{"ENGLISH"});
    }

    // What the maker scrambles with the command line, the window reads back.
    void noticeMadeAndReadLikeTheWindow() {
        const QByteArray plain = "OK\thttps://a.example.org/x\t<<Cap>>Message\t"
                                 "smb://host/share Contact\thttps://b.example.org/ Second\r\n";
        const Run made = cli({"notice", "--scramble", "-"}, plain);
        QCOMPARE(made.status, 0);
        const QByteArray fetched = made.lines.join(QLatin1Char('\n')).toLatin1() + '\n';
        MediaFixture f;
        DownloadNotice::Failure failure;
        frmMSG w(f.state, f.opener,
                 DownloadNotice::parse(NoticeCipher::unscramble(fetched).text, &failure));
        w.Form_Load();
        const Run read = cli({"notice", "-"}, fetched);
        QCOMPARE(read.lines,
                 (QStringList{"available\tyes", "download\t" + w.downloadAddress(),
                              "caption\t" + w.windowTitle(), "message\t" + w.txtMSG->toPlainText(),
                              "contact\tsmb://host/share (refused)\t" + w.txtContact->text(),
                              "second\t" + w.secondAddress() + '\t' + w.txtURL1->text()}));
        QVERIFY(!w.txtContact->isEnabled());
        QCOMPARE(cli({"notice", "-"}, "12" + fetched).status, 1);
    }
};

QTEST_MAIN(TestCliMedia)
#include "tst_cli_media.moc"
