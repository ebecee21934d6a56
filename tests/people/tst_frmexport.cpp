// The export/import settings dialog driven headless (controls, load from the settings, the other-delimiter
// box, OK, Cancel, help), and the people dialog's File menu that runs it: the file dialogs, the overwrite
// question, the messages and the list after an import.
#include <QtTest>

#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

#include "../FormTestSupport.h"
#include "../PeopleTestSupport.h"
#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "groups/core/basGroup.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"
#include "people/frmBirth.h"
#include "people/frmExport.h"
#include "platform/CommonDialogs.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/core/Cp932.h"
#include "platform/core/SafeFile.h"

using basParam::GetParam;
using basParam::SetParam;

Q_DECLARE_METATYPE(MsgBox::Answer)

namespace {

QRadioButton* Option(QWidget* dialog, const char* array, int index)
{
    return Find<QRadioButton>(dialog, QStringLiteral("%1%2").arg(QLatin1String(array)).arg(index));
}

QLineEdit* DelimBox(QWidget* dialog)
{
    return Find<QLineEdit>(dialog, QStringLiteral("txtDelimChar"));
}

int CheckedIndex(QWidget* dialog, const char* array, int count)
{
    int checked = -1;
    for (int i = 0; i < count; ++i) {
        if (Option(dialog, array, i)->isChecked()) {
            checked = i;
        }
    }
    return checked;
}

// Acts on the export/import settings dialog as soon as a modal run shows it; stops looking when destroyed.
class WhenExportDialog
{
public:
    explicit WhenExportDialog(std::function<void(frmExport*)> action)
        : m_action(std::move(action))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<frmExport*>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible()) {
                m_timer.stop();
                m_shown = true;
                m_action(dialog);
            }
        });
        m_timer.start();
    }
    bool Shown() const { return m_shown; }

private:
    std::function<void(frmExport*)> m_action;
    QTimer m_timer;
    bool m_shown = false;
};

// Chooses a delimiter option (and the other delimiter's text) and an order, then confirms.
std::function<void(frmExport*)> Confirm(int delimOption = 0, int position = 0, const QString& other = QString())
{
    return [=](frmExport* dialog) {
        Option(dialog, "optDelimChar", delimOption)->setChecked(true);
        DelimBox(dialog)->setText(other);
        Option(dialog, "optPosition", position)->setChecked(true);
        Click(dialog, "cmdOk");
    };
}

void CancelIt(frmExport* dialog)
{
    Click(dialog, "cmdCancel");
}

QStringList Entries(frmBirth& form)
{
    auto* list = Find<QListWidget>(&form, "lstUserInfo");
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? " [x]" : " [ ]");
    }
    return texts;
}

} // namespace

class TestFrmExport : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void frameAndTabOrder();
    void load_data();
    void load();
    void ok_data();
    void ok();
    void otherWithEmptyBox();
    void typingChoosesOther();
    void focusSelectsTheBox();
    void enterRuns();
    void cancelStoresNothing_data();
    void cancelStoresNothing();
    void help();
    void modalRun();

    void exportWithEmptyList();
    void exportWritesChosenLayout();
    void exportOverwriteQuestion_data();
    void exportOverwriteQuestion();
    void exportCancelled();
    void importAppendsUnchecked();
    void importNothingValid_data();
    void importNothingValid();
    void importStopped();
    void importCancelled();
    void fileFailuresAskRetryOrCancel();

private:
    TempProgramFolder* m_dir = nullptr;
};

void TestFrmExport::init()
{
    ResetAllState();
    basGroup::ResetForTests();
    basSettings::LoadSettingsFromBytes(QByteArray());
    m_dir = new TempProgramFolder;
}

void TestFrmExport::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
    CommonDialogs::SetAnswerer(nullptr);
    basGroup::ResetForTests();
    ResetAllState();
}

