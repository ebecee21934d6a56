#include "frmOptions.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

#include "app/basMain.h"
#include "app/basParam.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MsgBox.h"
#include "platform/NumberBox.h"
#include "platform/core/Numeric.h"

namespace {

constexpr int HelpContext = 24;
constexpr int DrawModeMaskPen = 9;
constexpr int DrawModeCopyPen = 13;
constexpr int SliderSteps = 4;

// Left edge and height of the rows inside the option page, in twips.
constexpr int RowLeft = 150;
constexpr int CheckHeight = 285;
constexpr int BoxHeight = 330;
constexpr int LabelHeight = 255;
// Labels beside a box sit a little lower, so their text lines up with the box's.
constexpr int LabelDrop = 45;

// The number in a digits-only box; nothing when the box is empty.
std::optional<int> BoxNumber(const QString& text)
{
    const auto n = Numeric::ParseDecimal(text);
    if (!n) {
        return std::nullopt;
    }
    return Numeric::ToInt32(*n);
}

ParamValue Get(const QString& key)
{
    return basParam::GetParam(key);
}

} // namespace

OptionValues ReadOptions()
{
    OptionValues v;
    v.graphLevel = 5 - Get(SettingKey::GraphPoint).AsInt();
    v.lineWidth = Get(SettingKey::LineWidth).AsInt() - 1;
    v.drawMode = Get(SettingKey::DrawMode).AsInt() == DrawModeMaskPen;
    v.taskTray = Get(SettingKey::TaskTray).AsBool();
    v.alwayTop = Get(SettingKey::AlwayTop).AsBool();
    v.dispPeriod = Numeric::IntText(Get(SettingKey::DispPeriod).AsInt());
    v.birthYear = Get(SettingKey::BirthYear).AsBool();
    v.dispTotal = Get(SettingKey::DispTotalDay).AsBool();
    v.dayLine = Get(SettingKey::DayLine).AsBool();
    v.fullDay = Get(SettingKey::FullDay).AsBool();
    v.multiNum = Numeric::IntText(Get(SettingKey::MultiNum).AsInt());
    v.printRate = Numeric::IntText(Get(SettingKey::PrintRate).AsInt());
    v.reminder = Get(SettingKey::Reminder).AsBool();
    return v;
}

std::optional<int> PrintRateFromText(const QString& text)
{
    const auto r = BoxNumber(text);
    if (!r || *r < 10 || *r > 100) {
        return std::nullopt;
    }
    return r;
}

bool StoreOptions(const OptionValues& v)
{
    const auto printRate = PrintRateFromText(v.printRate);
    if (!printRate) {
        return false;
    }
    using basParam::SetParam;
    const SettingsBatch batch;
    SetParam(SettingKey::GraphPoint, 5 - v.graphLevel);
    SetParam(SettingKey::LineWidth, v.lineWidth + 1);
    SetParam(SettingKey::DrawMode, v.drawMode ? DrawModeMaskPen : DrawModeCopyPen);
    SetParam(SettingKey::TaskTray, v.taskTray);
    SetParam(SettingKey::AlwayTop, v.alwayTop);
    // The store converts the text; a period of zero days would leave nothing to draw, so the old one stays.
    if (const auto period = BoxNumber(v.dispPeriod); period && *period > 0) {
        SetParam(SettingKey::DispPeriod, v.dispPeriod);
    }
    SetParam(SettingKey::BirthYear, v.birthYear);
    SetParam(SettingKey::DispTotalDay, v.dispTotal);
    SetParam(SettingKey::DayLine, v.dayLine);
    SetParam(SettingKey::FullDay, v.fullDay);
    // Asking before one or zero people would ask every time: such counts keep the old one.
    if (const auto count = BoxNumber(v.multiNum); count && *count > 1) {
        SetParam(SettingKey::MultiNum, v.multiNum);
    }
    SetParam(SettingKey::PrintRate, *printRate);
    SetParam(SettingKey::Reminder, v.reminder);
    return true;
}

frmOptions::frmOptions(QWidget* parent)
    : ProgramDialog(parent)
{
    CreateControls();
    ControlsMade([this] { cmdHelp_Click(); });
    Form_Load();
}

QLabel* frmOptions::AddLabel(const char* name, const QString& caption, int left, int top, int width)
{
    auto* label = new QLabel(caption, fraOption);
    label->setObjectName(QLatin1String(name));
    Forms::Place(label, left, top, width, LabelHeight);
    return label;
}

