// The display-date dialog, driven as a user drives it: boxes, era list, buttons, Esc and the close box.
#include <QtTest>

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "../FormTestSupport.h"
#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "dialogs/frmDate.h"
#include "platform/DialogRegistry.h"
#include "platform/NumberBox.h"

namespace {

void Prepare(Date day, int calendar)
{
    LoadDefaultSettings();
    basParam::SetParam(SettingKey::DispDay, day);
    basParam::SetParam(SettingKey::Calendar, calendar);
}

NumberBox* Box(QWidget* dialog, const char* name)
{
    return dialog->findChild<NumberBox*>(QLatin1String(name));
}

QComboBox* Eras(QWidget* dialog)
{
    return dialog->findChild<QComboBox*>(QStringLiteral("cmbCalender"));
}

QPushButton* Button(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QLatin1String(name));
}

// Chooses an era with the keyboard, as a user does in the closed list.
void ChooseEra(QWidget* dialog, int index)
{
    QComboBox* eras = Eras(dialog);
    QTest::keyClick(eras, Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(eras, Qt::Key_Down);
    }
    QCOMPARE(eras->currentIndex(), index);
}

void SetBoxes(QWidget* dialog, const QString& year, const QString& month, const QString& day)
{
    Box(dialog, "txtYear")->setText(year);
    Box(dialog, "txtMonth")->setText(month);
    Box(dialog, "txtDay")->setText(day);
}

QStringList BoxTexts(QWidget* dialog)
{
    return {Box(dialog, "txtYear")->text(), Box(dialog, "txtMonth")->text(), Box(dialog, "txtDay")->text()};
}

} // namespace

class TestFrmDate : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ResetAllState(); }
    void controls();
    void opening_data();
    void opening();
    void tabOrderAndSelection();
    void eraSwitch_data();
    void eraSwitch();
    void emptyYearKeepsEra();
    void okStoresDateAndEra_data();
    void okStoresDateAndEra();
    void wrongDate_data();
    void wrongDate();
    void typingIntoBoxes_data();
    void typingIntoBoxes();
    void leavingStoresNothing_data();
    void leavingStoresNothing();
    void help();
    void runDialog_data();
    void runDialog();
    void ownerClosedDuringDialog();
    void helpUsableWhileDialogRuns();
};

void TestFrmDate::controls()
{
    Prepare(Ymd(2001, 12, 5), 4);
    frmDate dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("日付入力"));
    const QList<QPair<const char*, QString>> labels {
        {"lblTitle", "★ 表示日を入力してください。"}, {"lblYear", "年"}, {"lblMonth", "月"}, {"lblDay", "日"}};
    for (const auto& [name, caption] : labels) {
        QLabel* label = dialog.findChild<QLabel*>(QLatin1String(name));
        QVERIFY2(label, name);
        QCOMPARE(label->text(), caption);
    }
    QCOMPARE(Button(&dialog, "cmdOk")->text(), QStringLiteral("表示(&D)"));
    QCOMPARE(Button(&dialog, "cmdCancel")->text(), QStringLiteral("中止(&C)"));
    QCOMPARE(Button(&dialog, "cmdHelp")->text(), QStringLiteral("ヘルプ(&H)"));
    QVERIFY(Button(&dialog, "cmdOk")->isDefault());
    QCOMPARE(Box(&dialog, "txtYear")->maxLength(), 4);
    QCOMPARE(Box(&dialog, "txtMonth")->maxLength(), 2);
    QCOMPARE(Box(&dialog, "txtDay")->maxLength(), 2);
    QCOMPARE(Eras(&dialog)->count(), 6);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(Eras(&dialog)->itemText(i), basParam::EraName(i));
    }

    // [era] [year] 年 [month] 月 [day] 日 on one row under the title, the buttons in a row below.
    const QList<QWidget*> row {Eras(&dialog),
                               Box(&dialog, "txtYear"),
                               dialog.findChild<QLabel*>("lblYear"),
                               Box(&dialog, "txtMonth"),
                               dialog.findChild<QLabel*>("lblMonth"),
                               Box(&dialog, "txtDay"),
                               dialog.findChild<QLabel*>("lblDay")};
    const QRect title = dialog.findChild<QLabel*>("lblTitle")->geometry();
    for (int i = 0; i < row.size(); ++i) {
        QVERIFY(dialog.rect().contains(row[i]->geometry()));
        QVERIFY(row[i]->geometry().top() >= title.bottom());
        QCOMPARE(row[i]->geometry().center().y(), row[0]->geometry().center().y());
        if (i > 0) {
            QVERIFY(row[i]->geometry().left() > row[i - 1]->geometry().right());
        }
    }
    QWidget* previous = nullptr;
    for (const char* name : {"cmdOk", "cmdCancel", "cmdHelp"}) {
        QRect r = Button(&dialog, name)->geometry();
        QVERIFY(dialog.rect().contains(r));
        QVERIFY(r.top() > row[0]->geometry().bottom());
        if (previous) {
            QCOMPARE(r.top(), previous->geometry().top());
            QVERIFY(r.left() > previous->geometry().right());
        }
        previous = Button(&dialog, name);
    }
}

