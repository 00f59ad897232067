#include "ScriptedDialogs.h"
#include "app/search/HighlightPlan.h"
#include "app/search/SearchHistory.h"
#include "library/SettingsStore.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const HighlightPlan::Palette kPalette{0x000001, 0x000002, 0x000003, 0x000004, 0x000005};

QList<int> positionsOf(const HighlightPlan& plan, int term) {
    QList<int> out;
    for (const HighlightPlan::Span& s : plan.spans())
        if (s.term == term)
            out << s.position;
    return out;
}
} // namespace

// The highlighting plan (places, colours, limit, summary) and the search history rules.
class TestHighlightAndHistory : public QObject {
    Q_OBJECT

private slots:
    void limitStopsAtExactlyMaxCount() {
        const QByteArray pane = QByteArray("the ").repeated(800);
        const HighlightPlan plan = HighlightPlan::Compute(pane, {"the", "xyz"}, 500, kPalette, false);
        QCOMPARE(plan.spans().size(), 500 + 0);
        const HighlightPlan::Outcome o = plan.outcome();
        QCOMPARE(o.MatchCount, 500);
        QVERIFY(o.LimitReached);
        QCOMPARE(o.summaryColour, HighlightPlan::kRed);
        QCOMPARE(o.summaryItems, (QStringList{"500 the", "0 xyz"}));
    }

    void afterTheLimitEachTermGetsOneMatch() {
        const QByteArray pane = QByteArray("ab ").repeated(10);
        const HighlightPlan plan = HighlightPlan::Compute(pane, {"a", "b", "ab"}, 4, kPalette, false);
        QCOMPARE(plan.outcome().summaryItems, (QStringList{"4 a", "1 b", "1 ab"}));
        QCOMPARE(plan.outcome().MatchCount, 6);
        QVERIFY(plan.outcome().LimitReached);
        // Below the limit the summary is black.
        const HighlightPlan wide = HighlightPlan::Compute(pane, {"a"}, 500, kPalette, false);
        QCOMPARE(wide.outcome().summaryColour, HighlightPlan::kBlack);
        QVERIFY(!wide.outcome().LimitReached);
    }

    void termColoursCycleThroughSix() {
        QVector<QByteArray> terms;
        for (int k = 1; k <= 7; ++k)
            terms << QByteArray(1, char('a' + k));
        const HighlightPlan plan = HighlightPlan::Compute("bcdefgh", terms, 500, kPalette, false);
        QList<quint32> colours;
        for (const HighlightPlan::Term& t : plan.terms())
            colours << t.colour;
        QCOMPARE(colours, (QList<quint32>{1, 2, 3, 4, 5, HighlightPlan::kYellow, 1}));
        QCOMPARE(HighlightPlan::kYellow, quint32(0x00FFFF)); // red 255, green 255, blue 0
    }

    void findIgnoresCaseAndCountsTheFirstCharacter() {
        const QByteArray pane = "Love is love, LOVE\nlove";
        const HighlightPlan plan = HighlightPlan::Compute(pane, {"love"}, 500, kPalette, false);
        QCOMPARE(positionsOf(plan, 0), (QList<int>{0, 8, 14, 19}));
        QCOMPARE(plan.outcome().summaryItems, QStringList{"4 love"});
        // Only the summary follows "Ignore Case".
        const HighlightPlan upper = HighlightPlan::Compute(pane, {"love"}, 500, kPalette, true);
        QCOMPARE(upper.outcome().summaryItems, QStringList{"4 LOVE"});
        QCOMPARE(HighlightPlan::Compute("\xe9t\xe9 \xc9T\xc9", {"\xc9t\xe9"}, 500, kPalette, false)
                     .spans()
                     .size(),
                 2);
    }

    void nextFindStartsTwoAfterTheMatch() {
        QCOMPARE(positionsOf(HighlightPlan::Compute("aaaa", {"aa"}, 500, kPalette, false), 0),
                 (QList<int>{0, 2}));
        QCOMPARE(positionsOf(HighlightPlan::Compute("banana", {"ana"}, 500, kPalette, false), 0),
                 (QList<int>{1, 3}));
        QCOMPARE(positionsOf(HighlightPlan::Compute("aaa", {"a"}, 500, kPalette, false), 0),
                 (QList<int>{0, 2}));
    }

