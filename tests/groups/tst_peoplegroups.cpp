// The group dialogs opened from the real people dialog over a program folder: selecting a group checks its
// members, changes mark the people list modified, and the groups travel in kirvo.dat and come back.
#include <QtTest>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "../FormTestSupport.h"
#include "../PeopleTestSupport.h"
#include "../TestSupport.h"
#include "app/basParam.h"
#include "groups/core/GroupMembers.h"
#include "groups/core/basGroup.h"
#include "people/core/basUserInfo.h"
#include "people/frmBirth.h"
#include "platform/DialogRegistry.h"
#include "platform/core/Clock.h"

using basParam::SetParam;

namespace {

QList<qint32> Masks(const QList<TestPerson>& people)
{
    QList<qint32> masks;
    for (const TestPerson& p : people) {
        masks << p.groups;
    }
    return masks;
}

QList<bool> Selected(const PeopleSource& people)
{
    QList<bool> selected;
    for (qint32 i = 1; i <= people.kibGetNumUserInfo(); ++i) {
        PersonRecord* p = nullptr;
        people.kibGetUserInfo(p, i);
        selected << p->kiParamValue("Selected").AsBool();
    }
    return selected;
}

} // namespace

class TestPeopleGroups : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void selectChecksMembers();
    void membershipKeepsOtherGroups();
    void changesMarkTheListModified_data();
    void changesMarkTheListModified();
    void savedAndReloaded();

private:
    TempProgramFolder* m_dir = nullptr;
};

void TestPeopleGroups::init()
{
    ResetAllState();
    basGroup::ResetForTests();
    basParam::SetDefaultEras();
    SetParam(SettingKey::BirthYear, true);
    SetParam(SettingKey::MultiNum, 10);
    Clock::SetTodayForTests(*Date::FromYmd(2026, 12, 7));
    m_dir = new TempProgramFolder;
}

void TestPeopleGroups::cleanup()
{
    MsgBox::SetAnswerer(nullptr);
    delete m_dir;
    m_dir = nullptr;
    basGroup::ResetForTests();
    ResetAllState();
}

void TestPeopleGroups::selectChecksMembers()
{
    basGroup::SetGroup("家族", -1, 0, 0);
    basGroup::SetGroup("友人", -1, 0, 0);
    basGroup::SetGroup("家族", 0, 2, 1);
    basGroup::SetGroup("友人", 1, 2, 2);
    WritePeople(*m_dir, {{"a", {}, true, 1}, {"b", {}, false, 2}, {"c", {}, false, 3}, {"d", {}, true, 0}});
    basGroup::ResetForTests();
    frmBirth form(nullptr, m_dir->Path());
    QWidget* owner = nullptr;
    QString registered;
    QStringList rows;
    WhenModal("frmGroupMain", [&](QDialog* groups) {
        owner = groups->parentWidget();
        registered = DialogRegistry::ActiveDialog()->objectName();
        auto* list = Find<QListWidget>(groups, "lstGroup");
        rows = RowTexts(list);
        list->setCurrentRow(1);
        Click(groups, "cmdSelect");
    });
    Click(&form, "cmdGroup");
    QCOMPARE(owner, &form);
    QCOMPARE(registered, QStringLiteral("frmGroupMain"));
    QCOMPARE(DialogRegistry::ActiveDialog(), &form);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(rows, QStringList({"家族 (2)", "友人 (2)"}));
    QCOMPARE(RowChecks(Find<QListWidget>(&form, "lstUserInfo")), QList<bool>({false, true, true, false}));
    QCOMPARE(Selected(form), QList<bool>({false, true, true, false}));
    QCOMPARE(basGroup::CurrentGroup(), 1);
    QVERIFY(!form.IsModified());
}

void TestPeopleGroups::changesMarkTheListModified_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QList<qint32>>("masks");
    QTest::newRow("cancel only") << "cancel" << false << QList<qint32>({1, 0});
    QTest::newRow("recount, counts right") << "recount" << false << QList<qint32>({1, 0});
    QTest::newRow("delete, then cancel") << "delete" << true << QList<qint32>({0, 0});
}