void TestFrmExport::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("fraDelimChar") << "fraDelimChar"
                                  << "" << QStringLiteral("フィールド区切り記号：") << QRect(120, 120, 4455, 615);
    QTest::newRow("optDelimChar0") << "optDelimChar0"
                                   << "fraDelimChar" << QStringLiteral("カンマ") << QRect(120, 240, 855, 255);
    QTest::newRow("optDelimChar1") << "optDelimChar1"
                                   << "fraDelimChar" << QStringLiteral("タブ") << QRect(1080, 240, 855, 255);
    QTest::newRow("optDelimChar2") << "optDelimChar2"
                                   << "fraDelimChar" << QStringLiteral("スペース") << QRect(1920, 240, 975, 255);
    QTest::newRow("optDelimChar3") << "optDelimChar3"
                                   << "fraDelimChar" << QStringLiteral("その他") << QRect(3000, 240, 855, 255);
    QTest::newRow("txtDelimChar") << "txtDelimChar"
                                  << "fraDelimChar"
                                  << "" << QRect(3840, 240, 495, 270);
    QTest::newRow("fraPosition") << "fraPosition"
                                 << "" << QStringLiteral("出力順番：") << QRect(120, 840, 4455, 615);
    QTest::newRow("optPosition1") << "optPosition1"
                                  << "fraPosition" << QStringLiteral("名前，誕生日") << QRect(120, 240, 1335, 255);
    QTest::newRow("optPosition0") << "optPosition0"
                                  << "fraPosition" << QStringLiteral("誕生日，名前") << QRect(1920, 240, 1335, 255);
    QTest::newRow("cmdOk") << "cmdOk"
                           << "" << QStringLiteral("実行(&E)") << QRect(840, 1680, 1095, 375);
    QTest::newRow("cmdCancel") << "cmdCancel"
                               << "" << QStringLiteral("中止(&C)") << QRect(2160, 1680, 1095, 375);
    QTest::newRow("cmdHelp") << "cmdHelp"
                             << "" << QStringLiteral("ヘルプ(H)") << QRect(3480, 1680, 1095, 375);
}

void TestFrmExport::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, frame);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    frmExport dialog;
    QWidget* w = Find<QWidget>(&dialog, name);
    QCOMPARE(w->parentWidget()->objectName(), frame.isEmpty() ? QStringLiteral("frmExport") : frame);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QCOMPARE(button->text(), caption);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        QCOMPARE(box->title(), caption);
    }
    const QString mismatch = DesignMismatch(w, twips);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestFrmExport::frameAndTabOrder()
{
    frmExport dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("エクスポート／インポート設定"));
    QCOMPARE(dialog.size(), QSize(qRound(4680 / Forms::TwipsPerPixelX()), qRound(2145 / Forms::TwipsPerPixelY())));
    QVERIFY(Find<QPushButton>(&dialog, "cmdOk")->isDefault());
    const QStringList expected = {"optDelimChar0",
                                  "optDelimChar1",
                                  "optDelimChar2",
                                  "optDelimChar3",
                                  "txtDelimChar",
                                  "optPosition1",
                                  "optPosition0",
                                  "cmdOk",
                                  "cmdCancel",
                                  "cmdHelp"};
    QStringList order;
    QWidget* w = Find<QWidget>(&dialog, expected.first());
    do {
        if (expected.contains(w->objectName())) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w->objectName() != expected.first());
    QCOMPARE(order, expected);
    QVERIFY(!dialog.kieStatus());
}

void TestFrmExport::load_data()
{
    QTest::addColumn<QString>("delimChar");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("order");
    QTest::newRow("comma, birthday first") << "," << 0 << 0 << "" << 0;
    QTest::newRow("tab, name first") << "\t" << 1 << 1 << "" << 1;
    QTest::newRow("space") << " " << 0 << 2 << "" << 0;
    QTest::newRow("other") << ";" << 1 << 3 << ";" << 1;
    QTest::newRow("other, double-byte") << QStringLiteral("；") << 0 << 3 << QStringLiteral("；") << 0;
    QTest::newRow("other, outside the basic plane") << QStringLiteral("😀") << 0 << 3 << QStringLiteral("😀") << 0;
    QTest::newRow("empty is the comma") << "" << 0 << 0 << "" << 0;
}

