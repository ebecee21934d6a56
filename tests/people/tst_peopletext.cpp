// People text files: quoting, the lines the export writes, how the import splits and reads lines, line ends
// and line numbers, the questions on bad lines and unreadable files, and bytes that are no people file at all.
#include <QtTest>

#include <QRandomGenerator>

#include "../TestSupport.h"
#include "app/basParam.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"
#include "platform/core/Cp932.h"
#include "platform/core/SafeFile.h"

using basParam::SetParam;
using basUserInfo::LineResult;
using basUserInfo::TextFormat;

Q_DECLARE_METATYPE(basUserInfo::LineResult)
Q_DECLARE_METATYPE(Date)

namespace {

TextFormat Format(const QString& delimiter, bool nameFirst)
{
    TextFormat format;
    format.delimiter = delimiter;
    format.nameFirst = nameFirst;
    return format;
}

void Add(PeopleList& list, const QString& name, Date birthday)
{
    cUserName& person = list.Add();
    person.kiParamValue("UserName", ParamValue::FromText(name));
    person.kiParamValue("BirthDay", ParamValue::FromDate(birthday));
}

QString NameAt(const PeopleList& list, int i)
{
    return list.Item(i)->kiParamValue("UserName").AsText();
}

Date BirthdayAt(const PeopleList& list, int i)
{
    return list.Item(i)->kiParamValue("BirthDay").AsDate();
}

// Reads bytes, answering every bad-line question with the given answer, and returns the lines asked about.
QList<qint64>
Read(const QByteArray& bytes, const TextFormat& format, PeopleList& list, bool goOn = true, bool* complete = nullptr)
{
    QList<qint64> asked;
    const bool done = basUserInfo::ReadPeopleText(bytes, format, list, [&](const basUserInfo::BadLine& bad) {
        const qint64 line = bad.number;
        asked << line;
        return goOn;
    });
    if (complete) {
        *complete = done;
    }
    return asked;
}

// Imports a file in the layout of the settings, answering every bad-line question with goOn; the lines asked
// (and what was wrong with each, when whys is given).
QList<qint64> Import(const QString& path,
                     PeopleList& list,
                     bool goOn = true,
                     basUserInfo::ImportResult* result = nullptr,
                     QStringList* whys = nullptr)
{
    QList<qint64> asked;
    const basUserInfo::ImportResult r = basUserInfo::ImportPeople(list, path, [&](const basUserInfo::BadLine& bad) {
        asked << bad.number;
        if (whys) {
            *whys << bad.why;
        }
        return goOn;
    });
    if (result) {
        *result = r;
    }
    return asked;
}

QString LineQuestion(int line, const QString& path, const QString& why)
{
    return QStringLiteral("ファイルの読み込みに失敗しました。（%1行目）\r\n").arg(line) + QDir::toNativeSeparators(path)
        + QStringLiteral("\r\n") + why + QStringLiteral("\r\n読み込みを継続しますか？");
}

} // namespace

class TestPeopleText : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void quoteField_data();
    void quoteField();
    void unquoteField_data();
    void unquoteField();
    void currentFormat_data();
    void currentFormat();
    void exportLines_data();
    void exportLines();
    void roundTrip_data();
    void roundTrip();
    void readLine_data();
    void readLine();
    void lineEndsAndNumbers_data();
    void lineEndsAndNumbers();
    void noAnswerStops();
    void importAsksAboutLineTwo();
    void importOfOtherOrderAsksAboutLineOne();
    void importSkipsAndCounts();
    void importAppendsUncheckedWithoutGroups();
    void unreadableFiles();
    void exportFailureKeepsOldFile();
    void exportWritesSettingsLayout();
    void strangeBytes_data();
    void strangeBytes();
    void randomBytes();
    void encodings_data();
    void encodings();
    void japaneseInCodePage932IsNeverUtf8();

private:
    TempProgramFolder* m_dir = nullptr;
};

void TestPeopleText::init()
{
    ResetAllState();
    m_dir = new TempProgramFolder;
}

void TestPeopleText::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
    ResetAllState();
}

