// The critical days ahead: the list agrees with the cycle model's critical days, each cycle's state on a day,
// the reminder's text, and the calendar file read back with libical.
#include <QtTest>

#include <libical/ical.h>

#include "../TestSupport.h"
#include "graph/basGraph.h"
#include "graph/core/CalendarFile.h"
#include "platform/core/SafeFile.h"

using namespace basGraph;

namespace {

Date After(Date day, int n)
{
    return *day.AddDays(n);
}

// The critical remainders of each cycle, by whole days since birth, as the sine table gives them.
CycleMask ExpectedCycles(qint64 daysSinceBirth)
{
    auto mod = [daysSinceBirth](int length) { return ((daysSinceBirth % length) + length) % length; };
    CycleMask cycles = 0;
    const qint64 phys = mod(23);
    const qint64 sens = mod(28);
    const qint64 intel = mod(33);
    cycles |= (phys == 0 || phys == 11 || phys == 12) ? 1 : 0;
    cycles |= (sens == 0 || sens == 14) ? 2 : 0;
    cycles |= (intel == 0 || intel == 16 || intel == 17) ? 4 : 0;
    return cycles;
}

struct Event
{
    QString uid;
    QString summary;
    QDate start;
    QDate end;
};

QList<Event> ReadEvents(const QByteArray& bytes)
{
    QList<Event> events;
    icalcomponent* calendar = icalparser_parse_string(bytes.constData());
    if (!calendar) {
        return events;
    }
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype start = icalcomponent_get_dtstart(e);
        const icaltimetype end = icalcomponent_get_dtend(e);
        events.push_back({QString::fromUtf8(icalcomponent_get_uid(e)),
                          QString::fromUtf8(icalcomponent_get_summary(e)),
                          start.is_date ? QDate(start.year, start.month, start.day) : QDate(),
                          end.is_date ? QDate(end.year, end.month, end.day) : QDate()});
    }
    icalcomponent_free(calendar);
    return events;
}

} // namespace

class TestCriticalDays : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { BuildSineTable(); }
    void cleanupTestCase() { ResetAllState(); }
    void listedDays_data();
    void listedDays();
    void listAgreesWithTheCycles();
    void cycleStates_data();
    void cycleStates();
    void reminderText();
    void calendarFileReadsBack();
    void calendarFileWholeOrNothing();
    void calendarFileTakesAnyList();
};

void TestCriticalDays::listedDays_data()
{
    QTest::addColumn<int>("firstAfterBirth");
    QTest::addColumn<int>("days");
    // Each listed day: days after the first listed day, person (0 born on the birthday, 1 born a day later),
    // cycle mask.
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("the birthday itself") << 0 << 1 << QStringList {"0:0:7"};
    QTest::newRow("the second person's birthday a day later") << 0 << 2 << QStringList {"0:0:7", "1:1:7"};
    QTest::newRow("the day before birth") << -1 << 1 << QStringList {};
    QTest::newRow("days 11 and 12, second person a day behind")
        << 10 << 4 << QStringList {"1:0:1", "2:0:1", "2:1:1", "3:1:1"};
    QTest::newRow("day 14, sensitivity") << 14 << 1 << QStringList {"0:0:2"};
    QTest::newRow("day 126, two cycles meet") << 126 << 1 << QStringList {"0:0:3"};
    QTest::newRow("day 644, all three meet") << 644 << 1 << QStringList {"0:0:7", "0:1:4"};
    QTest::newRow("no days is one day") << 0 << 0 << QStringList {"0:0:7"};
}

void TestCriticalDays::listedDays()
{
    QFETCH(int, firstAfterBirth);
    QFETCH(int, days);
    QFETCH(QStringList, expected);
    const Date birth = Ymd(1965, 4, 3);
    const QVector<Person> people {{QStringLiteral("A"), birth}, {QStringLiteral("B"), After(birth, 1)}};
    const Date first = After(birth, firstAfterBirth);
    QStringList listed;
    for (const CriticalDay& d : FindCriticalDays(people, first, days)) {
        listed << QStringLiteral("%1:%2:%3").arg(d.day - first).arg(d.person).arg(d.cycles);
    }
    QCOMPARE(listed, expected);
}

