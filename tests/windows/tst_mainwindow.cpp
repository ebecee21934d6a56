// The two main windows driven headless: menus, date steps, curve choice, date buttons, the notification
// icon, hiding and restoring, the options swap, saving, printing and closing.
#include <QtTest>

#include <QAbstractPrintDialog>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include "../FormTestSupport.h"
#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "graph/basGraph.h"
#include "graph/core/CurveValues.h"
#include "platform/CommonDialogs.h"
#include "platform/DialogRegistry.h"
#include "platform/Help.h"
#include "platform/PictureBox.h"
#include "platform/TrayIcon.h"
#include "platform/core/Clock.h"
#include "platform/core/DayWatcher.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/SafeFile.h"
#include "windows/MainWindows.h"
#include "windows/frmMain.h"
#include "windows/frmMainTask.h"

using namespace basParam;

namespace {

QAction* Action(QWidget* w, const QString& name)
{
    return w->findChild<QAction*>(name);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { basGraph::BuildSineTable(); }
    void init();
    void cleanup();
    void menuTable_data();
    void menuTable();
    void trayMenuOnlyInTrayWindow();
    void loadFollowsSettings();
    void dateSteps_data();
    void dateSteps();
    void curveChoiceKeepsOtherBits_data();
    void curveChoiceKeepsOtherBits();
    void dateButtonsMovePicture();
    void minimiseHidesAndTrayRestores();
    void trayBringsOpenDialogForward();
    void trayRightButtonPopsUpMenu();
    void dialogsCloseOnlyTheProgramsWindows_data();
    void dialogsCloseOnlyTheProgramsWindows();
    void reminderClickKeepsOpenDialog();
    void laterStartBringsProgramForward();
    void lostNotificationAreaLeavesWindowReachable();
    void closeKeyHidesTrayButEndsTaskbar();
    void unloadSavesGeometryAndSettings();
    void minimisedTaskbarKeepsPosition();
    void optionsChangeStepCaptions();
    void optionsSwapWindows();
    void saveAsksBeforeOverwriting();
    void failedSaveAsksRetryOrCancel_data();
    void failedSaveAsksRetryOrCancel();
    void printCancelled_data();
    void printCancelled();
    void printToPdf();
    void previewShowsThePrintedPages();
    void namesItemFollowsSetting();
    void calendarItemMarksTheDay();
    void helpWithoutFile();
    void colourChoice();
    void helpFinderAndTopics();
    void criticalListFromMenuAndIcon();
    void dayFollowsTheClock_data();
    void dayFollowsTheClock();
    void reminder_data();
    void reminder();

private:
    TempProgramFolder* m_dir = nullptr;
    int m_ended = 0;
};

void TestMainWindow::init()
{
    ResetAllState();
    m_dir = new TempProgramFolder;
    ProgramFolder::SetForTests(m_dir->Path());
    basMain::SetHelpFilePath(m_dir->File("kirvo.hlp"));
    Clock::SetTodayForTests(Date::FromYmd(2026, 12, 7));
    basSettings::LoadSettings(m_dir->Path());
    AddDisplayPerson(QStringLiteral("A"), *Date::FromYmd(1965, 4, 3));
    AddDisplayPerson(QStringLiteral("B"), *Date::FromYmd(1970, 11, 23));
    m_ended = 0;
    MainWindows::SetEndProgram([this] { ++m_ended; });
    frmMainBase::ResetReminderForTests();
}

void TestMainWindow::cleanup()
{
    // Main windows a test left behind (a swap creates one); deleting one also deletes its own popups.
    QList<QPointer<frmMainBase>> left;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* m = qobject_cast<frmMainBase*>(w)) {
            left << m;
        }
    }
    for (const QPointer<frmMainBase>& m : left) {
        if (m && m->testAttribute(Qt::WA_DeleteOnClose)) {
            delete m.data();
        }
    }
    CommonDialogs::SetAnswerer(nullptr);
    MainWindows::SetEndProgram(nullptr);
    delete m_dir;
    m_dir = nullptr;
    ResetAllState();
}