void TestPeopleText::quoteField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << "Taro"
                           << ","
                           << "Taro";
    QTest::newRow("empty") << ""
                           << ","
                           << "";
    QTest::newRow("delimiter inside") << QStringLiteral("山田, 花子") << "," << QStringLiteral("\"山田, 花子\"");
    QTest::newRow("quote doubled") << "A\"BC"
                                   << ","
                                   << "\"A\"\"BC\"";
    QTest::newRow("only a quote") << "\""
                                  << ","
                                  << "\"\"\"\"";
    QTest::newRow("comma with tab delimiter") << "a,b"
                                              << "\t"
                                              << "a,b";
    QTest::newRow("tab with tab delimiter") << "a\tb"
                                            << "\t"
                                            << "\"a\tb\"";
    QTest::newRow("spaces kept unquoted") << " a b "
                                          << ","
                                          << " a b ";
    QTest::newRow("space delimiter") << "a b"
                                     << " "
                                     << "\"a b\"";
    QTest::newRow("quote and delimiter") << "x\",y"
                                         << ","
                                         << "\"x\"\",y\"";
}

void TestPeopleText::quoteField()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(QString, written);
    QCOMPARE(basUserInfo::QuoteField(text, delimiter), written);
}

void TestPeopleText::unquoteField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "Taro"
                           << "Taro";
    QTest::newRow("quoted") << "\"a,b\""
                            << "a,b";
    QTest::newRow("doubled quote") << "\"A\"\"BC\""
                                   << "A\"BC";
    QTest::newRow("one quote") << "\""
                               << "";
    QTest::newRow("two quotes") << "\"\""
                                << "";
    QTest::newRow("single inner quote kept") << "\"a\"b\""
                                             << "a\"b";
    QTest::newRow("pending quote at the end dropped") << "\"a\"\""
                                                      << "a";
    QTest::newRow("no closing quote") << "\"ab"
                                      << "\"ab";
    QTest::newRow("space before the quote") << " \"a\""
                                            << " \"a\"";
    QTest::newRow("spaces kept") << "  a  "
                                 << "  a  ";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPeopleText::unquoteField()
{
    QFETCH(QString, field);
    QFETCH(QString, name);
    QCOMPARE(basUserInfo::UnquoteField(field), name);
}

void TestPeopleText::currentFormat_data()
{
    QTest::addColumn<QString>("delimChar");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<bool>("nameFirst");
    QTest::newRow("defaults") << "," << 0 << "," << false;
    QTest::newRow("tab, name first") << "\t" << 1 << "\t" << true;
    QTest::newRow("empty delimiter is the comma") << "" << 1 << "," << true;
    QTest::newRow("other position is birthday first") << ";" << 7 << ";" << false;
}

void TestPeopleText::currentFormat()
{
    QFETCH(QString, delimChar);
    QFETCH(int, position);
    QFETCH(QString, delimiter);
    QFETCH(bool, nameFirst);
    SetParam(SettingKey::DelimChar, delimChar);
    SetParam(SettingKey::Position, position);
    const TextFormat format = basUserInfo::CurrentTextFormat();
    QCOMPARE(format.delimiter, delimiter);
    QCOMPARE(format.nameFirst, nameFirst);
}

