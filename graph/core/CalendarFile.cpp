// The calendar file is built by libical, which knows the format's escaping and line folding; this is the one
// place of the program that uses it.
#include "CalendarFile.h"

#include <QCryptographicHash>
#include <QSet>

#include <cstdlib>

#include <libical/ical.h>

namespace {

icaltimetype DateValue(Date day)
{
    icaltimetype t = icaltime_null_date();
    t.year = day.Year();
    t.month = day.Month();
    t.day = day.Day();
    return t;
}

// Frees what libical hands over, whatever path the caller takes.
struct Component
{
    icalcomponent* c;
    ~Component() { icalcomponent_free(c); }
};

// The format allows no control character in a text but the tab: one in a name (pasted from elsewhere) would
// make some calendar programs refuse the whole file.
QString WithoutControls(const QString& text)
{
    QString clean = text;
    clean.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F; });
    return clean;
}

QByteArray Text(icalcomponent* component)
{
    char* text = icalcomponent_as_ical_string_r(component);
    QByteArray bytes(text ? text : "");
    std::free(text);
    return bytes;
}

} // namespace

namespace CalendarFile {

QString EventUid(const basGraph::Person& person, Date day, basGraph::CycleMask cycles)
{
    // The name alone may be shared by two people; with the birthday it names one person of the list.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(FormatYmd(person.birthday).toUtf8());
    hash.addData(QByteArrayView("\n"));
    hash.addData(person.name.toUtf8());
    hash.addData(QByteArrayView("\n"));
    hash.addData(QByteArray::number(cycles));
    const QString ymd = QStringLiteral("%1%2%3")
                            .arg(day.Year(), 4, 10, QLatin1Char('0'))
                            .arg(day.Month(), 2, 10, QLatin1Char('0'))
                            .arg(day.Day(), 2, 10, QLatin1Char('0'));
    return ymd + QLatin1Char('-') + QString::fromLatin1(hash.result().toHex().left(24)) + QStringLiteral("@kirvo");
}

QByteArray
Bytes(const QVector<basGraph::Person>& people, const QVector<basGraph::CriticalDay>& days, const QDateTime& stamp)
{
    const Component calendar {icalcomponent_new_vcalendar()};
    icalcomponent_add_property(calendar.c, icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.c, icalproperty_new_prodid("-//kirvo//kirvo//JA"));
    icalcomponent_add_property(calendar.c, icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(calendar.c, icalproperty_new_method(ICAL_METHOD_PUBLISH));
    QByteArray shell = Text(calendar.c);

    const icaltimetype dtstamp
        = icaltime_from_timet_with_zone(stamp.toSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
    // Each event is made and written on its own: a long list never holds all of them in memory twice.
    QByteArray events;
    // A person listed twice has the same days twice: one event each, as a calendar keeps one per UID.
    QSet<QString> written;
    for (const basGraph::CriticalDay& d : days) {
        if (d.person < 0 || d.person >= people.size()) {
            continue;
        }
        const basGraph::Person& person = people[d.person];
        const QString uid = EventUid(person, d.day, d.cycles);
        if (written.contains(uid)) {
            continue;
        }
        written.insert(uid);
        const auto next = d.day.AddDays(1);
        const Component event {icalcomponent_new_vevent()};
        icalcomponent_add_property(event.c, icalproperty_new_uid(uid.toUtf8().constData()));
        icalcomponent_add_property(event.c, icalproperty_new_dtstamp(dtstamp));
        icalcomponent_add_property(event.c, icalproperty_new_dtstart(DateValue(d.day)));
        // An all-day event ends at the start of the next day; the calendar's last day has none.
        if (next) {
            icalcomponent_add_property(event.c, icalproperty_new_dtend(DateValue(*next)));
        }
        icalcomponent_add_property(
            event.c,
            icalproperty_new_summary(
                WithoutControls(basGraph::CriticalDaySummary(person.name, d.cycles)).toUtf8().constData()));
        // A reminder, not an appointment: the day stays free.
        icalcomponent_add_property(event.c, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        events += Text(event.c);
    }
    static const QByteArray End("END:VCALENDAR");
    const qsizetype end = shell.lastIndexOf(End);
    shell.insert(end < 0 ? shell.size() : end, events);
    return shell;
}

SafeFile::Result Save(const QString& path,
                      const QVector<basGraph::Person>& people,
                      const QVector<basGraph::CriticalDay>& days,
                      const QDateTime& stamp)
{
    return SafeFile::Write(path, Bytes(people, days, stamp));
}

} // namespace CalendarFile
