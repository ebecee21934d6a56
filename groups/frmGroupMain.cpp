#include "frmGroupMain.h"

#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QtAlgorithms>

#include <iterator>

#include "app/basMain.h"
#include "core/PeopleSource.h"
#include "frmGroupEdit.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MsgBox.h"

namespace {

constexpr int ClientWidthTwips = 5190;
constexpr int ClientHeightTwips = 3255;
constexpr int HelpContext = 71;
constexpr int KeyCodeDelete = 46;
// Position 30 never holds a group.
constexpr int ListedSlots = basGroup::MaxGroups;

const QString KeyMyGroupId = QStringLiteral("MyGroupId");

qint32 GroupMask(const PersonRecord& person)
{
    return person.kiParamValue(KeyMyGroupId).AsInt();
}

} // namespace

QString GroupRowText(const QString& name, qint32 memberCount)
{
    return name + QStringLiteral(" (") + QString::number(memberCount) + QLatin1Char(')');
}

frmGroupMain::frmGroupMain(PeopleSource& people, QWidget* owner)
    : ProgramDialog(owner)
    , m_people(people)
{
    CreateControls();
    ControlsMade([this] { cmdHelp_Click(); });
    Form_Load();
}

void frmGroupMain::CreateControls()
{
    setObjectName(QStringLiteral("frmGroupMain"));
    setWindowTitle(tr("グループ一覧"));
    Forms::SetupFixedDialog(this, ClientWidthTwips, ClientHeightTwips);
    // Modal to its owner only, so the help window it opens stays usable.
    Forms::ModalToOwner(this, parentWidget());

    lstGroup = Forms::Place(new QListWidget(this), "lstGroup", 120, 120, 3615, 2400);
    lstGroup->setSelectionMode(QAbstractItemView::SingleSelection);
    lstGroup->setUniformItemSizes(true);
    cmdNewGroup = Forms::Place(new QPushButton(tr("新規(&N)..."), this), "cmdNewGroup", 3960, 240, 1095, 375);
    cmdEdit = Forms::Place(new QPushButton(tr("編集(&E)..."), this), "cmdEdit", 3960, 720, 1095, 375);
    cmdDelete = Forms::Place(new QPushButton(tr("削除(&D)"), this), "cmdDelete", 3960, 1200, 1095, 375);
    cmdRenewal = Forms::Place(new QPushButton(tr("更新(&R)"), this), "cmdRenewal", 3960, 1800, 1095, 375);
    cmdSelect = Forms::Place(new QPushButton(tr("選択(&S)"), this), "cmdSelect", 1320, 2760, 1095, 375);
    cmdCancel = Forms::Place(new QPushButton(tr("中止(&C)"), this), "cmdCancel", 2640, 2760, 1095, 375);
    cmdHelp = Forms::Place(new QPushButton(tr("ヘルプ(&H)..."), this), "cmdHelp", 3960, 2760, 1095, 375);

    QWidget* order[] = {lstGroup, cmdNewGroup, cmdEdit, cmdDelete, cmdRenewal, cmdSelect, cmdCancel, cmdHelp};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    lstGroup->installEventFilter(this);
    connect(cmdNewGroup, &QPushButton::clicked, this, &frmGroupMain::cmdNewGroup_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmGroupMain::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmGroupMain::cmdDelete_Click);
    connect(cmdRenewal, &QPushButton::clicked, this, &frmGroupMain::cmdRenewal_Click);
    connect(cmdSelect, &QPushButton::clicked, this, &frmGroupMain::cmdSelect_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGroupMain::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmGroupMain::cmdHelp_Click);

    // Enter selects; Esc (the dialog's own reject) cancels.
    cmdSelect->setDefault(true);
}

void frmGroupMain::Form_Load()
{
    Loaded();
    GroupRefresh();
    m_kigIsUpdate = false;
    m_kigIsSelect = false;
    // An empty list is disabled; the focus then starts on the next control that can take it.
    if (lstGroup->isEnabled()) {
        lstGroup->setFocus();
    } else {
        cmdNewGroup->setFocus();
    }
}

void frmGroupMain::GroupRefresh()
{
    lstGroup->setUpdatesEnabled(false);
    lstGroup->clear();
    m_rowPosition.fill(0);
    m_rowBit.fill(0);
    int rows = 0;
    for (int p = 0; p < ListedSlots; ++p) {
        qint32 count = 0;
        qint32 bit = 0;
        QString name;
        basGroup::GetGroup(count, bit, name, p);
        if (bit == 0) {
            continue;
        }
        lstGroup->addItem(GroupRowText(name, count));
        m_rowPosition[rows] = p;
        m_rowBit[rows] = bit;
        ++rows;
    }
    lstGroup->setUpdatesEnabled(true);
    const bool any = rows > 0;
    if (any) {
        lstGroup->setCurrentRow(0);
    }
    for (QWidget* w : {static_cast<QWidget*>(lstGroup),
                       static_cast<QWidget*>(cmdSelect),
                       static_cast<QWidget*>(cmdDelete),
                       static_cast<QWidget*>(cmdRenewal)}) {
        w->setEnabled(any);
    }
    cmdNewGroup->setEnabled(basGroup::FreeGroupBit() != 0);
}