void TestPeopleGroups::changesMarkTheListModified()
{
    QFETCH(QString, action);
    QFETCH(bool, modified);
    QFETCH(QList<qint32>, masks);
    basGroup::SetGroup("家族", -1, 0, 0);
    basGroup::SetGroup("家族", 0, 1, 1);
    WritePeople(*m_dir, {{"a", {}, true, 1}, {"b", {}, true, 0}});
    frmBirth form(nullptr, m_dir->Path());
    form.show();
    WhenModal("frmGroupMain", [action](QDialog* groups) {
        ScriptedMessages messages({MsgBox::Answer::Yes});
        if (action == "recount") {
            Click(groups, "cmdRenewal");
        } else if (action == "delete") {
            Click(groups, "cmdDelete");
        }
        Click(groups, "cmdCancel");
    });
    Click(&form, "cmdGroup");
    QCOMPARE(form.IsModified(), modified);
    // Check marks stay as they were: nothing was selected.
    QCOMPARE(RowChecks(Find<QListWidget>(&form, "lstUserInfo")), QList<bool>({true, true}));

    // Closing asks to save only after a change, and saving keeps the new masks.
    ScriptedMessages messages({MsgBox::Answer::Yes});
    Click(&form, "cmdCancel");
    QVERIFY(!form.isVisible());
    QCOMPARE(messages.Shown().size(), modified ? 1 : 0);
    if (modified) {
        QCOMPARE(messages.Shown().first().text, QStringLiteral("変更内容を保存しますか？"));
    }
    QCOMPARE(Masks(SavedPeople(*m_dir)), masks);
}

void TestPeopleGroups::savedAndReloaded()
{
    WritePeople(
        *m_dir,
        {{"p1", {}, true, 0}, {"p2", {}, true, 0}, {"p3", {}, true, 0}, {"p4", {}, true, 0}, {"p5", {}, true, 0}});
    {
        frmBirth form(nullptr, m_dir->Path());
        WhenModal("frmGroupMain", [](QDialog* groups) {
            RegisterGroup("家族", {false, true, false, true, false});
            Click(groups, "cmdNewGroup");
            RegisterGroup("友人", {true, true, false, false, false});
            Click(groups, "cmdNewGroup");
            Click(groups, "cmdCancel");
        });
        Click(&form, "cmdGroup");
        QVERIFY(form.IsModified());
        ScriptedMessages messages;
        Click(&form, "cmdOk");
        QVERIFY(messages.Shown().isEmpty());
        QVERIFY(form.kidStatus());
    }
    const QByteArray bytes = m_dir->Read("kirvo.dat");
    QByteArray table = QByteArray::fromHex("03000000"
                                           "02000000"
                                           "01000000"
                                           "0400"
                                           "89c691b0"
                                           "02000000"
                                           "02000000"
                                           "0400"
                                           "9746906c");
    table += QByteArray(29 * 10, '\0');
    QCOMPARE(bytes.left(8), QByteArray("00002.00"));
    QCOMPARE(bytes.mid(8, table.size()).toHex(' '), table.toHex(' '));
    QCOMPARE(Masks(SavedPeople(*m_dir)), QList<qint32>({2, 3, 0, 1, 0}));

    // A fresh run reads the same groups back with the people.
    basGroup::ResetForTests();
    frmBirth form(nullptr, m_dir->Path());
    QStringList rows;
    QList<bool> members;
    QString name;
    WhenModal("frmGroupMain", [&](QDialog* groups) {
        rows = RowTexts(Find<QListWidget>(groups, "lstGroup"));
        WhenModal("frmGroupEdit", [&](QDialog* edit) {
            name = Find<QLineEdit>(edit, "txtGroupName")->text();
            members = RowChecks(Find<QListWidget>(edit, "lstGroupList"));
            edit->reject();
        });
        Click(groups, "cmdEdit");
        Click(groups, "cmdCancel");
    });
    Click(&form, "cmdGroup");
    QCOMPARE(rows, QStringList({"家族 (2)", "友人 (2)"}));
    QCOMPARE(name, QStringLiteral("家族"));
    QCOMPARE(members, QList<bool>({false, true, false, true, false}));
    QCOMPARE(basGroup::GroupMask(), 3);
    QVERIFY(!form.IsModified());
}

void TestPeopleGroups::membershipKeepsOtherGroups()
{
    TestPeople people;
    for (qint32 mask : {0b101, 0b001, 0b100, 0b110}) {
        people.Add(QStringLiteral("p"), mask);
    }
    // The last person has no entry: counted as not a member.
    QCOMPARE(GroupMembers::Apply(people, 0b100, {true, true, false}), 2);
    QCOMPARE(people.Masks(), QList<qint32>({0b101, 0b101, 0b000, 0b010}));
}

QTEST_MAIN(TestPeopleGroups)
#include "tst_peoplegroups.moc"
