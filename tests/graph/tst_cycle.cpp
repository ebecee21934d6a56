// The sine table, the phase rule, the critical days and the day counter: every curve value comes from here.
#include <QtTest>

#include <cmath>

#include "graph/basGraph.h"

using namespace basGraph;

class TestCycle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { BuildSineTable(); }
    void tableShape();
    void tableValues_data();
    void tableValues();
    void phaseRow_data();
    void phaseRow();
    void noJumpAcrossBirth();
    void curveChoice();
    void criticalDays_data();
    void criticalDays();
    void criticalRemaindersOverWholeCycles();
    void counterText_data();
    void counterText();
};

void TestCycle::tableShape()
{
    // Rows beyond each cycle's length and the fourth column are never filled.
    for (int c = 0; c < CycleCount; ++c) {
        const int last = CyclePeriods[static_cast<size_t>(c)];
        QCOMPARE(SineTable(0, c), 0.0);
        // The last filled row is one full turn of the literal: close to zero but written.
        QVERIFY(std::abs(SineTable(last, c)) < 1e-13);
        for (int k = last + 1; k < SineRows; ++k) {
            QCOMPARE(SineTable(k, c), 0.0);
        }
    }
    for (int k = 0; k < SineRows; ++k) {
        QCOMPARE(SineTable(k, 3), 0.0);
    }
}

void TestCycle::tableValues_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("28-day peak exactly 1") << 35 << 1 << 1.0 << 0.0;
    QTest::newRow("28-day trough exactly -1") << 105 << 1 << -1.0 << 0.0;
    QTest::newRow("28-day half turn is not 0") << 70 << 1 << 3.2e-15 << 0.1e-15;
    QTest::newRow("physical day 1") << 5 << 0 << 0.26979677 << 1e-8;
    QTest::newRow("sensitivity day 1") << 5 << 1 << 0.22252093 << 1e-8;
    QTest::newRow("intellect day 1") << 5 << 2 << 0.18925124 << 1e-8;
    QTest::newRow("physical day 11") << 55 << 0 << 0.136167 << 1e-6;
    QTest::newRow("physical day 12") << 60 << 0 << -0.136167 << 1e-6;
    QTest::newRow("intellect day 16") << 80 << 2 << 0.095056 << 1e-6;
}

void TestCycle::tableValues()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(double, value);
    QFETCH(double, tolerance);
    if (tolerance == 0.0) {
        QCOMPARE(SineTable(row, column), value);
    } else {
        QVERIFY2(std::abs(SineTable(row, column) - value) <= tolerance,
                 qPrintable(QString::number(SineTable(row, column), 'g', 17)));
    }
}

void TestCycle::phaseRow_data()
{
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("row");
    QTest::newRow("birthday") << 0 << 115 << 0;
    QTest::newRow("one day before, physical") << -5 << 115 << 110;
    QTest::newRow("one day before, sensitivity") << -5 << 140 << 135;
    QTest::newRow("one day before, intellect") << -5 << 165 << 160;
    QTest::newRow("-7 keeps its sign first") << -7 << 115 << 108;
    QTest::newRow("exact negative multiple") << -230 << 115 << 0;
    QTest::newRow("one full cycle") << 115 << 115 << 0;
    QTest::newRow("last fifth") << 114 << 115 << 114;
    QTest::newRow("far after") << 5 * 36500 + 3 << 165 << (5 * 36500 + 3) % 165;
    QTest::newRow("far before") << -5 * 36500 << 140 << (140 - (5 * 36500) % 140) % 140;
}

void TestCycle::phaseRow()
{
    QFETCH(int, s);
    QFETCH(int, length);
    QFETCH(int, row);
    QCOMPARE(PhaseRow(s, length), row);
}

void TestCycle::noJumpAcrossBirth()
{
    // Across the birthday the curve moves by one table step, as anywhere else.
    for (int c = 0; c < CycleCount; ++c) {
        const double step = 6.28318530717958 / CyclePeriods[static_cast<size_t>(c)];
        for (int s = -20; s < 20; ++s) {
            QVERIFY(std::abs(CycleValue(c, s + 1) - CycleValue(c, s)) <= step + 1e-12);
        }
    }
}

void TestCycle::criticalDays_data()
{
    QTest::addColumn<int>("cycle");
    QTest::addColumn<int>("day");
    QTest::addColumn<bool>("critical");
    QTest::newRow("birthday physical") << 0 << 0 << true;
    QTest::newRow("birthday sensitivity") << 1 << 0 << true;
    QTest::newRow("birthday intellect") << 2 << 0 << true;
    QTest::newRow("physical 10") << 0 << 10 << false;
    QTest::newRow("physical 11") << 0 << 11 << true;
    QTest::newRow("physical 12") << 0 << 12 << true;
    QTest::newRow("physical 13") << 0 << 13 << false;
    QTest::newRow("sensitivity 13") << 1 << 13 << false;
    QTest::newRow("sensitivity 14") << 1 << 14 << true;
    QTest::newRow("sensitivity 15") << 1 << 15 << false;
    QTest::newRow("intellect 16") << 2 << 16 << true;
    QTest::newRow("intellect 17") << 2 << 17 << true;
    QTest::newRow("physical day before birth") << 0 << -1 << false;
    QTest::newRow("physical 12 days before birth") << 0 << -12 << true;
}

void TestCycle::criticalDays()
{
    QFETCH(int, cycle);
    QFETCH(int, day);
    QFETCH(bool, critical);
    QCOMPARE(IsCriticalDay(cycle, 5 * day), critical);
}

void TestCycle::criticalRemaindersOverWholeCycles()
{
    const QList<QList<int>> expected {{0, 11, 12}, {0, 14}, {0, 16, 17}};
    for (int c = 0; c < CycleCount; ++c) {
        const int days = CyclePeriods[static_cast<size_t>(c)] / 5;
        for (int d = -3 * days; d < 3 * days; ++d) {
            const int remainder = ((d % days) + days) % days;
            QCOMPARE(IsCriticalDay(c, 5 * d), expected[c].contains(remainder));
        }
    }
}

void TestCycle::counterText_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("birthday") << 0 << QStringLiteral("生後 0 日");
    QTest::newRow("after") << 12345 << QStringLiteral("生後 12345 日");
    QTest::newRow("day before") << -1 << QStringLiteral("生前 1 日");
    QTest::newRow("long before") << -40000 << QStringLiteral("生前 40000 日");
    QTest::newRow("lowest") << int(INT_MIN) << QStringLiteral("生前 2147483648 日");
}

void TestCycle::counterText()
{
    QFETCH(int, n);
    QFETCH(QString, text);
    QCOMPARE(DayCounterText(n), text);
}

void TestCycle::curveChoice()
{
    // Showing or hiding one item never touches the others, whatever the mask held.
    QCOMPARE(WithCurve(15, 0, false), 14);
    QCOMPARE(WithCurve(14, 0, true), 15);
    QCOMPARE(WithCurve(31, 0, false), 30);
    QCOMPARE(WithCurve(15, 2, true), 15);
    QCOMPARE(WithCurve(0, 3, true), 8);
    QCOMPARE(WithCurve(8, 3, false), 0);
}

QTEST_GUILESS_MAIN(TestCycle)
#include "tst_cycle.moc"
