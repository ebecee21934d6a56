// The group list dialog, driven headless: its controls, the rows and what is enabled, new / edit / delete /
// recount / select / cancel with the edit dialog run modally from it, and help.
#include <QtTest>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

#include "../FormTestSupport.h"
#include "../PeopleTestSupport.h"
#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "groups/core/basGroup.h"
#include "groups/frmGroupMain.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/Screen.h"

namespace {

void CreateGroups(const QStringList& names)
{
    for (const QString& name : names) {
        basGroup::SetGroup(name, -1, 0, 0);
    }
}

} // namespace

class TestFrmGroupMain : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void tabOrderAndDefaults();
    void emptyTable();
    void rowsAndCounts();
    void deleteAndCreateReusesBit();
    void newGroupCancelled();
    void editGroup();
    void deleteGroup_data();
    void deleteGroup();
    void deleteQuestionNo();
    void fullTable();
    void recount_data();
    void recount();
    void cancelAfterDeleteReportsUpdate();
    void selectGroup();
    void registeredWhileOpen();
    void help();

private:
    template<typename T>
    static T* Find(QWidget& form, const char* name)
    {
        T* w = form.findChild<T*>(QLatin1String(name));
        if (!w) {
            qFatal("no control %s", name);
        }
        return w;
    }
    static QListWidget* List(QWidget& form) { return Find<QListWidget>(form, "lstGroup"); }
    static QPushButton* Button(QWidget& form, const char* name) { return Find<QPushButton>(form, name); }
};

void TestFrmGroupMain::init()
{
    ResetAllState();
    basGroup::ResetForTests();
    basParam::SetParam(SettingKey::BirthYear, true);
}

void TestFrmGroupMain::cleanup()
{
    MsgBox::SetAnswerer(nullptr);
    basGroup::ResetForTests();
    ResetAllState();
}

void TestFrmGroupMain::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("lstGroup") << "lstGroup"
                              << "" << QRect(120, 120, 3615, 2400);
    QTest::newRow("cmdNewGroup") << "cmdNewGroup"
                                 << "新規(&N)..." << QRect(3960, 240, 1095, 375);
    QTest::newRow("cmdEdit") << "cmdEdit"
                             << "編集(&E)..." << QRect(3960, 720, 1095, 375);
    QTest::newRow("cmdDelete") << "cmdDelete"
                               << "削除(&D)" << QRect(3960, 1200, 1095, 375);
    QTest::newRow("cmdRenewal") << "cmdRenewal"
                                << "更新(&R)" << QRect(3960, 1800, 1095, 375);
    QTest::newRow("cmdSelect") << "cmdSelect"
                               << "選択(&S)" << QRect(1320, 2760, 1095, 375);
    QTest::newRow("cmdCancel") << "cmdCancel"
                               << "中止(&C)" << QRect(2640, 2760, 1095, 375);
    QTest::newRow("cmdHelp") << "cmdHelp"
                             << "ヘルプ(&H)..." << QRect(3960, 2760, 1095, 375);
}

void TestFrmGroupMain::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    TestPeople people;
    frmGroupMain form(people);
    QCOMPARE(form.windowTitle(), QStringLiteral("グループ一覧"));
    QWidget* w = form.findChild<QWidget*>(name);
    QVERIFY(w);
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        QCOMPARE(button->text(), caption);
    }
    const QString mismatch = DesignMismatch(w, twips);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QCOMPARE(form.size(), Forms::Size(5190, 3255));
    QVERIFY(form.rect().contains(w->geometry()));
    QCOMPARE(form.font().pointSize(), 9);
}

void TestFrmGroupMain::tabOrderAndDefaults()
{
    CreateGroups({"A"});
    TestPeople people;
    QWidget owner;
    frmGroupMain form(people, &owner);
    QCOMPARE(form.windowModality(), Qt::WindowModal);
    const QStringList expected {
        "lstGroup", "cmdNewGroup", "cmdEdit", "cmdDelete", "cmdRenewal", "cmdSelect", "cmdCancel", "cmdHelp"};
    QStringList order;
    QWidget* w = List(form);
    for (int i = 0; i < 50 && order.size() < expected.size(); ++i) {
        if (expected.contains(w->objectName()) && !order.contains(w->objectName())) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    }
    QCOMPARE(order, expected);
    owner.show();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), List(form));
    QVERIFY(Button(form, "cmdSelect")->isDefault());
    // Enter selects.
    QTest::keyClick(List(form), Qt::Key_Return);
    QVERIFY(form.kigIsSelect());
    QVERIFY(!form.isVisible());
}

