// Every file the program reads and writes, under the conditions that lose data: a full disk, a folder the user
// may not write, things in a file's place that are not regular files, files of gigabytes, and a save killed
// half-way.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "../TestSupport.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "graph/core/CalendarFile.h"
#include "graph/core/CurveValues.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"
#include "platform/core/Date.h"

#if defined(__SANITIZE_ADDRESS__)
#define KIRVO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KIRVO_ASAN 1
#endif
#endif

namespace {

// One writer of the program: it saves a small state or, with more, a larger one into the folder.
struct Saver
{
    const char* file;
    SafeFile::Result (*save)(const QString& folder, bool more);
};

void Display(bool more)
{
    basParam::ClearDisplayList();
    const int people = more ? 3 : 1;
    for (int i = 0; i < people; ++i) {
        basParam::AddDisplayPerson(QStringLiteral("山田花子%1").arg(i), *Date::FromYmd(1965 + i, 4, 3));
    }
}

PeopleList People(bool more)
{
    PeopleList list;
    const int people = more ? 3 : 1;
    for (int i = 0; i < people; ++i) {
        cUserName& person = list.Add();
        person.kiParamValue(QStringLiteral("UserName"), ParamValue::FromText(QStringLiteral("鈴木一郎%1").arg(i)));
        person.kiParamValue(QStringLiteral("BirthDay"), ParamValue::FromDate(*Date::FromYmd(1970, 11, 23 - i)));
    }
    return list;
}

const Saver Savers[] = {
    {"kirvo.ini",
     [](const QString& folder, bool more) {
         Display(more);
         return basSettings::SaveSettings(folder);
     }},
    {"kirvo.dat", [](const QString& folder, bool more) { return basUserInfo::SavePeopleFile(People(more), folder); }},
    {"values.csv",
     [](const QString& folder, bool more) {
         Display(more);
         return basGraph::SaveCurveValues(QDir(folder).filePath("values.csv"));
     }},
    {"people.txt",
     [](const QString& folder, bool more) {
         return basUserInfo::ExportPeople(People(more), QDir(folder).filePath("people.txt"));
     }},
    {"days.ics",
     [](const QString& folder, bool more) {
         const QVector<basGraph::Person> people {{QStringLiteral("山田花子"), *Date::FromYmd(1965, 4, 3)}};
         return CalendarFile::Save(QDir(folder).filePath("days.ics"),
                                   people,
                                   basGraph::FindCriticalDays(people, *Date::FromYmd(2026, 12, 7), more ? 60 : 10),
                                   QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC));
     }},
};

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What stands in a file's place, told apart without opening it.
QString KindOf(const QString& path)
{
    struct stat st
    {
    };
    if (lstat(QFile::encodeName(path).constData(), &st) != 0) {
        return QStringLiteral("missing");
    }
    if (S_ISLNK(st.st_mode)) {
        return QStringLiteral("link");
    }
    if (S_ISFIFO(st.st_mode)) {
        return QStringLiteral("fifo");
    }
    if (S_ISCHR(st.st_mode)) {
        return QStringLiteral("device");
    }
    if (S_ISDIR(st.st_mode)) {
        return QStringLiteral("folder");
    }
    return QStringLiteral("file");
}

} // namespace

class TestFileSafety : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fullDiskKeepsEveryFile_data();
    void fullDiskKeepsEveryFile();
    void fullTmpfsKeepsTheSettings();
    void readOnlyFolderWritesTheFileInPlace_data();
    void readOnlyFolderWritesTheFileInPlace();
    void onlyRegularFiles_data();
    void onlyRegularFiles();
    void linkedFilesAreWrittenThroughTheLink();
    void hugeFilesAreNotRead();
    void saveKilledInPlaceIsPutBack();
    void leftoverTemporariesAreRemoved();
};

void TestFileSafety::init()
{
    ResetAllState();
    basSettings::LoadSettingsFromBytes(QByteArray());
}

void TestFileSafety::cleanup()
{
    ResetAllState();
}

void TestFileSafety::fullDiskKeepsEveryFile_data()
{
    QTest::addColumn<int>("saver");
    for (int i = 0; i < int(std::size(Savers)); ++i) {
        QTest::newRow(Savers[i].file) << i;
    }
}

