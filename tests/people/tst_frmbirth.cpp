// The people dialog, driven headless: its controls, adding in eras, deleting, moving with repeat, checking,
// OK with the display list and the file, the closing question, and the number boxes.
#include <QtTest>

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "../FormTestSupport.h"
#include "../PeopleTestSupport.h"
#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "groups/core/basGroup.h"
#include "people/core/basUserInfo.h"
#include "people/frmBirth.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/Screen.h"
#include "platform/core/Clock.h"
#include "platform/core/SafeFile.h"

using basParam::GetParam;
using basParam::SetParam;

namespace {

} // namespace

class TestFrmBirth : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void tabOrderAndFirstFocus();
    void menuEntries();
    void loadFillsListAndBoxes();
    void defaultButtonFollowsFocus();
    void add_data();
    void add();
    void addScrollsNewEntryToTop();
    void eraSwitch();
    void eraSwitchWithEmptyYearBox();
    void deleteIntoBoxes();
    void deleteQuestions_data();
    void deleteQuestions();
    void deleteKey();
    void movesAtTheEnds();
    void moveCarriesCheckMarks();
    void heldButtonRepeats();
    void heldSpaceRepeats();
    void checkAllAndUncheckAll();
    void okAsksAboveMultiNum_data();
    void okAsksAboveMultiNum();
    void okWithNobodyChecked();
    void okFillsDisplayListAndSaves();
    void closingAfterOnlyCheckMarks();
    void closingQuestion_data();
    void closingQuestion();
    void closingSaveGivenUpStaysOpen();
    void retriedSaveKeepsADamagedFileOnce();
    void numberBoxes();
    void groupSelection();
    void sharedRecords();
    void registeredWhileOpen();
    void help();

private:
    template<typename T>
    T* Find(frmBirth& form, const char* name)
    {
        T* w = form.findChild<T*>(QLatin1String(name));
        if (!w) {
            qFatal("no control %s", name);
        }
        return w;
    }
    QListWidget* List(frmBirth& form) { return Find<QListWidget>(form, "lstUserInfo"); }
    void Click(frmBirth& form, const char* button) { Find<QPushButton>(form, button)->click(); }
    static QStringList Entries(QListWidget* list);
    static QList<bool> Checks(QListWidget* list);

    TempProgramFolder* m_dir = nullptr;
};

void TestFrmBirth::init()
{
    ResetAllState();
    basGroup::ResetForTests();
    basParam::SetDefaultEras();
    SetParam(SettingKey::BirthYear, true);
    SetParam(SettingKey::MultiNum, 5);
    Clock::SetTodayForTests(Ymd(2026, 12, 7));
    m_dir = new TempProgramFolder;
}

void TestFrmBirth::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
    basGroup::ResetForTests();
    ResetAllState();
}

QStringList TestFrmBirth::Entries(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

QList<bool> TestFrmBirth::Checks(QListWidget* list)
{
    QList<bool> checks;
    for (int i = 0; i < list->count(); ++i) {
        checks << (list->item(i)->checkState() == Qt::Checked);
    }
    return checks;
}

void TestFrmBirth::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("lblUserName") << "lblUserName"
                                 << "名　前：" << QRect(240, 120, 615, 255);
    QTest::newRow("txtUserName") << "txtUserName"
                                 << "" << QRect(960, 120, 4095, 270);
    QTest::newRow("lblBirth") << "lblBirth"
                              << "誕生日：" << QRect(240, 480, 735, 255);
    QTest::newRow("cmbCalender") << "cmbCalender"
                                 << "" << QRect(960, 480, 975, 300);
    QTest::newRow("txtYear") << "txtYear"
                             << "" << QRect(2160, 480, 735, 270);
    QTest::newRow("lblYear") << "lblYear"
                             << "年" << QRect(3000, 480, 255, 255);
    QTest::newRow("txtMonth") << "txtMonth"
                              << "" << QRect(3360, 480, 495, 270);
    QTest::newRow("lblMonth") << "lblMonth"
                              << "月" << QRect(3960, 480, 255, 255);
    QTest::newRow("txtDay") << "txtDay"
                            << "" << QRect(4320, 480, 495, 270);
    QTest::newRow("lblDay") << "lblDay"
                            << "日" << QRect(4920, 480, 255, 255);
    QTest::newRow("lstUserInfo") << "lstUserInfo"
                                 << "" << QRect(240, 1080, 3375, 2790);
    QTest::newRow("cmdAdd") << "cmdAdd"
                            << "追加(&A)" << QRect(3840, 1080, 1215, 375);
    QTest::newRow("cmdDelete") << "cmdDelete"
                               << "削除(&D)" << QRect(3840, 1440, 1215, 375);
    QTest::newRow("cmdAllChk") << "cmdAllChk"
                               << "全指定(&S)" << QRect(3840, 1920, 1215, 375);
    QTest::newRow("cmdAllUnChk") << "cmdAllUnChk"
                                 << "全解除(&R)" << QRect(3840, 2280, 1215, 375);
    QTest::newRow("cmdUp") << "cmdUp"
                           << "↑" << QRect(3840, 2880, 615, 375);
    QTest::newRow("cmdDown") << "cmdDown"
                             << "↓" << QRect(4440, 2880, 615, 375);
    QTest::newRow("cmdGroup") << "cmdGroup"
                              << "グループ(&G)..." << QRect(3840, 3480, 1215, 375);
    QTest::newRow("cmdOk") << "cmdOk"
                           << "表示(&V)" << QRect(960, 4080, 1215, 375);
    QTest::newRow("cmdCancel") << "cmdCancel"
                               << "中止(&C)" << QRect(2400, 4080, 1215, 375);
    QTest::newRow("cmdHelp") << "cmdHelp"
                             << "ヘルプ(&H)" << QRect(3840, 4080, 1215, 375);
}

void TestFrmBirth::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    frmBirth form(nullptr, m_dir->Path());
    QCOMPARE(form.windowTitle(), QStringLiteral("表示人選択"));
    QWidget* w = form.findChild<QWidget*>(name);
    QVERIFY(w);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        QCOMPARE(label->text(), caption);
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        QCOMPARE(button->text(), caption);
    }
    const QString mismatch = DesignMismatch(w, twips);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    // Every control sits inside the client area of 5250 by 4590 twips.
    QWidget* client = form.findChild<QWidget*>("client");
    QCOMPARE(client->size(), Forms::Size(5250, 4590));
    QVERIFY(client->rect().contains(w->geometry()));
}