void TestPeopleText::exportLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Date>("birthday");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<bool>("nameFirst");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("comma, birthday first")
        << "Taro" << Ymd(1970, 1, 5) << "," << false << QByteArray("1970/1/5,Taro\r\n");
    QTest::newRow("tab, name first") << "Taro" << Ymd(1970, 1, 5) << "\t" << true << QByteArray("Taro\t1970/1/5\r\n");
    QTest::newRow("delimiter in the name")
        << "a,b" << Ymd(2001, 12, 3) << "," << false << QByteArray("2001/12/3,\"a,b\"\r\n");
    QTest::newRow("quote in the name") << "A\"BC" << Ymd(2001, 12, 3) << "," << true
                                       << QByteArray("\"A\"\"BC\",2001/12/3\r\n");
    QTest::newRow("code page 932") << QStringLiteral("山田") << Ymd(1965, 4, 3) << "," << false
                                   << QByteArray("1965/4/3,\x8e\x52\x93\x63\r\n");
    QTest::newRow("no such character in the code page")
        << QStringLiteral("a😀b") << Ymd(1965, 4, 3) << "," << false << QByteArray("1965/4/3,a?b\r\n");
    QTest::newRow("early year has four digits")
        << "x" << Ymd(100, 1, 1) << "," << false << QByteArray("0100/1/1,x\r\n");
    QTest::newRow("line break in a name becomes a space")
        << "a\r\nb" << Ymd(1970, 1, 5) << "," << false << QByteArray("1970/1/5,a  b\r\n");
    QTest::newRow("empty delimiter is the comma")
        << "Taro" << Ymd(1970, 1, 5) << "" << false << QByteArray("1970/1/5,Taro\r\n");
}

void TestPeopleText::exportLines()
{
    QFETCH(QString, name);
    QFETCH(Date, birthday);
    QFETCH(QString, delimiter);
    QFETCH(bool, nameFirst);
    QFETCH(QByteArray, bytes);
    PeopleList list;
    Add(list, name, birthday);
    QCOMPARE(basUserInfo::PeopleTextBytes(list, Format(delimiter, nameFirst)), bytes);
}

void TestPeopleText::roundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("delimiter");
    const QString names[] = {QStringLiteral("山田花子"),
                             QStringLiteral("a,b"),
                             QStringLiteral("A\"BC"),
                             QStringLiteral("\"quoted\""),
                             QStringLiteral("ends with a quote\""),
                             QStringLiteral("x\",y"),
                             QStringLiteral(",starts with the delimiter"),
                             QStringLiteral("a\"\",b"),
                             QStringLiteral("several, delimiters, here")};
    for (const QString& name : names) {
        for (const QString& delimiter : {QStringLiteral(","), QStringLiteral("\t"), QStringLiteral(";")}) {
            QTest::addRow("%s [%s]", qPrintable(name), delimiter == "\t" ? "tab" : qPrintable(delimiter))
                << name << delimiter;
        }
    }
    QTest::newRow("space delimiter, spaces inside") << "a b c"
                                                    << " ";
}

void TestPeopleText::roundTrip()
{
    QFETCH(QString, name);
    QFETCH(QString, delimiter);
    for (bool nameFirst : {false, true}) {
        PeopleList list;
        Add(list, name, Ymd(1970, 1, 5));
        Add(list, QStringLiteral("next"), Ymd(1980, 2, 29));
        const TextFormat format = Format(delimiter, nameFirst);
        PeopleList read;
        QCOMPARE(Read(basUserInfo::PeopleTextBytes(list, format), format, read), QList<qint64>());
        QCOMPARE(read.Count(), 2);
        QCOMPARE(NameAt(read, 1), name);
        QCOMPARE(BirthdayAt(read, 1), Ymd(1970, 1, 5));
        QCOMPARE(NameAt(read, 2), QStringLiteral("next"));
        QCOMPARE(BirthdayAt(read, 2), Ymd(1980, 2, 29));
    }
}

