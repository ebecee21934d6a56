#include "frmDate.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "app/basCalendar.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MsgBox.h"
#include "platform/NumberBox.h"

namespace {

constexpr int HelpContext = 21;

} // namespace

AppError StoreDisplayDate(const QString& year, const QString& month, const QString& day, int era)
{
    // The same reading as the people dialog's birthday boxes.
    const auto date = basCalendar::ReadEraDate(year, month, day, era);
    if (!date) {
        return AppError::Conversion;
    }
    const SettingsBatch batch;
    if (const AppError e = basParam::SetParam(SettingKey::DispDay, *date); Failed(e)) {
        return e;
    }
    return basParam::SetParam(SettingKey::Calendar, era);
}

frmDate::frmDate(QWidget* parent)
    : ProgramDialog(parent)
{
    CreateControls();
    ControlsMade([this] { cmdHelp_Click(); });
    Form_Load();
}

void frmDate::CreateControls()
{
    setObjectName(QStringLiteral("frmDate"));
    setWindowTitle(tr("日付入力"));
    Forms::SetupFixedDialog(this, 4125, 1605);

    lblTitle = new QLabel(tr("★ 表示日を入力してください。"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    Forms::Place(lblTitle, 120, 120, 3885, 255);

    cmbCalender = new QComboBox(this);
    cmbCalender->setObjectName(QStringLiteral("cmbCalender"));
    Forms::Place(cmbCalender, 120, 480, 1095, 330);

    auto makeLabel = [this](const char* name, const QString& caption, int left) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(name));
        Forms::Place(label, left, 480, 270, 330);
        return label;
    };
    txtYear = new NumberBox(QStringLiteral("txtYear"), 4, this);
    Forms::Place(txtYear, 1320, 480, 660, 330);
    lblYear = makeLabel("lblYear", tr("年"), 2010);
    txtMonth = new NumberBox(QStringLiteral("txtMonth"), 2, this);
    Forms::Place(txtMonth, 2310, 480, 450, 330);
    lblMonth = makeLabel("lblMonth", tr("月"), 2790);
    txtDay = new NumberBox(QStringLiteral("txtDay"), 2, this);
    Forms::Place(txtDay, 3090, 480, 450, 330);
    lblDay = makeLabel("lblDay", tr("日"), 3570);

    auto makeButton = [this](const char* name, const QString& caption, int left) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        Forms::Place(button, left, 1080, 1215, 375);
        return button;
    };
    cmdOk = makeButton("cmdOk", tr("表示(&D)"), 120);
    cmdCancel = makeButton("cmdCancel", tr("中止(&C)"), 1455);
    cmdHelp = makeButton("cmdHelp", tr("ヘルプ(&H)"), 2790);
    cmdOk->setDefault(true);

    setTabOrder(txtYear, txtMonth);
    setTabOrder(txtMonth, txtDay);
    setTabOrder(txtDay, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
    setTabOrder(cmdHelp, cmbCalender);

    connect(cmbCalender, qOverload<int>(&QComboBox::activated), this, &frmDate::cmbCalender_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmDate::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDate::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmDate::cmdHelp_Click);
}

void frmDate::Form_Load()
{
    Loaded();

    const int eraCount = basParam::EraCount();
    m_yearBoxEra = basParam::GetParam(SettingKey::Calendar).AsInt();
    // The loader keeps Calendar inside the era table; should it not, the Gregorian entry is the safe choice.
    if (m_yearBoxEra < 0 || m_yearBoxEra >= eraCount) {
        m_yearBoxEra = 0;
    }
    cmbCalender->clear();
    for (int i = 0; i < eraCount; ++i) {
        cmbCalender->addItem(basParam::EraName(i));
    }
    cmbCalender->setCurrentIndex(m_yearBoxEra);

    const Date day = basParam::GetParam(SettingKey::DispDay).AsDate();
    txtYear->ShowNumber(basCalendar::YearBoxText(day, m_yearBoxEra));
    txtMonth->ShowNumber(basCalendar::FormatDate(day, basCalendar::DatePattern::M));
    txtDay->ShowNumber(basCalendar::FormatDate(day, basCalendar::DatePattern::D));

    txtYear->setFocus();
    txtYear->selectAll();
}

void frmDate::cmbCalender_Click(int index)
{
    if (index < 0) {
        return;
    }
    // An empty year box has nothing to convert: the year-box era stays, and a year typed later is read in it.
    if (const auto year = basCalendar::SwitchEraYear(txtYear->text(), m_yearBoxEra, index)) {
        m_yearBoxEra = index;
        txtYear->ShowNumber(*year);
    }
}

void frmDate::cmdOk_Click()
{
    if (Failed(StoreDisplayDate(txtYear->text(), txtMonth->text(), txtDay->text(), m_yearBoxEra))) {
        MsgBox::ShowError(this, tr("日付の指定に誤りがあります。"));
        return;
    }
    SetStatus(true);
    accept();
}

void frmDate::cmdCancel_Click()
{
    reject();
}

void frmDate::cmdHelp_Click()
{
    Help::ShowTopic(this, basMain::HelpFilePath(), HelpContext);
}

bool RunDateDialog(QWidget* owner)
{
    // The owner may be closed meanwhile, taking the dialog with it: that is no confirmation.
    return Forms::RunModal(new frmDate(owner), owner, false, [](frmDate& d) { return d.kidStatus(); });
}
