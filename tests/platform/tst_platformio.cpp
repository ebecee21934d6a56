// Code page 932 text, whole-file writes with Retry/Cancel, message boxes, the folder of the settings and people
// files, the lock against a second copy and the line from a later start to the running copy.
#include <QtTest>

#include "../TestSupport.h"
#include "platform/CommonDialogs.h"
#include "platform/FileRetry.h"
#include "platform/MsgBox.h"
#include "platform/core/Cp932.h"
#include "platform/core/InstanceLock.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/RunningCopy.h"
#include "platform/core/SafeFile.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <thread>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

class TestPlatformIo : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void cp932Encode_data();
    void cp932Encode();
    void cp932Unmappable();
    void cp932DecodeDamagedBytes();
    void splitLines_data();
    void splitLines();
    void companionFile_data();
    void companionFile();
    void dataFolderChoice_data();
    void dataFolderChoice();
    void safeFileWritesAndReplaces();
    void safeFileRetryAfterOpenFailure();
    void safeFileCancelKeepsOldFile_data();
    void safeFileCancelKeepsOldFile();
    void safeFileRetryAfterFailedReplacement();
    void instanceLockPerFolder();
    void instanceLockWithoutWritableFolder();
    void instanceLockStaleIsTakenOver();
    void instanceLockBrokenPlace_data();
    void instanceLockBrokenPlace();
    void instanceLockDamagedWhileHeld();
    void laterStartReachesRunningCopy();
    void fileDialogsStartWhereTheUserWas();
};

void TestPlatformIo::cleanup()
{
    ResetAllState();
}

void TestPlatformIo::cp932Encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("bestFit");
    QTest::newRow("ascii") << "abc,1" << QByteArray("abc,1") << false;
    QTest::newRow("kanji") << QStringLiteral("山田花子") << QByteArray("\x8e\x52\x93\x63\x89\xd4\x8e\x71") << false;
    QTest::newRow("full-width space") << QStringLiteral("名　前") << QByteArray("\x96\xbc\x81\x40\x91\x4f") << false;
    QTest::newRow("half-width kana") << QStringLiteral("ｱ") << QByteArray("\xb1") << false;
    QTest::newRow("vendor extension") << QStringLiteral("①") << QByteArray("\x87\x40") << false;
    QTest::newRow("emoji is one ?") << QStringLiteral("a😀b") << QByteArray("a?b") << false;
    QTest::newRow("hangul is ?") << QStringLiteral("한") << QByteArray("?") << false;
    QTest::newRow("empty") << QString() << QByteArray() << false;
    // What input methods elsewhere type for signs Windows keyboards give in full width: Windows' best fit.
    QTest::newRow("wave dash") << QStringLiteral("〜") << QByteArray("\x81\x60") << true;
    QTest::newRow("minus sign") << QStringLiteral("−") << QByteArray("\x81\x7c") << true;
    QTest::newRow("double bar") << QStringLiteral("‖") << QByteArray("\x81\x61") << true;
    QTest::newRow("em dash") << QStringLiteral("—") << QByteArray("\x81\x5c") << true;
    QTest::newRow("yen sign") << QStringLiteral("¥") << QByteArray("\x5c") << true;
    QTest::newRow("overline") << QStringLiteral("‾") << QByteArray("\x7e") << true;
    QTest::newRow("cent, pound, not") << QStringLiteral("¢£¬") << QByteArray("\x81\x91\x81\x92\x81\xca") << true;
}

void TestPlatformIo::cp932Encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, bestFit);
    QCOMPARE(Cp932::Encode(text), bytes);
    QCOMPARE(Cp932::ByteLength(text), int(bytes.size()));
    QCOMPARE(Cp932::Unmappable(text).isEmpty(), !bytes.contains('?'));
    // A best fit reads back as the code page's own character, not the one typed.
    if (!bytes.contains('?') && !bestFit) {
        QCOMPARE(Cp932::Decode(bytes), text);
    }
}