void TestFrmDate::opening_data()
{
    QTest::addColumn<Date>("day");
    QTest::addColumn<int>("calendar");
    QTest::addColumn<QString>("era");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("Heisei") << Ymd(2001, 12, 5) << 4 << "平成" << QStringList {"13", "12", "5"};
    QTest::newRow("Reiwa") << Ymd(2026, 12, 7) << 5 << "令和" << QStringList {"8", "12", "7"};
    QTest::newRow("Gregorian") << Ymd(2001, 12, 5) << 0 << "西暦" << QStringList {"2001", "12", "5"};
    QTest::newRow("Showa, no leading zeros") << Ymd(1970, 1, 9) << 3 << "昭和" << QStringList {"45", "1", "9"};
    QTest::newRow("before the era: negative") << Ymd(1980, 6, 30) << 4 << "平成" << QStringList {"-8", "6", "30"};
    QTest::newRow("era beyond the table") << Ymd(2001, 12, 5) << 9 << "西暦" << QStringList {"2001", "12", "5"};
}

void TestFrmDate::opening()
{
    QFETCH(Date, day);
    QFETCH(int, calendar);
    QFETCH(QString, era);
    QFETCH(QStringList, boxes);
    Prepare(day, calendar);
    frmDate dialog;
    QCOMPARE(Eras(&dialog)->currentText(), era);
    QCOMPARE(BoxTexts(&dialog), boxes);
    QVERIFY(!dialog.kidStatus());
    QVERIFY(dialog.kioShowMe());
    QCOMPARE(DialogRegistry::ActiveDialog(), &dialog);

    // The year box has the focus at opening, its whole text selected.
    QVERIFY(ShowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), Box(&dialog, "txtYear"));
    QCOMPARE(Box(&dialog, "txtYear")->selectedText(), boxes[0]);
}

void TestFrmDate::tabOrderAndSelection()
{
    Prepare(Ymd(2001, 12, 5), 4);
    frmDate dialog;
    QVERIFY(ShowActive(&dialog));
    QStringList visited;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        visited << focus->objectName();
        if (auto* box = qobject_cast<NumberBox*>(focus)) {
            QCOMPARE(box->selectedText(), box->text());
        }
    }
    QCOMPARE(visited, QStringList({"txtMonth", "txtDay", "cmdOk", "cmdCancel", "cmdHelp", "cmbCalender", "txtYear"}));
}

void TestFrmDate::eraSwitch_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Showa 45 to Heisei") << 3 << "45" << QList<int> {4} << QStringList {"-18"};
    QTest::newRow("Showa 45 to Gregorian") << 3 << "45" << QList<int> {0} << QStringList {"1970"};
    QTest::newRow("1980 to Heisei and back") << 0 << "1980" << QList<int> {4, 0} << QStringList {"-8", "1980"};
    QTest::newRow("through every era") << 4 << "13" << QList<int> {1, 2, 3, 0}
                                       << QStringList {"134", "90", "76", "2001"};
    QTest::newRow("same era") << 4 << "13" << QList<int> {4} << QStringList {"13"};
    QTest::newRow("Heisei 31 to Reiwa and back") << 4 << "31" << QList<int> {5, 4} << QStringList {"1", "31"};
}