void TestPeopleText::readLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<bool>("nameFirst");
    QTest::addColumn<LineResult>("result");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Date>("birthday");
    const Date d = Ymd(1970, 1, 5);
    const LineResult P = LineResult::Person;
    const LineResult S = LineResult::Skipped;
    const LineResult B = LineResult::Bad;
    QTest::newRow("birthday first") << "1970/1/5,Taro"
                                    << "," << false << P << "Taro" << d;
    QTest::newRow("name first") << "Taro,1970/1/5"
                                << "," << true << P << "Taro" << d;
    QTest::newRow("leading spaces") << "   1970/1/5,Taro"
                                    << "," << false << P << "Taro" << d;
    QTest::newRow("leading spaces before a name") << "   Taro,1970/1/5"
                                                  << "," << true << P << "Taro" << d;
    QTest::newRow("spaces around the date, the name untrimmed") << " 1970/1/5 , Taro "
                                                                << "," << false << P << " Taro " << d;
    QTest::newRow("leading zeros") << "1970/01/05,Taro"
                                   << "," << false << P << "Taro" << d;
    QTest::newRow("name last takes the rest") << "1970/1/5,a,b"
                                              << "," << false << P << "a,b" << d;
    QTest::newRow("quoted name first") << "\"a,b\",1970/1/5"
                                       << "," << true << P << "a,b" << d;
    QTest::newRow("quoted name last") << "1970/1/5,\"a,b\""
                                      << "," << false << P << "a,b" << d;
    QTest::newRow("tab delimiter") << "1970/1/5\tTaro"
                                   << "\t" << false << P << "Taro" << d;
    QTest::newRow("space delimiter") << "  1970/1/5 Taro Jiro"
                                     << " " << false << P << "Taro Jiro" << d;
    QTest::newRow("tab in a name becomes a space") << "1970/1/5,a\tb"
                                                   << "," << false << P << "a b" << d;
    QTest::newRow("control character becomes a space") << QString("1970/1/5,a") + QChar(1) + QChar(0x7f) + "b"
                                                       << "," << false << P << "a  b" << d;
    QTest::newRow("next-line character inside quotes becomes a space") << QString("1970/1/5,\"a") + QChar(0x85) + "b\""
                                                                       << "," << false << P << "a b" << d;
    QTest::newRow("no delimiter") << "1970/1/5 Taro"
                                  << "," << false << S << "" << Date();
    QTest::newRow("empty line") << ""
                                << "," << false << S << "" << Date();
    QTest::newRow("empty name") << "1970/1/5,"
                                << "," << false << S << "" << Date();
    QTest::newRow("empty quoted name") << "1970/1/5,\"\""
                                       << "," << false << S << "" << Date();
    QTest::newRow("empty name first") << ",1970/1/5"
                                      << "," << true << S << "" << Date();
    QTest::newRow("no such day") << "2001/2/30,Taro"
                                 << "," << false << B << "" << Date();
    QTest::newRow("empty birthday") << ",Taro"
                                    << "," << false << B << "" << Date();
    QTest::newRow("the other order") << "Taro,1970/1/5"
                                     << "," << false << B << "" << Date();
    QTest::newRow("birthday checked before the name") << ","
                                                      << "," << false << B << "" << Date();
    QTest::newRow("unpaired quote splits at the first delimiter") << "\"a,b,1970/1/5"
                                                                  << "," << true << B << "" << Date();
    QTest::newRow("first quote before the delimiter ends a damaged name") << "\"a\"b\",1970/1/5"
                                                                          << "," << true << P << "a\"b" << d;
    QTest::newRow("longest name the people file holds")
        << "1970/1/5," + QString(32767, QChar(0x5c71)) << "," << false << P << QString(32767, QChar(0x5c71)) << d;
    QTest::newRow("name the files cannot keep") << QStringLiteral("1970/1/5,한𠮷") << "," << false << B << "" << Date();
    QTest::newRow("bytes that formed no character")
        << QString("1970/1/5,a") + QChar(0xfffd) << "," << false << B << "" << Date();
    QTest::newRow("name too long for the people file")
        << "1970/1/5," + QString(32768, QChar(0x5c71)) << "," << false << B << "" << Date();
}

void TestPeopleText::readLine()
{
    QFETCH(QString, line);
    QFETCH(QString, delimiter);
    QFETCH(bool, nameFirst);
    QFETCH(LineResult, result);
    QFETCH(QString, name);
    QFETCH(Date, birthday);
    QString readName;
    Date readBirthday;
    QCOMPARE(basUserInfo::ReadPeopleLine(line, Format(delimiter, nameFirst), readName, readBirthday), result);
    if (result == LineResult::Person) {
        QCOMPARE(readName, name);
        QCOMPARE(readBirthday, birthday);
    }
}