void TestPlatformIo::cp932Unmappable()
{
    QCOMPARE(Cp932::Unmappable(QStringLiteral("山田한국😀〜한𠮷")), QStringLiteral("한국😀𠮷"));
    QCOMPARE(Cp932::Unmappable(QStringLiteral("€")), QStringLiteral("€"));
}

void TestPlatformIo::cp932DecodeDamagedBytes()
{
    // A lead byte with nothing after it, and bytes that form no character: replaced, never a crash.
    const QString t = Cp932::Decode(QByteArray("ab\x81", 3));
    QVERIFY(t.startsWith(QLatin1String("ab")));
    QVERIFY(t.size() >= 3);
    QByteArray all;
    for (int i = 0; i < 256; ++i) {
        all.append(static_cast<char>(i));
    }
    QVERIFY(!Cp932::Decode(all).isEmpty());
}

void TestPlatformIo::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList {"a", "b"};
    QTest::newRow("no final break") << "a\r\nb" << QStringList {"a", "b"};
    QTest::newRow("cr alone") << "a\rb\r" << QStringList {"a", "b"};
    QTest::newRow("lf alone") << "a\nb" << QStringList {"a", "b"};
    QTest::newRow("empty lines kept") << "[x]\r\n\r\nk=v\r\n" << QStringList {"[x]", "", "k=v"};
    QTest::newRow("lf cr is two breaks") << "a\n\rb" << QStringList {"a", "", "b"};
    QTest::newRow("empty") << "" << QStringList {};
}

void TestPlatformIo::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(Cp932::SplitLines(text), lines);
}

void TestPlatformIo::companionFile_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/opt/app"
                           << "/opt/app/kirvo.hlp";
    QTest::newRow("root slash") << "/"
                                << "/kirvo.hlp";
    QTest::newRow("drive root") << "C:\\"
                                << "C:\\kirvo.hlp";
}

void TestPlatformIo::companionFile()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(ProgramFolder::CompanionFile(folder, QStringLiteral(".hlp")), path);
}

void TestPlatformIo::dataFolderChoice_data()
{
    QTest::addColumn<int>("folderMode"); // the program folder's mode
    QTest::addColumn<int>("iniMode"); // kirvo.ini beside the program; 0: none
    QTest::addColumn<bool>("userFolderCanBeMade");
    QTest::addColumn<QByteArray>("ownIni"); // kirvo.ini already in the user folder; empty: none
    QTest::addColumn<bool>("userFolderUsed");
    QTest::addColumn<QByteArray>("iniInUse"); // kirvo.ini in the folder in use afterwards
    const QByteArray admin("TaskTray=False\r\n");
    QTest::newRow("portable: writable folder") << 0777 << 0644 << true << QByteArray() << false << admin;
    QTest::newRow("portable: settings writable in place") << 0555 << 0666 << true << QByteArray() << false << admin;
    QTest::newRow("installed: defaults seed the first run") << 0555 << 0444 << true << QByteArray() << true << admin;
    QTest::newRow("installed: no defaults") << 0555 << 0 << true << QByteArray() << true << QByteArray();
    QTest::newRow("installed: the user's own file is kept")
        << 0555 << 0444 << true << QByteArray("DispPeriod=20\r\n") << true << QByteArray("DispPeriod=20\r\n");
    QTest::newRow("installed: no user folder can be made") << 0555 << 0444 << false << QByteArray() << false << admin;
}