void TestFrmGroupMain::emptyTable()
{
    TestPeople people;
    people.Add("a", 0);
    frmGroupMain form(people);
    QCOMPARE(List(form)->count(), 0);
    for (const char* name : {"lstGroup", "cmdSelect", "cmdDelete", "cmdRenewal"}) {
        QVERIFY2(!Find<QWidget>(form, name)->isEnabled(), name);
    }
    for (const char* name : {"cmdNewGroup", "cmdEdit", "cmdCancel", "cmdHelp"}) {
        QVERIFY2(Find<QWidget>(form, name)->isEnabled(), name);
    }
    // Edit with nothing selected opens nothing.
    ScriptedMessages messages;
    Button(form, "cmdEdit")->click();
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(messages.Shown().isEmpty());
    QVERIFY(!form.kigIsUpdate());
}

void TestFrmGroupMain::rowsAndCounts()
{
    // The stored counts are shown as they are, right or not; free records leave no row.
    CreateGroups({"家族", "B", "友人"});
    basGroup::SetGroup("家族", 0, 3, 1);
    basGroup::AddGroupMask(-2);
    basGroup::SetGroup("", 1, 0, 0);
    basGroup::SetGroup("友人", 2, 7, 4);
    TestPeople people;
    people.Add("a", 1);
    frmGroupMain form(people);
    QCOMPARE(RowTexts(List(form)), QStringList({"家族 (3)", "友人 (7)"}));
    QCOMPARE(List(form)->currentRow(), 0);
    QVERIFY(List(form)->item(0)->isSelected());
    for (const char* name : {"lstGroup", "cmdSelect", "cmdDelete", "cmdRenewal", "cmdNewGroup"}) {
        QVERIFY2(Find<QWidget>(form, name)->isEnabled(), name);
    }
    QVERIFY(!form.kigIsUpdate());
    QVERIFY(!form.kigIsSelect());
}

void TestFrmGroupMain::deleteAndCreateReusesBit()
{
    TestPeople people;
    people.Add("a", 0);
    frmGroupMain form(people);
    for (const char* name : {"A", "B", "C"}) {
        RegisterGroup(name, {false});
        Button(form, "cmdNewGroup")->click();
    }
    QCOMPARE(RowTexts(List(form)), QStringList({"A (0)", "B (0)", "C (0)"}));
    List(form)->setCurrentRow(1);
    ScriptedMessages messages({MsgBox::Answer::Yes});
    Button(form, "cmdDelete")->click();
    QCOMPARE(RowTexts(List(form)), QStringList({"A (0)", "C (0)"}));
    QCOMPARE(List(form)->currentRow(), 0);
    RegisterGroup("D", {true});
    Button(form, "cmdNewGroup")->click();
    QCOMPARE(RowTexts(List(form)), QStringList({"A (0)", "D (1)", "C (0)"}));
    QCOMPARE(List(form)->currentRow(), 1);
    QVERIFY(List(form)->item(1)->isSelected());
    QCOMPARE(GroupAt(1), (GroupRecordView {1, 2, "D"}));
    QCOMPARE(people.Masks(), QList<qint32>({2}));
}

void TestFrmGroupMain::newGroupCancelled()
{
    CreateGroups({"A"});
    TestPeople people;
    people.Add("a", 1);
    frmGroupMain form(people);
    WhenModal("frmGroupEdit", [](QDialog* edit) {
        edit->findChild<QLineEdit*>("txtGroupName")->setText("B");
        edit->findChild<QPushButton*>("cmdCancel")->click();
    });
    Button(form, "cmdNewGroup")->click();
    QVERIFY(!form.kigIsUpdate());
    QCOMPARE(RowTexts(List(form)), QStringList({"A (0)"}));
    QCOMPARE(basGroup::FreeGroupBit(), 2);
}

void TestFrmGroupMain::editGroup()
{
    CreateGroups({"A", "B", "C"});
    basGroup::SetGroup("B", 1, 2, 2);
    TestPeople people;
    people.Add("a", 3);
    people.Add("b", 2);
    people.Add("c", 0);
    frmGroupMain form(people);
    List(form)->setCurrentRow(1);
    QList<bool> shown;
    QString shownName;
    WhenModal("frmGroupEdit", [&shown, &shownName](QDialog* edit) {
        auto* list = edit->findChild<QListWidget*>("lstGroupList");
        shown = RowChecks(list);
        shownName = edit->findChild<QLineEdit*>("txtGroupName")->text();
        edit->findChild<QLineEdit*>("txtGroupName")->setText("B2");
        SetRowChecks(list, {false, true, true});
        edit->findChild<QPushButton*>("cmdEntry")->click();
    });
    Button(form, "cmdEdit")->click();
    QCOMPARE(shownName, QStringLiteral("B"));
    QCOMPARE(shown, QList<bool>({true, true, false}));
    QVERIFY(form.kigIsUpdate());
    QCOMPARE(RowTexts(List(form)), QStringList({"A (0)", "B2 (2)", "C (0)"}));
    QCOMPARE(List(form)->currentRow(), 1);
    QCOMPARE(people.Masks(), QList<qint32>({1, 2, 2}));
}

