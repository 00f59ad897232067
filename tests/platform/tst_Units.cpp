#include "platform/Twips.h"
#include "platform/WinColour.h"

#include <QtTest>

class TestUnits : public QObject {
    Q_OBJECT

private slots:
    // The defaults of the settings store, which are written as Windows colour values.
    void windowsColoursHaveRedInTheLowByte_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("black") << 0u << QColor(0, 0, 0);
        QTest::newRow("red") << 255u << QColor(255, 0, 0);
        QTest::newRow("green") << 0x00FF00u << QColor(0, 255, 0);
        QTest::newRow("blue") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("teal highlight") << 0xA2B500u << QColor(0x00, 0xB5, 0xA2);
        QTest::newRow("orange highlight") << 44532u << QColor(0xF4, 0xAD, 0x00);
        QTest::newRow("light grey") << 15790320u << QColor(0xF0, 0xF0, 0xF0);
        QTest::newRow("lavender") << 16743034u << QColor(0x7A, 0x7A, 0xFF);
        QTest::newRow("white") << 0xFFFFFFu << QColor(255, 255, 255);
    }
    void windowsColoursHaveRedInTheLowByte() {
        QFETCH(quint32, value);
        QFETCH(QColor, colour);
        QCOMPARE(WinColour::toQColor(value), colour);
        QCOMPARE(WinColour::fromQColor(colour), value);
        QCOMPARE(WinColour::fromQColor(WinColour::toQColor(value)), value);
    }

    void coloursFromAnySpecConvert() {
        QCOMPARE(WinColour::fromQColor(QColor::fromHsv(0, 255, 255)), 255u);
        QCOMPARE(WinColour::fromQColor(QColor::fromCmyk(255, 255, 0, 0)), 0xFF0000u);
        QCOMPARE(WinColour::fromQColor(QColor(255, 0, 0, 10)), 255u); // alpha is not kept
        QCOMPARE(WinColour::fromQColor(QColor(Qt::yellow)), 0x00FFFFu);
    }

    void twipsAndPixels_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("inch at 96") << 1440.0 << 96.0 << 96;
        QTest::newRow("half inch at 96") << 720.0 << 96.0 << 48;
        QTest::newRow("inch at 120") << 1440.0 << 120.0 << 120;
        QTest::newRow("default width") << 10500.0 << 96.0 << 700;
        QTest::newRow("placement default") << 8000.0 << 96.0 << 533;
        QTest::newRow("one pixel") << 15.0 << 96.0 << 1;
        QTest::newRow("rounds down") << 7.0 << 96.0 << 0;
        QTest::newRow("rounds up") << 8.0 << 96.0 << 1;
        QTest::newRow("negative") << -1000.0 << 96.0 << -67;
    }
    void twipsAndPixels() {
        QFETCH(double, twips);
        QFETCH(double, dpi);
        QFETCH(int, pixels);
        QCOMPARE(Twips::toPixelsRounded(twips, dpi), pixels);
        QCOMPARE(Twips::fromPixels(Twips::toPixels(twips, dpi), dpi), twips);
    }

    void pageSetupMillimetres() {
        QCOMPARE(Twips::kPerMillimetre * 10, 567.0);
        // An A4 width in twips is just under 8.27 inches at 96 dots per inch.
        QCOMPARE(Twips::toPixelsRounded(210 * Twips::kPerMillimetre, 96), 794);
    }
};

QTEST_GUILESS_MAIN(TestUnits)
#include "tst_Units.moc"
