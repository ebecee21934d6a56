// The group edit dialog, driven headless: its controls, the member rows, registering a new or an existing
// group with the membership arithmetic, the refused empty name, cancelling, the name box and help.
#include <QtTest>

#include <QLabel>
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
#include "groups/frmGroupEdit.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/Screen.h"

using basParam::SetParam;

class TestFrmGroupEdit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void tabOrderAndFocus();
    void rowTexts_data();
    void rowTexts();
    void newGroupTakesLowestFreeBit();
    void membership_data();
    void membership();
    void emptyNameRefused();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void nameBox();
    void longStoredNameKept();
    void nothingToWrite();
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
    static QListWidget* List(QWidget& form) { return Find<QListWidget>(form, "lstGroupList"); }
    static void Click(QWidget& form, const char* button) { Find<QPushButton>(form, button)->click(); }
};

void TestFrmGroupEdit::init()
{
    ResetAllState();
    basGroup::ResetForTests();
    SetParam(SettingKey::BirthYear, true);
}

void TestFrmGroupEdit::cleanup()
{
    MsgBox::SetAnswerer(nullptr);
    basGroup::ResetForTests();
    ResetAllState();
}

void TestFrmGroupEdit::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("lblGroupName") << "lblGroupName"
                                  << "グループ名：" << QRect(120, 120, 975, 255);
    QTest::newRow("txtGroupName") << "txtGroupName"
                                  << "" << QRect(1080, 120, 3255, 270);
    QTest::newRow("lstGroupList") << "lstGroupList"
                                  << "" << QRect(120, 600, 4215, 1950);
    QTest::newRow("cmdEntry") << "cmdEntry"
                              << "登録(&E)" << QRect(600, 2760, 1095, 375);
    QTest::newRow("cmdCancel") << "cmdCancel"
                               << "中止(&C)" << QRect(1920, 2760, 1095, 375);
    QTest::newRow("cmdHelp") << "cmdHelp"
                             << "ヘルプ(&H)..." << QRect(3240, 2760, 1095, 375);
}

void TestFrmGroupEdit::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    TestPeople people;
    frmGroupEdit form(people);
    QCOMPARE(form.windowTitle(), QStringLiteral("グループ編集"));
    QWidget* w = form.findChild<QWidget*>(name);
    QVERIFY(w);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        QCOMPARE(label->text(), caption);
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        QCOMPARE(button->text(), caption);
    }
    const QString mismatch = DesignMismatch(w, twips);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QCOMPARE(form.size(), Forms::Size(4455, 3210));
    QVERIFY(form.rect().contains(w->geometry()));
    QCOMPARE(form.font().pointSize(), 9);
}

void TestFrmGroupEdit::tabOrderAndFocus()
{
    TestPeople people;
    people.Add("a", 0);
    QWidget owner;
    frmGroupEdit form(people, &owner);
    QCOMPARE(form.windowModality(), Qt::WindowModal);
    const QStringList expected {"txtGroupName", "lstGroupList", "cmdEntry", "cmdCancel", "cmdHelp"};
    QStringList order;
    QWidget* w = Find<QWidget>(form, "txtGroupName");
    for (int i = 0; i < 50 && order.size() < expected.size(); ++i) {
        if (expected.contains(w->objectName()) && !order.contains(w->objectName())) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    }
    QCOMPARE(order, expected);
    QVERIFY(Find<QPushButton>(form, "cmdEntry")->isDefault());
    owner.show();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>(form, "txtGroupName"));
}

void TestFrmGroupEdit::rowTexts_data()
{
    QTest::addColumn<bool>("birthYear");
    QTest::addColumn<int>("era");
    QTest::addColumn<QString>("row");
    QTest::newRow("with year") << true << 0 << QStringLiteral("山田   (1970/5/3)");
    QTest::newRow("without year") << false << 0 << QStringLiteral("山田   (5/3)");
    // The era chosen for the people dialog plays no part here.
    QTest::newRow("era chosen") << true << 3 << QStringLiteral("山田   (1970/5/3)");
}

void TestFrmGroupEdit::rowTexts()
{
    QFETCH(bool, birthYear);
    QFETCH(int, era);
    QFETCH(QString, row);
    basParam::SetDefaultEras();
    SetParam(SettingKey::BirthYear, birthYear);
    SetParam(SettingKey::Calendar, era);
    TestPeople people;
    people.Add("山田", 0, Date::FromYmd(1970, 5, 3));
    people.Add("", 0, Date::FromYmd(2001, 12, 31));
    frmGroupEdit form(people);
    QCOMPARE(RowTexts(List(form)),
             QStringList({row, birthYear ? QStringLiteral("   (2001/12/31)") : QStringLiteral("   (12/31)")}));
}

