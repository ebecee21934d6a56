// The options dialog: what it shows at opening, what OK stores and what it refuses, and leaving it.
#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

#include "../FormTestSupport.h"
#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "dialogs/frmOptions.h"
#include "platform/DialogRegistry.h"
#include "platform/NumberBox.h"

namespace {

QSlider* Slider(QWidget* dialog, const char* name)
{
    return dialog->findChild<QSlider*>(QLatin1String(name));
}

QCheckBox* Check(QWidget* dialog, const char* name)
{
    return dialog->findChild<QCheckBox*>(QLatin1String(name));
}

NumberBox* Box(QWidget* dialog, const char* name)
{
    return dialog->findChild<NumberBox*>(QLatin1String(name));
}

// Clicks a check box on its mark and caption, where a click toggles it.
void Click(QCheckBox* check)
{
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->sizeHint().width() / 2, check->height() / 2));
}

void ClickOk(QWidget* dialog)
{
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
}

// Changes every control away from the defaults.
void ChangeEverything(QWidget* dialog)
{
    Slider(dialog, "sliGraphLevel")->setValue(4);
    Slider(dialog, "sliLineWidth")->setValue(4);
    for (const char* name : {"chkDrawMode",
                             "chkReminder",
                             "chkTaskTray",
                             "chkAlwayTop",
                             "chkBirthYear",
                             "chkDispTotal",
                             "chkFullDay",
                             "chkDayLine"}) {
        Click(Check(dialog, name));
    }
    Box(dialog, "txtDispPeriod")->setText("30");
    Box(dialog, "txtMultiNum")->setText("9");
    Box(dialog, "txtPrintRate")->setText("50");
}

int Int(const QString& key)
{
    return basParam::GetParam(key).AsInt();
}

bool Bool(const QString& key)
{
    return basParam::GetParam(key).AsBool();
}

} // namespace

class TestFrmOptions : public QObject
{
    Q_OBJECT
private slots:
    void init() { LoadDefaultSettings(); }
    void cleanup() { ResetAllState(); }
    void captions_data();
    void captions();
    void layout();
    void defaultState();
    void sliders_data();
    void sliders();
    void drawMode_data();
    void drawMode();
    void printRate_data();
    void printRate();
    void dayLineDependency();
    void reminderNeedsTaskTray();
    void displayPeriod_data();
    void displayPeriod();
    void confirmationCount_data();
    void confirmationCount();
    void okStoresEverything();
    void leavingStoresNothing_data();
    void leavingStoresNothing();
    void runDialog_data();
    void runDialog();
};

void TestFrmOptions::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    const QList<std::tuple<const char*, int, const char*>> rows {
        {"lblGraphDisp", 0, "グラフ表示"},
        {"lblCoarse", 0, "（粗い"},
        {"lblFine", 0, "細かい）"},
        {"lblLineWidth", 0, "グラフの線"},
        {"lblThin", 0, "（細い"},
        {"lblBold", 0, "太い）"},
        {"chkDrawMode", 0, "グラフの線を重ね書きする。"},
        {"chkTaskTray", 0, "タスクトレイに表示する。"},
        {"chkAlwayTop", 0, "常に手前に表示する。"},
        {"lblDispPeriod", 0, "表示日数　（表示日を境に"},
        {"lblDispPeriod", 1, "日間）"},
        {"chkBirthYear", 0, "誕生年を表示する。"},
        {"chkDispTotal", 0, "生後日数を表示する。"},
        {"chkDayLine", 0, "日付の線を表示する。"},
        {"chkFullDay", 0, "詳細な日付を表示する。"},
        {"lblMultiNum", 0, "複数表示の確認　（"},
        {"lblMultiNum", 1, "個以上選択時）"},
        {"lblPrintRate", 0, "印刷時の縮尺率"},
        {"lblPrintRate", 1, "％"},
        {"chkReminder", 0, "要注意日をタスクトレイで知らせる。"},
        {"cmdOk", 0, "設定(&S)"},
        {"cmdCancel", 0, "中止(&C)"},
        {"cmdHelp", 0, "ヘルプ(&H)"},
    };
    for (const auto& [name, index, caption] : rows) {
        QTest::addRow("%s(%d)", name, index) << name << index << QString::fromUtf8(caption);
    }
}