void TestPeopleText::lineEndsAndNumbers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<qint64>>("asked");
    QTest::newRow("CR LF") << QByteArray("1970/1/5,a\r\n1970/1/5,b\r\n") << QStringList {"a", "b"} << QList<qint64>();
    QTest::newRow("CR alone") << QByteArray("1970/1/5,a\r1970/1/5,b\r") << QStringList {"a", "b"} << QList<qint64>();
    // A file from a system that ends lines with LF alone reads line by line too.
    QTest::newRow("LF alone") << QByteArray("1970/1/5,a\n1970/1/5,b\n") << QStringList {"a", "b"} << QList<qint64>();
    QTest::newRow("mixed, no end on the last line") << QByteArray("1970/1/5,a\r\n1970/1/5,b\r1970/1/5,c\n1970/1/5,d")
                                                    << QStringList {"a", "b", "c", "d"} << QList<qint64>();
    QTest::newRow("empty lines count") << QByteArray("\r\n\r\n2001/2/30,x\r\n1970/1/5,a") << QStringList {"a"}
                                       << QList<qint64> {3};
    QTest::newRow("LF CR is two line ends")
        << QByteArray("1970/1/5,a\n\r2001/2/30,x") << QStringList {"a"} << QList<qint64> {3};
    QTest::newRow("lines after CR alone are counted")
        << QByteArray("x\r2001/2/30,x\r1970/1/5,a\r2001/2/31,y") << QStringList {"a"} << QList<qint64> {2, 4};
    QTest::newRow("empty file") << QByteArray() << QStringList() << QList<qint64>();
    QTest::newRow("only line ends") << QByteArray("\r\n\r\r\n\n") << QStringList() << QList<qint64>();
}

void TestPeopleText::lineEndsAndNumbers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QList<qint64>, asked);
    PeopleList list;
    bool complete = false;
    QCOMPARE(Read(bytes, Format(",", false), list, true, &complete), asked);
    QVERIFY(complete);
    QStringList read;
    for (int i = 1; i <= list.Count(); ++i) {
        read << NameAt(list, i);
    }
    QCOMPARE(read, names);
}

void TestPeopleText::noAnswerStops()
{
    PeopleList list;
    Add(list, "before", Ymd(1960, 1, 1));
    bool complete = true;
    const QByteArray bytes("1970/1/5,a\r\nbad,b\r\n1970/1/5,c\r\n");
    QCOMPARE(Read(bytes, Format(",", false), list, false, &complete), QList<qint64> {2});
    QVERIFY(!complete);
    // What was there and what was read before the answer stay.
    QCOMPARE(list.Count(), 2);
    QCOMPARE(NameAt(list, 1), QStringLiteral("before"));
    QCOMPARE(NameAt(list, 2), QStringLiteral("a"));
}

void TestPeopleText::importAsksAboutLineTwo()
{
    m_dir->Write("in.txt", "1970/1/5,Taro\r\n2001/2/30,Jiro\r\n1965/4/3,Hanako\r\n");
    PeopleList list;
    basUserInfo::ImportResult result {};
    QStringList whys;
    QCOMPARE(Import(m_dir->File("in.txt"), list, true, &result, &whys), QList<qint64> {2});
    QCOMPARE(result, basUserInfo::ImportResult::Complete);
    const QString why = QStringLiteral("誕生日「2001/2/30」は日付として読めません。");
    QCOMPARE(whys, QStringList {why});
    QCOMPARE(basUserInfo::BadLineQuestion({2, why}, m_dir->File("in.txt")),
             LineQuestion(2, m_dir->File("in.txt"), why));
    QCOMPARE(list.Count(), 2);
    QCOMPARE(NameAt(list, 1), QStringLiteral("Taro"));
    QCOMPARE(NameAt(list, 2), QStringLiteral("Hanako"));
    QCOMPARE(BirthdayAt(list, 2), Ymd(1965, 4, 3));
}