void TestFrmExport::load()
{
    QFETCH(QString, delimChar);
    QFETCH(int, position);
    QFETCH(int, option);
    QFETCH(QString, box);
    QFETCH(int, order);
    SetParam(SettingKey::DelimChar, delimChar);
    SetParam(SettingKey::Position, position);
    frmExport dialog;
    QCOMPARE(CheckedIndex(&dialog, "optDelimChar", 4), option);
    QCOMPARE(DelimBox(&dialog)->text(), box);
    QCOMPARE(CheckedIndex(&dialog, "optPosition", 2), order);
}

void TestFrmExport::ok_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("delimChar");
    QTest::addColumn<int>("position");
    QTest::newRow("comma, birthday first") << 0 << "x" << 0 << "," << 0;
    QTest::newRow("tab, name first") << 1 << "" << 1 << "\t" << 1;
    QTest::newRow("space") << 2 << "" << 0 << " " << 0;
    QTest::newRow("other") << 3 << ";" << 1 << ";" << 1;
    QTest::newRow("other, double-byte") << 3 << QStringLiteral("・") << 0 << QStringLiteral("・") << 0;
}

void TestFrmExport::ok()
{
    QFETCH(int, option);
    QFETCH(QString, box);
    QFETCH(int, order);
    QFETCH(QString, delimChar);
    QFETCH(int, position);
    SetParam(SettingKey::DelimChar, QStringLiteral("|"));
    SetParam(SettingKey::Position, order == 0 ? 1 : 0);
    frmExport dialog;
    Confirm(option, order, box)(&dialog);
    QVERIFY(dialog.kieStatus());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), delimChar);
    QCOMPARE(GetParam(SettingKey::Position).AsInt(), position);
}

void TestFrmExport::otherWithEmptyBox()
{
    SetParam(SettingKey::DelimChar, QStringLiteral(";"));
    SetParam(SettingKey::Position, 1);
    frmExport dialog;
    dialog.show();
    DelimBox(&dialog)->clear();
    ScriptedMessages messages;
    Click(&dialog, "cmdOk");
    QCOMPARE(messages.Shown().size(), 1);
    QCOMPARE(messages.Shown().first().text, QStringLiteral("区切り文字を指定してください。"));
    QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
    QCOMPARE(messages.Shown().first().icon, MsgBox::Icon::Critical);
    QCOMPARE(messages.Shown().first().buttons, MsgBox::Buttons::Ok);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.kieStatus());
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral(";"));
    QCOMPARE(GetParam(SettingKey::Position).AsInt(), 1);
    // A delimiter the file would hold as "?" could never be read back.
    DelimBox(&dialog)->setText(QStringLiteral("€"));
    ScriptedMessages euro;
    Click(&dialog, "cmdOk");
    QCOMPARE(euro.Shown().size(), 1);
    QCOMPARE(euro.Shown().first().text,
             QStringLiteral("区切り文字に使えない文字です：「€」\r\nこの文字はファイルに保存できません。"));
    QVERIFY(!dialog.kieStatus());
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral(";"));
}

void TestFrmExport::typingChoosesOther()
{
    frmExport dialog;
    QVERIFY(ShowActive(&dialog));
    QLineEdit* box = DelimBox(&dialog);
    QRadioButton* other = Option(&dialog, "optDelimChar", 3);
    QVERIFY(Option(&dialog, "optDelimChar", 0)->isChecked());

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Semicolon, Qt::NoModifier);
    QVERIFY(other->isChecked());
    QCOMPARE(QApplication::focusWidget(), other);
    QCOMPARE(box->text(), QStringLiteral(";"));

    // A character the full box refuses still chooses the other delimiter; the box keeps its character.
    Option(&dialog, "optDelimChar", 1)->setChecked(true);
    box->setFocus();
    QCoreApplication::processEvents();
    box->deselect();
    box->end(false);
    QTest::keyClick(box, Qt::Key_A, Qt::NoModifier);
    QVERIFY(other->isChecked());
    QCOMPARE(box->text(), QStringLiteral(";"));

    // A double-byte character from the input method.
    Option(&dialog, "optDelimChar", 2)->setChecked(true);
    box->setFocus();
    QCoreApplication::processEvents();
    box->selectAll();
    Commit(box, QStringLiteral("；"));
    QVERIFY(other->isChecked());
    QCOMPARE(box->text(), QStringLiteral("；"));
    Click(&dialog, "cmdOk");
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral("；"));
}