void TestFrmBirth::tabOrderAndFirstFocus()
{
    frmBirth form(nullptr, m_dir->Path());
    const QStringList expected {"cmdOk",
                                "cmdCancel",
                                "cmdHelp",
                                "txtUserName",
                                "cmbCalender",
                                "txtYear",
                                "txtMonth",
                                "txtDay",
                                "lstUserInfo",
                                "cmdAdd",
                                "cmdDelete",
                                "cmdAllChk",
                                "cmdAllUnChk",
                                "cmdUp",
                                "cmdDown",
                                "cmdGroup"};
    QStringList order;
    QWidget* w = Find<QWidget>(form, "cmdOk");
    for (int i = 0; i < 200 && order.size() < expected.size(); ++i) {
        if (expected.contains(w->objectName()) && !order.contains(w->objectName())) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    }
    QCOMPARE(order, expected);

    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>(form, "cmdOk"));
    QVERIFY(Find<QPushButton>(form, "cmdOk")->isDefault());
}

void TestFrmBirth::menuEntries()
{
    frmBirth form(nullptr, m_dir->Path());
    QMenuBar* bar = Find<QMenuBar>(form, "menuBar");
    QCOMPARE(bar->actions().size(), 1);
    QCOMPARE(bar->actions().first()->text(), QStringLiteral("ファイル(&F)"));
    auto* exportEntry = Find<QAction>(form, "mnuFileExport");
    auto* importEntry = Find<QAction>(form, "mnuFileImport");
    QCOMPARE(exportEntry->text(), QStringLiteral("エクスポート(&E)..."));
    QCOMPARE(importEntry->text(), QStringLiteral("インポート(&I)..."));
    QVERIFY(exportEntry->isEnabled());
    QVERIFY(importEntry->isEnabled());
}

void TestFrmBirth::loadFillsListAndBoxes()
{
    WritePeople(*m_dir,
                {{"Taro", Ymd(1970, 1, 5), true, 0},
                 {"山田花子", Ymd(1965, 4, 3), false, 0},
                 {"Jiro", Ymd(2001, 12, 3), true, 0}});
    SetParam(SettingKey::Calendar, 4);
    {
        frmBirth form(nullptr, m_dir->Path());
        QVERIFY(form.kioShowMe());
        QVERIFY(!form.kidStatus());
        QCOMPARE(form.kibGetNumUserInfo(), 3);
        QCOMPARE(Entries(List(form)),
                 QStringList({"Taro   (1970/1/5)", "山田花子   (1965/4/3)", "Jiro   (2001/12/3)"}));
        QCOMPARE(Checks(List(form)), QList<bool>({true, false, true}));
        auto* era = Find<QComboBox>(form, "cmbCalender");
        QCOMPARE(era->count(), 6);
        QCOMPARE(era->itemText(0), QStringLiteral("西暦"));
        QCOMPARE(era->currentText(), QStringLiteral("平成"));
        QCOMPARE(form.EraIndex(), 4);
        QCOMPARE(Find<QLineEdit>(form, "txtYear")->text(), QStringLiteral("38"));
        QCOMPARE(Find<QLineEdit>(form, "txtMonth")->text(), QStringLiteral("12"));
        QCOMPARE(Find<QLineEdit>(form, "txtDay")->text(), QStringLiteral("7"));
        QVERIFY(Find<QLineEdit>(form, "txtUserName")->text().isEmpty());
        QVERIFY(!form.IsModified());
    }
    SetParam(SettingKey::BirthYear, false);
    SetParam(SettingKey::Calendar, 0);
    frmBirth form(nullptr, m_dir->Path());
    QCOMPARE(Entries(List(form)), QStringList({"Taro   (1/5)", "山田花子   (4/3)", "Jiro   (12/3)"}));
    QCOMPARE(Find<QLineEdit>(form, "txtYear")->text(), QStringLiteral("2026"));
}

void TestFrmBirth::defaultButtonFollowsFocus()
{
    WritePeople(*m_dir, Named({"a", "b"}));
    frmBirth form(nullptr, m_dir->Path());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* ok = Find<QPushButton>(form, "cmdOk");
    auto* add = Find<QPushButton>(form, "cmdAdd");
    for (const char* box : {"txtUserName", "txtYear", "txtMonth", "txtDay"}) {
        List(form)->setFocus();
        QVERIFY(ok->isDefault());
        auto* edit = Find<QLineEdit>(form, box);
        edit->setText("12");
        edit->setFocus();
        QVERIFY2(add->isDefault(), box);
        QVERIFY(!ok->isDefault());
        QCoreApplication::processEvents();
        QCOMPARE(edit->selectedText(), QStringLiteral("12"));
    }
    // Enter in a box adds.
    Find<QLineEdit>(form, "txtUserName")->setText("new");
    Find<QLineEdit>(form, "txtYear")->setText("1990");
    QTest::keyClick(Find<QLineEdit>(form, "txtUserName"), Qt::Key_Return);
    QCOMPARE(List(form)->count(), 3);
    QVERIFY(form.isVisible());
    // Enter in the list confirms.
    List(form)->setFocus();
    QVERIFY(ok->isDefault());
    ScriptedMessages messages;
    QTest::keyClick(List(form), Qt::Key_Return);
    QVERIFY(form.kidStatus());
    QVERIFY(!form.isVisible());
}