void TestFrmGroupMain::deleteGroup_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("削除 button") << false;
    QTest::newRow("Delete key") << true;
}

void TestFrmGroupMain::deleteGroup()
{
    QFETCH(bool, byKey);
    CreateGroups({"A", "B", "家族"});
    basGroup::SetGroup("家族", 2, 3, 4);
    TestPeople people;
    for (qint32 mask : {4, 5, 7, 0, 6, 3}) {
        people.Add("p", mask);
    }
    frmGroupMain form(people);
    List(form)->setCurrentRow(2);
    ScriptedMessages messages({MsgBox::Answer::Yes});
    if (byKey) {
        QTest::keyClick(List(form), Qt::Key_Delete);
    } else {
        Button(form, "cmdDelete")->click();
    }
    QCOMPARE(messages.Shown().size(), 1);
    const MsgBox::Shown& question = messages.Shown().first();
    QCOMPARE(question.text, QStringLiteral("グループ『家族 (3)』を削除します。\r\nよろしいですか？"));
    QCOMPARE(question.title, QStringLiteral("削除確認"));
    QCOMPARE(question.icon, MsgBox::Icon::Question);
    QCOMPARE(question.buttons, MsgBox::Buttons::YesNo);
    QCOMPARE(question.defaultButton, MsgBox::Answer::No);
    QCOMPARE(people.Masks(), QList<qint32>({0, 1, 3, 0, 2, 3}));
    QCOMPARE(basGroup::GroupMask(), 3);
    QCOMPARE(GroupAt(2), GroupRecordView());
    QCOMPARE(RowTexts(List(form)), QStringList({"A (0)", "B (0)"}));
    QCOMPARE(List(form)->currentRow(), 0);
    QVERIFY(form.kigIsUpdate());
}

void TestFrmGroupMain::deleteQuestionNo()
{
    CreateGroups({"A", "B"});
    // A table from a damaged file: B's bit is missing from the in-use mask.
    basGroup::AddGroupMask(-2);
    TestPeople people;
    people.Add("a", 3);
    frmGroupMain form(people);
    List(form)->setCurrentRow(1);
    {
        ScriptedMessages messages({MsgBox::Answer::No});
        Button(form, "cmdDelete")->click();
        QCOMPARE(messages.Shown().size(), 1);
    }
    QVERIFY(!form.kigIsUpdate());
    QCOMPARE(RowTexts(List(form)), QStringList({"A (0)", "B (0)"}));
    QCOMPARE(people.Masks(), QList<qint32>({3}));
    // Deleting it still frees B and leaves A's bit alone in the mask.
    ScriptedMessages messages({MsgBox::Answer::Yes});
    Button(form, "cmdDelete")->click();
    QCOMPARE(basGroup::GroupMask(), 1);
    QCOMPARE(people.Masks(), QList<qint32>({1}));
}

void TestFrmGroupMain::fullTable()
{
    for (int k = 0; k < basGroup::MaxGroups; ++k) {
        basGroup::SetGroup(QStringLiteral("G%1").arg(k), -1, 0, 0);
    }
    TestPeople people;
    people.Add("a", 32 | 1);
    frmGroupMain form(people);
    QCOMPARE(List(form)->count(), 30);
    QVERIFY(!Button(form, "cmdNewGroup")->isEnabled());
    List(form)->setCurrentRow(5);
    ScriptedMessages messages({MsgBox::Answer::Yes});
    Button(form, "cmdDelete")->click();
    QVERIFY(Button(form, "cmdNewGroup")->isEnabled());
    QCOMPARE(people.Masks(), QList<qint32>({1}));
    RegisterGroup("新", {true});
    Button(form, "cmdNewGroup")->click();
    QCOMPARE(GroupAt(5), (GroupRecordView {1, 32, "新"}));
    QCOMPARE(List(form)->currentRow(), 5);
    QCOMPARE(List(form)->item(5)->text(), QStringLiteral("新 (1)"));
    QVERIFY(!Button(form, "cmdNewGroup")->isEnabled());
}

void TestFrmGroupMain::recount_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<bool>("update");
    // The people hold A: 2, B: 1, C: 0 members.
    QTest::newRow("all right") << QList<int>({2, 1, 0}) << QStringList({"A (2)", "B (1)", "C (0)"}) << false;
    QTest::newRow("two stale") << QList<int>({5, 1, 3}) << QStringList({"A (2)", "B (1)", "C (0)"}) << true;
}