void TestFrmOptions::captions()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, caption);
    frmOptions dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("オプション設定"));
    QWidget* control = nullptr;
    for (QWidget* w : dialog.findChildren<QWidget*>(name)) {
        if (w->property("index").toInt() == index) {
            control = w;
        }
    }
    QVERIFY(control);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
    } else {
        QCOMPARE(qobject_cast<QAbstractButton*>(control)->text(), caption);
    }
    QVERIFY(control->isVisibleTo(&dialog));
}

void TestFrmOptions::layout()
{
    frmOptions dialog;
    auto* tab = dialog.findChild<QTabWidget*>(QStringLiteral("tabOption"));
    QVERIFY(tab);
    QCOMPARE(tab->count(), 1);
    QCOMPARE(tab->tabText(0), QStringLiteral("オプション"));
    QCOMPARE(tab->widget(0)->objectName(), QStringLiteral("fraOption"));
    QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("cmdOk"))->isDefault());
    for (const char* name : {"sliGraphLevel", "sliLineWidth"}) {
        QCOMPARE(Slider(&dialog, name)->minimum(), 0);
        QCOMPARE(Slider(&dialog, name)->maximum(), 4);
        QCOMPARE(Slider(&dialog, name)->orientation(), Qt::Horizontal);
    }
    QCOMPARE(Box(&dialog, "txtDispPeriod")->maxLength(), 3);
    QCOMPARE(Box(&dialog, "txtMultiNum")->maxLength(), 2);
    QCOMPARE(Box(&dialog, "txtPrintRate")->maxLength(), 3);

    // Thirteen rows top to bottom inside the page, the buttons below the tab strip.
    dialog.show();
    QWidget* page = tab->widget(0);
    const QList<const char*> rows {"sliGraphLevel",
                                   "sliLineWidth",
                                   "chkDrawMode",
                                   "chkTaskTray",
                                   "chkAlwayTop",
                                   "txtDispPeriod",
                                   "chkBirthYear",
                                   "chkDispTotal",
                                   "chkDayLine",
                                   "chkFullDay",
                                   "txtMultiNum",
                                   "txtPrintRate",
                                   "chkReminder"};
    int previousBottom = -1;
    for (const char* name : rows) {
        QWidget* w = dialog.findChild<QWidget*>(QLatin1String(name));
        QVERIFY2(w->parentWidget() == page, name);
        QVERIFY2(page->rect().contains(w->geometry()), name);
        QVERIFY2(w->geometry().top() > previousBottom, name);
        previousBottom = w->geometry().bottom();
    }
    for (QLabel* label : page->findChildren<QLabel*>()) {
        QVERIFY2(page->rect().contains(label->geometry()), qPrintable(label->objectName()));
        // Captions need their whole text in view.
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    }
    for (QCheckBox* check : page->findChildren<QCheckBox*>()) {
        QVERIFY2(check->width() >= check->sizeHint().width(), qPrintable(check->objectName()));
    }
    for (const char* name : {"cmdOk", "cmdCancel", "cmdHelp"}) {
        const QRect r = dialog.findChild<QPushButton*>(QLatin1String(name))->geometry();
        QVERIFY(r.top() > tab->geometry().bottom());
        QVERIFY(dialog.rect().contains(r));
    }
}