void TestFrmBirth::add_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("era");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<bool>("birthYear");
    QTest::addColumn<QString>("entry"); // empty: nothing added
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("平成 13/12/3") << "Jiro" << 4 << "13"
                                  << "12"
                                  << "3" << true << "Jiro   (2001/12/3)"
                                  << "2001/12/3"
                                  << "";
    QTest::newRow("令和 2/3/4") << "Kid" << 5 << "2"
                                << "3"
                                << "4" << true << "Kid   (2020/3/4)"
                                << "2020/3/4"
                                << "";
    QTest::newRow("without the year") << "Jiro" << 4 << "13"
                                      << "12"
                                      << "3" << false << "Jiro   (12/3)"
                                      << "2001/12/3"
                                      << "";
    QTest::newRow("西暦") << "山田" << 0 << "1970"
                          << "1"
                          << "1" << true << "山田   (1970/1/1)"
                          << "1970/1/1"
                          << "";
    QTest::newRow("昭和 64 is 1989") << "S" << 3 << "64"
                                     << "1"
                                     << "8" << true << "S   (1989/1/8)"
                                     << "1989/1/8"
                                     << "";
    QTest::newRow("negative era year") << "old" << 4 << "-18"
                                       << "5"
                                       << "3" << true << "old   (1970/5/3)"
                                       << "1970/5/3"
                                       << "";
    QTest::newRow("blanks are a name") << " " << 0 << "2000"
                                       << "2"
                                       << "29" << true << "    (2000/2/29)"
                                       << "2000/2/29"
                                       << "";
    QTest::newRow("no such day") << "x" << 0 << "2001"
                                 << "2"
                                 << "30" << true << ""
                                 << ""
                                 << "日付の指定に誤りがあります。";
    QTest::newRow("month 13") << "x" << 0 << "2001"
                              << "13"
                              << "1" << true << ""
                              << ""
                              << "日付の指定に誤りがあります。";
    QTest::newRow("empty year") << "x" << 0 << ""
                                << "1"
                                << "1" << true << ""
                                << ""
                                << "日付の指定に誤りがあります。";
    QTest::newRow("empty day") << "x" << 0 << "2001"
                               << "1"
                               << "" << true << ""
                               << ""
                               << "日付の指定に誤りがあります。";
    QTest::newRow("beyond 9999") << "x" << 4 << "9000"
                                 << "1"
                                 << "1" << true << ""
                                 << ""
                                 << "日付の指定に誤りがあります。";
    QTest::newRow("no name") << "" << 0 << "2001"
                             << "1"
                             << "1" << true << ""
                             << ""
                             << "名前を入力してください。";
    QTest::newRow("no name, no date") << "" << 0 << ""
                                      << ""
                                      << "" << true << ""
                                      << ""
                                      << "名前を入力してください。";
    // Typed through an input method, but not storable in the files: refused before anything is stored.
    QTest::newRow("characters the files cannot keep")
        << QStringLiteral("김𠮷子😀") << 0 << "2001"
        << "1"
        << "1" << true << ""
        << ""
        << QStringLiteral("名前に使えない文字が含まれています：「김𠮷😀」\r\nこの文字はファイルに保存できません。");
}

void TestFrmBirth::add()
{
    QFETCH(QString, name);
    QFETCH(int, era);
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(bool, birthYear);
    QFETCH(QString, entry);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    WritePeople(*m_dir, Named({"first"}));
    SetParam(SettingKey::Calendar, era);
    SetParam(SettingKey::BirthYear, birthYear);
    frmBirth form(nullptr, m_dir->Path());
    Find<QLineEdit>(form, "txtUserName")->setText(name);
    Find<QLineEdit>(form, "txtYear")->setText(year);
    Find<QLineEdit>(form, "txtMonth")->setText(month);
    Find<QLineEdit>(form, "txtDay")->setText(day);
    ScriptedMessages messages;
    Click(form, "cmdAdd");
    if (entry.isEmpty()) {
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown().first().text, message);
        QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
        QCOMPARE(messages.Shown().first().icon, MsgBox::Icon::Critical);
        QCOMPARE(form.kibGetNumUserInfo(), 1);
        QCOMPARE(List(form)->count(), 1);
        QVERIFY(!form.IsModified());
        return;
    }
    QVERIFY(messages.Shown().isEmpty());
    QCOMPARE(Entries(List(form)).last(), entry);
    QCOMPARE(Checks(List(form)), QList<bool>({false, true}));
    QVERIFY(form.IsModified());
    PersonRecord* added = nullptr;
    form.kibGetUserInfo(added, 2);
    QVERIFY(added);
    QCOMPARE(added->kiParamValue("UserName").AsText(), name);
    QCOMPARE(added->kiParamValue("BirthDay").AsDate(), *ParseDate(stored));
    // The boxes keep their content for the next person.
    QCOMPARE(Find<QLineEdit>(form, "txtUserName")->text(), name);
    QCOMPARE(Find<QLineEdit>(form, "txtYear")->text(), year);
}