    void emptyTermFindsNothing() {
        const HighlightPlan plan = HighlightPlan::Compute("abc", {"", "b"}, 500, kPalette, false);
        QCOMPARE(plan.outcome().summaryItems, (QStringList{"0 ", "1 b"}));
    }

    void interruptedPassSummarisesOnlyFinishedTerms() {
        const HighlightPlan plan =
            HighlightPlan::Compute("a b a b c", {"a", "b", "c"}, 500, kPalette, false);
        QCOMPARE(plan.spans().size(), 5);
        const HighlightPlan::Outcome mid = plan.outcomeAfter(3); // stopped within "b"
        QCOMPARE(mid.MatchCount, 3);
        QCOMPARE(mid.summaryItems, QStringList{"2 a"});
        QCOMPARE(plan.outcomeAfter(4).summaryItems, (QStringList{"2 a", "2 b"}));
        QCOMPARE(plan.outcomeAfter(0).summaryItems, QStringList());
        QCOMPARE(HighlightPlan::HighlightingText("love"), QStringLiteral("Highlighting \"love\""));
    }

    void historyRoundTrip() {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("s.ini")));
        SearchHistory history(store);
        QStringList list = history.PopulateHistoryCombo();
        QVERIFY(list.isEmpty());
        QVERIFY(history.SaveComboHistory(list, QStringLiteral("love")));
        QVERIFY(!history.SaveComboHistory(list, QStringLiteral("love")));
        QVERIFY(history.SaveComboHistory(list, QStringLiteral("Love"))); // case counts
        QCOMPARE(list, (QStringList{"love", "Love"}));
        QCOMPARE(store.read(SearchHistory::Section(), QStringLiteral("1"), QString()),
                 QStringLiteral("Love"));
        QCOMPARE(SearchHistory(store).PopulateHistoryCombo(), list);
        // Unused keys hold "." and are skipped wherever they are.
        store.write(SearchHistory::Section(), QStringLiteral("5"), QStringLiteral("."));
        store.write(SearchHistory::Section(), QStringLiteral("7"), QStringLiteral("faith"));
        QCOMPARE(history.PopulateHistoryCombo(), (QStringList{"love", "Love", "faith"}));
    }

    void onlyKeysUpTo100AreReadBack() {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("s.ini")));
        SearchHistory history(store);
        QStringList list;
        for (int i = 0; i < 103; ++i)
            history.SaveComboHistory(list, QStringLiteral("t%1").arg(i));
        QCOMPARE(list.size(), 103);
        QCOMPARE(store.read(SearchHistory::Section(), QStringLiteral("102"), QString()),
                 QStringLiteral("t102"));
        const QStringList back = history.PopulateHistoryCombo();
        QCOMPARE(back.size(), 101);
        QCOMPARE(back.constLast(), QStringLiteral("t100"));
    }

    void clearingAsksFirst() {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("s.ini")));
        SearchHistory history(store);
        QStringList list;
        history.SaveComboHistory(list, QStringLiteral("love"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage(Dialogs::Answer::No, QStringLiteral("Delete?"));
        QVERIFY(!history.ClearHistory(dialogs, QStringLiteral("Delete?"), list));
        QCOMPARE(list.size(), 1);
        QCOMPARE(history.PopulateHistoryCombo().size(), 1);
        const Dialogs::Box& box = dialogs.records().constLast().box;
        QCOMPARE(box.title, QStringLiteral("Confirm Delete"));
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(box.defaultButton, Dialogs::Answer::No);
        dialogs.expectMessage(Dialogs::Answer::Yes);
        QVERIFY(history.ClearHistory(dialogs, QStringLiteral("Delete?"), list));
        QVERIFY(list.isEmpty());
        QVERIFY(history.PopulateHistoryCombo().isEmpty());
        QCOMPARE(SearchHistory::InitialText(), QStringLiteral("*"));
    }
};

QTEST_MAIN(TestHighlightAndHistory)
#include "tst_HighlightAndHistory.moc"
