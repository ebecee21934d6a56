// Start-up: the order of its steps, the people-first rule, the choice of main window, the second copy.
#include <QtTest>

#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "platform/core/ProgramFolder.h"

#include <sys/stat.h>

namespace {

class FakeHost : public StartupHost
{
public:
    QStringList calls;
    bool lockFree = true;
    bool peopleConfirmed = true;
    int peopleAdded = 1;
    QString lockFolder;

    void BuildModel() override { calls << "model"; }
    bool AcquireRunLock(const QString& folder) override
    {
        calls << "lock";
        lockFolder = folder;
        return lockFree;
    }
    void Note(const QString&) override { calls << "note"; }
    bool RunPeopleDialog() override
    {
        calls << "people";
        if (peopleConfirmed) {
            for (int i = 0; i < peopleAdded; ++i) {
                basParam::AddDisplayPerson(QStringLiteral("p"), Date());
            }
        }
        return peopleConfirmed;
    }
    void ShowMainWindow(bool taskTray) override { calls << (taskTray ? "tray window" : "taskbar window"); }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ResetAllState(); }
    void choice_data();
    void choice();
    void helpPathBesideProgram();
    void installedCopyUsesUserFolder();
};

void TestStartup::choice_data()
{
    QTest::addColumn<QByteArray>("ini"); // empty: no file
    QTest::addColumn<bool>("lockFree");
    QTest::addColumn<bool>("peopleConfirmed");
    QTest::addColumn<bool>("windowShown");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("first run, people confirmed")
        << QByteArray() << true << true << true << QStringList {"model", "lock", "people", "tray window"};
    QTest::newRow("first run, people cancelled")
        << QByteArray() << true << false << false << QStringList {"model", "lock", "people"};
    QTest::newRow("display list restored") << QByteArray("BirthDay=1965/4/3,a\r\n") << true << true << true
                                           << QStringList {"model", "lock", "tray window"};
    QTest::newRow("taskbar variant") << QByteArray("BirthDay=1965/4/3,a\r\nTaskTray=False\r\n") << true << true << true
                                     << QStringList {"model", "lock", "taskbar window"};
    QTest::newRow("second copy ends before anything shows")
        << QByteArray() << false << true << false << QStringList {"model", "lock"};
    QTest::newRow("unreadable date still counts as restored")
        << QByteArray("BirthDay=garbage\r\n") << true << true << true << QStringList {"model", "lock", "tray window"};
}

void TestStartup::choice()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, lockFree);
    QFETCH(bool, peopleConfirmed);
    QFETCH(bool, windowShown);
    QFETCH(QStringList, calls);
    TempProgramFolder dir;
    if (!ini.isEmpty()) {
        dir.Write("kirvo.ini", ini);
    }
    FakeHost host;
    host.lockFree = lockFree;
    host.peopleConfirmed = peopleConfirmed;
    QCOMPARE(basMain::Main(host, dir.Path(), dir.File("user")), windowShown);
    QCOMPARE(host.calls, calls);
    // Start-up itself never writes the settings file.
    QCOMPARE(dir.Read("kirvo.ini"), ini);
    QVERIFY(QDir(dir.Path()).entryList(QDir::Files).size() == (ini.isEmpty() ? 0 : 1));
}

void TestStartup::helpPathBesideProgram()
{
    TempProgramFolder dir;
    FakeHost host;
    host.lockFree = false;
    basMain::Main(host, dir.Path(), dir.File("user"));
    QCOMPARE(basMain::HelpFilePath(), dir.Path() + QStringLiteral("/kirvo.hlp"));
    basMain::Main(host, dir.Path() + QLatin1Char('/'), dir.File("user"));
    QCOMPARE(basMain::HelpFilePath(), dir.Path() + QStringLiteral("/kirvo.hlp"));
}

void TestStartup::installedCopyUsesUserFolder()
{
    // A program folder its user cannot write: the settings come from the user's folder, seeded from beside the
    // program, and the lock goes with them; help is still read beside the program.
    TempProgramFolder program;
    TempProgramFolder home;
    program.Write("kirvo.ini", "BirthDay=1965/4/3,a\r\nTaskTray=False\r\n");
    QCOMPARE(chmod(QFile::encodeName(program.Path()).constData(), 0555), 0);
    QCOMPARE(chmod(QFile::encodeName(home.Path()).constData(), 0777), 0);
    const QString user = home.File("kirvo");
    const int result = RunAsOrdinaryUser([&] {
        FakeHost host;
        if (!basMain::Main(host, program.Path(), user) || host.calls.last() != "taskbar window") {
            return 1;
        }
        if (host.lockFolder != user || ProgramFolder::Get() != user) {
            return 2;
        }
        return basMain::HelpFilePath() == program.File("kirvo.hlp") ? 0 : 3;
    });
    chmod(QFile::encodeName(program.Path()).constData(), 0700);
    QCOMPARE(result, 0);
    QCOMPARE(home.Read("kirvo/kirvo.ini"), program.Read("kirvo.ini"));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