void TestFrmBirth::addScrollsNewEntryToTop()
{
    QStringList names;
    for (int i = 0; i < 60; ++i) {
        names << QStringLiteral("p%1").arg(i);
    }
    WritePeople(*m_dir, Named(names));
    frmBirth form(nullptr, m_dir->Path());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QListWidget* list = List(form);
    list->scrollToTop();
    QCOMPARE(list->verticalScrollBar()->value(), 0);
    Find<QLineEdit>(form, "txtUserName")->setText("new");
    Click(form, "cmdAdd");
    QCoreApplication::processEvents();
    // The new entry is as near the top as the list can scroll: the last page is shown and it is visible.
    QCOMPARE(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
    QVERIFY(list->verticalScrollBar()->maximum() > 0);
    QVERIFY(list->viewport()->rect().intersects(list->visualItemRect(list->item(60))));
    QVERIFY(!list->viewport()->rect().intersects(list->visualItemRect(list->item(0))));
}

void TestFrmBirth::eraSwitch()
{
    frmBirth form(nullptr, m_dir->Path());
    auto* era = Find<QComboBox>(form, "cmbCalender");
    auto* year = Find<QLineEdit>(form, "txtYear");
    year->setText("2001");
    era->setCurrentIndex(4);
    QCOMPARE(year->text(), QStringLiteral("13"));
    QCOMPARE(form.EraIndex(), 4);
    era->setCurrentIndex(0);
    QCOMPARE(year->text(), QStringLiteral("2001"));
    QCOMPARE(form.EraIndex(), 0);
    year->setText("2019");
    era->setCurrentIndex(4);
    QCOMPARE(year->text(), QStringLiteral("31"));
    era->setCurrentIndex(5);
    QCOMPARE(year->text(), QStringLiteral("1"));
    era->setCurrentIndex(4);
    QCOMPARE(year->text(), QStringLiteral("31"));
}

void TestFrmBirth::eraSwitchWithEmptyYearBox()
{
    WritePeople(*m_dir, Named({"a"}, true));
    frmBirth form(nullptr, m_dir->Path());
    auto* year = Find<QLineEdit>(form, "txtYear");
    year->clear();
    Find<QComboBox>(form, "cmbCalender")->setCurrentIndex(4);
    QCOMPARE(Find<QComboBox>(form, "cmbCalender")->currentText(), QStringLiteral("平成"));
    QCOMPARE(form.EraIndex(), 0);
    QVERIFY(year->text().isEmpty());
    // A year typed now is still read as 西暦, and OK stores 西暦.
    year->setText("1980");
    Find<QLineEdit>(form, "txtMonth")->setText("4");
    Find<QLineEdit>(form, "txtDay")->setText("1");
    Find<QLineEdit>(form, "txtUserName")->setText("b");
    Click(form, "cmdAdd");
    QCOMPARE(Entries(List(form)).last(), QStringLiteral("b   (1980/4/1)"));
    SetParam(SettingKey::Calendar, 2);
    ScriptedMessages messages;
    Click(form, "cmdOk");
    QVERIFY(form.kidStatus());
    QCOMPARE(GetParam(SettingKey::Calendar).AsInt(), 0);
}

void TestFrmBirth::deleteIntoBoxes()
{
    WritePeople(*m_dir, {{"昭和の人", Ymd(1970, 5, 3), true, 0}, {"古い人", Ymd(100, 1, 1), false, 0}});
    SetParam(SettingKey::Calendar, 4);
    frmBirth form(nullptr, m_dir->Path());
    ScriptedMessages messages;
    Click(form, "cmdDelete");
    QVERIFY(messages.Shown().isEmpty());
    QCOMPARE(Entries(List(form)), QStringList {"古い人   (0100/1/1)"});
    QCOMPARE(form.kibGetNumUserInfo(), 1);
    QVERIFY(form.IsModified());
    QCOMPARE(Find<QLineEdit>(form, "txtUserName")->text(), QStringLiteral("昭和の人"));
    QCOMPARE(Find<QLineEdit>(form, "txtYear")->text(), QStringLiteral("-18"));
    QCOMPARE(Find<QLineEdit>(form, "txtMonth")->text(), QStringLiteral("5"));
    QCOMPARE(Find<QLineEdit>(form, "txtDay")->text(), QStringLiteral("3"));
    Click(form, "cmdAdd");
    QCOMPARE(Entries(List(form)).last(), QStringLiteral("昭和の人   (1970/5/3)"));

    // A year far before the era needs more than four characters; the box shows it whole.
    List(form)->item(0)->setCheckState(Qt::Checked);
    List(form)->item(1)->setCheckState(Qt::Unchecked);
    Click(form, "cmdDelete");
    QCOMPARE(Find<QLineEdit>(form, "txtYear")->text(), QStringLiteral("-1888"));
    Click(form, "cmdAdd");
    QCOMPARE(Entries(List(form)).last(), QStringLiteral("古い人   (0100/1/1)"));
    QVERIFY(messages.Shown().isEmpty());
}

void TestFrmBirth::deleteQuestions_data()
{
    QTest::addColumn<QList<bool>>("checked");
    QTest::addColumn<QList<MsgBox::Answer>>("answers");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("shown"); // "question", "error" or ""
    QTest::newRow("one checked") << QList<bool> {false, true, false} << QList<MsgBox::Answer> {}
                                 << QStringList {"a", "c"} << "b"
                                 << "";
    QTest::newRow("two, yes") << QList<bool> {true, false, true} << QList<MsgBox::Answer> {MsgBox::Answer::Yes}
                              << QStringList {"b"} << "a"
                              << "question";
    QTest::newRow("two, no") << QList<bool> {true, false, true} << QList<MsgBox::Answer> {MsgBox::Answer::No}
                             << QStringList {"a", "b", "c"} << ""
                             << "question";
    QTest::newRow("all three, yes") << QList<bool> {true, true, true} << QList<MsgBox::Answer> {MsgBox::Answer::Yes}
                                    << QStringList {} << "a"
                                    << "question";
    QTest::newRow("none") << QList<bool> {false, false, false} << QList<MsgBox::Answer> {MsgBox::Answer::Ok}
                          << QStringList {"a", "b", "c"} << ""
                          << "error";
}

void TestFrmBirth::deleteQuestions()
{
    QFETCH(QList<bool>, checked);
    QFETCH(QList<MsgBox::Answer>, answers);
    QFETCH(QStringList, left);
    QFETCH(QString, boxName);
    QFETCH(QString, shown);
    WritePeople(*m_dir, Named({"a", "b", "c"}));
    frmBirth form(nullptr, m_dir->Path());
    for (int i = 0; i < checked.size(); ++i) {
        List(form)->item(i)->setCheckState(checked[i] ? Qt::Checked : Qt::Unchecked);
    }
    ScriptedMessages messages(answers);
    Click(form, "cmdDelete");
    QCOMPARE(messages.Shown().size(), shown.isEmpty() ? 0 : 1);
    if (shown == "question") {
        const MsgBox::Shown box = messages.Shown().first();
        QCOMPARE(box.text, QStringLiteral("選択されているリスト項目を、すべて削除します。\r\nよろしいですか？"));
        QCOMPARE(box.title, QStringLiteral("一括削除の確認"));
        QCOMPARE(box.buttons, MsgBox::Buttons::YesNo);
        QCOMPARE(box.icon, MsgBox::Icon::Question);
    } else if (shown == "error") {
        QCOMPARE(messages.Shown().first().text, QStringLiteral("リスト項目が選択されていません。"));
        QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
    }
    QStringList names;
    for (int i = 1; i <= form.kibGetNumUserInfo(); ++i) {
        PersonRecord* p = nullptr;
        form.kibGetUserInfo(p, i);
        names << p->kiParamValue("UserName").AsText();
    }
    QCOMPARE(names, left);
    QCOMPARE(List(form)->count(), left.size());
    QCOMPARE(Find<QLineEdit>(form, "txtUserName")->text(), boxName);
    QCOMPARE(form.IsModified(), left.size() != 3);
}

void TestFrmBirth::deleteKey()
{
    WritePeople(*m_dir,
                {{"a", Ymd(1970, 1, 1), true, 0}, {"b", Ymd(1981, 2, 3), false, 0}, {"c", Ymd(1990, 1, 1), true, 0}});
    frmBirth form(nullptr, m_dir->Path());
    QListWidget* list = List(form);
    ScriptedMessages messages;
    // Without a focused entry the key does nothing.
    list->setCurrentRow(-1);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(list->count(), 3);
    QVERIFY(!form.IsModified());
    // The focused entry goes, checked or not, without a question.
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(messages.Shown().isEmpty());
    QCOMPARE(Entries(list), QStringList({"a   (1970/1/1)", "c   (1990/1/1)"}));
    QCOMPARE(Checks(list), QList<bool>({true, true}));
    QCOMPARE(form.kibGetNumUserInfo(), 2);
    QCOMPARE(Find<QLineEdit>(form, "txtUserName")->text(), QStringLiteral("b"));
    QCOMPARE(Find<QLineEdit>(form, "txtYear")->text(), QStringLiteral("1981"));
    QCOMPARE(Find<QLineEdit>(form, "txtMonth")->text(), QStringLiteral("2"));
    QCOMPARE(Find<QLineEdit>(form, "txtDay")->text(), QStringLiteral("3"));
    QVERIFY(form.IsModified());
}

void TestFrmBirth::movesAtTheEnds()
{
    WritePeople(*m_dir, Named({"a", "b", "c"}));
    frmBirth form(nullptr, m_dir->Path());
    QListWidget* list = List(form);
    const QStringList before = Entries(list);
    list->setCurrentRow(0);
    QTest::mousePress(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);
    QTest::mouseRelease(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);
    list->setCurrentRow(2);
    QTest::mousePress(Find<QPushButton>(form, "cmdDown"), Qt::LeftButton);
    QTest::mouseRelease(Find<QPushButton>(form, "cmdDown"), Qt::LeftButton);
    list->setCurrentRow(-1);
    QTest::mousePress(Find<QPushButton>(form, "cmdDown"), Qt::LeftButton);
    QTest::mouseRelease(Find<QPushButton>(form, "cmdDown"), Qt::LeftButton);
    QCOMPARE(Entries(list), before);
    QVERIFY(!form.IsModified());
    // Closing asks nothing: nothing changed.
    ScriptedMessages messages;
    Click(form, "cmdCancel");
    QVERIFY(messages.Shown().isEmpty());
}

void TestFrmBirth::moveCarriesCheckMarks()
{
    WritePeople(*m_dir, Named({"a", "b", "c"}));
    frmBirth form(nullptr, m_dir->Path());
    QListWidget* list = List(form);
    list->item(2)->setCheckState(Qt::Checked);
    list->setCurrentRow(2);
    QTest::mousePress(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);
    QTest::mouseRelease(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);
    QCOMPARE(Entries(list), QStringList({"a   (1970/1/1)", "c   (1970/1/3)", "b   (1970/1/2)"}));
    QCOMPARE(Checks(list), QList<bool>({false, true, false}));
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(form.IsModified());
    PersonRecord* moved = nullptr;
    form.kibGetUserInfo(moved, 2);
    QCOMPARE(moved->kiParamValue("UserName").AsText(), QStringLiteral("c"));
    QCOMPARE(moved->kiParamValue("Selected").AsBool(), true);
}

void TestFrmBirth::heldButtonRepeats()
{
    WritePeople(*m_dir, Named({"a", "b", "c", "d", "e"}));
    frmBirth form(nullptr, m_dir->Path());
    QListWidget* list = List(form);
    auto* down = Find<QPushButton>(form, "cmdDown");
    auto* timer = Find<QTimer>(form, "tmrUpDown");
    auto tick = [timer] {
        QTimerEvent e(timer->timerId());
        QCoreApplication::sendEvent(timer, &e);
    };
    auto positionOfA = [list] { return Entries(list).indexOf(QStringLiteral("a   (1970/1/1)")); };
    list->setCurrentRow(0);
    QVERIFY(!timer->isActive());

    QTest::mousePress(down, Qt::LeftButton);
    QCOMPARE(positionOfA(), 1);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 500);
    tick();
    QCOMPARE(positionOfA(), 2);
    QCOMPARE(timer->interval(), 300);
    tick();
    QCOMPARE(positionOfA(), 3);
    QCOMPARE(timer->interval(), 300);
    tick();
    QCOMPARE(positionOfA(), 4);
    tick();
    QCOMPARE(positionOfA(), 4);
    QCOMPARE(list->currentRow(), 4);
    QTest::mouseRelease(down, Qt::LeftButton);
    QVERIFY(!timer->isActive());
    QCOMPARE(Entries(list),
             QStringList({"b   (1970/1/2)", "c   (1970/1/3)", "d   (1970/1/4)", "e   (1970/1/5)", "a   (1970/1/1)"}));

    // Any mouse button holds it; a second press of a double-click moves again.
    QTest::mousePress(Find<QPushButton>(form, "cmdUp"), Qt::RightButton);
    QCOMPARE(positionOfA(), 3);
    QTest::mouseRelease(Find<QPushButton>(form, "cmdUp"), Qt::RightButton);
    // A double-click arrives as press, release, double-click, release.
    QTest::mouseClick(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);
    QTest::mouseDClick(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);
    QTest::mouseRelease(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);
    QCOMPARE(positionOfA(), 1);
    QVERIFY(!timer->isActive());
}