void TestPeopleText::importOfOtherOrderAsksAboutLineOne()
{
    PeopleList people;
    Add(people, "Taro", Ymd(1970, 1, 5));
    Add(people, "Jiro", Ymd(1972, 3, 4));
    SetParam(SettingKey::Position, 1);
    QVERIFY(basUserInfo::ExportPeople(people, m_dir->File("out.txt")).ok);
    SetParam(SettingKey::Position, 0);
    PeopleList list;
    basUserInfo::ImportResult result {};
    QCOMPARE(Import(m_dir->File("out.txt"), list, false, &result), QList<qint64> {1});
    QCOMPARE(result, basUserInfo::ImportResult::Stopped);
    QCOMPARE(list.Count(), 0);
}

void TestPeopleText::importSkipsAndCounts()
{
    m_dir->Write("in.txt", "no delimiter here\r\n1970/1/5,\r\n\r\n   1970/1/5,Taro\r\nbad,x\r\n");
    PeopleList list;
    QCOMPARE(Import(m_dir->File("in.txt"), list), QList<qint64> {5});
    QCOMPARE(list.Count(), 1);
    QCOMPARE(NameAt(list, 1), QStringLiteral("Taro"));
}

void TestPeopleText::importAppendsUncheckedWithoutGroups()
{
    PeopleList list;
    cUserName& existing = list.Add();
    existing.kiParamValue("UserName", ParamValue::FromText("Taro"));
    existing.kiParamValue("BirthDay", ParamValue::FromDate(Ymd(1970, 1, 5)));
    existing.kiParamValue("Selected", ParamValue::FromBool(true));
    existing.kiParamValue("MyGroupId", ParamValue::FromInt32(3));
    // Tab and name first, as chosen in the settings; the same person again is not noticed.
    SetParam(SettingKey::DelimChar, QStringLiteral("\t"));
    SetParam(SettingKey::Position, 1);
    m_dir->Write("in.txt", Cp932::Encode(QStringLiteral("Taro\t1970/1/5\r\n山田花子\t1965/4/3\r\n")));
    QVERIFY(Import(m_dir->File("in.txt"), list).isEmpty());
    QCOMPARE(list.Count(), 3);
    QCOMPARE(NameAt(list, 2), QStringLiteral("Taro"));
    QCOMPARE(NameAt(list, 3), QStringLiteral("山田花子"));
    for (int i = 2; i <= 3; ++i) {
        QCOMPARE(list.Item(i)->kiParamValue("Selected").AsBool(), false);
        QCOMPARE(list.Item(i)->kiParamValue("MyGroupId").AsInt(), 0);
    }
    QCOMPARE(list.Item(1)->kiParamValue("MyGroupId").AsInt(), 3);
}

void TestPeopleText::unreadableFiles()
{
    // A missing file and a folder (like a pipe or a device) are reported, never waited on, and add nothing.
    QDir(m_dir->Path()).mkdir("folder.txt");
    for (const char* name : {"missing.txt", "folder.txt"}) {
        PeopleList list;
        basUserInfo::ImportResult result {};
        QVERIFY(Import(m_dir->File(name), list, true, &result).isEmpty());
        QCOMPARE(result, basUserInfo::ImportResult::Unreadable);
        QCOMPARE(list.Count(), 0);
    }
}

void TestPeopleText::exportFailureKeepsOldFile()
{
    PeopleList list;
    Add(list, "Taro", Ymd(1970, 1, 5));
    m_dir->Write("out.txt", "old content");
    for (SafeFile::Step failing : {SafeFile::Step::Open, SafeFile::Step::Write, SafeFile::Step::Commit}) {
        SafeFile::SetFaultForTests([failing](SafeFile::Step s) { return s == failing; });
        QCOMPARE(basUserInfo::ExportPeople(list, m_dir->File("out.txt")).failedStep, failing);
        QCOMPARE(m_dir->Read("out.txt"), QByteArray("old content"));
    }
}

void TestPeopleText::exportWritesSettingsLayout()
{
    PeopleList list;
    Add(list, "Taro", Ymd(1970, 1, 5));
    Add(list, "a;b", Ymd(2001, 12, 3));
    SetParam(SettingKey::DelimChar, QStringLiteral(";"));
    SetParam(SettingKey::Position, 1);
    m_dir->Write("out.txt", "a much longer previous content that must not survive at the end");
    QVERIFY(basUserInfo::ExportPeople(list, m_dir->File("out.txt")).ok);
    QCOMPARE(m_dir->Read("out.txt"), QByteArray("Taro;1970/1/5\r\n\"a;b\";2001/12/3\r\n"));
}