void TestFrmExport::focusSelectsTheBox()
{
    SetParam(SettingKey::DelimChar, QStringLiteral(";"));
    frmExport dialog;
    QVERIFY(ShowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), Option(&dialog, "optDelimChar", 3));
    QLineEdit* box = DelimBox(&dialog);
    box->deselect();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(2, box->height() / 2));
    QTRY_COMPARE(box->selectedText(), QStringLiteral(";"));
}

void TestFrmExport::enterRuns()
{
    frmExport dialog;
    QVERIFY(ShowActive(&dialog));
    Option(&dialog, "optDelimChar", 1)->setChecked(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(dialog.kieStatus());
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral("\t"));
}

void TestFrmExport::cancelStoresNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("中止") << "button";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("close box") << "close";
}

void TestFrmExport::cancelStoresNothing()
{
    QFETCH(QString, how);
    frmExport dialog;
    QVERIFY(ShowActive(&dialog));
    Option(&dialog, "optDelimChar", 2)->setChecked(true);
    Option(&dialog, "optPosition", 1)->setChecked(true);
    if (how == "button") {
        Click(&dialog, "cmdCancel");
    } else if (how == "escape") {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else {
        dialog.close();
    }
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.kieStatus());
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral(","));
    QCOMPARE(GetParam(SettingKey::Position).AsInt(), 0);
}

void TestFrmExport::help()
{
    basMain::SetHelpFilePath(m_dir->File("kirvo.hlp"));
    frmExport dialog;
    {
        ScriptedMessages messages;
        Click(&dialog, "cmdHelp");
        QCOMPARE(messages.Shown().size(), 1);
        QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
    }
    m_dir->Write("kirvo.hlp", "<html><body><a name=\"topic84\"></a><h1>設定</h1></body></html>");
    ScriptedMessages messages;
    Click(&dialog, "cmdHelp");
    QVERIFY(messages.Shown().isEmpty());
    QWidget* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("helpViewer") && w->isVisible()) {
            viewer = w;
        }
    }
    QVERIFY(viewer);
    viewer->close();
}

void TestFrmExport::modalRun()
{
    {
        WhenExportDialog confirm(Confirm(3, 1, "|"));
        QVERIFY(RunExportDialog(nullptr));
        QVERIFY(confirm.Shown());
    }
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral("|"));
    {
        WhenExportDialog cancel(CancelIt);
        QVERIFY(!RunExportDialog(nullptr));
        QVERIFY(cancel.Shown());
    }
    QVERIFY(!DialogRegistry::ActiveDialog());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestFrmExport::exportWithEmptyList()
{
    frmBirth form(nullptr, m_dir->Path());
    ScriptedFiles files(m_dir->File("out.txt"));
    ScriptedMessages messages;
    WhenExportDialog never(CancelIt);
    form.findChild<QAction*>("mnuFileExport")->trigger();
    QCOMPARE(messages.Shown().size(), 1);
    QCOMPARE(messages.Shown().first().text, QStringLiteral("エクスポートするデータがありません"));
    QCOMPARE(messages.Shown().first().title, QStringLiteral("エラー"));
    QCOMPARE(messages.Shown().first().icon, MsgBox::Icon::Critical);
    QVERIFY(files.Asked().isEmpty());
    QVERIFY(!never.Shown());
    QVERIFY(!QFile::exists(m_dir->File("out.txt")));
}

void TestFrmExport::exportWritesChosenLayout()
{
    WritePeople(*m_dir, {{"Taro", Ymd(1970, 1, 5), true, 1}, {QStringLiteral("山田花子"), Ymd(1965, 4, 3), true, 1}});
    frmBirth form(nullptr, m_dir->Path());
    ScriptedFiles files(m_dir->File("out.txt"));
    ScriptedMessages messages;
    WhenExportDialog choose(Confirm(1, 1));
    form.findChild<QAction*>("mnuFileExport")->trigger();
    QCOMPARE(files.Asked(), QStringList {"save"});
    QCOMPARE(QFileInfo(CommonDialogs::LastOffered()).fileName(), QStringLiteral("人物一覧.txt"));
    QVERIFY(choose.Shown());
    QVERIFY(messages.Shown().isEmpty());
    QCOMPARE(m_dir->Read("out.txt"), Cp932::Encode(QStringLiteral("Taro\t1970/1/5\r\n山田花子\t1965/4/3\r\n")));
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral("\t"));
    QCOMPARE(GetParam(SettingKey::Position).AsInt(), 1);
    // Writing the list out changes nothing in it.
    QVERIFY(!form.IsModified());
}