void TestFrmBirth::heldSpaceRepeats()
{
    WritePeople(*m_dir, Named({"a", "b", "c", "d", "e"}));
    frmBirth form(nullptr, m_dir->Path());
    QListWidget* list = List(form);
    auto* up = Find<QPushButton>(form, "cmdUp");
    auto* timer = Find<QTimer>(form, "tmrUpDown");
    auto positionOfE = [list] { return Entries(list).indexOf(QStringLiteral("e   (1970/1/5)")); };
    auto send = [up](QEvent::Type type, bool autoRepeat) {
        QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), autoRepeat);
        QCoreApplication::sendEvent(up, &e);
    };
    list->setCurrentRow(4);
    send(QEvent::KeyPress, false);
    QCOMPARE(positionOfE(), 3);
    QCOMPARE(timer->interval(), 500);
    // The keyboard's own repeat moves again each time and starts the wait afresh.
    send(QEvent::KeyRelease, true);
    QVERIFY(timer->isActive());
    send(QEvent::KeyPress, true);
    QCOMPARE(positionOfE(), 2);
    QCOMPARE(timer->interval(), 500);
    QTimerEvent e(timer->timerId());
    QCoreApplication::sendEvent(timer, &e);
    QCOMPARE(positionOfE(), 1);
    send(QEvent::KeyRelease, false);
    QVERIFY(!timer->isActive());
    // Other keys on the button move nothing.
    QTest::keyClick(up, Qt::Key_A);
    QCOMPARE(positionOfE(), 1);
}

