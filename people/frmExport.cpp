#include "frmExport.h"

#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

#include <iterator>

#include "app/basMain.h"
#include "app/basParam.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MsgBox.h"
#include "platform/core/Cp932.h"

using basParam::GetParam;
using basParam::SetParam;

namespace {

constexpr int ClientWidthTwips = 4680;
constexpr int ClientHeightTwips = 2145;
constexpr int HelpContext = 84;
constexpr size_t OptionOther = 3;

// The delimiters of the first three options; the fourth is typed into the box.
const QString FixedDelimiters[] = {QStringLiteral(","), QStringLiteral("\t"), QStringLiteral(" ")};

// The box holds one character, also one outside the basic plane that a hand-edited settings file may hold.
class OneCharacter : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return input.toUcs4().size() <= 1 ? Acceptable : Invalid; }
};

} // namespace

frmExport::frmExport(QWidget* owner)
    : ProgramDialog(owner)
{
    CreateControls();
    ControlsMade([this] { cmdHelp_Click(); });
    Form_Load();
}

void frmExport::CreateControls()
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(tr("エクスポート／インポート設定"));
    Forms::SetupFixedDialog(this, ClientWidthTwips, ClientHeightTwips);

    fraDelimChar = Forms::Place(new QGroupBox(tr("フィールド区切り記号："), this), "fraDelimChar", 120, 120, 4455, 615);
    const struct
    {
        const char* caption;
        int left;
        int width;
    } delimOptions[] = {{QT_TR_NOOP("カンマ"), 120, 855},
                        {QT_TR_NOOP("タブ"), 1080, 855},
                        {QT_TR_NOOP("スペース"), 1920, 975},
                        {QT_TR_NOOP("その他"), 3000, 855}};
    for (size_t i = 0; i < optDelimChar.size(); ++i) {
        optDelimChar[i] = Forms::Place(new QRadioButton(tr(delimOptions[i].caption), fraDelimChar),
                                       QStringLiteral("optDelimChar%1").arg(i),
                                       delimOptions[i].left,
                                       240,
                                       delimOptions[i].width,
                                       255);
    }
    txtDelimChar = Forms::Place(new QLineEdit(fraDelimChar), "txtDelimChar", 3840, 240, 495, 270);
    txtDelimChar->setMaxLength(2);
    txtDelimChar->setValidator(new OneCharacter(txtDelimChar));

    fraPosition = Forms::Place(new QGroupBox(tr("出力順番："), this), "fraPosition", 120, 840, 4455, 615);
    optPosition[1]
        = Forms::Place(new QRadioButton(tr("名前，誕生日"), fraPosition), "optPosition1", 120, 240, 1335, 255);
    optPosition[0]
        = Forms::Place(new QRadioButton(tr("誕生日，名前"), fraPosition), "optPosition0", 1920, 240, 1335, 255);

    cmdOk = Forms::Place(new QPushButton(tr("実行(&E)"), this), "cmdOk", 840, 1680, 1095, 375);
    cmdCancel = Forms::Place(new QPushButton(tr("中止(&C)"), this), "cmdCancel", 2160, 1680, 1095, 375);
    cmdHelp = Forms::Place(new QPushButton(tr("ヘルプ(H)"), this), "cmdHelp", 3480, 1680, 1095, 375);
    // Enter runs; Esc is the dialog's own reject, which is what 中止 does.
    cmdOk->setDefault(true);

    QWidget* order[] = {optDelimChar[0],
                        optDelimChar[1],
                        optDelimChar[2],
                        optDelimChar[3],
                        txtDelimChar,
                        optPosition[1],
                        optPosition[0],
                        cmdOk,
                        cmdCancel,
                        cmdHelp};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    Forms::SelectAllOnFocus(txtDelimChar);
    // A character typed into the box, taken or refused for want of room, chooses the other delimiter.
    connect(txtDelimChar, &QLineEdit::textEdited, this, &frmExport::txtDelimChar_KeyPress);
    connect(txtDelimChar, &QLineEdit::inputRejected, this, &frmExport::txtDelimChar_KeyPress);
    connect(cmdOk, &QPushButton::clicked, this, &frmExport::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmExport::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmExport::cmdHelp_Click);
}

void frmExport::Form_Load()
{
    Loaded();

    const QString delimiter = GetParam(SettingKey::DelimChar).AsText();
    // An empty delimiter (only a hand-edited settings file has one) is read and written as the comma.
    size_t option = OptionOther;
    if (delimiter.isEmpty()) {
        option = 0;
    }
    for (size_t i = 0; i < std::size(FixedDelimiters); ++i) {
        if (delimiter == FixedDelimiters[i]) {
            option = i;
        }
    }
    if (option == OptionOther) {
        txtDelimChar->setText(delimiter);
    }
    optDelimChar[option]->setChecked(true);
    optPosition[GetParam(SettingKey::Position).AsInt() == 0 ? 0 : 1]->setChecked(true);
    optDelimChar[option]->setFocus();
}

void frmExport::txtDelimChar_KeyPress()
{
    optDelimChar[OptionOther]->setChecked(true);
    optDelimChar[OptionOther]->setFocus();
}

QString frmExport::ChosenDelimiter() const
{
    for (size_t i = 0; i < std::size(FixedDelimiters); ++i) {
        if (optDelimChar[i]->isChecked()) {
            return FixedDelimiters[i];
        }
    }
    return txtDelimChar->text();
}

void frmExport::cmdOk_Click()
{
    const QString delimiter = ChosenDelimiter();
    if (delimiter.isEmpty()) {
        MsgBox::ShowError(this, tr("区切り文字を指定してください。"));
        return;
    }
    // A delimiter written as "?" could never be read back.
    const QString unwritable = Cp932::Unmappable(delimiter);
    if (!unwritable.isEmpty()) {
        MsgBox::ShowError(this, Cp932::UnwritableDelimiterText(unwritable));
        return;
    }
    SetParam(SettingKey::DelimChar, delimiter);
    SetParam(SettingKey::Position, optPosition[0]->isChecked() ? 0 : 1);
    SetStatus(true);
    accept();
}

void frmExport::cmdCancel_Click()
{
    SetStatus(false);
    reject();
}

void frmExport::cmdHelp_Click()
{
    Help::ShowTopic(this, basMain::HelpFilePath(), HelpContext);
}

bool RunExportDialog(QWidget* owner)
{
    // Modal to its owner's window only, so the help it opens stays usable; closed together with its owner
    // meanwhile is no confirmation.
    return Forms::RunModal(new frmExport(owner), owner, false, [](frmExport& d) { return d.kieStatus(); });
}