void TestCriticalDays::listAgreesWithTheCycles()
{
    // Three years around three birthdays, day by day, against the remainders the chart marks; the list's
    // length is kept to its limit, and the calendar's last day ends it.
    for (const Date birth : {Ymd(1965, 4, 3), Ymd(2000, 2, 29), Ymd(1900, 1, 1)}) {
        for (int start = -400; start < 800; start += 366) {
            const Date first = After(birth, start);
            const QVector<CriticalDay> found = FindCriticalDays({{QString(), birth}}, first, 366);
            int i = 0;
            for (int d = 0; d < 366; ++d) {
                const CycleMask cycles = ExpectedCycles(start + d);
                if (cycles) {
                    QVERIFY(i < found.size());
                    QCOMPARE(found[i].day, After(first, d));
                    QCOMPARE(int(found[i].cycles), int(cycles));
                    QCOMPARE(CriticalCycles(birth, After(first, d)), cycles);
                    ++i;
                }
            }
            QCOMPARE(i, found.size());
        }
    }
    const QVector<Person> one {{QString(), Ymd(1965, 4, 3)}};
    QCOMPARE(FindCriticalDays(one, Ymd(1965, 4, 3), 100000).size(), FindCriticalDays(one, Ymd(1965, 4, 3), 366).size());
    QCOMPARE(FindCriticalDays({{QString(), Ymd(9999, 12, 31)}}, Ymd(9999, 12, 31), 31).size(), 1);
}

void TestCriticalDays::cycleStates_data()
{
    QTest::addColumn<int>("daysAfterBirth");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("birthday: all at zero, rising") << 0 << QStringList {"0％ ↑", "0％ ↑", "0％ ↑"};
    QTest::newRow("day 7: sensitivity at its top") << 7 << QStringList {"94％ ↓", "100％ ↓", "97％ ↑"};
    QTest::newRow("day 11: physical just above zero") << 11 << QStringList {"14％ ↓", "62％ ↓", "87％ ↓"};
    QTest::newRow("day before birth") << -1 << QStringList {"-27％ ↑", "-22％ ↑", "-19％ ↑"};
}

void TestCriticalDays::cycleStates()
{
    QFETCH(int, daysAfterBirth);
    QFETCH(QStringList, texts);
    const Date birth = Ymd(1965, 4, 3);
    QStringList shown;
    for (const CycleState& s : CycleStates(birth, After(birth, daysAfterBirth))) {
        shown << CycleStateText(s);
    }
    QCOMPARE(shown, texts);
}

void TestCriticalDays::reminderText()
{
    const Date today = Ymd(2026, 12, 7);
    const QVector<Person> people {{QStringLiteral("山田花子"), today},
                                  {QStringLiteral("鈴木一郎"), After(today, -5)},
                                  {QStringLiteral("佐藤"), After(today, -11)},
                                  {QStringLiteral("田中"), After(today, -644)}};
    QCOMPARE(ReminderText(people, today), QStringLiteral("山田花子（体・感・知）\n佐藤（体）\n田中（体・感・知）"));
    QCOMPARE(ReminderText(people, today, 1), QStringLiteral("山田花子（体・感・知）\nほか 2 人"));
    QCOMPARE(ReminderText({people[1]}, today), QString());
    QCOMPARE(CriticalDaySummary(QStringLiteral("佐藤"), 5), QStringLiteral("要注意日：佐藤（体・知）"));
}