void TestFrmBirth::checkAllAndUncheckAll()
{
    WritePeople(*m_dir,
                {{"a", Ymd(1970, 1, 1), true, 0}, {"b", Ymd(1970, 1, 2), false, 0}, {"c", Ymd(1970, 1, 3), false, 0}});
    frmBirth form(nullptr, m_dir->Path());
    QListWidget* list = List(form);
    list->setCurrentRow(1);
    Click(form, "cmdAllChk");
    QCOMPARE(Checks(list), QList<bool>({true, true, true}));
    QCOMPARE(list->currentRow(), 1);
    Click(form, "cmdAllUnChk");
    QCOMPARE(Checks(list), QList<bool>({false, false, false}));
    QVERIFY(!form.IsModified());
    QVERIFY(list->updatesEnabled());
    PersonRecord* first = nullptr;
    form.kibGetUserInfo(first, 1);
    QCOMPARE(first->kiParamValue("Selected").AsBool(), true);
}

void TestFrmBirth::okAsksAboveMultiNum_data()
{
    QTest::addColumn<int>("multiNum");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QList<MsgBox::Answer>>("answers");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("5 of MultiNum 5, yes") << 5 << 5 << QList<MsgBox::Answer> {MsgBox::Answer::Yes} << true << true;
    QTest::newRow("5 of MultiNum 5, no") << 5 << 5 << QList<MsgBox::Answer> {MsgBox::Answer::No} << true << false;
    QTest::newRow("4 of MultiNum 5") << 5 << 4 << QList<MsgBox::Answer> {} << false << true;
    QTest::newRow("6 of MultiNum 5") << 5 << 6 << QList<MsgBox::Answer> {MsgBox::Answer::Yes} << true << true;
    QTest::newRow("2 of MultiNum 2") << 2 << 2 << QList<MsgBox::Answer> {MsgBox::Answer::Yes} << true << true;
}

void TestFrmBirth::okAsksAboveMultiNum()
{
    QFETCH(int, multiNum);
    QFETCH(int, checked);
    QFETCH(QList<MsgBox::Answer>, answers);
    QFETCH(bool, asked);
    QFETCH(bool, confirmed);
    WritePeople(*m_dir, Named({"a", "b", "c", "d", "e", "f"}));
    const QByteArray before = m_dir->Read("kirvo.dat");
    SetParam(SettingKey::MultiNum, multiNum);
    basParam::AddDisplayPerson("earlier", Ymd(1960, 1, 1));
    frmBirth form(nullptr, m_dir->Path());
    for (int i = 0; i < checked; ++i) {
        List(form)->item(i)->setCheckState(Qt::Checked);
    }
    ScriptedMessages messages(answers);
    Click(form, "cmdOk");
    QCOMPARE(messages.Shown().size(), asked ? 1 : 0);
    if (asked) {
        const MsgBox::Shown box = messages.Shown().first();
        QCOMPARE(box.text,
                 QStringLiteral("リスト項目が %1個以上選択されています。\r\n"
                                "パソコンの性能によっては、表示に時間がかかるかもしれません。\r\n"
                                "処理を継続しますか？")
                     .arg(multiNum));
        QCOMPARE(box.title, QStringLiteral("確認"));
        QCOMPARE(box.icon, MsgBox::Icon::Exclamation);
        QCOMPARE(box.buttons, MsgBox::Buttons::YesNo);
    }
    QCOMPARE(form.kidStatus(), confirmed);
    QCOMPARE(form.kioShowMe(), !confirmed);
    QCOMPARE(int(basParam::DisplayCount()), confirmed ? checked : 1);
    if (!confirmed) {
        QCOMPARE(basParam::DisplayName(1), QStringLiteral("earlier"));
        QCOMPARE(m_dir->Read("kirvo.dat"), before);
    }
}

void TestFrmBirth::okWithNobodyChecked()
{
    WritePeople(*m_dir, Named({"a"}));
    SetParam(SettingKey::MultiNum, 0);
    frmBirth form(nullptr, m_dir->Path());
    ScriptedMessages messages;
    Click(form, "cmdOk");
    QCOMPARE(messages.Shown().size(), 1);
    QCOMPARE(messages.Shown().first().text, QStringLiteral("リスト項目が選択されていません。"));
    QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
    QVERIFY(!form.kidStatus());
    QVERIFY(form.kioShowMe());
}

void TestFrmBirth::okFillsDisplayListAndSaves()
{
    basGroup::SetGroup("家族", -1, 0, 0);
    WritePeople(*m_dir,
                {{"a", Ymd(1970, 1, 1), true, 1}, {"b", Ymd(1971, 2, 2), true, 0}, {"c", Ymd(1972, 3, 3), false, 1}});
    basGroup::ResetForTests();
    frmBirth form(nullptr, m_dir->Path());
    QCOMPARE(basGroup::GroupMask(), 1); // the group table came in with the people
    QListWidget* list = List(form);
    list->item(1)->setCheckState(Qt::Unchecked);
    list->item(2)->setCheckState(Qt::Checked);
    Find<QComboBox>(form, "cmbCalender")->setCurrentIndex(4);
    Find<QLineEdit>(form, "txtUserName")->setText("新人");
    Find<QLineEdit>(form, "txtYear")->setText("13");
    Find<QLineEdit>(form, "txtMonth")->setText("12");
    Find<QLineEdit>(form, "txtDay")->setText("3");
    Click(form, "cmdAdd");
    list->setCurrentRow(3);
    QTest::mousePress(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);
    QTest::mouseRelease(Find<QPushButton>(form, "cmdUp"), Qt::LeftButton);

    ScriptedMessages messages;
    Click(form, "cmdOk");
    QVERIFY(messages.Shown().isEmpty());
    QVERIFY(form.kidStatus());
    QVERIFY(!form.kioShowMe());
    QVERIFY(!form.IsModified());
    QCOMPARE(form.kibGetNumUserInfo(), 0);
    QCOMPARE(int(basParam::DisplayCount()), 3);
    QCOMPARE(basParam::DisplayName(1), QStringLiteral("a"));
    QCOMPARE(basParam::DisplayName(2), QStringLiteral("新人"));
    QCOMPARE(basParam::DisplayBirthDay(2), Ymd(2001, 12, 3));
    QCOMPARE(basParam::DisplayName(3), QStringLiteral("c"));
    QCOMPARE(GetParam(SettingKey::Calendar).AsInt(), 4);

    const QList<TestPerson> saved = SavedPeople(*m_dir);
    QCOMPARE(saved.size(), 4);
    const QStringList names {saved[0].name, saved[1].name, saved[2].name, saved[3].name};
    QCOMPARE(names, QStringList({"a", "b", "新人", "c"}));
    QCOMPARE(QList<bool>({saved[0].selected, saved[1].selected, saved[2].selected, saved[3].selected}),
             QList<bool>({true, false, true, true}));
    QCOMPARE(QList<int>({saved[0].groups, saved[1].groups, saved[2].groups, saved[3].groups}),
             QList<int>({1, 0, 0, 1}));
    QCOMPARE(m_dir->Read("kirvo.dat").mid(8, 4), QByteArray::fromHex("01000000"));
}