void TestFrmOptions::defaultState()
{
    frmOptions dialog;
    QCOMPARE(Slider(&dialog, "sliGraphLevel")->value(), 2);
    QCOMPARE(Slider(&dialog, "sliLineWidth")->value(), 1);
    QVERIFY(Check(&dialog, "chkDrawMode")->isChecked());
    QVERIFY(Check(&dialog, "chkTaskTray")->isChecked());
    QVERIFY(!Check(&dialog, "chkAlwayTop")->isChecked());
    QCOMPARE(Box(&dialog, "txtDispPeriod")->text(), QStringLiteral("15"));
    QVERIFY(Check(&dialog, "chkBirthYear")->isChecked());
    QVERIFY(Check(&dialog, "chkDispTotal")->isChecked());
    QVERIFY(Check(&dialog, "chkDayLine")->isChecked());
    QVERIFY(!Check(&dialog, "chkFullDay")->isChecked());
    QVERIFY(Check(&dialog, "chkFullDay")->isEnabled());
    QCOMPARE(Box(&dialog, "txtMultiNum")->text(), QStringLiteral("5"));
    QCOMPARE(Box(&dialog, "txtPrintRate")->text(), QStringLiteral("100"));
    QVERIFY(Check(&dialog, "chkReminder")->isChecked());
    QVERIFY(Check(&dialog, "chkReminder")->isEnabled());
    QVERIFY(!dialog.kioStatus());
    QVERIFY(dialog.kioShowMe());
    QCOMPARE(DialogRegistry::ActiveDialog(), &dialog);
}

void TestFrmOptions::sliders_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("graphPoint");
    QTest::addColumn<int>("lineWidth");
    QTest::newRow("coarse, thin") << 0 << 5 << 1;
    QTest::newRow("1") << 1 << 4 << 2;
    QTest::newRow("middle") << 2 << 3 << 3;
    QTest::newRow("3") << 3 << 2 << 4;
    QTest::newRow("fine, bold") << 4 << 1 << 5;
}

void TestFrmOptions::sliders()
{
    QFETCH(int, position);
    QFETCH(int, graphPoint);
    QFETCH(int, lineWidth);
    {
        frmOptions dialog;
        Slider(&dialog, "sliGraphLevel")->setValue(position);
        Slider(&dialog, "sliLineWidth")->setValue(position);
        ClickOk(&dialog);
        QVERIFY(dialog.kioStatus());
    }
    QCOMPARE(Int(SettingKey::GraphPoint), graphPoint);
    QCOMPARE(Int(SettingKey::LineWidth), lineWidth);
    // And back: the stored values put the sliders where they were.
    frmOptions again;
    QCOMPARE(Slider(&again, "sliGraphLevel")->value(), position);
    QCOMPARE(Slider(&again, "sliLineWidth")->value(), position);
}

void TestFrmOptions::drawMode_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("checked");
    QTest::newRow("mask pen") << 9 << true;
    QTest::newRow("copy pen") << 13 << false;
}

void TestFrmOptions::drawMode()
{
    QFETCH(int, stored);
    QFETCH(bool, checked);
    basParam::SetParam(SettingKey::DrawMode, stored);
    frmOptions dialog;
    QCOMPARE(Check(&dialog, "chkDrawMode")->isChecked(), checked);
    Click(Check(&dialog, "chkDrawMode"));
    ClickOk(&dialog);
    QCOMPARE(Int(SettingKey::DrawMode), checked ? 13 : 9);
}

void TestFrmOptions::printRate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored"); // 0: refused
    QTest::newRow("9") << "9" << 0;
    QTest::newRow("101") << "101" << 0;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("999") << "999" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("10") << "10" << 10;
    QTest::newRow("100") << "100" << 100;
    QTest::newRow("55") << "55" << 55;
    QTest::newRow("leading zero") << "010" << 10;
}

