// The critical-day list: what it shows for the display list, the days box, saving the calendar file with its
// Retry and Cancel, and leaving it.
#include <QtTest>

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

#include "../FormTestSupport.h"
#include "../TestSupport.h"
#include "app/basParam.h"
#include "dialogs/frmCritical.h"
#include "graph/basGraph.h"
#include "graph/core/CalendarFile.h"
#include "platform/CommonDialogs.h"
#include "platform/DialogRegistry.h"
#include "platform/NumberBox.h"
#include "platform/core/SafeFile.h"

namespace {

QStringList Row(QTableView* view, int row)
{
    QStringList texts;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        texts << view->model()->index(row, c).data().toString();
    }
    return texts;
}

} // namespace

class TestFrmCritical : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { basGraph::BuildSineTable(); }
    void init();
    void cleanup();
    void showsTheDisplayList_data();
    void showsTheDisplayList();
    void daysBox_data();
    void daysBox();
    void saveRetryAndCancel();
    void emptyListSavesNothing();
    void tooManyDaysSaveNothing();
    void escCloses();
    void calendarMarks();

private:
    TempProgramFolder* m_dir = nullptr;
};

void TestFrmCritical::init()
{
    LoadDefaultSettings();
    m_dir = new TempProgramFolder;
    basParam::SetParam(SettingKey::DispDay, Ymd(2026, 12, 7));
    // Born 11 days and 644 days before the display date: a physical and a triple critical day on it.
    basParam::AddDisplayPerson(QStringLiteral("山田花子"), Ymd(2026, 11, 26));
    basParam::AddDisplayPerson(QStringLiteral("鈴木一郎"), *Ymd(2026, 12, 7).AddDays(-644));
}

void TestFrmCritical::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
    ResetAllState();
}

void TestFrmCritical::showsTheDisplayList_data()
{
    QTest::addColumn<int>("calendar");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("firstRow");
    QTest::newRow("Gregorian") << 0 << "表示日 2026/12/7（月）の値"
                               << QStringList {"2026/12/7", "月", "山田花子", "体", ""};
    QTest::newRow("era") << 4 << "表示日 R8/12/7（月）の値" << QStringList {"R8/12/7", "月", "山田花子", "体", ""};
}

void TestFrmCritical::showsTheDisplayList()
{
    QFETCH(int, calendar);
    QFETCH(QString, title);
    QFETCH(QStringList, firstRow);
    basParam::SetParam(SettingKey::Calendar, calendar);
    frmCritical dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("要注意日一覧"));
    QCOMPARE(Find<QLabel>(&dialog, "lblValues")->text(), title);
    QCOMPARE(Find<NumberBox>(&dialog, "txtDays")->text(), QStringLiteral("31"));
    QVERIFY(dialog.kicShowMe());
    QCOMPARE(DialogRegistry::ActiveDialog(), &dialog);

    auto* values = Find<QTableWidget>(&dialog, "lstValues");
    QCOMPARE(values->rowCount(), 2);
    QCOMPARE(values->item(0, 0)->text(), QStringLiteral("山田花子"));
    QCOMPARE(values->item(0, 1)->text(), QStringLiteral("14％ ↓"));
    QCOMPARE(values->item(1, 1)->text(), QStringLiteral("0％ ↑"));

    // The list holds exactly the days the model finds, with the meeting of cycles named.
    auto* list = Find<QTableView>(&dialog, "lstCritical");
    const auto days = basGraph::FindCriticalDays(basGraph::DisplayPeople(), Ymd(2026, 12, 7), 31);
    QCOMPARE(list->model()->rowCount(), days.size());
    QCOMPARE(Row(list, 0), firstRow);
    QCOMPARE(Row(list, 1).mid(2), (QStringList {"鈴木一郎", "体・感・知", "三重"}));
    QCOMPARE(list->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("周期"));
}

void TestFrmCritical::daysBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("366") << "366" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("367") << "367" << false;
    QTest::newRow("empty") << "" << false;
}

void TestFrmCritical::daysBox()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    frmCritical dialog;
    const auto before = dialog.Days().size();
    ScriptedMessages messages({MsgBox::Answer::Ok});
    Find<NumberBox>(&dialog, "txtDays")->setText(text);
    Click(&dialog, "cmdRefresh");
    if (accepted) {
        QVERIFY(messages.Shown().isEmpty());
        QCOMPARE(dialog.Days().size(),
                 basGraph::FindCriticalDays(basGraph::DisplayPeople(), Ymd(2026, 12, 7), text.toInt()).size());
    } else {
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown()[0].text, QStringLiteral("日数には、１～３６６の数値を入力してください。"));
        QCOMPARE(messages.Shown()[0].title, QStringLiteral("エラー"));
        QCOMPARE(dialog.Days().size(), before);
    }
}

