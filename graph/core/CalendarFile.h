#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

#include "graph/core/CriticalDays.h"
#include "platform/core/SafeFile.h"

/// The critical days as an iCalendar file (RFC 5545, UTF-8) that calendar programs import: one all-day
/// event per person and day. Each event's UID depends only on the person (name and birthday), the day and
/// the cycles, so importing a newer file updates the events an older one made instead of doubling them.
namespace CalendarFile {

/// The most events one file holds: about 25 MB, which calendar programs still import.
constexpr int MaxEvents = 100000;

/// The file's bytes for the critical days found for these people. The stamp (UTC) tells calendar programs
/// when the events were made; it is the only part that differs between two writes of the same days.
QByteArray
Bytes(const QVector<basGraph::Person>& people, const QVector<basGraph::CriticalDay>& days, const QDateTime& stamp);

/// The UID of one person's critical day.
QString EventUid(const basGraph::Person& person, Date day, basGraph::CycleMask cycles);

/// Writes the file whole or not at all.
SafeFile::Result Save(const QString& path,
                      const QVector<basGraph::Person>& people,
                      const QVector<basGraph::CriticalDay>& days,
                      const QDateTime& stamp);

} // namespace CalendarFile