void TestMainWindow::menuTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("save") << "mnuFileSave"
                          << "保存(&S)..."
                          << "";
    QTest::newRow("page setup") << "mnuFilePrinterSet"
                                << "ページ設定(&U)..."
                                << "";
    QTest::newRow("print") << "mnuFilePrint"
                           << "印刷(&P)..."
                           << "";
    QTest::newRow("print preview") << "mnuFilePrintPreview"
                                   << "印刷プレビュー(&V)..."
                                   << "";
    QTest::newRow("people") << "mnuViewBirthDay"
                            << "表示人変更(&H)..."
                            << "Ctrl+H";
    QTest::newRow("today") << "mnuViewDateChange0"
                           << "今日(&T)"
                           << "Ctrl+T";
    QTest::newRow("back") << "mnuViewDateChange1"
                          << "15日前(&B)"
                          << "Ctrl+B";
    QTest::newRow("forward") << "mnuViewDateChange2"
                             << "15日後(&A)"
                             << "Ctrl+A";
    QTest::newRow("date") << "mnuViewDateReserve"
                          << "日付指定(&R)..."
                          << "Ctrl+R";
    QTest::newRow("buttons") << "mnuViewDateButton"
                             << "ボタン表示(&D)"
                             << "Ctrl+D";
    QTest::newRow("fore") << "mnuViewColorSelect0"
                          << "前景色(&F)..."
                          << "";
    QTest::newRow("back colour") << "mnuViewColorSelect1"
                                 << "背景色(&B)..."
                                 << "";
    QTest::newRow("physical colour") << "mnuViewColorSelect2"
                                     << "身体表示色(&P)..."
                                     << "";
    QTest::newRow("sensitivity colour") << "mnuViewColorSelect3"
                                        << "感情表示色(&S)..."
                                        << "";
    QTest::newRow("intellect colour") << "mnuViewColorSelect4"
                                      << "知性表示色(&I)..."
                                      << "";
    QTest::newRow("defaults") << "mnuViewColorDefaults"
                              << "標準に戻す(&D)"
                              << "";
    QTest::newRow("physical") << "mnuViewSelectGraph0"
                              << "身体グラフ(&P)"
                              << "Ctrl+P";
    QTest::newRow("sensitivity") << "mnuViewSelectGraph1"
                                 << "感情グラフ(&S)"
                                 << "Ctrl+S";
    QTest::newRow("intellect") << "mnuViewSelectGraph2"
                               << "知性グラフ(&I)"
                               << "Ctrl+I";
    QTest::newRow("caution") << "mnuViewSelectGraph3"
                             << "要注意日(&W)"
                             << "Ctrl+W";
    QTest::newRow("names") << "mnuViewShowNames"
                           << "名前を表示(&N)"
                           << "";
    QTest::newRow("critical list") << "mnuViewCritical"
                                   << "要注意日一覧(&L)..."
                                   << "Ctrl+L";
    QTest::newRow("redraw") << "mnuViewRefresh"
                            << "再描画(&R)"
                            << "F5";
    QTest::newRow("options") << "mnuViewOption"
                             << "オプション(&O)..."
                             << "Ctrl+O";
    QTest::newRow("help") << "mnuHelpContents"
                          << "トピックの検索(&S)..."
                          << "";
    QTest::newRow("about") << "mnuHelpAbout"
                           << "バージョン情報(&A)..."
                           << "";
}

void TestMainWindow::menuTable()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    frmMain tray;
    frmMainTask task;
    for (QWidget* w : {static_cast<QWidget*>(&tray), static_cast<QWidget*>(&task)}) {
        QAction* a = Action(w, name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut().toString(), shortcut);
    }
    QCOMPARE(Action(&tray, "mnuFileClose")->text(), QStringLiteral("閉じる(&C)"));
    QCOMPARE(Action(&tray, "mnuFileClose")->shortcut().toString(), QStringLiteral("Ctrl+Q"));
    QVERIFY(!Action(&tray, "mnuFileExit"));
    QCOMPARE(Action(&task, "mnuFileExit")->text(), QStringLiteral("終了(&X)"));
    QCOMPARE(Action(&task, "mnuFileExit")->shortcut().toString(), QStringLiteral("Ctrl+Q"));
    QVERIFY(!Action(&task, "mnuFileClose"));
}

void TestMainWindow::trayMenuOnlyInTrayWindow()
{
    frmMain tray;
    frmMainTask task;
    QVERIFY(tray.mnuTaskTray());
    QVERIFY(!task.mnuTaskTray());
    QVERIFY(!task.Tray());
    QCOMPARE(tray.Tray()->Tip(), QStringLiteral("バイオリズム"));
    QVERIFY(tray.Tray()->IsShown());
    const QStringList items {"バイオリズム", "要注意日一覧", "バージョン情報", "", "終了"};
    QStringList captions;
    for (QAction* a : tray.mnuTaskTray()->actions()) {
        captions << a->text();
    }
    QCOMPARE(captions, items);
}

void TestMainWindow::loadFollowsSettings()
{
    SetParam(SettingKey::GraphDisp, 5);
    SetParam(SettingKey::DispPeriod, 30);
    frmMainTask w;
    QCOMPARE(w.windowTitle(), QStringLiteral("バイオリズム （A, B）"));
    QVERIFY(w.SelectGraphChecked(0));
    QVERIFY(!w.SelectGraphChecked(1));
    QVERIFY(w.SelectGraphChecked(2));
    QVERIFY(!w.SelectGraphChecked(3));
    QCOMPARE(w.findChild<QPushButton*>("cmdChangeDate1")->text(), QStringLiteral("30日前(&B)"));
    QCOMPARE(w.findChild<QPushButton*>("cmdChangeDate2")->text(), QStringLiteral("30日後(&A)"));
    QCOMPARE(Action(&w, "mnuViewDateChange2")->text(), QStringLiteral("30日後(&A)"));
    QCOMPARE(w.findChild<QPushButton*>("cmdChangeDate0")->text(), QStringLiteral("今日(&T)"));
    QVERIFY(Action(&w, "mnuViewDateButton")->isChecked());
}

void TestMainWindow::dateSteps_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<QString>("expected");
    QTest::newRow("back button") << 1 << false << "2001/12/13";
    QTest::newRow("forward button") << 2 << false << "2001/12/27";
    QTest::newRow("today button") << 0 << false << "2026/12/7";
    QTest::newRow("Ctrl+B") << 1 << true << "2001/12/13";
    QTest::newRow("Ctrl+A") << 2 << true << "2001/12/27";
    QTest::newRow("Ctrl+T") << 0 << true << "2026/12/7";
}