void TestPeopleText::strangeBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("questions");
    // Bytes that form no character would be kept as "?": such a name is a bad line, asked about.
    QTest::newRow("lead byte before the line end") << QByteArray("1970/1/5,a\x82\r\n1970/1/5,b") << 1 << 1;
    QTest::newRow("lead byte at the very end") << QByteArray("1970/1/5,a\x82") << 0 << 1;
    QTest::newRow("bytes that are no character") << QByteArray("1970/1/5,\xa0\xfd\xfe\xff") << 0 << 1;
    QTest::newRow("nul bytes") << QByteArray("1970/1/5,a\0b\r\n\0\0\0", 17) << 1 << 0;
    // The byte-order mark says UTF-8: both lines read.
    QTest::newRow("UTF-8 byte order mark") << QByteArray("\xef\xbb\xbf"
                                                         "1970/1/5,a\r\n1970/1/5,b")
                                           << 2 << 0;
    QTest::newRow("line longer than any person") << QByteArray(2 << 20, 'x') + ",1970/1/5\r\n1970/1/5,b" << 1 << 1;
    QTest::newRow("many spaces before a person") << QByteArray(3 << 20, ' ') + "1970/1/5,b" << 1 << 0;
    QTest::newRow("many delimiters") << "1970/1/5" + QByteArray(50000, ',') << 1 << 0;
    QTest::newRow("many quotes") << "\"" + QByteArray(100000, '"') + ",1970/1/5" << 0 << 1;
}

void TestPeopleText::strangeBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, people);
    QFETCH(int, questions);
    PeopleList list;
    QCOMPARE(Read(bytes, Format(",", false), list).size(), questions);
    QCOMPARE(list.Count(), people);
    for (int i = 1; i <= list.Count(); ++i) {
        QVERIFY(!NameAt(list, i).isEmpty());
    }
}

void TestPeopleText::randomBytes()
{
    // Bytes of every kind, weighted toward the ones that matter to the reader, never crash it, and every
    // person it appends has a name without control characters that the people file can hold.
    QRandomGenerator random(20011206);
    const char alphabet[] = "0123456789/,;\t \"\r\n\x82\xa0\x81\x40"
                            "ab";
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int length = random.bounded(200);
        for (int i = 0; i < length; ++i) {
            bytes += random.bounded(4) == 0 ? char(random.bounded(256))
                                            : alphabet[random.bounded(int(sizeof alphabet) - 1)];
        }
        const TextFormat format = Format(QString(QLatin1Char(",;\t \"/"[random.bounded(6)])), random.bounded(2) == 1);
        PeopleList list;
        qint64 lastAsked = 0;
        basUserInfo::ReadPeopleText(bytes, format, list, [&](const basUserInfo::BadLine& bad) {
            const qint64 line = bad.number;
            if (line <= lastAsked) {
                qFatal("line numbers must grow");
            }
            lastAsked = line;
            return true;
        });
        QVERIFY(lastAsked <= bytes.count('\r') + bytes.count('\n') + 1);
        for (int i = 1; i <= list.Count(); ++i) {
            const QString name = NameAt(list, i);
            QVERIFY(!name.isEmpty());
            for (QChar c : name) {
                QVERIFY(c.category() != QChar::Other_Control);
            }
        }
    }
}