void TestFrmOptions::printRate()
{
    QFETCH(QString, text);
    QFETCH(int, stored);
    basParam::SetParam(SettingKey::PrintRate, 80);
    frmOptions dialog;
    dialog.show();
    Click(Check(&dialog, "chkAlwayTop"));
    Box(&dialog, "txtPrintRate")->setText(text);
    const QList<ParamValue> before = StoreSnapshot();
    ScriptedMessages messages;
    ClickOk(&dialog);
    if (stored == 0) {
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown()[0].text, QStringLiteral("印刷縮尺率には、１０～１００の数値を入力してください。"));
        QCOMPARE(messages.Shown()[0].title, QStringLiteral("エラー"));
        QCOMPARE(messages.Shown()[0].icon, MsgBox::Icon::Critical);
        QCOMPARE(messages.Shown()[0].buttons, MsgBox::Buttons::Ok);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.kioStatus());
        QCOMPARE(ChangedKeys(before), QStringList());
        QCOMPARE(Box(&dialog, "txtPrintRate")->text(), text);
    } else {
        QCOMPARE(messages.Shown().size(), 0);
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.kioStatus());
        QCOMPARE(Int(SettingKey::PrintRate), stored);
        QCOMPARE(basParam::GetParam(SettingKey::PrintRate).GetKind(), ParamValue::Kind::Int32);
        QVERIFY(Bool(SettingKey::AlwayTop));
    }
}

void TestFrmOptions::dayLineDependency()
{
    basParam::SetParam(SettingKey::FullDay, true);
    {
        frmOptions dialog;
        QCheckBox* dayLine = Check(&dialog, "chkDayLine");
        QCheckBox* fullDay = Check(&dialog, "chkFullDay");
        QVERIFY(fullDay->isEnabled());
        Click(dayLine);
        QVERIFY(!fullDay->isEnabled());
        QVERIFY(fullDay->isChecked());
        Click(dayLine);
        QVERIFY(fullDay->isEnabled());
        QVERIFY(fullDay->isChecked());
        // Without day lines the detailed-dates mark is still stored as it stands.
        Click(dayLine);
        ClickOk(&dialog);
    }
    QVERIFY(!Bool(SettingKey::DayLine));
    QVERIFY(Bool(SettingKey::FullDay));
    frmOptions reopened;
    QVERIFY(!Check(&reopened, "chkFullDay")->isEnabled());
    QVERIFY(Check(&reopened, "chkFullDay")->isChecked());
}

void TestFrmOptions::reminderNeedsTaskTray()
{
    basParam::SetParam(SettingKey::TaskTray, false);
    {
        frmOptions dialog;
        QCheckBox* reminder = Check(&dialog, "chkReminder");
        QVERIFY(!reminder->isEnabled());
        QVERIFY(reminder->isChecked());
        Click(Check(&dialog, "chkTaskTray"));
        QVERIFY(reminder->isEnabled());
        Click(reminder);
        ClickOk(&dialog);
    }
    QVERIFY(Bool(SettingKey::TaskTray));
    QVERIFY(!Bool(SettingKey::Reminder));
}

void TestFrmOptions::displayPeriod_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");
    QTest::newRow("emptied") << "" << 15;
    QTest::newRow("0") << "0" << 15;
    QTest::newRow("000") << "000" << 15;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("20") << "20" << 20;
    QTest::newRow("999") << "999" << 999;
    QTest::newRow("leading zeros") << "007" << 7;
}

void TestFrmOptions::displayPeriod()
{
    QFETCH(QString, text);
    QFETCH(int, stored);
    frmOptions dialog;
    Box(&dialog, "txtDispPeriod")->setText(text);
    Click(Check(&dialog, "chkBirthYear"));
    ScriptedMessages messages;
    ClickOk(&dialog);
    QCOMPARE(messages.Shown().size(), 0);
    QVERIFY(dialog.kioStatus());
    QCOMPARE(Int(SettingKey::DispPeriod), stored);
    QCOMPARE(basParam::GetParam(SettingKey::DispPeriod).GetKind(), ParamValue::Kind::Int16);
    // The other change of the same visit is stored all the same.
    QVERIFY(!Bool(SettingKey::BirthYear));
}