QCheckBox* frmOptions::AddCheck(const char* name, const QString& caption, int top)
{
    auto* check = new QCheckBox(caption, fraOption);
    check->setObjectName(QLatin1String(name));
    Forms::Place(check, RowLeft, top, 5000, CheckHeight);
    return check;
}

QSlider* frmOptions::AddSlider(const char* name, int left, int top, int width)
{
    auto* slider = new QSlider(Qt::Horizontal, fraOption);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(0, SliderSteps);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setTickInterval(1);
    slider->setTickPosition(QSlider::TicksBelow);
    Forms::Place(slider, left, top, width, 435);
    return slider;
}

void frmOptions::CreateControls()
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("オプション設定"));
    Forms::SetupFixedDialog(this, 5760, 6360);

    tabOption = new QTabWidget(this);
    tabOption->setObjectName(QStringLiteral("tabOption"));
    // One tab only: nothing to switch to, so the strip takes no keyboard focus.
    tabOption->tabBar()->setFocusPolicy(Qt::NoFocus);
    fraOption = new QWidget();
    fraOption->setObjectName(QStringLiteral("fraOption"));
    tabOption->addTab(fraOption, tr("オプション"));
    Forms::Place(tabOption, 120, 120, 5520, 5595);

    int y = 150;
    AddLabel("lblGraphDisp", tr("グラフ表示"), RowLeft, y + 90, 1500);
    AddLabel("lblCoarse", tr("（粗い"), 1700, y + 90, 800);
    sliGraphLevel = AddSlider("sliGraphLevel", 2500, y, 1800);
    AddLabel("lblFine", tr("細かい）"), 4350, y + 90, 900);

    y = 660;
    AddLabel("lblLineWidth", tr("グラフの線"), RowLeft, y + 90, 1500);
    AddLabel("lblThin", tr("（細い"), 1700, y + 90, 800);
    sliLineWidth = AddSlider("sliLineWidth", 2500, y, 1800);
    AddLabel("lblBold", tr("太い）"), 4350, y + 90, 900);

    chkDrawMode = AddCheck("chkDrawMode", tr("グラフの線を重ね書きする。"), 1200);
    chkTaskTray = AddCheck("chkTaskTray", tr("タスクトレイに表示する。"), 1515);
    chkAlwayTop = AddCheck("chkAlwayTop", tr("常に手前に表示する。"), 1830);

    // Captions around a box share the box's name, as a pair: index 0 before it, index 1 after it.
    y = 2190;
    AddLabel("lblDispPeriod", tr("表示日数　（表示日を境に"), RowLeft, y + LabelDrop, 2700)->setProperty("index", 0);
    txtDispPeriod = new NumberBox(QStringLiteral("txtDispPeriod"), 3, fraOption);
    Forms::Place(txtDispPeriod, 2850, y, 600, BoxHeight);
    AddLabel("lblDispPeriod", tr("日間）"), 3510, y + LabelDrop, 900)->setProperty("index", 1);

    chkBirthYear = AddCheck("chkBirthYear", tr("誕生年を表示する。"), 2610);
    chkDispTotal = AddCheck("chkDispTotal", tr("生後日数を表示する。"), 2925);
    chkDayLine = AddCheck("chkDayLine", tr("日付の線を表示する。"), 3240);
    chkFullDay = AddCheck("chkFullDay", tr("詳細な日付を表示する。"), 3555);

    y = 3915;
    AddLabel("lblMultiNum", tr("複数表示の確認　（"), RowLeft, y + LabelDrop, 2100)->setProperty("index", 0);
    txtMultiNum = new NumberBox(QStringLiteral("txtMultiNum"), 2, fraOption);
    Forms::Place(txtMultiNum, 2250, y, 450, BoxHeight);
    AddLabel("lblMultiNum", tr("個以上選択時）"), 2760, y + LabelDrop, 1800)->setProperty("index", 1);

    y = 4335;
    AddLabel("lblPrintRate", tr("印刷時の縮尺率"), RowLeft, y + LabelDrop, 1700)->setProperty("index", 0);
    txtPrintRate = new NumberBox(QStringLiteral("txtPrintRate"), 3, fraOption);
    Forms::Place(txtPrintRate, 1850, y, 600, BoxHeight);
    AddLabel("lblPrintRate", tr("％"), 2510, y + LabelDrop, 300)->setProperty("index", 1);

    chkReminder = AddCheck("chkReminder", tr("要注意日をタスクトレイで知らせる。"), 4755);

    auto makeButton = [this](const char* name, const QString& caption, int left) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        Forms::Place(button, left, 5865, 1215, 375);
        return button;
    };
    cmdOk = makeButton("cmdOk", tr("設定(&S)"), 1755);
    cmdCancel = makeButton("cmdCancel", tr("中止(&C)"), 3090);
    cmdHelp = makeButton("cmdHelp", tr("ヘルプ(&H)"), 4425);
    cmdOk->setDefault(true);

    const QList<QWidget*> order {sliGraphLevel,
                                 sliLineWidth,
                                 chkDrawMode,
                                 chkTaskTray,
                                 chkAlwayTop,
                                 txtDispPeriod,
                                 chkBirthYear,
                                 chkDispTotal,
                                 chkDayLine,
                                 chkFullDay,
                                 txtMultiNum,
                                 txtPrintRate,
                                 chkReminder,
                                 cmdOk,
                                 cmdCancel,
                                 cmdHelp};
    for (int i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    // The detailed-dates box waits for the day lines: it starts disabled, and loading the day-line mark
    // enables it.
    chkFullDay->setEnabled(false);
    connect(chkDayLine, &QCheckBox::toggled, this, &frmOptions::chkDayLine_Click);
    // The reminder speaks through the notification icon: without the icon there is nothing to set. Like the
    // detailed dates, it keeps its mark while disabled.
    connect(chkTaskTray, &QCheckBox::toggled, this, &frmOptions::chkTaskTray_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmOptions::cmdHelp_Click);
}