void TestMainWindow::dateSteps()
{
    QFETCH(int, index);
    QFETCH(bool, byMenu);
    QFETCH(QString, expected);
    SetParam(SettingKey::DispPeriod, 7);
    SetParam(SettingKey::DispDay, *Date::FromYmd(2001, 12, 20));
    frmMainTask w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (byMenu) {
        Action(&w, QStringLiteral("mnuViewDateChange%1").arg(index))->trigger();
    } else {
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdChangeDate%1").arg(index)), Qt::LeftButton);
    }
    QCOMPARE(FormatYmd(GetParam(SettingKey::DispDay).AsDate()), expected);
    // The caption does not change with the date.
    QCOMPARE(w.windowTitle(), QStringLiteral("バイオリズム （A, B）"));
}

void TestMainWindow::curveChoiceKeepsOtherBits_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("after");
    QTest::newRow("15 uncheck physical") << 15 << 0 << 14;
    QTest::newRow("31 keeps bit 16") << 31 << 0 << 30;
    QTest::newRow("15 uncheck marks") << 15 << 3 << 7;
    QTest::newRow("0 check intellect") << 0 << 2 << 4;
}

void TestMainWindow::curveChoiceKeepsOtherBits()
{
    QFETCH(int, start);
    QFETCH(int, item);
    QFETCH(int, after);
    SetParam(SettingKey::GraphDisp, start);
    frmMainTask w;
    QAction* a = Action(&w, QStringLiteral("mnuViewSelectGraph%1").arg(item));
    a->trigger();
    QCOMPARE(GetParam(SettingKey::GraphDisp).AsInt(), after);
    QCOMPARE(a->isChecked(), (after & (1 << item)) != 0);
    a->trigger();
    QCOMPARE(GetParam(SettingKey::GraphDisp).AsInt(), start);
    QCOMPARE(a->isChecked(), (start & (1 << item)) != 0);
}

void TestMainWindow::dateButtonsMovePicture()
{
    frmMainTask w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    PictureBox* pic = w.picGraph();
    const int topWith = pic->TopTwips();
    const int heightWith = pic->HeightTwips();
    QCOMPARE(topWith, 480);
    Action(&w, "mnuViewDateButton")->trigger();
    QCOMPARE(GetParam(SettingKey::DateChangeButton).AsBool(), false);
    QVERIFY(!Action(&w, "mnuViewDateButton")->isChecked());
    QVERIFY(!w.findChild<QPushButton*>("cmdChangeDate1")->isVisible());
    QCOMPARE(pic->TopTwips(), 120);
    // 350 twips, to within the one pixel that whole-pixel placement can take.
    QVERIFY(qAbs(pic->HeightTwips() - heightWith - 350) < 15);
    Action(&w, "mnuViewDateButton")->trigger();
    QCOMPARE(pic->TopTwips(), 480);
    QVERIFY(w.findChild<QPushButton*>("cmdChangeDate1")->isVisible());
}

void TestMainWindow::minimiseHidesAndTrayRestores()
{
    frmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QSize before = w.size();
    w.showMinimized();
    QTRY_VERIFY(!w.isVisible());
    QVERIFY(!w.isMinimized());
    w.Tray()->SimulateDoubleClick();
    QTRY_VERIFY(w.isVisible());
    QVERIFY(!w.isMinimized());
    QCOMPARE(w.size(), before);
}

void TestMainWindow::trayBringsOpenDialogForward()
{
    frmMain w;
    w.show();
    w.hide();
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("frmDate"));
    DialogRegistry::Register(&dialog);
    w.Tray()->SimulateDoubleClick();
    QVERIFY(dialog.isVisible());
    QVERIFY(!w.isVisible());
    dialog.hide();
    w.Tray()->SimulateRightButton(QPoint(10, 10));
    QVERIFY(dialog.isVisible());
    QVERIFY(!w.mnuTaskTray()->isVisible());
    DialogRegistry::Unregister(&dialog);
}

void TestMainWindow::trayRightButtonPopsUpMenu()
{
    frmMain w;
    w.show();
    w.Tray()->SimulateRightButton(QPoint(40, 40));
    QTRY_VERIFY(w.mnuTaskTray()->isVisible());
    w.mnuTaskTray()->hide();
    // "バイオリズム" shows the window; "終了" unloads it and ends the program.
    w.hide();
    Action(&w, "mnuTaskTrayShow")->trigger();
    QVERIFY(w.isVisible());
    Action(&w, "mnuTaskTrayClose")->trigger();
    QCOMPARE(m_ended, 1);
    QVERIFY(QFile::exists(m_dir->File("kirvo.ini")));
}

void TestMainWindow::dialogsCloseOnlyTheProgramsWindows_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("日付指定") << "mnuViewDateReserve"
                              << "frmDate";
    QTest::newRow("表示人変更") << "mnuViewBirthDay"
                                << "frmBirth";
    QTest::newRow("要注意日一覧") << "mnuViewCritical"
                                  << "frmCritical";
    QTest::newRow("オプション") << "mnuViewOption"
                                << "frmOptions";
    QTest::newRow("要注意日一覧 from the icon") << "mnuTaskTrayCritical"
                                                << "frmCritical";
}