void TestPlatformIo::dataFolderChoice()
{
    QFETCH(int, folderMode);
    QFETCH(int, iniMode);
    QFETCH(bool, userFolderCanBeMade);
    QFETCH(QByteArray, ownIni);
    QFETCH(bool, userFolderUsed);
    QFETCH(QByteArray, iniInUse);
    TempProgramFolder program;
    TempProgramFolder home;
    const QString user = home.File(QStringLiteral("share/kirvo"));
    if (iniMode != 0) {
        program.Write(QStringLiteral("kirvo.ini"), "TaskTray=False\r\n");
        QCOMPARE(chmod(QFile::encodeName(program.File("kirvo.ini")).constData(), iniMode), 0);
    }
    program.Write(QStringLiteral("kirvo.dat"), "00002.00");
    if (!ownIni.isEmpty()) {
        QVERIFY(QDir().mkpath(user));
        home.Write(QStringLiteral("share/kirvo/kirvo.ini"), ownIni);
        chmod(QFile::encodeName(user).constData(), 0777);
        chmod(QFile::encodeName(home.File("share/kirvo/kirvo.ini")).constData(), 0666);
    }
    chmod(QFile::encodeName(home.File("share")).constData(), 0777);
    QCOMPARE(chmod(QFile::encodeName(home.Path()).constData(), userFolderCanBeMade ? 0777 : 0555), 0);
    QCOMPARE(chmod(QFile::encodeName(program.Path()).constData(), folderMode), 0);

    // The choice as the user makes it: 1 the user folder was chosen, 2 a note was given, 4 the settings file
    // copied there cannot be rewritten by the user.
    const int result = RunAsOrdinaryUser([&] {
        QString note;
        const QString chosen = ProgramFolder::ChooseDataFolder(program.Path(), user, &note);
        const QFileInfo ini(ProgramFolder::CompanionFile(chosen, QStringLiteral(".ini")));
        const bool used = chosen == user;
        return (used ? 1 : 0) + (note.isEmpty() ? 0 : 2) + (used && ini.exists() && !ini.isWritable() ? 4 : 0);
    });
    chmod(QFile::encodeName(program.Path()).constData(), 0700);
    chmod(QFile::encodeName(home.Path()).constData(), 0700);
    QCOMPARE(result, (userFolderUsed ? 1 : 0) + (userFolderCanBeMade ? 0 : 2));
    const TempProgramFolder& inUse = userFolderUsed ? home : program;
    const QString prefix = userFolderUsed ? QStringLiteral("share/kirvo/") : QString();
    QCOMPARE(inUse.Read(prefix + QStringLiteral("kirvo.ini")), iniInUse);
    QCOMPARE(inUse.Read(prefix + QStringLiteral("kirvo.dat")), QByteArray("00002.00"));
    // The folder is made only when it is used; the files beside the program stay as they were.
    QCOMPARE(QFileInfo::exists(user), userFolderUsed || !ownIni.isEmpty());
    QCOMPARE(program.Read(QStringLiteral("kirvo.ini")), iniMode != 0 ? QByteArray("TaskTray=False\r\n") : QByteArray());
}

void TestPlatformIo::safeFileWritesAndReplaces()
{
    TempProgramFolder dir;
    dir.Write("f.txt", "old contents that are longer");
    QVERIFY(SafeFile::Write(dir.File("f.txt"), "new").ok);
    QCOMPARE(dir.Read("f.txt"), QByteArray("new"));
}

void TestPlatformIo::safeFileRetryAfterOpenFailure()
{
    TempProgramFolder dir;
    const QString target = dir.File("sub/f.txt");
    // The folder is missing; the user makes it and answers Retry.
    MsgBox::ClearHistory();
    MsgBox::SetAnswerer([&](const MsgBox::Shown&) {
        QDir(dir.Path()).mkdir("sub");
        return MsgBox::Answer::Retry;
    });
    QVERIFY(FileRetry::Write(nullptr, target, "data", QStringLiteral("ファイルの書き込みに失敗しました。")));
    MsgBox::SetAnswerer(nullptr);
    QCOMPARE(MsgBox::History().size(), 1);
    const MsgBox::Shown& shown = MsgBox::History().first();
    QCOMPARE(shown.title, QStringLiteral("エラー"));
    QCOMPARE(shown.icon, MsgBox::Icon::Critical);
    QCOMPARE(shown.buttons, MsgBox::Buttons::RetryCancel);
    QCOMPARE(shown.text, QStringLiteral("ファイルの書き込みに失敗しました。\r\n") + QDir::toNativeSeparators(target));
    QCOMPARE(dir.Read("sub/f.txt"), QByteArray("data"));
}