void TestFrmGroupEdit::newGroupTakesLowestFreeBit()
{
    // A and C are in use, B's bit 2 was freed.
    basGroup::SetGroup("A", -1, 0, 0);
    basGroup::SetGroup("B", -1, 0, 0);
    basGroup::SetGroup("C", -1, 0, 0);
    basGroup::AddGroupMask(-2);
    basGroup::SetGroup("", 1, 0, 0);
    TestPeople people;
    for (qint32 mask : {1, 4, 5, 0, 1}) {
        people.Add(QStringLiteral("p%1").arg(people.kibGetNumUserInfo() + 1), mask);
    }
    basGroup::SetCurrentGroup(1);
    frmGroupEdit form(people);
    form.kigDispKind(frmGroupEdit::NewGroup);
    QVERIFY(Find<QLineEdit>(form, "txtGroupName")->text().isEmpty());
    QCOMPARE(RowChecks(List(form)), QList<bool>({false, false, false, false, false}));
    Commit(Find<QLineEdit>(form, "txtGroupName"), QStringLiteral("家族"));
    SetRowChecks(List(form), {false, true, false, true, false});
    ScriptedMessages messages;
    Click(form, "cmdEntry");
    QVERIFY(messages.Shown().isEmpty());
    QVERIFY(form.kigIsUpdate());
    QVERIFY(!form.kigShowMe());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(GroupAt(1), (GroupRecordView {2, 2, QStringLiteral("家族")}));
    QCOMPARE(basGroup::CurrentGroup(), 1);
    QCOMPARE(basGroup::GroupMask(), 7);
    QCOMPARE(people.Masks(), QList<qint32>({1, 6, 5, 2, 1}));
    QCOMPARE(GroupAt(0), (GroupRecordView {0, 1, "A"}));
    QCOMPARE(GroupAt(2), (GroupRecordView {0, 4, "C"}));
}

void TestFrmGroupEdit::membership_data()
{
    // The current group is the one with bit 4 at position 2, stored with the count "stored".
    QTest::addColumn<QList<qint32>>("masks");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QList<bool>>("loaded");
    QTest::addColumn<QList<bool>>("checks");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<qint32>>("after");
    QTest::addColumn<int>("count");
    QTest::newRow("uncheck one member") << QList<qint32>({5, 4, 1, 6}) << 3 << QList<bool>({true, true, false, true})
                                        << QList<bool>({true, false, false, true}) << "C" << QList<qint32>({5, 0, 1, 6})
                                        << 2;
    QTest::newRow("member of other groups joins and leaves")
        << QList<qint32>({7, 3, 0}) << 1 << QList<bool>({true, false, false}) << QList<bool>({false, true, true}) << "C"
        << QList<qint32>({3, 7, 4}) << 2;
    QTest::newRow("rename only") << QList<qint32>({4, 1}) << 1 << QList<bool>({true, false})
                                 << QList<bool>({true, false}) << "親戚" << QList<qint32>({4, 1}) << 1;
    // A stale count from the file is replaced by the true one.
    QTest::newRow("stale count") << QList<qint32>({4, 4, 4}) << 9 << QList<bool>({true, true, true})
                                 << QList<bool>({true, true, true}) << "C" << QList<qint32>({4, 4, 4}) << 3;
    // The highest group bit and a mask using bit 31 are kept apart from this group's bit.
    QTest::newRow("high bits") << QList<qint32>({qint32(0x80000000) | (1 << 29), 4}) << 1 << QList<bool>({false, true})
                               << QList<bool>({true, false}) << "C"
                               << QList<qint32>({qint32(0x80000000) | (1 << 29) | 4, 0}) << 1;
}