int frmGroupMain::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = lstGroup->selectedItems();
    return selected.isEmpty() ? -1 : lstGroup->row(selected.first());
}

void frmGroupMain::SelectRow(int row)
{
    if (row >= 0 && row < lstGroup->count()) {
        lstGroup->setCurrentRow(row);
    }
}

void frmGroupMain::SelectRowOfPosition(int position)
{
    for (int row = 0; row < lstGroup->count(); ++row) {
        if (m_rowPosition[row] == position) {
            lstGroup->setCurrentRow(row);
            return;
        }
    }
}

bool frmGroupMain::RunGroupEdit(qint32 dispKind)
{
    auto* edit = new frmGroupEdit(m_people, this);
    edit->kigDispKind(dispKind);
    return Forms::RunModal(edit, this, false, [](frmGroupEdit& d) { return d.kigIsUpdate(); });
}

void frmGroupMain::cmdNewGroup_Click()
{
    const qint32 bit = basGroup::FreeGroupBit();
    if (bit == 0) {
        return;
    }
    // The new group's record is the free one at its bit's position: the edit dialog shows it empty.
    const int position = qCountTrailingZeroBits(static_cast<quint32>(bit));
    basGroup::SetCurrentGroup(position);
    if (!RunGroupEdit(frmGroupEdit::NewGroup)) {
        return;
    }
    m_kigIsUpdate = true;
    GroupRefresh();
    SelectRowOfPosition(position);
}

void frmGroupMain::cmdEdit_Click()
{
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    basGroup::SetCurrentGroup(m_rowPosition[row]);
    if (!RunGroupEdit(frmGroupEdit::CurrentGroup)) {
        return;
    }
    m_kigIsUpdate = true;
    GroupRefresh();
    SelectRow(row);
}

void frmGroupMain::cmdDelete_Click()
{
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    const MsgBox::Answer answer
        = MsgBox::Show(this,
                       tr("グループ『") + lstGroup->item(row)->text() + tr("』を削除します。\r\nよろしいですか？"),
                       tr("削除確認"),
                       MsgBox::Icon::Question,
                       MsgBox::Buttons::YesNo,
                       MsgBox::Answer::No);
    if (answer != MsgBox::Answer::Yes) {
        return;
    }
    const qint32 bit = m_rowBit[row];
    // Only what is in the in-use mask is taken out of it, so a table read from a damaged file cannot turn the
    // mask into bits of groups that do not exist.
    const quint32 inUse = static_cast<quint32>(basGroup::GroupMask()) & static_cast<quint32>(bit);
    basGroup::AddGroupMask(static_cast<qint32>(0u - inUse));
    basGroup::SetGroup(QString(), m_rowPosition[row], 0, 0);
    const qint32 n = m_people.kibGetNumUserInfo();
    for (qint32 i = 1; i <= n; ++i) {
        PersonRecord* person = nullptr;
        m_people.kibGetUserInfo(person, i);
        if (!person) {
            continue;
        }
        const qint32 mask = GroupMask(*person);
        if ((mask & bit) != 0) {
            person->kiParamValue(KeyMyGroupId, ParamValue::FromInt32(mask & ~bit));
        }
    }
    GroupRefresh();
    m_kigIsUpdate = true;
}

void frmGroupMain::cmdRenewal_Click()
{
    const int row = SelectedRow();
    const qint32 n = m_people.kibGetNumUserInfo();
    bool changed = false;
    for (int p = 0; p < ListedSlots; ++p) {
        qint32 stored = 0;
        qint32 bit = 0;
        QString name;
        basGroup::GetGroup(stored, bit, name, p);
        if (bit == 0) {
            continue;
        }
        qint32 count = 0;
        for (qint32 i = 1; i <= n; ++i) {
            PersonRecord* person = nullptr;
            m_people.kibGetUserInfo(person, i);
            if (person && (GroupMask(*person) & bit) != 0) {
                ++count;
            }
        }
        if (count != stored) {
            basGroup::SetGroup(name, p, count, bit);
            changed = true;
        }
    }
    if (!changed) {
        return;
    }
    m_kigIsUpdate = true;
    GroupRefresh();
    SelectRow(row);
}

void frmGroupMain::cmdSelect_Click()
{
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    basGroup::SetCurrentGroup(m_rowPosition[row]);
    m_kigIsSelect = true;
    accept();
}

void frmGroupMain::cmdCancel_Click()
{
    reject();
}

void frmGroupMain::cmdHelp_Click()
{
    Help::ShowTopic(this, basMain::HelpFilePath(), HelpContext);
}

void frmGroupMain::lstGroup_KeyDown(int keyCode)
{
    if (keyCode == KeyCodeDelete) {
        cmdDelete_Click();
    }
}

bool frmGroupMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstGroup && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        lstGroup_KeyDown(KeyCodeDelete);
        return true;
    }
    return ProgramDialog::eventFilter(watched, event);
}