void frmOptions::Form_Load()
{
    Loaded();

    const OptionValues v = ReadOptions();
    sliGraphLevel->setValue(v.graphLevel);
    sliLineWidth->setValue(v.lineWidth);
    chkDrawMode->setChecked(v.drawMode);
    chkTaskTray->setChecked(v.taskTray);
    chkAlwayTop->setChecked(v.alwayTop);
    txtDispPeriod->ShowNumber(v.dispPeriod);
    chkBirthYear->setChecked(v.birthYear);
    chkDispTotal->setChecked(v.dispTotal);
    chkDayLine->setChecked(v.dayLine);
    chkFullDay->setChecked(v.fullDay);
    txtMultiNum->ShowNumber(v.multiNum);
    txtPrintRate->ShowNumber(v.printRate);
    chkReminder->setChecked(v.reminder);
    chkTaskTray_Click(v.taskTray);

    sliGraphLevel->setFocus();
}

OptionValues frmOptions::Values() const
{
    OptionValues v;
    v.graphLevel = sliGraphLevel->value();
    v.lineWidth = sliLineWidth->value();
    v.drawMode = chkDrawMode->isChecked();
    v.taskTray = chkTaskTray->isChecked();
    v.alwayTop = chkAlwayTop->isChecked();
    v.dispPeriod = txtDispPeriod->text();
    v.birthYear = chkBirthYear->isChecked();
    v.dispTotal = chkDispTotal->isChecked();
    v.dayLine = chkDayLine->isChecked();
    // Stored as marked even while disabled: the mark waits for the day lines to come back.
    v.fullDay = chkFullDay->isChecked();
    v.multiNum = txtMultiNum->text();
    v.printRate = txtPrintRate->text();
    v.reminder = chkReminder->isChecked();
    return v;
}

void frmOptions::chkDayLine_Click(bool checked)
{
    chkFullDay->setEnabled(checked);
}

void frmOptions::chkTaskTray_Click(bool checked)
{
    chkReminder->setEnabled(checked);
}

void frmOptions::cmdOk_Click()
{
    if (!StoreOptions(Values())) {
        MsgBox::ShowError(this, tr("印刷縮尺率には、１０～１００の数値を入力してください。"));
        // Straight back to the box at fault, its text selected for retyping.
        txtPrintRate->setFocus(Qt::OtherFocusReason);
        return;
    }
    SetStatus(true);
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

void frmOptions::cmdHelp_Click()
{
    Help::ShowTopic(this, basMain::HelpFilePath(), HelpContext);
}

bool RunOptionsDialog(QWidget* owner)
{
    // The owner may be closed meanwhile, taking the dialog with it: that is no confirmation.
    return Forms::RunModal(new frmOptions(owner), owner, false, [](frmOptions& d) { return d.kioStatus(); });
}
