// The day watcher hears the session wake from sleep: logind's announcement on the system bus, here a bus of
// the test's own that stands in for it.
#include <QtTest>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>

#include "../TestSupport.h"
#include "platform/core/Clock.h"
#include "platform/core/DayWatcher.h"

class TestDayWatcher : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup() { ResetAllState(); }
    void resumeAnnouncedOnTheSystemBus();

private:
    QProcess m_bus;
    QString m_address;
};

void TestDayWatcher::initTestCase()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) {
        QSKIP("dbus-daemon is not installed");
    }
    m_bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    QVERIFY(m_bus.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(m_bus.canReadLine(), 10000);
    m_address = QString::fromUtf8(m_bus.readLine().trimmed());
    // Before anything in this process reaches for the system bus.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());
}

void TestDayWatcher::cleanupTestCase()
{
    m_bus.terminate();
    m_bus.waitForFinished(5000);
}

void TestDayWatcher::resumeAnnouncedOnTheSystemBus()
{
    QDBusConnection login1 = QDBusConnection::connectToBus(m_address, QStringLiteral("login1"));
    QVERIFY(login1.isConnected());
    QVERIFY(login1.registerService(QStringLiteral("org.freedesktop.login1")));
    Clock::SetTodayForTests(Ymd(2026, 12, 7));
    DayWatcher watcher;
    QSignalSpy changed(&watcher, &DayWatcher::DayChanged);
    // The machine slept through midnight; its timers stood still meanwhile.
    Clock::SetTodayForTests(Ymd(2026, 12, 8));
    QDBusMessage resumed = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                      QStringLiteral("org.freedesktop.login1.Manager"),
                                                      QStringLiteral("PrepareForSleep"));
    resumed << false;
    QVERIFY(login1.send(resumed));
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(watcher.Day(), Ymd(2026, 12, 8));
}

QTEST_MAIN(TestDayWatcher)
#include "tst_daywatcher.moc"