void TestFrmBirth::closingAfterOnlyCheckMarks()
{
    WritePeople(*m_dir, Named({"a", "b"}));
    const QByteArray before = m_dir->Read("kirvo.dat");
    frmBirth form(nullptr, m_dir->Path());
    List(form)->item(0)->setCheckState(Qt::Checked);
    Click(form, "cmdAllChk");
    Click(form, "cmdAllUnChk");
    ScriptedMessages messages;
    Click(form, "cmdCancel");
    QVERIFY(messages.Shown().isEmpty());
    QVERIFY(!form.kioShowMe());
    QVERIFY(!form.kidStatus());
    QCOMPARE(m_dir->Read("kirvo.dat"), before);
}

void TestFrmBirth::closingQuestion_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<MsgBox::Answer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("cancel button, yes") << "cmdCancel" << MsgBox::Answer::Yes << true << true;
    QTest::newRow("cancel button, no") << "cmdCancel" << MsgBox::Answer::No << true << false;
    QTest::newRow("cancel button, cancel") << "cmdCancel" << MsgBox::Answer::Cancel << false << false;
    QTest::newRow("close box, yes") << "close" << MsgBox::Answer::Yes << true << true;
    QTest::newRow("close box, cancel") << "close" << MsgBox::Answer::Cancel << false << false;
    QTest::newRow("Esc, no") << "Esc" << MsgBox::Answer::No << true << false;
}