void TestMainWindow::dialogsCloseOnlyTheProgramsWindows()
{
    QFETCH(QString, item);
    QFETCH(QString, dialog);
    QVERIFY(QFile::copy(QStringLiteral(KIRVO_SOURCE_DIR "/help/kirvo.hlp"), m_dir->File("kirvo.hlp")));
    frmMain w;
    w.show();
    // On a desktop the notification icon and its balloon are top-level windows of this process too.
    QWidget toolkitWindow;
    toolkitWindow.show();
    Action(&w, "mnuHelpAbout")->trigger();
    Action(&w, "mnuHelpContents")->trigger();
    QVERIFY(w.AboutBox()->isVisible());
    QVERIFY(ShownHelpViewer());
    QString opened;
    WhenModal([&opened](QWidget* d) {
        opened = d->objectName();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    Action(&w, item)->trigger();
    QCOMPARE(opened, dialog);
    QVERIFY(!w.AboutBox() || !w.AboutBox()->isVisible());
    QVERIFY(!ShownHelpViewer());
    QVERIFY(toolkitWindow.isVisible());
    QVERIFY(w.Tray()->IsShown());
}

void TestMainWindow::reminderClickKeepsOpenDialog()
{
    frmMain w;
    w.show();
    QString typed;
    QString waiting;
    bool stillOpen = false;
    WhenModal(QStringLiteral("frmDate"), [&](QDialog* d) {
        auto* year = Find<QLineEdit>(d, QStringLiteral("txtYear"));
        year->setText(QStringLiteral("1999"));
        w.Tray()->SimulateMessageClick();
        stillOpen = d->isVisible();
        typed = year->text();
        waiting = DialogRegistry::WindowToAnswer()->objectName();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    Action(&w, "mnuViewDateReserve")->trigger();
    QVERIFY(stillOpen);
    QCOMPARE(typed, QStringLiteral("1999"));
    QCOMPARE(waiting, QStringLiteral("frmDate"));
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
}

void TestMainWindow::laterStartBringsProgramForward()
{
    frmMainBase* w = MainWindows::ShowMainWindow(false);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    MainWindows::ComeForward();
    QTRY_VERIFY(!w->isMinimized());
    QVERIFY(w->isVisible());
    // With a dialog open, the dialog is what the user must answer.
    QDialog dialog;
    DialogRegistry::Register(&dialog);
    MainWindows::ComeForward();
    QVERIFY(dialog.isVisible());
    DialogRegistry::Unregister(&dialog);

    // The notification-area window comes out of hiding.
    frmMain tray;
    tray.show();
    tray.hide();
    tray.ComeForward();
    QVERIFY(tray.isVisible());
}

void TestMainWindow::lostNotificationAreaLeavesWindowReachable()
{
    frmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Action(&w, "mnuFileClose")->trigger();
    QVERIFY(!w.isVisible());
    w.Tray()->SimulateArea(false);
    QVERIFY(w.isVisible());
    // With nowhere to put it away, closing and minimising leave the window minimised.
    Action(&w, "mnuFileClose")->trigger();
    QTRY_VERIFY(w.isMinimized());
    QVERIFY(w.isVisible());
    w.showNormal();
    w.showMinimized();
    QTRY_VERIFY(w.isMinimized());
    QVERIFY(w.isVisible());
    // A new notification area takes the icon, and the window goes back into it.
    w.showNormal();
    w.Tray()->SimulateArea(true);
    QVERIFY(w.Tray()->IsShown());
    Action(&w, "mnuFileClose")->trigger();
    QVERIFY(!w.isVisible());
}

void TestMainWindow::closeKeyHidesTrayButEndsTaskbar()
{
    frmMain tray;
    tray.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tray));
    Action(&tray, "mnuFileClose")->trigger();
    QVERIFY(!tray.isVisible());
    QCOMPARE(m_ended, 0);
    QVERIFY(!QFile::exists(m_dir->File("kirvo.ini")));
    QVERIFY(tray.Tray()->IsShown());

    frmMainTask task;
    task.show();
    Action(&task, "mnuFileExit")->trigger();
    QCOMPARE(m_ended, 1);
    QVERIFY(QFile::exists(m_dir->File("kirvo.ini")));
}

void TestMainWindow::unloadSavesGeometryAndSettings()
{
    SetParam(SettingKey::GraphPosX, 1500);
    SetParam(SettingKey::GraphPosY, 900);
    SetParam(SettingKey::GraphWidth, 7500);
    SetParam(SettingKey::GraphHeight, 6000);
    frmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.RememberedWidth(), 7500);
    w.close();
    QVERIFY(!w.Tray()->IsShown());
    QCOMPARE(GetParam(SettingKey::GraphPosX).AsInt(), 1500);
    QCOMPARE(GetParam(SettingKey::GraphPosY).AsInt(), 900);
    QCOMPARE(GetParam(SettingKey::GraphWidth).AsInt(), 7500);
    QCOMPARE(GetParam(SettingKey::GraphHeight).AsInt(), 6000);
    QCOMPARE(m_dir->Read("kirvo.ini"), basSettings::SettingsFileBytes());
    QVERIFY(m_dir->Read("kirvo.ini").contains("GraphWidth=7500\r\nGraphHeight=6000\r\n"));
}

void TestMainWindow::minimisedTaskbarKeepsPosition()
{
    SetParam(SettingKey::GraphPosX, 1500);
    SetParam(SettingKey::GraphPosY, 900);
    SetParam(SettingKey::GraphWidth, 7500);
    SetParam(SettingKey::GraphHeight, 6000);
    frmMainTask w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(600, 450);
    QTRY_COMPARE(w.RememberedWidth(), 9000);
    w.move(0, 0);
    w.showMinimized();
    QTRY_VERIFY(w.isMinimized());
    w.close();
    QCOMPARE(GetParam(SettingKey::GraphPosX).AsInt(), 1500);
    QCOMPARE(GetParam(SettingKey::GraphPosY).AsInt(), 900);
    QCOMPARE(GetParam(SettingKey::GraphWidth).AsInt(), 9000);
    QCOMPARE(GetParam(SettingKey::GraphHeight).AsInt(), 6750);
    QVERIFY(QFile::exists(m_dir->File("kirvo.ini")));
}

void TestMainWindow::optionsChangeStepCaptions()
{
    frmMainTask w;
    w.show();
    WhenModal([](QWidget* dialog) {
        auto* period = dialog->findChild<QLineEdit*>("txtDispPeriod");
        QVERIFY(period);
        period->setText(QStringLiteral("10"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    Action(&w, "mnuViewOption")->trigger();
    QCOMPARE(GetParam(SettingKey::DispPeriod).AsInt(), 10);
    QCOMPARE(w.findChild<QPushButton*>("cmdChangeDate1")->text(), QStringLiteral("10日前(&B)"));
    QCOMPARE(w.findChild<QPushButton*>("cmdChangeDate2")->text(), QStringLiteral("10日後(&A)"));
    QCOMPARE(Action(&w, "mnuViewDateChange1")->text(), QStringLiteral("10日前(&B)"));
    QCOMPARE(Action(&w, "mnuViewDateChange2")->text(), QStringLiteral("10日後(&A)"));
    QCOMPARE(m_ended, 0);
}

void TestMainWindow::optionsSwapWindows()
{
    SetParam(SettingKey::TaskTray, true);
    auto* first = new frmMain;
    first->setAttribute(Qt::WA_DeleteOnClose);
    first->show();
    QVERIFY(QTest::qWaitForWindowExposed(first));
    first->move(30, 40);
    first->resize(500, 400);
    QTest::qWait(20);
    WhenModal([](QWidget* dialog) {
        dialog->findChild<QCheckBox*>("chkTaskTray")->setChecked(false);
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    QPointer<frmMain> guard(first);
    Action(first, "mnuViewOption")->trigger();
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(m_ended, 0);
    // The settings file was written on the way out, with the geometry the new window opens at.
    const QByteArray ini = m_dir->Read("kirvo.ini");
    QVERIFY(ini.contains("TaskTray=False\r\n"));
    QVERIFY(ini.contains("GraphWidth=7500\r\n"));
    frmMainTask* second = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = qobject_cast<frmMainTask*>(w)) {
            second = t;
        }
    }
    QVERIFY(second);
    QVERIFY(second->isVisible());
    QCOMPARE(second->size(), QSize(500, 400));
}

void TestMainWindow::saveAsksBeforeOverwriting()
{
    m_dir->Write("out.csv", "old");
    CommonDialogs::SetAnswerer(
        [this](const QString& kind) { return kind == "save" ? m_dir->File("out.csv") : QString(); });
    frmMainTask w;
    {
        ScriptedMessages messages({MsgBox::Answer::No});
        Action(&w, "mnuFileSave")->trigger();
        QCOMPARE(messages.Shown().size(), 1);
        const MsgBox::Shown& q = messages.Shown()[0];
        QCOMPARE(q.text,
                 QDir::toNativeSeparators(m_dir->File("out.csv"))
                     + QStringLiteral("\r\nこのファイルはすでに存在します。\r\n\r\n上書きしますか？"));
        QCOMPARE(q.buttons, MsgBox::Buttons::YesNo);
        QCOMPARE(q.defaultButton, MsgBox::Answer::No);
        QCOMPARE(q.icon, MsgBox::Icon::Question);
    }
    QCOMPARE(m_dir->Read("out.csv"), QByteArray("old"));
    // The dialog offers a name of the display date, in the folder the user chose last in this run.
    QCOMPARE(QFileInfo(CommonDialogs::LastOffered()).fileName(), QStringLiteral("曲線_2026-12-07.csv"));
    {
        ScriptedMessages messages({MsgBox::Answer::Yes});
        Action(&w, "mnuFileSave")->trigger();
    }
    QCOMPARE(m_dir->Read("out.csv"), basGraph::CurveValuesBytes());
    QCOMPARE(QFileInfo(CommonDialogs::LastOffered()).absolutePath(), QFileInfo(m_dir->Path()).absoluteFilePath());
    // Typed without an ending through the CSV filter, the name gets .csv.
    CommonDialogs::SetAnswerer(
        [this](const QString& kind) { return kind == "save" ? m_dir->File("typed") : QString(); });
    Action(&w, "mnuFileSave")->trigger();
    QCOMPARE(m_dir->Read("typed.csv"), basGraph::CurveValuesBytes());
    // A cancelled save dialog does nothing at all.
    CommonDialogs::SetAnswerer([](const QString&) { return QString(); });
    ScriptedMessages messages;
    Action(&w, "mnuFileSave")->trigger();
    QVERIFY(messages.Shown().isEmpty());
}

void TestMainWindow::failedSaveAsksRetryOrCancel_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("settings on closing") << "kirvo.ini" << QStringLiteral("設定ファイルの書き込みに失敗しました。");
    QTest::newRow("curve values") << "out.csv" << QStringLiteral("ファイルの書き込みに失敗しました。");
}

void TestMainWindow::failedSaveAsksRetryOrCancel()
{
    // The window that started a save asks; Retry writes the whole file, Cancel keeps the previous one.
    QFETCH(QString, file);
    QFETCH(QString, sentence);
    const QString path = m_dir->File(file);
    CommonDialogs::SetAnswerer([&](const QString& kind) { return kind == "save" ? path : QString(); });
    const auto save = [&] {
        frmMainTask w;
        if (file == "kirvo.ini") {
            w.show();
            w.close();
        } else {
            Action(&w, "mnuFileSave")->trigger();
        }
    };
    int failures = 1;
    SafeFile::SetFaultForTests([&](SafeFile::Step s) { return s == SafeFile::Step::Write && failures-- > 0; });
    {
        ScriptedMessages messages({MsgBox::Answer::Retry});
        save();
        QCOMPARE(messages.Shown().size(), 1);
        const MsgBox::Shown& shown = messages.Shown()[0];
        QCOMPARE(shown.text, sentence + QStringLiteral("\r\n") + QDir::toNativeSeparators(path));
        QCOMPARE(shown.title, QStringLiteral("エラー"));
        QCOMPARE(shown.icon, MsgBox::Icon::Critical);
        QCOMPARE(shown.buttons, MsgBox::Buttons::RetryCancel);
    }
    const QByteArray written = m_dir->Read(file);
    QVERIFY(written.size() > 0);
    m_dir->Write(file, "previous");
    SafeFile::SetFaultForTests([](SafeFile::Step s) { return s == SafeFile::Step::Commit; });
    {
        // The curve-values file exists now, so its overwrite question comes first.
        ScriptedMessages messages(file == "out.csv"
                                      ? QList<MsgBox::Answer> {MsgBox::Answer::Yes, MsgBox::Answer::Cancel}
                                      : QList<MsgBox::Answer> {MsgBox::Answer::Cancel});
        save();
        QCOMPARE(messages.Shown().last().buttons, MsgBox::Buttons::RetryCancel);
    }
    QCOMPARE(m_dir->Read(file), QByteArray("previous"));
}

void TestMainWindow::printCancelled_data()
{
    QTest::addColumn<bool>("tray");
    QTest::newRow("notification-area window reports it") << true;
    QTest::newRow("taskbar window stays silent") << false;
}

void TestMainWindow::printCancelled()
{
    QFETCH(bool, tray);
    CommonDialogs::SetAnswerer([](const QString&) { return QString(); });
    std::unique_ptr<frmMainBase> w(tray ? static_cast<frmMainBase*>(new frmMain) : new frmMainTask);
    ScriptedMessages messages;
    Action(w.get(), "mnuFilePrint")->trigger();
    if (tray) {
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown()[0].text, QStringLiteral("キャンセルが選択されました。32755"));
        QCOMPARE(messages.Shown()[0].icon, MsgBox::Icon::None);
        QCOMPARE(messages.Shown()[0].buttons, MsgBox::Buttons::Ok);
    } else {
        QVERIFY(messages.Shown().isEmpty());
    }
    // Page setup cancelled: silent in both.
    Action(w.get(), "mnuFilePrinterSet")->trigger();
    QCOMPARE(messages.Shown().size(), tray ? 1 : 0);
}

void TestMainWindow::printToPdf()
{
    QPrinter& printer = CommonDialogs::ProgramPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir->File("out.pdf"));
    printer.setPageOrientation(QPageLayout::Portrait);
    CommonDialogs::SetAnswerer([](const QString&) { return QStringLiteral("ok"); });
    frmMain w;
    ScriptedMessages messages;
    Action(&w, "mnuFilePrint")->trigger();
    QVERIFY(messages.Shown().isEmpty());
    const QByteArray pdf = m_dir->Read("out.pdf");
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
}

void TestMainWindow::previewShowsThePrintedPages()
{
    // The preview and its print button draw what printing draws: the same page, pixel for pixel.
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        QSKIP("pdftoppm is needed to look at the pages");
    }
    QPrinter& printer = CommonDialogs::ProgramPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFileName(m_dir->File("printed.pdf"));
    CommonDialogs::SetAnswerer([](const QString&) { return QStringLiteral("ok"); });
    frmMain w;
    Action(&w, "mnuFilePrint")->trigger();
    CommonDialogs::SetAnswerer(nullptr);

    int pages = 0;
    QPageLayout::Orientation shown = QPageLayout::Portrait;
    WhenModal(QStringLiteral("printPreview"), [&](QDialog* preview) {
        auto* view = preview->findChild<QPrintPreviewWidget*>();
        view->updatePreview();
        pages = view->pageCount();
        shown = view->orientation() == QPageLayout::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        // Printing from the preview asks for the printer: the same printer, now writing another file.
        printer.setOutputFileName(m_dir->File("previewed.pdf"));
        auto* poll = new QTimer(preview);
        QObject::connect(poll, &QTimer::timeout, [poll] {
            if (auto* dialog = qobject_cast<QAbstractPrintDialog*>(QApplication::activeModalWidget())) {
                poll->stop();
                dialog->accept();
            }
        });
        poll->start(50);
        for (QAction* a : preview->findChildren<QAction*>()) {
            if (a->text() == QLatin1String("Print")) {
                a->trigger();
            }
        }
    });
    ScriptedMessages messages;
    Action(&w, "mnuFilePrintPreview")->trigger();
    QVERIFY(messages.Shown().isEmpty());
    QCOMPARE(pages, 1);
    QCOMPARE(shown, QPageLayout::Landscape);
    QImage images[2];
    const char* names[] = {"printed", "previewed"};
    for (int i = 0; i < 2; ++i) {
        QProcess::execute(pdftoppm,
                          {QStringLiteral("-r"),
                           QStringLiteral("50"),
                           QStringLiteral("-png"),
                           QStringLiteral("-singlefile"),
                           m_dir->File(QLatin1String(names[i]) + QStringLiteral(".pdf")),
                           m_dir->File(QLatin1String(names[i]))});
        images[i] = QImage(m_dir->File(QLatin1String(names[i]) + QStringLiteral(".png")));
    }
    QVERIFY(!images[0].isNull());
    QCOMPARE(images[1], images[0]);
}

void TestMainWindow::namesItemFollowsSetting()
{
    SetParam(SettingKey::ShowNames, true);
    frmMainTask w;
    QAction* names = Action(&w, "mnuViewShowNames");
    QVERIFY(names->isChecked());
    names->trigger();
    QVERIFY(!GetParam(SettingKey::ShowNames).AsBool());
    names->trigger();
    QVERIFY(GetParam(SettingKey::ShowNames).AsBool());
}

void TestMainWindow::calendarItemMarksTheDay()
{
    // Off by default: the tooltip names the people only. On: the display date's weekday and holiday first.
    SetParam(SettingKey::DispDay, *Date::FromYmd(2026, 11, 23));
    frmMainTask w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* pic = w.findChild<PictureBox*>("picGraph");
    QAction* marks = Action(&w, "mnuViewCalendarMarks");
    QCOMPARE(marks->text(), QStringLiteral("暦を表示(&K)"));
    QVERIFY(!marks->isChecked());
    QVERIFY(pic->toolTip().startsWith(QStringLiteral(" (1)A[")));
    marks->trigger();
    QVERIFY(GetParam(SettingKey::CalendarMarks).AsBool());
    QVERIFY2(pic->toolTip().startsWith(QStringLiteral(" 2026/11/23（月）勤労感謝の日 (1)A[")),
             qPrintable(pic->toolTip()));
    marks->trigger();
    QVERIFY(pic->toolTip().startsWith(QStringLiteral(" (1)A[")));
}

void TestMainWindow::helpWithoutFile()
{
    frmMainTask w;
    ScriptedMessages messages;
    Action(&w, "mnuHelpContents")->trigger();
    QCOMPARE(messages.Shown().size(), 1);
    QCOMPARE(messages.Shown()[0].title, QStringLiteral("エラー"));
    QCOMPARE(messages.Shown()[0].icon, MsgBox::Icon::Critical);
    QVERIFY(messages.Shown()[0].text.contains(QDir::toNativeSeparators(m_dir->File("kirvo.hlp"))));
}

void TestMainWindow::colourChoice()
{
    frmMainTask w;
    CommonDialogs::SetAnswerer(
        [](const QString& kind) { return kind == "color" ? QStringLiteral("#c84040") : QString(); });
    Action(&w, "mnuViewColorSelect2")->trigger();
    QCOMPARE(GetParam(SettingKey::GraphPhysColor).AsText(), QStringLiteral("200064064"));
    CommonDialogs::SetAnswerer([](const QString&) { return QString(); });
    Action(&w, "mnuViewColorSelect0")->trigger();
    QCOMPARE(GetParam(SettingKey::GraphForeColor).AsText(), QStringLiteral("000000000"));
    Action(&w, "mnuViewColorDefaults")->trigger();
    QCOMPARE(GetParam(SettingKey::GraphPhysColor).AsText(), QStringLiteral("064064200"));
}

void TestMainWindow::helpFinderAndTopics()
{
    QVERIFY(QFile::copy(QStringLiteral(KIRVO_SOURCE_DIR "/help/kirvo.hlp"), m_dir->File("kirvo.hlp")));
    frmMainTask w;
    ScriptedMessages messages;
    Action(&w, "mnuHelpContents")->trigger();
    QVERIFY(messages.Shown().isEmpty());
    QTextBrowser* viewer = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("helpViewer") && top->isVisible()) {
            viewer = qobject_cast<QTextBrowser*>(top);
        }
    }
    QVERIFY(viewer);
    // The finder lists every topic the dialogs open.
    const QString html = viewer->toHtml();
    for (int topic : {1, 13, 21, 24, 31, 71, 76, 84}) {
        QVERIFY2(html.contains(QStringLiteral("#topic%1").arg(topic)), qPrintable(QString::number(topic)));
    }
    QVERIFY(Help::ShowTopic(&w, basMain::HelpFilePath(), 13));
    QVERIFY(viewer->isVisible());
    QVERIFY(messages.Shown().isEmpty());
    viewer->close();
}