void TestFrmExport::exportOverwriteQuestion_data()
{
    QTest::addColumn<MsgBox::Answer>("answer");
    QTest::newRow("No keeps the file") << MsgBox::Answer::No;
    QTest::newRow("Yes overwrites") << MsgBox::Answer::Yes;
}

void TestFrmExport::exportOverwriteQuestion()
{
    QFETCH(MsgBox::Answer, answer);
    WritePeople(*m_dir, {{"Taro", Ymd(1970, 1, 5), false, 1}});
    m_dir->Write("out.txt", "old");
    frmBirth form(nullptr, m_dir->Path());
    ScriptedFiles files(m_dir->File("out.txt"));
    ScriptedMessages messages({answer});
    WhenExportDialog confirm(Confirm());
    form.findChild<QAction*>("mnuFileExport")->trigger();
    QCOMPARE(messages.Shown().size(), 1);
    const MsgBox::Shown& shown = messages.Shown().first();
    QCOMPARE(shown.text,
             QDir::toNativeSeparators(m_dir->File("out.txt"))
                 + QStringLiteral("\r\nこのファイルはすでに存在します。\r\n\r\n上書きしますか？"));
    QCOMPARE(shown.title, MsgBox::AppTitle());
    QCOMPARE(shown.icon, MsgBox::Icon::Question);
    QCOMPARE(shown.buttons, MsgBox::Buttons::YesNo);
    QCOMPARE(shown.defaultButton, MsgBox::Answer::No);
    const bool yes = answer == MsgBox::Answer::Yes;
    QCOMPARE(confirm.Shown(), yes);
    QCOMPARE(m_dir->Read("out.txt"), yes ? QByteArray("1970/1/5,Taro\r\n") : QByteArray("old"));
}

void TestFrmExport::exportCancelled()
{
    WritePeople(*m_dir, {{"Taro", Ymd(1970, 1, 5), false, 1}});
    frmBirth form(nullptr, m_dir->Path());
    ScriptedMessages messages;
    {
        // The file dialog cancelled: nothing else is asked.
        ScriptedFiles files {QString()};
        WhenExportDialog never(CancelIt);
        form.findChild<QAction*>("mnuFileExport")->trigger();
        QCOMPARE(files.Asked(), QStringList {"save"});
        QVERIFY(!never.Shown());
    }
    {
        // The settings cancelled: nothing is written and the settings stay.
        ScriptedFiles files(m_dir->File("out.txt"));
        WhenExportDialog cancel([](frmExport* dialog) {
            Option(dialog, "optDelimChar", 2)->setChecked(true);
            CancelIt(dialog);
        });
        form.findChild<QAction*>("mnuFileExport")->trigger();
        QVERIFY(cancel.Shown());
    }
    QVERIFY(messages.Shown().isEmpty());
    QVERIFY(!QFile::exists(m_dir->File("out.txt")));
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral(","));
}