void TestFileSafety::fullDiskKeepsEveryFile()
{
    // Far below the buffer a file device fills before it writes: the failure must still be seen.
    QFETCH(int, saver);
    const Saver& s = Savers[saver];
    TempProgramFolder dir;
    QVERIFY(s.save(dir.Path(), false).ok);
    const QByteArray previous = dir.Read(s.file);
    QVERIFY(previous.size() > 16);
    for (int attempt = 0; attempt < 2; ++attempt) {
        FileSizeLimit full(16);
        const SafeFile::Result result = s.save(dir.Path(), true);
        QVERIFY(!result.ok);
        QCOMPARE(result.failedStep, SafeFile::Step::Write);
        QVERIFY(!result.error.isEmpty());
    }
    QCOMPARE(dir.Read(s.file), previous);
    QCOMPARE(QDir(dir.Path()).entryList(QDir::Files), QStringList {s.file});
}

void TestFileSafety::fullTmpfsKeepsTheSettings()
{
    if (!RunningAsRoot()) {
        QSKIP("mounting a small disk needs root; the file-size limit stands in for it");
    }
    QTemporaryDir dir;
    const QByteArray where = QFile::encodeName(dir.path());
    if (mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0) {
        QSKIP("tmpfs cannot be mounted here");
    }
    const QString folder = dir.path();
    QVERIFY(Savers[0].save(folder, false).ok);
    const QByteArray previous = ReadFile(folder + "/kirvo.ini");
    {
        // Fill the disk to the last byte.
        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) { }
        while (filler.write("x", 1) == 1) { }
    }
    const bool saved = Savers[0].save(folder, true).ok;
    const QByteArray after = ReadFile(folder + "/kirvo.ini");
    umount2(where.constData(), MNT_DETACH);
    QVERIFY(!saved);
    QCOMPARE(after, previous);
}

void TestFileSafety::readOnlyFolderWritesTheFileInPlace_data()
{
    fullDiskKeepsEveryFile_data();
}

void TestFileSafety::readOnlyFolderWritesTheFileInPlace()
{
    // A shared install: the folder is not the user's, the file is. Run as an ordinary user, since root
    // writes everywhere.
    QFETCH(int, saver);
    const Saver& s = Savers[saver];
    TempProgramFolder dir;
    TempProgramFolder scratch;
    QVERIFY(s.save(dir.Path(), false).ok);
    QVERIFY(s.save(scratch.Path(), true).ok);
    const QByteArray previous = dir.Read(s.file);
    const QByteArray expected = scratch.Read(s.file);
    const QByteArray path = QFile::encodeName(dir.File(s.file));
    const QByteArray folder = QFile::encodeName(dir.Path());
    if (RunningAsRoot()) {
        QCOMPARE(chown(path.constData(), OrdinaryUserId, OrdinaryUserId), 0);
        QCOMPARE(chmod(folder.constData(), 0755), 0);
    } else {
        QCOMPARE(chmod(folder.constData(), 0555), 0);
    }

    const int result = RunAsOrdinaryUser([&] {
        if (access(folder.constData(), W_OK) == 0) {
            return 10; // the folder must refuse the user
        }
        // The new file does not fit: the old one is put back as it was.
        {
            FileSizeLimit full(previous.size() + 1);
            if (s.save(dir.Path(), true).ok) {
                return 11;
            }
        }
        if (ReadFile(dir.File(s.file)) != previous) {
            return 12;
        }
        if (!s.save(dir.Path(), true).ok) {
            return 13;
        }
        return 0;
    });
    chmod(folder.constData(), 0700);
    QCOMPARE(result, 0);
    QCOMPARE(dir.Read(s.file), expected);
    QCOMPARE(QDir(dir.Path()).entryList(QDir::Files), QStringList {s.file});
}

void TestFileSafety::onlyRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"fifo", "folder", "device", "link to fifo", "link loop", "link into a missing folder"}) {
        QTest::newRow(kind) << QString::fromLatin1(kind);
    }
}