void TestFrmDate::eraSwitch()
{
    QFETCH(int, from);
    QFETCH(QString, year);
    QFETCH(QList<int>, choices);
    QFETCH(QStringList, shown);
    Prepare(Ymd(2001, 12, 5), from);
    frmDate dialog;
    Box(&dialog, "txtYear")->setText(year);
    for (int i = 0; i < choices.size(); ++i) {
        ChooseEra(&dialog, choices[i]);
        QCOMPARE(Box(&dialog, "txtYear")->text(), shown[i]);
        QCOMPARE(dialog.YearBoxEra(), choices[i]);
    }
}

void TestFrmDate::emptyYearKeepsEra()
{
    Prepare(Ymd(2001, 12, 5), 4);
    frmDate dialog;
    Box(&dialog, "txtYear")->clear();
    ChooseEra(&dialog, 0);
    // Nothing to convert: the year stays in Heisei although the list shows the Gregorian entry.
    QCOMPARE(dialog.YearBoxEra(), 4);
    QCOMPARE(Box(&dialog, "txtYear")->text(), QString());
    QTest::keyClicks(Box(&dialog, "txtYear"), "10");
    QTest::mouseClick(Button(&dialog, "cmdOk"), Qt::LeftButton);
    QVERIFY(dialog.kidStatus());
    QCOMPARE(basParam::GetParam(SettingKey::DispDay).AsDate(), Ymd(1998, 12, 5));
    QCOMPARE(basParam::GetParam(SettingKey::Calendar).AsInt(), 4);
}

void TestFrmDate::okStoresDateAndEra_data()
{
    QTest::addColumn<int>("era");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<Date>("stored");
    QTest::newRow("Heisei 13") << 4 << QStringList {"13", "12", "5"} << Ymd(2001, 12, 5);
    QTest::newRow("Reiwa 8") << 5 << QStringList {"8", "12", "7"} << Ymd(2026, 12, 7);
    QTest::newRow("Heisei 1 starts in Showa's year") << 4 << QStringList {"1", "1", "7"} << Ymd(1989, 1, 7);
    QTest::newRow("Heisei 0 is 1988") << 4 << QStringList {"0", "3", "1"} << Ymd(1988, 3, 1);
    QTest::newRow("leap day") << 0 << QStringList {"2000", "2", "29"} << Ymd(2000, 2, 29);
    QTest::newRow("leading zeros") << 0 << QStringList {"2001", "02", "03"} << Ymd(2001, 2, 3);
    QTest::newRow("Meiji 1") << 1 << QStringList {"1", "10", "23"} << Ymd(1868, 10, 23);
    QTest::newRow("two-digit Gregorian year") << 0 << QStringList {"01", "5", "5"} << Ymd(2001, 5, 5);
    QTest::newRow("last day") << 0 << QStringList {"9999", "12", "31"} << Ymd(9999, 12, 31);
}

void TestFrmDate::okStoresDateAndEra()
{
    QFETCH(int, era);
    QFETCH(QStringList, boxes);
    QFETCH(Date, stored);
    Prepare(Ymd(2010, 7, 7), era);
    frmDate dialog;
    dialog.show();
    SetBoxes(&dialog, boxes[0], boxes[1], boxes[2]);
    ScriptedMessages messages;
    QTest::mouseClick(Button(&dialog, "cmdOk"), Qt::LeftButton);
    QCOMPARE(messages.Shown().size(), 0);
    QVERIFY(dialog.kidStatus());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(basParam::GetParam(SettingKey::DispDay).AsDate(), stored);
    QCOMPARE(basParam::GetParam(SettingKey::Calendar).AsInt(), era);
    QVERIFY(!dialog.kioShowMe());
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
}