void TestFrmExport::importAppendsUnchecked()
{
    WritePeople(*m_dir, {{"Taro", Ymd(1970, 1, 5), true, 1}});
    SetParam(SettingKey::BirthYear, true);
    m_dir->Write("in.txt", Cp932::Encode(QStringLiteral("Jiro;1972/3/4\r\n\"a;b\";1965/4/3\rTaro;1970/1/5\n")));
    frmBirth form(nullptr, m_dir->Path());
    ScriptedFiles files(m_dir->File("in.txt"));
    ScriptedMessages messages;
    WhenExportDialog choose(Confirm(3, 1, ";"));
    form.findChild<QAction*>("mnuFileImport")->trigger();
    QCOMPARE(files.Asked(), QStringList {"open"});
    QVERIFY(choose.Shown());
    QVERIFY(messages.Shown().isEmpty());
    QCOMPARE(Entries(form),
             QStringList(
                 {"Taro   (1970/1/5) [x]", "Jiro   (1972/3/4) [ ]", "a;b   (1965/4/3) [ ]", "Taro   (1970/1/5) [ ]"}));
    QVERIFY(form.IsModified());
    QCOMPARE(form.kibGetNumUserInfo(), 4);
    for (int i = 2; i <= 4; ++i) {
        PersonRecord* person = nullptr;
        form.kibGetUserInfo(person, i);
        QCOMPARE(person->kiParamValue("Selected").AsBool(), false);
        QCOMPARE(person->kiParamValue("MyGroupId").AsInt(), 0);
    }
    // OK draws the checked person and keeps the imported ones, unchecked, in the people file.
    Click(&form, "cmdOk");
    QCOMPARE(basParam::DisplayCount(), 1);
    QBuffer saved;
    saved.setData(m_dir->Read("kirvo.dat"));
    saved.open(QIODevice::ReadOnly);
    PeopleList list;
    QCOMPARE(basUserInfo::ReadPeople(saved, list), basUserInfo::ReadResult::Complete);
    QCOMPARE(list.Count(), 4);
    QCOMPARE(list.Item(3)->kiParamValue("UserName").AsText(), QStringLiteral("a;b"));
    QCOMPARE(list.Item(3)->kiParamValue("Selected").AsBool(), false);
}

void TestFrmExport::importNothingValid_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only skipped lines") << QByteArray("no delimiter\r\n1970/1/5,\r\n\r\n");
}

void TestFrmExport::importNothingValid()
{
    QFETCH(QByteArray, bytes);
    WritePeople(*m_dir, {{"Taro", Ymd(1970, 1, 5), true, 1}});
    m_dir->Write("in.txt", bytes);
    frmBirth form(nullptr, m_dir->Path());
    ScriptedFiles files(m_dir->File("in.txt"));
    ScriptedMessages messages;
    WhenExportDialog confirm(Confirm());
    form.findChild<QAction*>("mnuFileImport")->trigger();
    QCOMPARE(messages.Shown().size(), 1);
    const MsgBox::Shown& shown = messages.Shown().first();
    QCOMPARE(shown.text, QStringLiteral("ファイルに有効なデータがありませんでした。"));
    QCOMPARE(shown.title, QStringLiteral("失敗"));
    QCOMPARE(shown.icon, MsgBox::Icon::Information);
    QCOMPARE(shown.buttons, MsgBox::Buttons::Ok);
    QCOMPARE(form.kibGetNumUserInfo(), 1);
    QVERIFY(!form.IsModified());
}

void TestFrmExport::importStopped()
{
    WritePeople(*m_dir, {{"Taro", Ymd(1970, 1, 5), true, 1}});
    frmBirth form(nullptr, m_dir->Path());
    ScriptedFiles files(m_dir->File("in.txt"));
    {
        // Stopped on line 1: nothing was added and nothing more is said.
        m_dir->Write("in.txt", "bad,x\r\n1970/1/6,Jiro\r\n");
        ScriptedMessages messages({MsgBox::Answer::No});
        WhenExportDialog confirm(Confirm());
        form.findChild<QAction*>("mnuFileImport")->trigger();
        QCOMPARE(messages.Shown().size(), 1);
        const MsgBox::Shown& shown = messages.Shown().first();
        QCOMPARE(shown.text,
                 QStringLiteral("ファイルの読み込みに失敗しました。（1行目）\r\n")
                     + QDir::toNativeSeparators(m_dir->File("in.txt"))
                     + QStringLiteral("\r\n誕生日「bad」は日付として読めません。\r\n読み込みを継続しますか？"));
        QCOMPARE(shown.title, QStringLiteral("エラー"));
        QCOMPARE(shown.icon, MsgBox::Icon::Critical);
        QCOMPARE(shown.buttons, MsgBox::Buttons::YesNo);
        QCOMPARE(form.kibGetNumUserInfo(), 1);
        QVERIFY(!form.IsModified());
    }
    {
        // Stopped on line 2: the person of line 1 stays.
        m_dir->Write("in.txt", "1970/1/6,Jiro\r\nbad,x\r\n1970/1/7,Saburo\r\n");
        ScriptedMessages messages({MsgBox::Answer::No});
        WhenExportDialog confirm(Confirm());
        form.findChild<QAction*>("mnuFileImport")->trigger();
        QCOMPARE(messages.Shown().size(), 1);
        QVERIFY(messages.Shown().first().text.contains(QStringLiteral("（2行目）")));
        QCOMPARE(Entries(form), QStringList({"Taro   (1970/1/5) [x]", "Jiro   (1970/1/6) [ ]"}));
        QVERIFY(form.IsModified());
    }
}