void TestMainWindow::criticalListFromMenuAndIcon()
{
    frmMain w;
    w.show();
    QStringList seen;
    auto closeList = [&seen](QWidget* dialog) {
        seen << dialog->objectName() + QLatin1Char(' ') + dialog->windowTitle();
        QTest::keyClick(dialog, Qt::Key_Escape);
    };
    WhenModal(closeList);
    Action(&w, "mnuViewCritical")->trigger();
    QCOMPARE(seen.size(), 1);
    // From the notification icon's menu the window stays put away.
    w.hide();
    WhenModal(closeList);
    Action(&w, "mnuTaskTrayCritical")->trigger();
    // So does a click on the day's reminder.
    WhenModal(closeList);
    w.Tray()->SimulateMessageClick();
    QCOMPARE(seen, QStringList(3, QStringLiteral("frmCritical 要注意日一覧")));
    QVERIFY(!w.isVisible());
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
}

void TestMainWindow::dayFollowsTheClock_data()
{
    // What makes the window look at the clock after midnight has passed: its timer, the session waking from
    // sleep (which the timer sleeps through), the user coming back to the window or to its icon.
    QTest::addColumn<QString>("look");
    QTest::addColumn<bool>("chosenDate");
    for (const char* look : {"midnight", "resume", "shown again", "activated", "icon clicked", "icon's menu"}) {
        QTest::addRow("%s, today follows the clock", look) << look << false;
        QTest::addRow("%s, a chosen date stays", look) << look << true;
    }
}