void TestFrmCritical::saveRetryAndCancel()
{
    // Typed without an ending, the file gets .ics.
    ScriptedFiles files(m_dir->File("days"));
    const QString path = m_dir->File("days.ics");
    frmCritical dialog;
    {
        ScriptedMessages messages({MsgBox::Answer::Retry, MsgBox::Answer::Cancel});
        SafeFile::SetFaultForTests([](SafeFile::Step) { return true; });
        Click(&dialog, "cmdSave");
        SafeFile::SetFaultForTests(nullptr);
        QCOMPARE(messages.Shown().size(), 2);
        QCOMPARE(messages.Shown()[1].text, QStringLiteral("カレンダーファイルの書き込みに失敗しました。\r\n") + path);
        QCOMPARE(messages.Shown()[1].buttons, MsgBox::Buttons::RetryCancel);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!dialog.kicSaved());
    }
    ScriptedMessages none;
    Click(&dialog, "cmdSave");
    QVERIFY(none.Shown().isEmpty());
    QVERIFY(dialog.kicSaved());
    QCOMPARE(QFileInfo(CommonDialogs::LastOffered()).fileName(), QStringLiteral("要注意日_2026-12-07.ics"));
    QVERIFY(m_dir->Read("days.ics").startsWith("BEGIN:VCALENDAR\r\n"));
    QCOMPARE(m_dir->Read("days.ics").count("BEGIN:VEVENT"), dialog.Days().size());
}

void TestFrmCritical::emptyListSavesNothing()
{
    basParam::ClearDisplayList();
    frmCritical dialog;
    QCOMPARE(Find<QTableView>(&dialog, "lstCritical")->model()->rowCount(), 0);
    QVERIFY(!Find<QPushButton>(&dialog, "cmdSave")->isEnabled());
}

void TestFrmCritical::tooManyDaysSaveNothing()
{
    // About 97 critical days a year per person: 1100 people list more than one file may hold.
    for (int i = 0; i < 1100; ++i) {
        basParam::AddDisplayPerson(QStringLiteral("P"), *Ymd(1960, 1, 1).AddDays(i));
    }
    ScriptedFiles files(m_dir->File("days.ics"));
    frmCritical dialog;
    Find<NumberBox>(&dialog, "txtDays")->setText(QStringLiteral("366"));
    Click(&dialog, "cmdRefresh");
    QVERIFY(dialog.Days().size() > CalendarFile::MaxEvents);
    ScriptedMessages messages;
    Click(&dialog, "cmdSave");
    QCOMPARE(messages.Shown().size(), 1);
    QCOMPARE(messages.Shown()[0].title, QStringLiteral("エラー"));
    // Refused before a file is asked for.
    QVERIFY(files.Asked().isEmpty());
    QVERIFY(!QFile::exists(m_dir->File("days.ics")));
    QVERIFY(!dialog.kicSaved());
}

void TestFrmCritical::escCloses()
{
    bool seen = false;
    WhenModal([&seen](QWidget* modal) {
        seen = qobject_cast<frmCritical*>(modal) != nullptr;
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QVERIFY(!RunCriticalDialog(nullptr));
    QVERIFY(seen);
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
}

void TestFrmCritical::calendarMarks()
{
    // The display date is 勤労感謝の日, a Monday; the list runs through Saturdays and Sundays.
    basParam::SetParam(SettingKey::CalendarMarks, true);
    basParam::SetParam(SettingKey::DispDay, Ymd(2026, 11, 23));
    frmCritical dialog;
    QCOMPARE(Find<QLabel>(&dialog, "lblValues")->text(), QStringLiteral("表示日 2026/11/23（月・勤労感謝の日）の値"));
    auto* list = Find<QTableView>(&dialog, "lstCritical");
    QAbstractItemModel* model = list->model();
    QCOMPARE(model->columnCount(), 7);
    QCOMPARE(model->headerData(5, Qt::Horizontal).toString(), QStringLiteral("祝日"));
    QCOMPARE(model->headerData(6, Qt::Horizontal).toString(), QStringLiteral("六曜"));
    // Each row: the holiday's name when the day is one, and a 六曜; the weekday painted red or blue.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    int weekends = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QStringList cells = Row(list, row);
        QVERIFY(QStringList({"大安", "赤口", "先勝", "友引", "先負", "仏滅"}).contains(cells[6]));
        const bool holiday = cells[0] == QStringLiteral("2026/11/23");
        QCOMPARE(cells[5], holiday ? QStringLiteral("勤労感謝の日") : QString());
        const bool sunday = cells[1] == QStringLiteral("日");
        const bool saturday = cells[1] == QStringLiteral("土");
        list->scrollTo(model->index(row, 1));
        const QRect cell = list->visualRect(model->index(row, 1));
        const QImage image = list->viewport()->grab(cell).toImage();
        int redInk = 0;
        int blueInk = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                redInk += c.red() > 150 && c.green() < 60 && c.blue() < 60 ? 1 : 0;
                blueInk += c.blue() > 150 && c.red() < 60 && c.green() < 60 ? 1 : 0;
            }
        }
        QVERIFY2((redInk > 3) == (sunday || holiday), qPrintable(cells.join(' ')));
        QVERIFY2((blueInk > 3) == saturday, qPrintable(cells.join(' ')));
        weekends += sunday || saturday ? 1 : 0;
    }
    QVERIFY(weekends > 0);
}

QTEST_MAIN(TestFrmCritical)
#include "tst_frmcritical.moc"