void TestFrmExport::importCancelled()
{
    WritePeople(*m_dir, {{"Taro", Ymd(1970, 1, 5), true, 1}});
    m_dir->Write("in.txt", "1970/1/6,Jiro\r\n");
    frmBirth form(nullptr, m_dir->Path());
    ScriptedMessages messages;
    {
        ScriptedFiles files {QString()};
        WhenExportDialog never(CancelIt);
        form.findChild<QAction*>("mnuFileImport")->trigger();
        QCOMPARE(files.Asked(), QStringList {"open"});
        QVERIFY(!never.Shown());
    }
    {
        ScriptedFiles files(m_dir->File("in.txt"));
        WhenExportDialog cancel(CancelIt);
        form.findChild<QAction*>("mnuFileImport")->trigger();
        QVERIFY(cancel.Shown());
    }
    QVERIFY(messages.Shown().isEmpty());
    QCOMPARE(form.kibGetNumUserInfo(), 1);
    QVERIFY(!form.IsModified());
}

void TestFrmExport::fileFailuresAskRetryOrCancel()
{
    // The people dialog asks when its text file cannot be written or read; Retry tries the whole file again.
    WritePeople(*m_dir, {{"Taro", Ymd(1970, 1, 5), true, 1}});
    frmBirth form(nullptr, m_dir->Path());
    const QString out = m_dir->File("out.txt");
    const QString in = m_dir->File("in.txt");
    QList<MsgBox::Shown> boxes;
    MsgBox::SetAnswerer([&](const MsgBox::Shown& shown) {
        boxes << shown;
        if (shown.text.endsWith(QDir::toNativeSeparators(in))) {
            m_dir->Write("in.txt", "1970/1/6,Jiro\r\n");
        }
        return MsgBox::Answer::Retry;
    });
    int failures = 1;
    SafeFile::SetFaultForTests([&](SafeFile::Step s) { return s == SafeFile::Step::Write && failures-- > 0; });
    {
        ScriptedFiles files(out);
        WhenExportDialog confirm(Confirm());
        form.findChild<QAction*>("mnuFileExport")->trigger();
    }
    QCOMPARE(m_dir->Read("out.txt"), QByteArray("1970/1/5,Taro\r\n"));
    {
        ScriptedFiles files(in);
        WhenExportDialog confirm(Confirm());
        form.findChild<QAction*>("mnuFileImport")->trigger();
    }
    MsgBox::SetAnswerer(nullptr);
    QCOMPARE(boxes.size(), 2);
    const QString sentences[]
        = {QStringLiteral("ファイルの書き込みに失敗しました。\r\n") + QDir::toNativeSeparators(out),
           QStringLiteral("ファイルの読み込みに失敗しました。\r\n") + QDir::toNativeSeparators(in)};
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(boxes[i].text, sentences[i]);
        QCOMPARE(boxes[i].title, QStringLiteral("エラー"));
        QCOMPARE(boxes[i].icon, MsgBox::Icon::Critical);
        QCOMPARE(boxes[i].buttons, MsgBox::Buttons::RetryCancel);
    }
    QCOMPARE(Entries(form), QStringList({"Taro   (1970/1/5) [x]", "Jiro   (1970/1/6) [ ]"}));
}

QTEST_MAIN(TestFrmExport)
#include "tst_frmexport.moc"