void TestFrmGroupEdit::membership()
{
    QFETCH(QList<qint32>, masks);
    QFETCH(int, stored);
    QFETCH(QList<bool>, loaded);
    QFETCH(QList<bool>, checks);
    QFETCH(QString, name);
    QFETCH(QList<qint32>, after);
    QFETCH(int, count);
    basGroup::SetGroup("A", -1, 0, 0);
    basGroup::SetGroup("B", -1, 0, 0);
    basGroup::SetGroup("C", -1, 0, 0);
    basGroup::SetGroup("C", 2, stored, 4);
    TestPeople people;
    for (qint32 mask : masks) {
        people.Add("p", mask);
    }
    basGroup::SetCurrentGroup(2);
    frmGroupEdit form(people);
    form.kigDispKind(frmGroupEdit::CurrentGroup);
    QCOMPARE(Find<QLineEdit>(form, "txtGroupName")->text(), QStringLiteral("C"));
    QCOMPARE(RowChecks(List(form)), loaded);
    SetRowChecks(List(form), checks);
    Find<QLineEdit>(form, "txtGroupName")->setText(name);
    Click(form, "cmdEntry");
    QVERIFY(form.kigIsUpdate());
    QCOMPARE(people.Masks(), after);
    QCOMPARE(GroupAt(2), (GroupRecordView {count, 4, name}));
    QCOMPARE(basGroup::GroupMask(), 7);
    QCOMPARE(basGroup::FreeGroupBit(), 8);
}

void TestFrmGroupEdit::emptyNameRefused()
{
    TestPeople people;
    people.Add("a", 0);
    people.Add("b", 0);
    frmGroupEdit form(people);
    form.kigDispKind(frmGroupEdit::NewGroup);
    SetRowChecks(List(form), {true, false});
    {
        ScriptedMessages messages;
        Click(form, "cmdEntry");
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown().first().text, QStringLiteral("グループ名を入力してください。"));
        QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
        QCOMPARE(messages.Shown().first().icon, MsgBox::Icon::Critical);
    }
    QVERIFY(!form.kigIsUpdate());
    QVERIFY(form.kigShowMe());
    QCOMPARE(basGroup::GroupMask(), 0);
    QCOMPARE(people.Masks(), QList<qint32>({0, 0}));
    QCOMPARE(RowChecks(List(form)), QList<bool>({true, false}));
    // A name the people file cannot keep is refused the same way.
    Find<QLineEdit>(form, "txtGroupName")->setText(QStringLiteral("家族😀"));
    {
        ScriptedMessages messages;
        Click(form, "cmdEntry");
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown().first().text,
                 QStringLiteral("名前に使えない文字が含まれています：「😀」\r\nこの文字はファイルに保存できません。"));
    }
    QVERIFY(!form.kigIsUpdate());
    QCOMPARE(basGroup::GroupMask(), 0);
    // Blanks are a name.
    Find<QLineEdit>(form, "txtGroupName")->setText("  ");
    ScriptedMessages messages;
    Click(form, "cmdEntry");
    QVERIFY(messages.Shown().isEmpty());
    QVERIFY(form.kigIsUpdate());
    QCOMPARE(GroupAt(0), (GroupRecordView {1, 1, "  "}));
    QCOMPARE(people.Masks(), QList<qint32>({1, 0}));
}

void TestFrmGroupEdit::cancelWritesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("中止") << "button";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("close box") << "close";
}

void TestFrmGroupEdit::cancelWritesNothing()
{
    QFETCH(QString, how);
    basGroup::SetGroup("A", -1, 1, 0);
    TestPeople people;
    people.Add("a", 1);
    people.Add("b", 0);
    basGroup::SetCurrentGroup(1);
    QVERIFY(!DialogRegistry::ActiveDialog());
    frmGroupEdit form(people);
    form.kigDispKind(frmGroupEdit::NewGroup);
    QCOMPARE(DialogRegistry::ActiveDialog(), &form);
    QVERIFY(form.kigShowMe());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Find<QLineEdit>(form, "txtGroupName")->setText("B");
    SetRowChecks(List(form), {true, true});
    if (how == "button") {
        Click(form, "cmdCancel");
    } else if (how == "escape") {
        QTest::keyClick(&form, Qt::Key_Escape);
    } else {
        form.close();
    }
    QVERIFY(!form.isVisible());
    QVERIFY(!form.kigIsUpdate());
    QVERIFY(!form.kigShowMe());
    QVERIFY(!DialogRegistry::ActiveDialog());
    QCOMPARE(basGroup::GroupMask(), 1);
    QCOMPARE(basGroup::FreeGroupBit(), 2);
    QCOMPARE(GroupAt(1), GroupRecordView());
    QCOMPARE(people.Masks(), QList<qint32>({1, 0}));
}