void TestFrmDate::wrongDate_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("day emptied") << QStringList {"13", "12", ""};
    QTest::newRow("month emptied") << QStringList {"13", "", "5"};
    QTest::newRow("year emptied") << QStringList {"", "12", "5"};
    QTest::newRow("February 30") << QStringList {"13", "2", "30"};
    QTest::newRow("February 29 of a common year") << QStringList {"13", "2", "29"};
    QTest::newRow("month 13") << QStringList {"13", "13", "1"};
    QTest::newRow("month 0") << QStringList {"13", "0", "1"};
    QTest::newRow("day 0") << QStringList {"13", "1", "0"};
    QTest::newRow("day 32") << QStringList {"13", "1", "32"};
    QTest::newRow("beyond 9999") << QStringList {"9000", "1", "1"};
}

void TestFrmDate::wrongDate()
{
    QFETCH(QStringList, boxes);
    Prepare(Ymd(2001, 12, 5), 4);
    frmDate dialog;
    dialog.show();
    ChooseEra(&dialog, 4);
    SetBoxes(&dialog, boxes[0], boxes[1], boxes[2]);
    const QList<ParamValue> before = StoreSnapshot();
    ScriptedMessages messages;
    QTest::mouseClick(Button(&dialog, "cmdOk"), Qt::LeftButton);
    QCOMPARE(messages.Shown().size(), 1);
    QCOMPARE(messages.Shown()[0].text, QStringLiteral("日付の指定に誤りがあります。"));
    QCOMPARE(messages.Shown()[0].title, QStringLiteral("エラー"));
    QCOMPARE(messages.Shown()[0].icon, MsgBox::Icon::Critical);
    QCOMPARE(messages.Shown()[0].buttons, MsgBox::Buttons::Ok);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.kidStatus());
    QVERIFY(dialog.kioShowMe());
    QCOMPARE(BoxTexts(&dialog), boxes);
    QCOMPARE(ChangedKeys(before), QStringList());
}

void TestFrmDate::typingIntoBoxes_data()
{
    QTest::addColumn<QString>("box");
    for (const char* box : {"txtYear", "txtMonth", "txtDay"}) {
        QTest::newRow(box) << box;
    }
}

void TestFrmDate::typingIntoBoxes()
{
    QFETCH(QString, box);
    Prepare(Ymd(2001, 12, 5), 4);
    frmDate dialog;
    NumberBox* target = Box(&dialog, box.toLatin1().constData());
    target->clear();
    // Letters, minus signs and spaces, typed or pasted, never enter; digits and Backspace do.
    QTest::keyClicks(target, "a-1 ");
    for (const char* pasted : {"x2", "-2", " 2"}) {
        QGuiApplication::clipboard()->setText(QLatin1String(pasted));
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(target->text(), QStringLiteral("1"));
    QTest::keyClicks(target, "2");
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(target->text(), QStringLiteral("1"));
}

void TestFrmDate::leavingStoresNothing_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("close box") << "close";
}

void TestFrmDate::leavingStoresNothing()
{
    QFETCH(QString, route);
    Prepare(Ymd(2001, 12, 5), 4);
    frmDate dialog;
    QVERIFY(ShowActive(&dialog));
    ChooseEra(&dialog, 0);
    SetBoxes(&dialog, "1999", "1", "2");
    const QList<ParamValue> before = StoreSnapshot();
    ScriptedMessages messages;
    if (route == "esc") {
        QTest::keyClick(Box(&dialog, "txtDay"), Qt::Key_Escape);
    } else if (route == "cancel") {
        QTest::mouseClick(Button(&dialog, "cmdCancel"), Qt::LeftButton);
    } else {
        dialog.close();
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.kidStatus());
    QVERIFY(!dialog.kioShowMe());
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
    QCOMPARE(ChangedKeys(before), QStringList());
    QCOMPARE(messages.Shown().size(), 0);
}