void TestMainWindow::dayFollowsTheClock()
{
    QFETCH(QString, look);
    QFETCH(bool, chosenDate);
    const Date today = Ymd(2026, 12, 7);
    const Date tomorrow = *today.AddDays(1);
    const Date chosen = Ymd(2001, 12, 20);
    SetParam(SettingKey::DispDay, chosenDate ? chosen : today);
    frmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.ReadyFlag());
    // Redraws queued by the first layout run now, not in the middle of what follows.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    w.findChild<PictureBox*>("picGraph")->setToolTip(QString());
    w.setWindowTitle(QString());
    // A look at the clock while the date is unchanged changes nothing.
    w.Day()->Check();
    QCOMPARE(GetParam(SettingKey::DispDay).AsDate(), chosenDate ? chosen : today);
    QWidget other;
    if (look == "activated") {
        QVERIFY(ShowActive(&other));
    } else if (look != "midnight" && look != "resume") {
        w.hide();
    }
    w.Day()->PrepareForSleep(true);
    Clock::SetTodayForTests(tomorrow);
    QCOMPARE(GetParam(SettingKey::DispDay).AsDate(), chosenDate ? chosen : today);
    if (look == "midnight") {
        w.Day()->Check();
    } else if (look == "resume") {
        w.Day()->PrepareForSleep(false);
    } else if (look == "shown again") {
        w.show();
    } else if (look == "activated") {
        QVERIFY(ShowActive(&w));
    } else if (look == "icon clicked") {
        w.Tray()->SimulateDoubleClick();
    } else {
        w.Tray()->SimulateRightButton(QPoint(40, 40));
        w.mnuTaskTray()->hide();
    }
    QCOMPARE(GetParam(SettingKey::DispDay).AsDate(), chosenDate ? chosen : tomorrow);
    // Redrawn: the chart's tooltip and the caption are there again.
    QCOMPARE(w.findChild<PictureBox*>("picGraph")->toolTip().isEmpty(), chosenDate);
    QCOMPARE(w.windowTitle().isEmpty(), chosenDate);
}