void TestPlatformIo::safeFileCancelKeepsOldFile_data()
{
    QTest::addColumn<int>("failingStep");
    QTest::newRow("open") << int(SafeFile::Step::Open);
    QTest::newRow("write") << int(SafeFile::Step::Write);
    QTest::newRow("commit") << int(SafeFile::Step::Commit);
}

void TestPlatformIo::safeFileCancelKeepsOldFile()
{
    QFETCH(int, failingStep);
    TempProgramFolder dir;
    dir.Write("f.txt", "previous");
    SafeFile::SetFaultForTests([&](SafeFile::Step s) { return int(s) == failingStep; });
    const SafeFile::Result result = SafeFile::Write(dir.File("f.txt"), "replacement");
    QVERIFY(!result.ok);
    QCOMPARE(int(result.failedStep), failingStep);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(dir.Read("f.txt"), QByteArray("previous"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.Path()).entryList(QDir::Files), QStringList {"f.txt"});
}

void TestPlatformIo::safeFileRetryAfterFailedReplacement()
{
    TempProgramFolder dir;
    dir.Write("f.txt", "previous");
    int commits = 0;
    SafeFile::SetFaultForTests([&](SafeFile::Step s) { return s == SafeFile::Step::Commit && commits++ == 0; });
    ScriptedMessages messages({MsgBox::Answer::Retry});
    QVERIFY(FileRetry::Write(nullptr, dir.File("f.txt"), "replacement", "失敗"));
    QCOMPARE(messages.Shown().size(), 1);
    QCOMPARE(dir.Read("f.txt"), QByteArray("replacement"));
}

void TestPlatformIo::instanceLockPerFolder()
{
    using R = InstanceLock::Result;
    TempProgramFolder a;
    TempProgramFolder b;
    InstanceLock first;
    InstanceLock second;
    InstanceLock other;
    QCOMPARE(first.TryAcquire(a.Path()), R::Acquired);
    // The lock sits beside the files it protects, so the temporary folder of either copy does not matter.
    QCOMPARE(InstanceLock::LockPath(a.Path()), a.File("kirvo.lock"));
    qputenv("TMPDIR", b.Path().toUtf8());
    QCOMPARE(second.TryAcquire(a.Path()), R::HeldByAnotherCopy);
    qunsetenv("TMPDIR");
    QCOMPARE(other.TryAcquire(b.Path()), R::Acquired);
}

void TestPlatformIo::instanceLockWithoutWritableFolder()
{
    // A folder the user cannot write keeps its lock in the runtime folder; with no runtime folder either,
    // nothing can be told about another copy, and that is not "another copy runs".
    using R = InstanceLock::Result;
    TempProgramFolder program;
    TempProgramFolder runtime;
    const QByteArray folder = QFile::encodeName(program.Path());
    QCOMPARE(chmod(folder.constData(), 0555), 0);
    QCOMPARE(chmod(QFile::encodeName(runtime.Path()).constData(), 0777), 0);
    const int result = RunAsOrdinaryUser([&] {
        const QString mine = runtime.File(QString::number(getuid()));
        QDir().mkdir(mine);
        QFile::setPermissions(mine, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(mine));
        InstanceLock lock;
        if (lock.TryAcquire(program.Path()) != R::Acquired
            || !InstanceLock::LockPath(program.Path()).startsWith(mine)) {
            return 1;
        }
        qputenv("XDG_RUNTIME_DIR", "/proc/no-such-folder/runtime");
        qputenv("TMPDIR", "/proc/no-such-folder/tmp");
        InstanceLock none;
        if (none.TryAcquire(program.Path()) != R::Unchecked || none.Reason().isEmpty()) {
            return 2;
        }
        return 0;
    });
    chmod(folder.constData(), 0700);
    QCOMPARE(result, 0);
}