void TestFrmBirth::closingQuestion()
{
    QFETCH(QString, route);
    QFETCH(MsgBox::Answer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    WritePeople(*m_dir, Named({"a", "b"}));
    const QByteArray before = m_dir->Read("kirvo.dat");
    SetParam(SettingKey::Calendar, 1);
    frmBirth form(nullptr, m_dir->Path());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Find<QLineEdit>(form, "txtYear")->setText("2001");
    Find<QComboBox>(form, "cmbCalender")->setCurrentIndex(4);
    List(form)->setCurrentRow(0);
    QTest::keyClick(List(form), Qt::Key_Delete);
    ScriptedMessages messages({answer});
    if (route == "cmdCancel") {
        Click(form, "cmdCancel");
    } else if (route == "close") {
        form.close();
    } else {
        QTest::keyClick(&form, Qt::Key_Escape);
    }
    QCOMPARE(messages.Shown().size(), 1);
    const MsgBox::Shown box = messages.Shown().first();
    QCOMPARE(box.text, QStringLiteral("変更内容を保存しますか？"));
    QCOMPARE(box.title, QStringLiteral("確認"));
    QCOMPARE(box.buttons, MsgBox::Buttons::YesNoCancel);
    QCOMPARE(box.icon, MsgBox::Icon::Question);
    QCOMPARE(form.isVisible(), !closed);
    QCOMPARE(form.kioShowMe(), !closed);
    QVERIFY(!form.kidStatus());
    QCOMPARE(form.kibGetNumUserInfo(), closed ? 0 : 1);
    QCOMPARE(GetParam(SettingKey::Calendar).AsInt(), saved ? 4 : 1);
    if (saved) {
        QCOMPARE(SavedPeople(*m_dir).size(), 1);
        QCOMPARE(SavedPeople(*m_dir).first().name, QStringLiteral("b"));
    } else {
        QCOMPARE(m_dir->Read("kirvo.dat"), before);
    }
}

void TestFrmBirth::retriedSaveKeepsADamagedFileOnce()
{
    // The damaged file is kept before the first save over it; a write that fails and is retried does not
    // keep it a second time.
    WritePeople(*m_dir, Named({"a", "b"}));
    const QByteArray damaged = m_dir->Read("kirvo.dat").chopped(3);
    m_dir->Write("kirvo.dat", damaged);
    ScriptedMessages messages({MsgBox::Answer::Ok, MsgBox::Answer::Yes, MsgBox::Answer::Retry});
    frmBirth form(nullptr, m_dir->Path());
    QCOMPARE(form.kibGetNumUserInfo(), 1);
    List(form)->setCurrentRow(0);
    QTest::keyClick(List(form), Qt::Key_Delete);
    int writes = 0;
    SafeFile::SetFaultForTests([&](SafeFile::Step s) { return s == SafeFile::Step::Write && writes++ == 1; });
    Click(form, "cmdCancel");
    QCOMPARE(messages.Shown().size(), 3);
    QCOMPARE(messages.Shown()[2].text,
             QStringLiteral("ユーザー情報ファイルの書き込みに失敗しました。\r\n") + m_dir->File("kirvo.dat"));
    QCOMPARE(messages.Shown()[2].buttons, MsgBox::Buttons::RetryCancel);
    QCOMPARE(m_dir->Read("kirvo.dat.bak"), damaged);
    QVERIFY(!QFile::exists(m_dir->File("kirvo.dat.bak.2")));
    QCOMPARE(m_dir->Read("kirvo.dat"), basUserInfo::PeopleFileBytes(PeopleList()));
}

void TestFrmBirth::closingSaveGivenUpStaysOpen()
{
    WritePeople(*m_dir, Named({"a", "b"}));
    const QByteArray before = m_dir->Read("kirvo.dat");
    frmBirth form(nullptr, m_dir->Path());
    List(form)->setCurrentRow(0);
    QTest::keyClick(List(form), Qt::Key_Delete);
    SafeFile::SetFaultForTests([](SafeFile::Step s) { return s == SafeFile::Step::Write; });
    {
        ScriptedMessages messages({MsgBox::Answer::Yes, MsgBox::Answer::Cancel});
        Click(form, "cmdCancel");
        QCOMPARE(messages.Shown().size(), 2);
        QCOMPARE(messages.Shown()[1].buttons, MsgBox::Buttons::RetryCancel);
        QVERIFY(form.kioShowMe());
        QCOMPARE(form.kibGetNumUserInfo(), 1);
        QVERIFY(form.IsModified());
        QCOMPARE(m_dir->Read("kirvo.dat"), before);
    }
    ScriptedMessages messages({MsgBox::Answer::No});
    Click(form, "cmdCancel");
    QVERIFY(!form.kioShowMe());
    QCOMPARE(m_dir->Read("kirvo.dat"), before);
}

void TestFrmBirth::numberBoxes()
{
    frmBirth form(nullptr, m_dir->Path());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* month = Find<QLineEdit>(form, "txtMonth");
    auto* year = Find<QLineEdit>(form, "txtYear");
    month->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(month->selectedText(), QStringLiteral("12")); // today's month, selected on entry
    QTest::keyClicks(month, "a");
    QCOMPARE(month->text(), QStringLiteral("12"));
    QTest::keyClicks(month, "1");
    QCOMPARE(month->text(), QStringLiteral("1"));
    QTest::keyClicks(month, "x-. 2");
    QCOMPARE(month->text(), QStringLiteral("12"));
    QTest::keyClicks(month, "3"); // two characters at most
    QCOMPARE(month->text(), QStringLiteral("12"));
    QTest::keyClick(month, Qt::Key_Backspace);
    QCOMPARE(month->text(), QStringLiteral("1"));
    Commit(month, QStringLiteral("１"));
    Commit(month, QStringLiteral("月"));
    QCOMPARE(month->text(), QStringLiteral("1"));
    Commit(month, QStringLiteral("0"));
    QCOMPARE(month->text(), QStringLiteral("10"));

    QApplication::clipboard()->setText(QStringLiteral("ab"));
    year->setFocus();
    year->clear();
    QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(year->text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("1999"));
    QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(year->text(), QStringLiteral("1999"));
    QTest::keyClicks(year, "9");
    QCOMPARE(year->text(), QStringLiteral("1999"));
    // The name box takes anything.
    auto* name = Find<QLineEdit>(form, "txtUserName");
    name->setFocus();
    QTest::keyClicks(name, "ab1-");
    Commit(name, QStringLiteral("山田"));
    QCOMPARE(name->text(), QStringLiteral("ab1-山田"));
}

void TestFrmBirth::groupSelection()
{
    basGroup::SetGroup("家族", -1, 0, 0);
    basGroup::SetGroup("友人", -1, 0, 0);
    WritePeople(*m_dir,
                {{"a", Ymd(1970, 1, 1), true, 1},
                 {"b", Ymd(1970, 1, 2), false, 2},
                 {"c", Ymd(1970, 1, 3), false, 3},
                 {"d", Ymd(1970, 1, 4), true, 0}});
    frmBirth form(nullptr, m_dir->Path());
    basGroup::SetCurrentGroup(1);
    form.ApplyGroupListResult(false, true);
    QCOMPARE(Checks(List(form)), QList<bool>({false, true, true, false}));
    QList<bool> selected;
    for (int i = 1; i <= 4; ++i) {
        PersonRecord* p = nullptr;
        form.kibGetUserInfo(p, i);
        selected << p->kiParamValue("Selected").AsBool();
    }
    QCOMPARE(selected, QList<bool>({false, true, true, false}));
    QVERIFY(!form.IsModified());
    form.ApplyGroupListResult(true, false);
    QVERIFY(form.IsModified());
    QCOMPARE(Checks(List(form)), QList<bool>({false, true, true, false}));
    // A group that has been freed selects nobody.
    basGroup::SetCurrentGroup(5);
    form.ApplyGroupListResult(false, true);
    QCOMPARE(Checks(List(form)), QList<bool>({false, false, false, false}));
}

void TestFrmBirth::sharedRecords()
{
    WritePeople(*m_dir, Named({"a", "b"}, true));
    frmBirth form(nullptr, m_dir->Path());
    cUserName stale;
    PersonRecord* p = &stale;
    form.kibGetUserInfo(p, 0);
    QVERIFY(!p);
    form.kibGetUserInfo(p, 3);
    QVERIFY(!p);
    form.kibGetUserInfo(p, 2);
    QVERIFY(p);
    p->kiParamValue("MyGroupId", ParamValue::FromInt32(8));
    PersonRecord* again = nullptr;
    form.kibGetUserInfo(again, 2);
    QCOMPARE(again, p);
    ScriptedMessages messages;
    Click(form, "cmdOk");
    QCOMPARE(SavedPeople(*m_dir)[1].groups, 8);
}

void TestFrmBirth::registeredWhileOpen()
{
    QVERIFY(!DialogRegistry::ActiveDialog());
    {
        frmBirth form(nullptr, m_dir->Path());
        QCOMPARE(DialogRegistry::ActiveDialog(), &form);
        Click(form, "cmdCancel");
        QVERIFY(!DialogRegistry::ActiveDialog());
    }
    {
        // Destroyed without closing (its owner went first): the registry forgets it too.
        auto* form = new frmBirth(nullptr, m_dir->Path());
        QCOMPARE(DialogRegistry::ActiveDialog(), form);
        delete form;
        QVERIFY(!DialogRegistry::ActiveDialog());
    }
    // The modal run returns the status and leaves nothing behind.
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            w->findChild<QPushButton*>("cmdCancel")->click();
        }
    });
    QVERIFY(!RunPeopleDialog(nullptr));
    QVERIFY(!DialogRegistry::ActiveDialog());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestFrmBirth::help()
{
    basMain::SetHelpFilePath(m_dir->File("kirvo.hlp"));
    frmBirth form(nullptr, m_dir->Path());
    {
        ScriptedMessages messages;
        Click(form, "cmdHelp");
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
        QVERIFY(messages.Shown().first().text.contains(m_dir->File("kirvo.hlp")));
    }
    m_dir->Write("kirvo.hlp", "<html><body><a name=\"topic13\"></a><h1>表示人選択</h1></body></html>");
    ScriptedMessages messages;
    Click(form, "cmdHelp");
    QVERIFY(messages.Shown().isEmpty());
    QWidget* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("helpViewer") && w->isVisible()) {
            viewer = w;
        }
    }
    QVERIFY(viewer);
    viewer->close();
    QVERIFY(form.kioShowMe());
}

QTEST_MAIN(TestFrmBirth)
#include "tst_frmbirth.moc"