void TestMainWindow::reminder_data()
{
    QTest::addColumn<bool>("trayWindow");
    QTest::addColumn<bool>("reminderOn");
    QTest::addColumn<QStringList>("expected");
    const QStringList both {"今日は要注意日です|C（感）", "今日は要注意日です|C（知）"};
    QTest::newRow("notification area") << true << true << both;
    QTest::newRow("reminder turned off") << true << false << QStringList {};
    QTest::newRow("taskbar window") << false << true << QStringList {};
}

void TestMainWindow::reminder()
{
    QFETCH(bool, trayWindow);
    QFETCH(bool, reminderOn);
    QFETCH(QStringList, expected);
    const Date today = Ymd(2026, 12, 7);
    SetParam(SettingKey::DispDay, today);
    SetParam(SettingKey::Reminder, reminderOn);
    // C's day 14 today (sensitivity), day 15 tomorrow (none), day 16 the day after (intellect).
    ClearDisplayList();
    AddDisplayPerson(QStringLiteral("C"), *today.AddDays(-14));
    std::unique_ptr<frmMainBase> w;
    if (trayWindow) {
        w = std::make_unique<frmMain>();
    } else {
        w = std::make_unique<frmMainTask>();
    }
    QStringList shown;
    auto record = [&w, &shown] {
        shown.clear();
        if (w->Tray()) {
            for (const TrayIcon::Message& m : w->Tray()->Messages()) {
                shown << m.title + QLatin1Char('|') + m.text;
            }
        }
    };
    // At start; then the same day again; then a day without critical days; then the next critical day.
    w->Day()->Check();
    for (int step = 1; step <= 2; ++step) {
        Clock::SetTodayForTests(*today.AddDays(step));
        w->Day()->Check();
        w->Day()->Check();
    }
    record();
    QCOMPARE(shown, expected);
    // The day's reminder was given: the other main window taking over the same day gives none.
    if (trayWindow && reminderOn) {
        frmMain second;
        QVERIFY(second.Tray()->Messages().isEmpty());
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