void TestCriticalDays::calendarFileReadsBack()
{
    // A name with the characters the format escapes, long enough to be folded inside its Japanese text.
    const QString longName
        = QStringLiteral("山田, 花子; \\ 長い名前の人がいても一行が七十五バイトを超えたところで折り返される");
    const QVector<Person> people {{longName, Ymd(1965, 4, 3)}, {QStringLiteral("鈴木一郎"), Ymd(1970, 11, 23)}};
    const Date first = Ymd(2026, 12, 7);
    const QVector<CriticalDay> days = FindCriticalDays(people, first, 31);
    QVERIFY(days.size() > 4);

    const QByteArray bytes = CalendarFile::Bytes(people, days, QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC));
    QVERIFY(bytes.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(bytes.endsWith("END:VCALENDAR\r\n"));
    QVERIFY(bytes.contains("VERSION:2.0\r\n"));
    QVERIFY(bytes.contains("DTSTAMP:20261207T090000Z\r\n"));
    QVERIFY(!bytes.contains("\n\n") && bytes.count('\n') == bytes.count("\r\n"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8.decode(bytes));
    QVERIFY(!utf8.hasError());
    for (const QByteArray& line : bytes.split('\n')) {
        QVERIFY2(line.size() <= 76, line.constData()); // 75 octets and the CR
    }

    const QList<Event> events = ReadEvents(bytes);
    QCOMPARE(events.size(), days.size());
    for (int i = 0; i < days.size(); ++i) {
        const Person& person = people[days[i].person];
        QCOMPARE(events[i].start, days[i].day.ToQDate());
        QCOMPARE(events[i].end, days[i].day.ToQDate().addDays(1));
        QCOMPARE(events[i].summary, CriticalDaySummary(person.name, days[i].cycles));
        QCOMPARE(events[i].uid, CalendarFile::EventUid(person, days[i].day, days[i].cycles));
    }

    // Written again later, for a list that starts a day later: the days both files hold keep their UIDs, so a
    // calendar program updates them. Another person of the same name is another event.
    const QByteArray later
        = CalendarFile::Bytes(people, FindCriticalDays(people, After(first, 1), 31), QDateTime::currentDateTimeUtc());
    QSet<QString> laterUids;
    for (const Event& e : ReadEvents(later)) {
        laterUids.insert(e.uid);
    }
    for (const Event& e : events) {
        QCOMPARE(laterUids.contains(e.uid), e.start != first.ToQDate());
    }
    QVERIFY(CalendarFile::EventUid(people[1], first, 1)
            != CalendarFile::EventUid({people[1].name, Ymd(1970, 11, 24)}, first, 1));
    QCOMPARE(CalendarFile::EventUid(people[1], first, 1), CalendarFile::EventUid(people[1], first, 1));
}

void TestCriticalDays::calendarFileWholeOrNothing()
{
    TempProgramFolder dir;
    const QString path = dir.File("days.ics");
    dir.Write("days.ics", "previous");
    const QVector<Person> people {{QStringLiteral("A"), Ymd(1965, 4, 3)}};
    const QVector<CriticalDay> days = FindCriticalDays(people, Ymd(2026, 12, 7), 31);
    SafeFile::SetFaultForTests([](SafeFile::Step step) { return step == SafeFile::Step::Write; });
    const SafeFile::Result failed = CalendarFile::Save(path, people, days, QDateTime::currentDateTimeUtc());
    SafeFile::SetFaultForTests(nullptr);
    QVERIFY(!failed.ok);
    QCOMPARE(dir.Read("days.ics"), QByteArray("previous"));
    QVERIFY(CalendarFile::Save(path, people, days, QDateTime::currentDateTimeUtc()).ok);
    QCOMPARE(ReadEvents(dir.Read("days.ics")).size(), days.size());
}

void TestCriticalDays::calendarFileTakesAnyList()
{
    // A name pasted with control characters, and a person listed twice: the file stays valid, one event each.
    const QVector<Person> people {{QStringLiteral("山田\x01花\t子\r\n\x7f"), Ymd(1965, 4, 3)},
                                  {QStringLiteral("鈴木一郎"), Ymd(1970, 11, 23)},
                                  {QStringLiteral("鈴木一郎"), Ymd(1970, 11, 23)}};
    const QVector<CriticalDay> days = FindCriticalDays(people, Ymd(2026, 12, 7), 31);
    const QByteArray bytes = CalendarFile::Bytes(people, days, QDateTime::currentDateTimeUtc());
    for (char c = 0; c < 0x20; ++c) {
        if (c != '\t' && c != '\r' && c != '\n') {
            QVERIFY2(!bytes.contains(c), qPrintable(QString::number(c)));
        }
    }
    QVERIFY(!bytes.contains('\x7f'));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    const QList<Event> events = ReadEvents(bytes);
    QSet<QString> uids;
    int first = 0;
    for (const Event& e : events) {
        uids.insert(e.uid);
        if (e.summary.contains(QStringLiteral("山田"))) {
            QVERIFY2(e.summary.startsWith(QStringLiteral("要注意日：山田花\t子（")), qPrintable(e.summary));
            ++first;
        }
    }
    QCOMPARE(uids.size(), events.size());
    const int second = std::count_if(days.begin(), days.end(), [](const CriticalDay& d) { return d.person == 1; });
    QCOMPARE(events.size(), first + second);
}

QTEST_MAIN(TestCriticalDays)
#include "tst_criticaldays.moc"