void TestFileSafety::onlyRegularFiles()
{
    // Every reader and writer meets something that is not a regular file in its file's place: each refuses
    // at once with its own message and leaves the thing as it was.
    QFETCH(QString, kind);
    TempProgramFolder dir;
    auto make = [&](const QString& path) {
        const QByteArray p = QFile::encodeName(path);
        if (kind == "fifo") {
            return mkfifo(p.constData(), 0600) == 0;
        }
        if (kind == "folder") {
            return QDir().mkdir(path);
        }
        if (kind == "device") {
            // A private node of the zero device, never the system's own.
            return mknod(p.constData(), S_IFCHR | 0600, makedev(1, 5)) == 0;
        }
        if (kind == "link loop") {
            const QByteArray other = p + ".other";
            return symlink(other.constData(), p.constData()) == 0 && symlink(p.constData(), other.constData()) == 0;
        }
        if (kind == "link into a missing folder") {
            // A list kept on a drive that is not mounted now.
            return symlink("/nonexistent-drive/kirvo/file", p.constData()) == 0;
        }
        const QByteArray target = p + ".target";
        return mkfifo(target.constData(), 0600) == 0 && symlink(target.constData(), p.constData()) == 0;
    };
    QStringList names;
    for (const Saver& s : Savers) {
        names << s.file;
    }
    for (const QString& name : names) {
        if (!make(dir.File(name))) {
            QSKIP("cannot make this kind of file here (device nodes need root)");
        }
    }
    const QString expectedKind = kind.startsWith(QLatin1String("link")) ? QStringLiteral("link") : kind;

    QVERIFY(!basSettings::LoadSettings(dir.Path()));
    QCOMPARE(basParam::GetParam(SettingKey::DispPeriod).AsInt(), 15);
    PeopleList list;
    const basUserInfo::LoadFinding finding = basUserInfo::LoadPeopleFile(list, dir.Path());
    QCOMPARE(list.Count(), 0);
    QCOMPARE(basUserInfo::LoadFindingText(finding),
             QStringLiteral("データファイルの読み込みに失敗しました。\r\n") + dir.File("kirvo.dat"));
    QCOMPARE(basUserInfo::ImportPeople(list, dir.File("people.txt"), [](const basUserInfo::BadLine&) { return true; }),
             basUserInfo::ImportResult::Unreadable);
    for (const Saver& s : Savers) {
        const SafeFile::Result result = s.save(dir.Path(), true);
        QVERIFY2(!result.ok, s.file);
        QCOMPARE(result.failedStep, SafeFile::Step::Open);
        QCOMPARE(KindOf(dir.File(s.file)), expectedKind);
    }
    QVERIFY(!QFile::exists(dir.File("kirvo.dat.bak")));
}

void TestFileSafety::linkedFilesAreWrittenThroughTheLink()
{
    // Through a link to a file, and through a link to a file not made yet in a folder that exists.
    TempProgramFolder dir;
    TempProgramFolder elsewhere;
    TempProgramFolder scratch;
    for (bool made : {true, false}) {
        for (const Saver& s : Savers) {
            const QString target = elsewhere.File(s.file);
            QFile::remove(target);
            QFile::remove(dir.File(s.file));
            if (made) {
                QVERIFY(s.save(elsewhere.Path(), false).ok);
            }
            QVERIFY(QFile::link(target, dir.File(s.file)));
            QVERIFY2(s.save(dir.Path(), true).ok, s.file);
            QVERIFY(s.save(scratch.Path(), true).ok);
            QVERIFY2(KindOf(dir.File(s.file)) == QStringLiteral("link"), s.file);
            QVERIFY2(ReadFile(target) == scratch.Read(s.file), s.file);
        }
    }
    QVERIFY(!QFile::exists(dir.File("kirvo.dat.bak")));
}