void TestPeopleText::encodings_data()
{
    // Each file holds the same people and bad lines: the names read exact, the bad lines are asked about with
    // what is wrong with them.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("whys");
    const QString text = QStringLiteral("1965/4/3,田中美咲\r\n1970/13/5,鈴木一郎\r\n1980/1/2,ﾃｽﾄ ①\r\n,佐藤\r\n");
    const QStringList names {QStringLiteral("田中美咲"), QStringLiteral("ﾃｽﾄ ①")};
    const QStringList whys {QStringLiteral("誕生日「1970/13/5」は日付として読めません。"),
                            QStringLiteral("誕生日がありません。")};
    QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + text.toUtf8() << names << whys;
    QTest::newRow("UTF-8 as editors on Linux save it") << text.toUtf8() << names << whys;
    QTest::newRow("code page 932") << Cp932::Encode(text) << names << whys;
    QTest::newRow("ASCII only") << QByteArray("1965/4/3,Misaki\n,x\n") << QStringList {"Misaki"}
                                << QStringList {QStringLiteral("誕生日がありません。")};
    // UTF-8 holds what the people file cannot: such a name is asked about, not stored as question marks.
    QTest::newRow("UTF-8 beyond code page 932")
        << QStringLiteral("1965/4/3,😀花子\n1970/1/5,𠮷田\n1971/1/5,吉田\n").toUtf8()
        << QStringList {QStringLiteral("吉田")}
        << QStringList {QStringLiteral("名前「😀花子」の「😀」は保存できない文字です。"),
                        QStringLiteral("名前「𠮷田」の「𠮷」は保存できない文字です。")};
    // A half-width katakana before a kanji is a valid UTF-8 pair too (here a Thaana letter, which no people
    // file holds): such a file, as the program exports it, reads back as the code page 932 it is.
    const QString both = Cp932::Decode(QByteArray("\xDE\x9E\x6C"));
    QTest::newRow("code page 932 that is valid UTF-8 too")
        << QByteArray("2001/12/3,\xDE\x9E\x6C\r\n") << QStringList {both} << QStringList {};
    // A byte that forms no character makes the whole file code page 932, where it is asked about.
    QTest::newRow("code page 932 with a stray byte")
        << Cp932::Encode(QStringLiteral("1965/4/3,田中\r\n")) + QByteArray("1970/1/5,\x81\r\n")
        << QStringList {QStringLiteral("田中")}
        << QStringList {QStringLiteral("名前「\uFFFD」に文字にならないバイトがあります。")};
}

void TestPeopleText::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QStringList, whys);
    m_dir->Write("in.txt", bytes);
    PeopleList list;
    QStringList asked;
    Import(m_dir->File("in.txt"), list, true, nullptr, &asked);
    QCOMPARE(asked, whys);
    QStringList read;
    for (int i = 1; i <= list.Count(); ++i) {
        read << NameAt(list, i);
    }
    QCOMPARE(read, names);
    // Export stays in code page 932, as other programs of this kind read it.
    QVERIFY(basUserInfo::ExportPeople(list, m_dir->File("out.txt")).ok);
    QVERIFY(!basUserInfo::IsUtf8Text(m_dir->Read("out.txt")) || names == QStringList {"Misaki"});
}

void TestPeopleText::japaneseInCodePage932IsNeverUtf8()
{
    // Why a file that is valid UTF-8 is read as UTF-8: no text with a full-width character in code page 932
    // forms valid UTF-8. Every double-byte character the code page holds, alone and after each of a sample of
    // common ones (its lead bytes are UTF-8 continuation bytes or need continuations its trail bytes are not).
    QStringList all;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char bytes[] = {char(lead), char(trail)};
            const QString c = Cp932::Decode(QByteArray(bytes, 2));
            if (c.size() == 1 && c[0] != QChar(QChar::ReplacementCharacter)) {
                all << c;
            }
        }
    }
    QVERIFY2(all.size() > 7000, qPrintable(QString::number(all.size())));
    const QString common = QStringLiteral("山田花子田中美咲鈴木一郎佐藤あいうアイウー々〆");
    for (const QString& c : all) {
        QVERIFY2(!basUserInfo::IsUtf8Text(Cp932::Encode(c)), qPrintable(c));
        for (const QChar before : common) {
            QVERIFY2(!basUserInfo::IsUtf8Text(Cp932::Encode(before + c)), qPrintable(before + c));
        }
    }
}

QTEST_MAIN(TestPeopleText)
#include "tst_peopletext.moc"