void TestFrmDate::help()
{
    Prepare(Ymd(2001, 12, 5), 4);
    TempProgramFolder folder;
    basMain::SetHelpFilePath(folder.File("kirvo.hlp"));
    frmDate dialog;
    dialog.show();
    // No help file: the failure is reported and the dialog stays.
    ScriptedMessages messages;
    QTest::mouseClick(Button(&dialog, "cmdHelp"), Qt::LeftButton);
    QCOMPARE(messages.Shown().size(), 1);
    QCOMPARE(messages.Shown()[0].title, QStringLiteral("エラー"));
    QCOMPARE(messages.Shown()[0].icon, MsgBox::Icon::Critical);
    QVERIFY(messages.Shown()[0].text.contains(QStringLiteral("kirvo.hlp")));
    QVERIFY(dialog.isVisible());
}

void TestFrmDate::runDialog_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("confirmed") << true;
    QTest::newRow("escaped") << false;
}

void TestFrmDate::runDialog()
{
    QFETCH(bool, confirm);
    Prepare(Ymd(2001, 12, 5), 4);
    QWidget owner;
    owner.show();
    QString seen;
    WhenModal([&](QWidget* modal) {
        seen = modal->objectName();
        Box(modal, "txtYear")->setText("14");
        if (confirm) {
            QTest::mouseClick(Button(modal, "cmdOk"), Qt::LeftButton);
        } else {
            QTest::keyClick(Box(modal, "txtYear"), Qt::Key_Escape);
        }
    });
    QCOMPARE(RunDateDialog(&owner), confirm);
    QCOMPARE(seen, QStringLiteral("frmDate"));
    QCOMPARE(basParam::GetParam(SettingKey::DispDay).AsDate(), confirm ? Ymd(2002, 12, 5) : Ymd(2001, 12, 5));
    // Created, run, read, deleted: nothing of it stays behind.
    QCOMPARE(owner.findChild<frmDate*>(), nullptr);
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
}

void TestFrmDate::ownerClosedDuringDialog()
{
    Prepare(Ymd(2001, 12, 5), 4);
    QPointer<QWidget> owner = new QWidget();
    owner->show();
    WhenModal([&](QWidget*) { delete owner; });
    QVERIFY(!RunDateDialog(owner));
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
    QCOMPARE(basParam::GetParam(SettingKey::DispDay).AsDate(), Ymd(2001, 12, 5));
}

namespace {

// Records the windows that a modal dialog blocks.
class BlockedWindows : public QObject
{
public:
    QStringList names;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowBlocked && watched->isWidgetType()) {
            names << watched->objectName();
        }
        return false;
    }
};

} // namespace

void TestFrmDate::helpUsableWhileDialogRuns()
{
    Prepare(Ymd(2001, 12, 5), 4);
    TempProgramFolder folder;
    folder.Write("kirvo.hlp", "<html><body><a name=\"topic21\"></a>date</body></html>");
    basMain::SetHelpFilePath(folder.File("kirvo.hlp"));
    QWidget owner;
    owner.setObjectName(QStringLiteral("owner"));
    owner.show();
    BlockedWindows blocked;
    qApp->installEventFilter(&blocked);
    WhenModal([&](QWidget* modal) {
        QTest::mouseClick(Button(modal, "cmdHelp"), Qt::LeftButton);
        // Not Esc: once the help window is active, Esc closes the help, as it should.
        QTimer::singleShot(0, modal, [modal] { QTest::mouseClick(Button(modal, "cmdCancel"), Qt::LeftButton); });
    });
    RunDateDialog(&owner);
    qApp->removeEventFilter(&blocked);
    // The owner waits for the dialog; the help it opened can be read and scrolled meanwhile.
    QVERIFY(blocked.names.contains(QStringLiteral("owner")));
    QVERIFY(!blocked.names.contains(QStringLiteral("helpViewer")));
    QWidget* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QStringLiteral("helpViewer") && w->isVisible()) {
            viewer = w;
        }
    }
    QVERIFY(viewer);
    viewer->close();
}

QTEST_MAIN(TestFrmDate)
#include "tst_frmdate.moc"
