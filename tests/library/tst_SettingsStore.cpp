#include "library/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The store is only useful if what one run writes, the next run reads back unchanged.
class TestSettingsStore : public QObject {
    Q_OBJECT

private:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("settings.ini")); }
    // Writes through one store, closes it and reads through a fresh one, as two runs would.
    QString roundTrip(const QString& section, const QString& key, const QString& value) {
        {
            SettingsStore writer(iniPath());
            writer.write(section, key, value);
        }
        SettingsStore reader(iniPath());
        return reader.read(section, key, QStringLiteral("<absent>"));
    }

    QTemporaryDir m_dir;

private slots:
    void cleanup() { QFile::remove(iniPath()); }

    void missingKeysGiveTheDefault() {
        SettingsStore store(iniPath());
        QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("Revision"),
                            QStringLiteral("999")),
                 QStringLiteral("999"));
        QVERIFY(!store.contains(QStringLiteral("Settings"), QStringLiteral("Revision")));
        bool ok = false;
        QCOMPARE(store.readNumber(QStringLiteral("Settings"), QStringLiteral("MainWidth"), 10500,
                                  &ok),
                 10500.0);
        QVERIFY(ok);
        QCOMPARE(store.readBool(QStringLiteral("Settings"), QStringLiteral("DEBUG"), false, &ok),
                 false);
        QVERIFY(ok);
    }

    void valuesSurviveTheFile_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("plain") << QStringLiteral("Times New Roman");
        QTest::newRow("comma") << QStringLiteral("love, joy, peace");
        QTest::newRow("equals and semicolon") << QStringLiteral("a=b; c");
        QTest::newRow("leading at") << QStringLiteral("@Variant(x)");
        QTest::newRow("outer spaces") << QStringLiteral("  spaced  ");
        QTest::newRow("quotes and backslash") << QStringLiteral("say \"hi\" C:\\Bible\\");
        QTest::newRow("line break") << QStringLiteral("first\r\nsecond");
        QTest::newRow("tab") << QStringLiteral("a\tb");
        QTest::newRow("accents and euro") << QStringLiteral("Jérémie € “quoted”");
        QTest::newRow("nul inside") << QString::fromUtf16(u"pass\0word", 9);
        QTest::newRow("nul only") << QString(QChar(0));
        QTest::newRow("nul last") << QString::fromUtf16(u"key\0", 4);
        QTest::newRow("control bytes") << QString::fromUtf16(u"\x01\x02\x1f\x7f end", 8);
    }
    void valuesSurviveTheFile() {
        QFETCH(QString, value);
        const QString back = roundTrip(QStringLiteral("Identity"), QStringLiteral("Password"),
                                       value);
        QCOMPARE(back.size(), value.size());
        QCOMPARE(back, value);
    }

    void sectionAndKeyNamesWithSpaces() {
        QCOMPARE(roundTrip(QStringLiteral("Search History"), QStringLiteral("0"),
                           QStringLiteral("grace")),
                 QStringLiteral("grace"));
        QCOMPARE(roundTrip(QStringLiteral("Settings"), QStringLiteral("Password Protected"),
                           QStringLiteral("1")),
                 QStringLiteral("1"));
    }

    void numbersAreDecimalText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 10500.0 << QStringLiteral("10500");
        QTest::newRow("negative") << -120.0 << QStringLiteral("-120");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
        QTest::newRow("fraction") << 2.5 << QStringLiteral("2.5");
        QTest::newRow("colour") << 16743034.0 << QStringLiteral("16743034");
        QTest::newRow("large") << 4294967295.0 << QStringLiteral("4294967295");
    }
    void numbersAreDecimalText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        {
            SettingsStore store(iniPath());
            store.writeNumber(QStringLiteral("Settings"), QStringLiteral("N"), value);
        }
        SettingsStore store(iniPath());
        QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("N"), QString()), text);
        bool ok = false;
        QCOMPARE(store.readNumber(QStringLiteral("Settings"), QStringLiteral("N"), -1, &ok), value);
        QVERIFY(ok);
    }

    void booleansAreTrueFalse() {
        {
            SettingsStore store(iniPath());
            store.writeBool(QStringLiteral("Settings"), QStringLiteral("On"), true);
            store.writeBool(QStringLiteral("Settings"), QStringLiteral("Off"), false);
        }
        SettingsStore store(iniPath());
        QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("On"), QString()),
                 QStringLiteral("True"));
        QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("Off"), QString()),
                 QStringLiteral("False"));
        QCOMPARE(store.readBool(QStringLiteral("Settings"), QStringLiteral("On"), false), true);
        QCOMPARE(store.readBool(QStringLiteral("Settings"), QStringLiteral("Off"), true), false);
    }

    void textThatDoesNotConvertReportsIt_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("word") << QStringLiteral("wide");
        QTest::newRow("empty") << QString();
        QTest::newRow("decimal comma") << QStringLiteral("1,5");
        QTest::newRow("infinity") << QStringLiteral("inf");
    }
    void textThatDoesNotConvertReportsIt() {
        QFETCH(QString, stored);
        SettingsStore store(iniPath());
        store.write(QStringLiteral("Settings"), QStringLiteral("MainWidth"), stored);
        bool ok = true;
        QCOMPARE(store.readNumber(QStringLiteral("Settings"), QStringLiteral("MainWidth"), 10500,
                                  &ok),
                 10500.0);
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(store.readBool(QStringLiteral("Settings"), QStringLiteral("MainWidth"), true,
                                &ok),
                 true);
        QVERIFY(!ok);
    }

    void wholeNumberRanges_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("int16");
        QTest::addColumn<bool>("byte");
        QTest::newRow("byte top") << QStringLiteral("255") << true << true;
        QTest::newRow("past byte") << QStringLiteral("256") << true << false;
        QTest::newRow("negative") << QStringLiteral("-1") << true << false;
        QTest::newRow("int16 top") << QStringLiteral("32767") << true << false;
        QTest::newRow("past int16") << QStringLiteral("32768") << false << false;
        QTest::newRow("int16 bottom") << QStringLiteral("-32768") << true << false;
        QTest::newRow("spaces") << QStringLiteral(" 12 ") << true << true;
        QTest::newRow("text") << QStringLiteral("twelve") << false << false;
    }
    void wholeNumberRanges() {
        QFETCH(QString, text);
        QFETCH(bool, int16);
        QFETCH(bool, byte);
        qint16 i = 0;
        quint8 b = 0;
        QCOMPARE(SettingsConvert::toInt16(text, i), int16);
        QCOMPARE(SettingsConvert::toByte(text, b), byte);
        if (byte)
            QCOMPARE(int(b), text.trimmed().toInt());
    }

    void deleteKeyRemovesOnlyThatKey() {
        {
            SettingsStore store(iniPath());
            store.write(QStringLiteral("Settings"), QStringLiteral("MainLeft"), QStringLiteral("5"));
            store.write(QStringLiteral("Settings"), QStringLiteral("MainTop"), QStringLiteral("6"));
            store.deleteKey(QStringLiteral("Settings"), QStringLiteral("MainLeft"));
        }
        SettingsStore store(iniPath());
        QVERIFY(!store.contains(QStringLiteral("Settings"), QStringLiteral("MainLeft")));
        QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("MainTop"), QString()),
                 QStringLiteral("6"));
    }

    void deletingSettingsLeavesTheOtherSections() {
        {
            SettingsStore store(iniPath());
            store.write(QStringLiteral("Settings"), QStringLiteral("Revision"),
                        QStringLiteral("103"));
            store.write(QStringLiteral("Settings"), QStringLiteral("ScreenV1X"),
                        QStringLiteral("4000"));
            store.write(QStringLiteral("Module_Path"), QStringLiteral("ModulePath"),
                        QStringLiteral("/data/Modules/"));
            store.write(QStringLiteral("Identity"), QStringLiteral("Default"),
                        QStringLiteral("Ruth"));
            store.write(QStringLiteral("Search History"), QStringLiteral("0"),
                        QStringLiteral("faith"));
            store.write(QStringLiteral("PrayerTypes"), QStringLiteral("0"),
                        QStringLiteral("Thanks"));
            store.write(QStringLiteral("PrayerResults"), QStringLiteral("0"),
                        QStringLiteral("Answered"));
            store.deleteSection(QStringLiteral("Settings"));
        }
        SettingsStore store(iniPath());
        QVERIFY(!store.contains(QStringLiteral("Settings"), QStringLiteral("Revision")));
        QVERIFY(!store.contains(QStringLiteral("Settings"), QStringLiteral("ScreenV1X")));
        QCOMPARE(store.read(QStringLiteral("Module_Path"), QStringLiteral("ModulePath"), QString()),
                 QStringLiteral("/data/Modules/"));
        QCOMPARE(store.read(QStringLiteral("Identity"), QStringLiteral("Default"), QString()),
                 QStringLiteral("Ruth"));
        QCOMPARE(store.read(QStringLiteral("Search History"), QStringLiteral("0"), QString()),
                 QStringLiteral("faith"));
        QCOMPARE(store.read(QStringLiteral("PrayerTypes"), QStringLiteral("0"), QString()),
                 QStringLiteral("Thanks"));
        QCOMPARE(store.read(QStringLiteral("PrayerResults"), QStringLiteral("0"), QString()),
                 QStringLiteral("Answered"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_SettingsStore.moc"