void TestFileSafety::hugeFilesAreNotRead()
{
    // What a damaged disk or a bad copy leaves: files of 64 GiB, sparse, so they take no room. Each reader
    // refuses without reading, within an address space far smaller than the file.
    TempProgramFolder dir;
    for (const char* name : {"kirvo.ini", "kirvo.dat", "people.txt"}) {
        QFile file(dir.File(name));
        if (!file.open(QIODevice::WriteOnly) || !file.write("00002.00") || !file.resize(qint64(64) << 30)) {
            QSKIP("this file system holds no sparse file of 64 GiB");
        }
        file.setPermissions(file.permissions() | QFileDevice::ReadOther);
    }
    QFile::setPermissions(dir.Path(), QFile::permissions(dir.Path()) | QFileDevice::ExeOther | QFileDevice::ReadOther);
    const int result = RunAsOrdinaryUser([&] {
#ifndef KIRVO_ASAN
        // The sanitizer reserves terabytes of address space for itself: there an allocation of the file's
        // size fails on its own.
        rlimit space {qint64(2) << 30, qint64(2) << 30};
        setrlimit(RLIMIT_AS, &space);
#endif
        if (basSettings::LoadSettings(dir.Path()) || basParam::GetParam(SettingKey::DispPeriod).AsInt() != 15) {
            return 1;
        }
        PeopleList list;
        if (basUserInfo::LoadPeopleFile(list, dir.Path()).kind != basUserInfo::LoadFinding::Kind::Unreadable) {
            return 2;
        }
        if (basUserInfo::ImportPeople(list, dir.File("people.txt"), [](const basUserInfo::BadLine&) { return true; })
            != basUserInfo::ImportResult::Unreadable) {
            return 3;
        }
        return 0;
    });
    QCOMPARE(result, 0);
    // Too large to copy, the people file is moved aside whole before the next save.
    PeopleList list;
    QVERIFY(basUserInfo::SavePeopleFile(People(false), dir.Path()).ok);
    QCOMPARE(QFileInfo(dir.File("kirvo.dat.bak")).size(), qint64(64) << 30);
    QCOMPARE(basUserInfo::LoadPeopleFile(list, dir.Path()).kind, basUserInfo::LoadFinding::Kind::None);
    QCOMPARE(list.Count(), 1);
}

void TestFileSafety::saveKilledInPlaceIsPutBack()
{
    // The folder is not the user's, the file is: it is rewritten in place. A kill after the new bytes went
    // over the old ones, before the file was cut to their length, leaves neither; the next start puts the
    // previous bytes back.
    TempProgramFolder dir;
    TempProgramFolder kept;
    SafeFile::SetKeptBytesFolderForTests(kept.Path());
    const QString path = dir.File("kirvo.ini");
    const QByteArray previous(5000, 'p');
    dir.Write("kirvo.ini", previous);
    const QByteArray folder = QFile::encodeName(dir.Path());
    if (RunningAsRoot()) {
        QCOMPARE(chown(QFile::encodeName(path).constData(), OrdinaryUserId, OrdinaryUserId), 0);
        QCOMPARE(chown(QFile::encodeName(kept.Path()).constData(), OrdinaryUserId, OrdinaryUserId), 0);
        QCOMPARE(chmod(folder.constData(), 0755), 0);
    } else {
        QCOMPARE(chmod(folder.constData(), 0555), 0);
    }
    const int killed = RunAsOrdinaryUser([&] {
        SafeFile::SetFaultForTests([](SafeFile::Step step) {
            if (step == SafeFile::Step::Commit) {
                _exit(9);
            }
            return false;
        });
        SafeFile::Write(path, QByteArray(100, 'n'));
        return 0;
    });
    QCOMPARE(killed, 9);
    QCOMPARE(ReadFile(path), QByteArray(100, 'n') + previous.mid(100));
    QCOMPARE(SafeFile::RecoverInterruptedSaves(), QStringList {path});
    QCOMPARE(ReadFile(path), previous);
    QVERIFY(SafeFile::RecoverInterruptedSaves().isEmpty());
    // A save that went through leaves nothing to put back.
    QCOMPARE(RunAsOrdinaryUser([&] { return SafeFile::Write(path, "new").ok ? 0 : 1; }), 0);
    QVERIFY(SafeFile::RecoverInterruptedSaves().isEmpty());
    QCOMPARE(ReadFile(path), QByteArray("new"));
    chmod(folder.constData(), 0700);
    SafeFile::SetKeptBytesFolderForTests(QString());
}

void TestFileSafety::leftoverTemporariesAreRemoved()
{
    TempProgramFolder dir;
    const QStringList left {"kirvo.ini.Ab12Cd", "kirvo.dat.x9Y8z7"};
    const QStringList kept {"kirvo.ini", "kirvo.dat.bak", "kirvo.dat.bak.2", "kirvo.ini.Ab12Cde", "other.Ab12Cd"};
    for (const QString& name : left + kept) {
        dir.Write(name, "x");
    }
    SafeFile::RemoveLeftoverTemporaries(dir.Path(), {"kirvo.ini", "kirvo.dat"});
    QStringList expected = kept;
    expected.sort();
    QCOMPARE(QDir(dir.Path()).entryList(QDir::Files, QDir::Name), expected);
}

QTEST_GUILESS_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