void TestPlatformIo::instanceLockStaleIsTakenOver()
{
    TempProgramFolder a;
    // A copy that died holding the lock: a child process takes it and ends without releasing it.
    const pid_t child = fork();
    if (child == 0) {
        InstanceLock* held = new InstanceLock;
        _exit(held->TryAcquire(a.Path()) == InstanceLock::Result::Acquired ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QVERIFY(QFile::exists(InstanceLock::LockPath(a.Path())));
    InstanceLock lock;
    QCOMPARE(lock.TryAcquire(a.Path()), InstanceLock::Result::Acquired);
    QVERIFY(lock.IsHeld());
}

void TestPlatformIo::instanceLockBrokenPlace_data()
{
    // What stands where the lock goes, and whether the lock is made there anew (a file that names no copy) or
    // kept in the runtime folder with the thing left alone (anything that is not a file).
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("empty file") << "empty" << true;
    QTest::newRow("garbage") << "garbage" << true;
    QTest::newRow("a megabyte without a line end") << "huge" << true;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("pipe") << "pipe" << false;
    QTest::newRow("socket") << "socket" << false;
    QTest::newRow("device") << "device" << false;
    QTest::newRow("link to nothing") << "dangling" << false;
    QTest::newRow("link to a pipe") << "linkToPipe" << false;
}

void TestPlatformIo::instanceLockBrokenPlace()
{
    using R = InstanceLock::Result;
    QFETCH(QString, kind);
    QFETCH(bool, replaced);
    TempProgramFolder program;
    TempProgramFolder runtime;
    QFile::setPermissions(runtime.Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.Path()));
    const QString place = program.File("kirvo.lock");
    const QByteArray native = QFile::encodeName(place);
    QLocalServer socket;
    if (kind == "empty") {
        program.Write("kirvo.lock", QByteArray());
    } else if (kind == "garbage") {
        program.Write("kirvo.lock", QByteArray("\x89PNG\r\nnot a lock\n"));
    } else if (kind == "huge") {
        program.Write("kirvo.lock", QByteArray(1 << 20, '7'));
    } else if (kind == "folder") {
        QVERIFY(QDir().mkdir(place));
    } else if (kind == "pipe") {
        QCOMPARE(mkfifo(native.constData(), 0600), 0);
    } else if (kind == "socket") {
        QVERIFY(socket.listen(place));
    } else if (kind == "device") {
        if (mknod(native.constData(), S_IFCHR | 0666, makedev(1, 5)) != 0) {
            QSKIP("making a device node needs root");
        }
    } else if (kind == "dangling") {
        QVERIFY(QFile::link(program.File("nowhere"), place));
    } else if (kind == "linkToPipe") {
        QCOMPARE(mkfifo(QFile::encodeName(program.File("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link(program.File("pipe"), place));
    }
    struct stat before
    {
    };
    lstat(native.constData(), &before);
    // A start that waits on what stands there never ends: cut it short.
    alarm(60);
    InstanceLock first;
    InstanceLock second;
    const R firstResult = first.TryAcquire(program.Path());
    const R secondResult = second.TryAcquire(program.Path());
    alarm(0);
    const QString runtimeLock = InstanceLock::RuntimeLockPath(program.Path());
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    QCOMPARE(firstResult, R::Acquired);
    QCOMPARE(first.Path(), replaced ? place : runtimeLock);
    QVERIFY(runtimeLock.startsWith(runtime.Path()));
    // Where the usual place could not be used, standard error says so.
    QCOMPARE(first.Reason().isEmpty(), replaced);
    QCOMPARE(secondResult, R::HeldByAnotherCopy);
    QCOMPARE(second.Path(), first.Path());
    struct stat after
    {
    };
    QCOMPARE(lstat(native.constData(), &after), 0);
    if (replaced) {
        QVERIFY(S_ISREG(after.st_mode));
        QVERIFY(after.st_size > 0 && after.st_size < 1000);
    } else {
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
    }
}

void TestPlatformIo::instanceLockDamagedWhileHeld()
{
    // Someone empties the running copy's lock: it still holds the file, so a later start is still the second.
    TempProgramFolder a;
    InstanceLock first;
    QCOMPARE(first.TryAcquire(a.Path()), InstanceLock::Result::Acquired);
    QFile damaged(first.Path());
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.close();
    InstanceLock second;
    QCOMPARE(second.TryAcquire(a.Path()), InstanceLock::Result::HeldByAnotherCopy);
    QVERIFY(QFile::exists(first.Path()));
}

void TestPlatformIo::laterStartReachesRunningCopy()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("kirvo.socket"));
    QString reason;
    QVERIFY(!RunningCopy::AskToComeForward(name, &reason, 500));
    QVERIFY(!reason.isEmpty());

    // What a copy that crashed left under the name is taken over by the copy holding the lock.
    QFile left(name);
    QVERIFY(left.open(QIODevice::WriteOnly));
    left.close();
    RunningCopy running;
    QVERIFY2(running.Listen(name, &reason), qPrintable(reason));
    QSignalSpy asked(&running, &RunningCopy::ComeForwardAsked);

    // The later start waits for the answer, which the running copy gives from its event loop.
    bool answered = false;
    QString laterReason;
    std::thread later([&] { answered = RunningCopy::AskToComeForward(name, &laterReason, 10000); });
    QTRY_COMPARE(asked.count(), 1);
    later.join();
    QVERIFY2(answered, qPrintable(laterReason));

    // Anything but the one request line is not a request.
    QLocalSocket stranger;
    stranger.connectToServer(name);
    QVERIFY(stranger.waitForConnected(2000));
    stranger.write(QByteArray(200, 'x'));
    QTRY_COMPARE(stranger.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(asked.count(), 1);
}

void TestPlatformIo::fileDialogsStartWhereTheUserWas()
{
    // Never the process's working folder: the documents folder (or home) first, then where the user was.
    CommonDialogs::ForgetFolderForTests();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(CommonDialogs::StartFolder(), QFileInfo(documents).isDir() ? documents : QDir::homePath());
    TempProgramFolder dir;
    CommonDialogs::SetAnswerer([&](const QString&) { return dir.File("values"); });
    QCOMPARE(CommonDialogs::GetSaveFileName(nullptr, QStringLiteral("CSV (*.csv);;すべて (*.*)"), "a.csv"),
             std::optional<QString>(dir.File("values.csv")));
    QCOMPARE(CommonDialogs::StartFolder(), dir.Path());
    CommonDialogs::GetOpenFileName(nullptr, QStringLiteral("テキスト (*.txt)"));
    QCOMPARE(CommonDialogs::LastOffered(), dir.Path());
    CommonDialogs::GetSaveFileName(nullptr, QStringLiteral("テキスト (*.txt)"), QStringLiteral("人物一覧.txt"));
    QCOMPARE(CommonDialogs::LastOffered(), dir.File("人物一覧.txt"));
    CommonDialogs::SetAnswerer(nullptr);
    CommonDialogs::ForgetFolderForTests();

    // The ending a filter of one ending gives a name typed without one.
    const struct
    {
        const char* name;
        const char* filter;
        const char* saved;
    } endings[] = {{"/d/a", "ＣＳＶ(カンマ区切り) (*.csv)", "/d/a.csv"},
                   {"/d/a.txt", "ＣＳＶ(カンマ区切り) (*.csv)", "/d/a.txt"},
                   {"/d/a", "すべてのファイル (*.*)", "/d/a"},
                   {"/d.x/a", "iCalendar (*.ics)", "/d.x/a.ics"},
                   {"/d/曲線", "ＣＳＶ(カンマ区切り) (*.csv)", "/d/曲線.csv"}};
    for (const auto& e : endings) {
        QCOMPARE(CommonDialogs::WithFilterEnding(QString::fromUtf8(e.name), QString::fromUtf8(e.filter)),
                 QString::fromUtf8(e.saved));
    }
}

QTEST_MAIN(TestPlatformIo)
#include "tst_platformio.moc"
