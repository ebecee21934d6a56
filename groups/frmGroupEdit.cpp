#include "frmGroupEdit.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/basCalendar.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "core/GroupMembers.h"
#include "core/PeopleSource.h"
#include "core/basGroup.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MsgBox.h"
#include "platform/core/Cp932.h"

namespace {

constexpr int ClientWidthTwips = 4455;
constexpr int ClientHeightTwips = 3210;
constexpr int HelpContext = 76;
constexpr int GroupNameLength = 20;

const QString KeyUserName = QStringLiteral("UserName");
const QString KeyBirthDay = QStringLiteral("BirthDay");
const QString KeyMyGroupId = QStringLiteral("MyGroupId");

} // namespace

QString GroupMemberRowText(const QString& name, Date birthday, bool withYear)
{
    return name + QStringLiteral("   (")
        + basCalendar::FormatDate(birthday, withYear ? basCalendar::DatePattern::YyyyMD : basCalendar::DatePattern::MD)
        + QLatin1Char(')');
}

frmGroupEdit::frmGroupEdit(PeopleSource& people, QWidget* owner)
    : ProgramDialog(owner)
    , m_people(people)
{
    CreateControls();
    ControlsMade([this] { cmdHelp_Click(); });
    Form_Load();
}

void frmGroupEdit::CreateControls()
{
    setObjectName(QStringLiteral("frmGroupEdit"));
    setWindowTitle(tr("グループ編集"));
    Forms::SetupFixedDialog(this, ClientWidthTwips, ClientHeightTwips);
    // Modal to its owner only, so the help window it opens stays usable.
    Forms::ModalToOwner(this, parentWidget());

    lblGroupName = Forms::Place(new QLabel(tr("グループ名："), this), "lblGroupName", 120, 120, 975, 255);
    txtGroupName = Forms::Place(new QLineEdit(this), "txtGroupName", 1080, 120, 3255, 270);
    txtGroupName->setMaxLength(GroupNameLength);
    lstGroupList = Forms::Place(new QListWidget(this), "lstGroupList", 120, 600, 4215, 1950);
    lstGroupList->setUniformItemSizes(true);
    lstGroupList->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdEntry = Forms::Place(new QPushButton(tr("登録(&E)"), this), "cmdEntry", 600, 2760, 1095, 375);
    cmdCancel = Forms::Place(new QPushButton(tr("中止(&C)"), this), "cmdCancel", 1920, 2760, 1095, 375);
    cmdHelp = Forms::Place(new QPushButton(tr("ヘルプ(&H)..."), this), "cmdHelp", 3240, 2760, 1095, 375);

    setTabOrder(txtGroupName, lstGroupList);
    setTabOrder(lstGroupList, cmdEntry);
    setTabOrder(cmdEntry, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);

    Forms::SelectAllOnFocus(txtGroupName);
    connect(cmdEntry, &QPushButton::clicked, this, &frmGroupEdit::cmdEntry_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGroupEdit::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmGroupEdit::cmdHelp_Click);

    // Enter registers; Esc (the dialog's own reject) cancels.
    cmdEntry->setDefault(true);
    txtGroupName->setFocus();
}

void frmGroupEdit::Form_Load()
{
    m_kigIsUpdate = false;
    Loaded();

    qint32 count = 0;
    qint32 bit = 0;
    QString name;
    basGroup::GetGroup(count, bit, name, -1);
    // A name longer than can be typed (from a people file written elsewhere) is shown whole, not cut, so that
    // registering the members alone does not rename the group.
    txtGroupName->setMaxLength(qMax(GroupNameLength, static_cast<int>(name.size())));
    txtGroupName->setText(name);

    const bool withYear = basParam::GetParam(SettingKey::BirthYear).AsBool();
    const qint32 n = m_people.kibGetNumUserInfo();
    lstGroupList->setUpdatesEnabled(false);
    lstGroupList->clear();
    for (qint32 i = 1; i <= n; ++i) {
        PersonRecord* person = nullptr;
        m_people.kibGetUserInfo(person, i);
        auto* item = new QListWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        // A new group's record is still free, its bit 0: nobody is checked.
        const bool member = person && (person->kiParamValue(KeyMyGroupId).AsInt() & bit) != 0;
        if (person) {
            item->setText(GroupMemberRowText(
                person->kiParamValue(KeyUserName).AsText(), person->kiParamValue(KeyBirthDay).AsDate(), withYear));
        }
        item->setCheckState(member ? Qt::Checked : Qt::Unchecked);
        lstGroupList->addItem(item);
    }
    lstGroupList->setUpdatesEnabled(true);
}

void frmGroupEdit::cmdEntry_Click()
{
    // Only the empty text is missing: a name of blanks is a name.
    if (txtGroupName->text().isEmpty()) {
        MsgBox::ShowError(this, tr("グループ名を入力してください。"));
        return;
    }
    const QString unwritable = Cp932::Unmappable(txtGroupName->text());
    if (!unwritable.isEmpty()) {
        MsgBox::ShowError(this, Cp932::UnwritableNameText(unwritable));
        return;
    }
    if (m_kigDispKind == NewGroup) {
        // With all 30 bits in use there is no group to create, and the current group must not be overwritten
        // in its place (the group list disables 新規 then, so this is reached only by a caller's mistake).
        if (basGroup::FreeGroupBit() == 0) {
            reject();
            return;
        }
        basGroup::SetGroup(QString(), -1, 0, 0);
    }
    qint32 storedCount = 0;
    qint32 bit = 0;
    QString storedName;
    const int position = basGroup::GetGroup(storedCount, bit, storedName, -1);
    // A free record is no group: naming it would leave a name without a bit in the people file.
    if (position < 0 || bit == 0) {
        reject();
        return;
    }

    QList<bool> members;
    for (int row = 0; row < lstGroupList->count(); ++row) {
        members << (lstGroupList->item(row)->checkState() == Qt::Checked);
    }
    const qint32 count = GroupMembers::Apply(m_people, bit, members);
    basGroup::SetGroup(txtGroupName->text(), position, count, bit);
    m_kigIsUpdate = true;
    accept();
}

void frmGroupEdit::cmdCancel_Click()
{
    reject();
}

void frmGroupEdit::cmdHelp_Click()
{
    Help::ShowTopic(this, basMain::HelpFilePath(), HelpContext);
}