void TestFrmGroupMain::recount()
{
    QFETCH(QList<int>, stored);
    QFETCH(QStringList, rows);
    QFETCH(bool, update);
    CreateGroups({"A", "B", "C"});
    for (int p = 0; p < 3; ++p) {
        basGroup::SetGroup(QString(QChar('A' + p)), p, stored[p], 1 << p);
    }
    TestPeople people;
    people.Add("a", 3);
    people.Add("b", 1);
    people.Add("c", 8);
    frmGroupMain form(people);
    List(form)->setCurrentRow(2);
    Button(form, "cmdRenewal")->click();
    QCOMPARE(form.kigIsUpdate(), update);
    QCOMPARE(RowTexts(List(form)), rows);
    QCOMPARE(List(form)->currentRow(), 2);
    QCOMPARE(GroupAt(0), (GroupRecordView {2, 1, "A"}));
    QCOMPARE(GroupAt(2), (GroupRecordView {0, 4, "C"}));
    QCOMPARE(people.Masks(), QList<qint32>({3, 1, 8}));
}

void TestFrmGroupMain::cancelAfterDeleteReportsUpdate()
{
    CreateGroups({"A"});
    TestPeople people;
    people.Add("a", 1);
    frmGroupMain form(people);
    form.show();
    {
        ScriptedMessages messages({MsgBox::Answer::Yes});
        Button(form, "cmdDelete")->click();
    }
    Button(form, "cmdCancel")->click();
    QVERIFY(!form.isVisible());
    QVERIFY(form.kigIsUpdate());
    QVERIFY(!form.kigIsSelect());
    QVERIFY(!form.kigShowMe());
    QCOMPARE(people.Masks(), QList<qint32>({0}));
}

void TestFrmGroupMain::selectGroup()
{
    CreateGroups({"A", "B", "C"});
    basGroup::AddGroupMask(-2);
    basGroup::SetGroup("", 1, 0, 0);
    basGroup::SetCurrentGroup(0);
    TestPeople people;
    frmGroupMain form(people);
    form.show();
    List(form)->setCurrentRow(1);
    Button(form, "cmdSelect")->click();
    QVERIFY(!form.isVisible());
    QVERIFY(form.kigIsSelect());
    QVERIFY(!form.kigIsUpdate());
    QCOMPARE(basGroup::CurrentGroup(), 2);
}

void TestFrmGroupMain::registeredWhileOpen()
{
    TestPeople people;
    people.Add("a", 0);
    QVERIFY(!DialogRegistry::ActiveDialog());
    frmGroupMain form(people);
    QVERIFY(form.kigShowMe());
    QCOMPARE(DialogRegistry::ActiveDialog(), &form);
    QString whileEditing;
    WhenModal("frmGroupEdit", [&whileEditing](QDialog* edit) {
        whileEditing = DialogRegistry::ActiveDialog()->objectName();
        QCOMPARE(edit->parentWidget()->objectName(), QStringLiteral("frmGroupMain"));
        QCOMPARE(edit->windowModality(), Qt::WindowModal);
        edit->reject();
    });
    Button(form, "cmdNewGroup")->click();
    QCOMPARE(whileEditing, QStringLiteral("frmGroupEdit"));
    QCOMPARE(DialogRegistry::ActiveDialog(), &form);
    Button(form, "cmdCancel")->click();
    QVERIFY(!DialogRegistry::ActiveDialog());
    QVERIFY(!form.kigShowMe());
}

void TestFrmGroupMain::help()
{
    TempProgramFolder dir;
    basMain::SetHelpFilePath(dir.File("kirvo.hlp"));
    TestPeople people;
    frmGroupMain form(people);
    {
        ScriptedMessages messages;
        Button(form, "cmdHelp")->click();
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
        QVERIFY(messages.Shown().first().text.contains(dir.File("kirvo.hlp")));
    }
    // The viewer opens at this dialog's topic, far down the file.
    dir.Write("kirvo.hlp", HelpFileWithTopic(71));
    ScriptedMessages messages;
    Button(form, "cmdHelp")->click();
    QVERIFY(messages.Shown().isEmpty());
    QTextBrowser* viewer = ShownHelpViewer();
    QVERIFY(viewer);
    QTRY_VERIFY(viewer->verticalScrollBar()->value() > 0);
    viewer->close();
    QVERIFY(form.kigShowMe());
}

QTEST_MAIN(TestFrmGroupMain)
#include "tst_frmgroupmain.moc"