void TestFrmOptions::confirmationCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");
    QTest::newRow("emptied") << "" << 5;
    QTest::newRow("0") << "0" << 5;
    QTest::newRow("1") << "1" << 5;
    QTest::newRow("01") << "01" << 5;
    QTest::newRow("2") << "2" << 2;
    QTest::newRow("99") << "99" << 99;
}

void TestFrmOptions::confirmationCount()
{
    QFETCH(QString, text);
    QFETCH(int, stored);
    frmOptions dialog;
    Box(&dialog, "txtMultiNum")->setText(text);
    Click(Check(&dialog, "chkTaskTray"));
    ClickOk(&dialog);
    QVERIFY(dialog.kioStatus());
    QCOMPARE(Int(SettingKey::MultiNum), stored);
    QVERIFY(!Bool(SettingKey::TaskTray));
}

void TestFrmOptions::okStoresEverything()
{
    const QList<ParamValue> before = StoreSnapshot();
    frmOptions dialog;
    dialog.show();
    ChangeEverything(&dialog);
    ClickOk(&dialog);
    QVERIFY(dialog.kioStatus());
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.kioShowMe());
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
    QCOMPARE(ChangedKeys(before),
             QStringList({SettingKey::DispPeriod,
                          SettingKey::BirthYear,
                          SettingKey::DispTotalDay,
                          SettingKey::AlwayTop,
                          SettingKey::TaskTray,
                          SettingKey::MultiNum,
                          SettingKey::PrintRate,
                          SettingKey::GraphPoint,
                          SettingKey::LineWidth,
                          SettingKey::DrawMode,
                          SettingKey::DayLine,
                          SettingKey::FullDay,
                          SettingKey::Reminder}));
    QCOMPARE(Int(SettingKey::DispPeriod), 30);
    QCOMPARE(Int(SettingKey::MultiNum), 9);
    QCOMPARE(Int(SettingKey::PrintRate), 50);
    QCOMPARE(Int(SettingKey::GraphPoint), 1);
    QCOMPARE(Int(SettingKey::LineWidth), 5);
    QCOMPARE(Int(SettingKey::DrawMode), 13);
    QVERIFY(!Bool(SettingKey::TaskTray) && Bool(SettingKey::AlwayTop) && !Bool(SettingKey::BirthYear)
            && !Bool(SettingKey::DispTotalDay));
    QVERIFY(!Bool(SettingKey::DayLine) && Bool(SettingKey::FullDay) && !Bool(SettingKey::Reminder));
}

void TestFrmOptions::leavingStoresNothing_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
}

void TestFrmOptions::leavingStoresNothing()
{
    QFETCH(QString, route);
    const QList<ParamValue> before = StoreSnapshot();
    frmOptions dialog;
    QVERIFY(ShowActive(&dialog));
    ChangeEverything(&dialog);
    if (route == "cancel") {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    } else if (route == "esc") {
        QTest::keyClick(Box(&dialog, "txtPrintRate"), Qt::Key_Escape);
    } else {
        dialog.close();
    }
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.kioStatus());
    QVERIFY(!dialog.kioShowMe());
    QCOMPARE(ChangedKeys(before), QStringList());
}

void TestFrmOptions::runDialog_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void TestFrmOptions::runDialog()
{
    QFETCH(bool, confirm);
    QWidget owner;
    owner.show();
    QString seen;
    WhenModal([&](QWidget* modal) {
        seen = modal->objectName();
        Box(modal, "txtDispPeriod")->setText("10");
        QTest::mouseClick(
            modal->findChild<QPushButton*>(confirm ? QStringLiteral("cmdOk") : QStringLiteral("cmdCancel")),
            Qt::LeftButton);
    });
    QCOMPARE(RunOptionsDialog(&owner), confirm);
    QCOMPARE(seen, QStringLiteral("frmOptions"));
    QCOMPARE(Int(SettingKey::DispPeriod), confirm ? 10 : 15);
    QCOMPARE(owner.findChild<frmOptions*>(), nullptr);
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
}

QTEST_MAIN(TestFrmOptions)
#include "tst_frmoptions.moc"