void TestFrmGroupEdit::nameBox()
{
    TestPeople people;
    basGroup::SetGroup("家族", -1, 0, 0);
    frmGroupEdit form(people);
    form.kigDispKind(frmGroupEdit::CurrentGroup);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* name = Find<QLineEdit>(form, "txtGroupName");
    // Entering the box by the mouse or the keyboard selects the whole name.
    Find<QPushButton>(form, "cmdHelp")->setFocus();
    QTest::mouseClick(name, Qt::LeftButton, Qt::NoModifier, QPoint(2, name->height() / 2));
    QTRY_COMPARE(name->selectedText(), QStringLiteral("家族"));
    Find<QPushButton>(form, "cmdHelp")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), name);
    QTRY_COMPARE(name->selectedText(), QStringLiteral("家族"));
    // At most 20 characters, typed or committed by the input method.
    name->clear();
    QTest::keyClicks(name, "abcdefghijklmnopqrstuvwxyz");
    QCOMPARE(name->text(), QStringLiteral("abcdefghijklmnopqrst"));
    name->clear();
    Commit(name, QString(25, QChar(0x5BB6)));
    QCOMPARE(name->text(), QString(20, QChar(0x5BB6)));
}

void TestFrmGroupEdit::longStoredNameKept()
{
    // A name longer than can be typed, from a people file written elsewhere, survives registering the members.
    const QString longName(30, QLatin1Char('x'));
    basGroup::SetGroup(longName, -1, 0, 0);
    TestPeople people;
    people.Add("a", 0);
    frmGroupEdit form(people);
    form.kigDispKind(frmGroupEdit::CurrentGroup);
    QCOMPARE(Find<QLineEdit>(form, "txtGroupName")->text(), longName);
    SetRowChecks(List(form), {true});
    Click(form, "cmdEntry");
    QCOMPARE(GroupAt(0), (GroupRecordView {1, 1, longName}));
}

void TestFrmGroupEdit::nothingToWrite()
{
    TestPeople people;
    people.Add("a", 0);
    // Editing a free record: there is no group to name.
    basGroup::SetCurrentGroup(3);
    {
        frmGroupEdit form(people);
        form.kigDispKind(frmGroupEdit::CurrentGroup);
        Find<QLineEdit>(form, "txtGroupName")->setText("X");
        SetRowChecks(List(form), {true});
        Click(form, "cmdEntry");
        QVERIFY(!form.kigIsUpdate());
        QVERIFY(!form.kigShowMe());
        QCOMPARE(GroupAt(3), GroupRecordView());
        QCOMPARE(people.Masks(), QList<qint32>({0}));
    }
    // A new group while all 30 bits are in use: the current group is not overwritten in its place.
    for (int k = 0; k < basGroup::MaxGroups; ++k) {
        basGroup::SetGroup(QStringLiteral("G%1").arg(k), -1, 0, 0);
    }
    basGroup::SetCurrentGroup(4);
    frmGroupEdit form(people);
    form.kigDispKind(frmGroupEdit::NewGroup);
    Find<QLineEdit>(form, "txtGroupName")->setText("X");
    SetRowChecks(List(form), {true});
    Click(form, "cmdEntry");
    QVERIFY(!form.kigIsUpdate());
    QCOMPARE(GroupAt(4), (GroupRecordView {0, 16, "G4"}));
    QCOMPARE(people.Masks(), QList<qint32>({0}));
}

void TestFrmGroupEdit::help()
{
    TempProgramFolder dir;
    basMain::SetHelpFilePath(dir.File("kirvo.hlp"));
    TestPeople people;
    frmGroupEdit form(people);
    {
        ScriptedMessages messages;
        Click(form, "cmdHelp");
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
        QVERIFY(messages.Shown().first().text.contains(dir.File("kirvo.hlp")));
    }
    // The viewer opens at this dialog's topic, far down the file.
    dir.Write("kirvo.hlp", HelpFileWithTopic(76));
    ScriptedMessages messages;
    Click(form, "cmdHelp");
    QVERIFY(messages.Shown().isEmpty());
    QTextBrowser* viewer = ShownHelpViewer();
    QVERIFY(viewer);
    QTRY_VERIFY(viewer->verticalScrollBar()->value() > 0);
    viewer->close();
    QVERIFY(form.kigShowMe());
}

QTEST_MAIN(TestFrmGroupEdit)
#include "tst_frmgroupedit.moc"
