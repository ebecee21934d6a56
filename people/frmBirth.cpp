#include "frmBirth.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <initializer_list>
#include <iterator>

#include "app/basCalendar.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "core/basUserInfo.h"
#include "frmExport.h"
#include "groups/core/basGroup.h"
#include "groups/frmGroupMain.h"
#include "platform/CommonDialogs.h"
#include "platform/DialogRegistry.h"
#include "platform/FileRetry.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MsgBox.h"
#include "platform/NumberBox.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp932.h"
#include "platform/core/ProgramFolder.h"

using basParam::GetParam;
using basParam::SetParam;

namespace {

constexpr int ClientWidthTwips = 5250;
constexpr int ClientHeightTwips = 4590;
constexpr int HelpContext = 13;
constexpr int FirstRepeatMs = 500;
constexpr int NextRepeatMs = 300;
constexpr int KeyCodeDelete = 46;

const QString KeyUserName = QStringLiteral("UserName");
const QString KeyBirthDay = QStringLiteral("BirthDay");
const QString KeySelected = QStringLiteral("Selected");
const QString KeyMyGroupId = QStringLiteral("MyGroupId");

bool IsChecked(const QListWidgetItem* item)
{
    return item && item->checkState() == Qt::Checked;
}

// While the list is filled or changed entry by entry it is not painted, so that it is drawn once at the end.
// (Hiding it instead would take the keyboard focus away from it.)
class ListFreeze
{
public:
    explicit ListFreeze(QListWidget* list)
        : m_list(list)
        , m_wasEnabled(list->updatesEnabled())
    {
        m_list->setUpdatesEnabled(false);
    }
    ~ListFreeze() { m_list->setUpdatesEnabled(m_wasEnabled); }
    ListFreeze(const ListFreeze&) = delete;
    ListFreeze& operator=(const ListFreeze&) = delete;

private:
    QListWidget* m_list;
    bool m_wasEnabled;
};

} // namespace

frmBirth::frmBirth(QWidget* owner, const QString& programFolder)
    : ProgramDialog(owner)
    , m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("frmBirth"));
    setWindowTitle(tr("表示人選択"));
    Forms::SetupFixedDialog(this);
    // Modal to its owner only: the help window it opens stays usable, also at start-up when there is no owner.
    setWindowModality(Qt::WindowModal);
    CreateControls();
    ControlsMade([this] { cmdHelp_Click(); });
    CreateMenus();
    Form_Load();
}

void frmBirth::CreateControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Forms::Size(ClientWidthTwips, ClientHeightTwips));

    // The grey and the white line under the menu bar, 15 twips apart.
    auto* linGrey = Forms::Place(new QFrame(client), "linGrey", 0, 0, ClientWidthTwips, 15);
    linGrey->setFixedHeight(1);
    linGrey->setStyleSheet(QStringLiteral("background-color: #808080;"));
    auto* linWhite = Forms::Place(new QFrame(client), "linWhite", 0, 15, ClientWidthTwips, 15);
    linWhite->setFixedHeight(1);
    linWhite->setStyleSheet(QStringLiteral("background-color: #ffffff;"));

    Forms::Place(new QLabel(tr("名　前："), client), "lblUserName", 240, 120, 615, 255);
    txtUserName = Forms::Place(new QLineEdit(client), "txtUserName", 960, 120, 4095, 270);
    Forms::SelectAllOnFocus(txtUserName);
    Forms::Place(new QLabel(tr("誕生日："), client), "lblBirth", 240, 480, 735, 255);
    cmbCalender = Forms::Place(new QComboBox(client), "cmbCalender", 960, 480, 975, 300);
    // The length limits apply to typing only: the program itself may show a longer (negative) year.
    txtYear = Forms::Place(new NumberBox(QStringLiteral("txtYear"), 4, client), "txtYear", 2160, 480, 735, 270);
    Forms::Place(new QLabel(tr("年"), client), "lblYear", 3000, 480, 255, 255);
    txtMonth = Forms::Place(new NumberBox(QStringLiteral("txtMonth"), 2, client), "txtMonth", 3360, 480, 495, 270);
    Forms::Place(new QLabel(tr("月"), client), "lblMonth", 3960, 480, 255, 255);
    txtDay = Forms::Place(new NumberBox(QStringLiteral("txtDay"), 2, client), "txtDay", 4320, 480, 495, 270);
    Forms::Place(new QLabel(tr("日"), client), "lblDay", 4920, 480, 255, 255);

    lstUserInfo = Forms::Place(new QListWidget(client), "lstUserInfo", 240, 1080, 3375, 2790);
    lstUserInfo->setUniformItemSizes(true);
    lstUserInfo->setSelectionMode(QAbstractItemView::SingleSelection);

    cmdAdd = Forms::Place(new QPushButton(tr("追加(&A)"), client), "cmdAdd", 3840, 1080, 1215, 375);
    cmdDelete = Forms::Place(new QPushButton(tr("削除(&D)"), client), "cmdDelete", 3840, 1440, 1215, 375);
    cmdAllChk = Forms::Place(new QPushButton(tr("全指定(&S)"), client), "cmdAllChk", 3840, 1920, 1215, 375);
    cmdAllUnChk = Forms::Place(new QPushButton(tr("全解除(&R)"), client), "cmdAllUnChk", 3840, 2280, 1215, 375);
    cmdUp = Forms::Place(new QPushButton(tr("↑"), client), "cmdUp", 3840, 2880, 615, 375);
    cmdDown = Forms::Place(new QPushButton(tr("↓"), client), "cmdDown", 4440, 2880, 615, 375);
    cmdGroup = Forms::Place(new QPushButton(tr("グループ(&G)..."), client), "cmdGroup", 3840, 3480, 1215, 375);
    cmdOk = Forms::Place(new QPushButton(tr("表示(&V)"), client), "cmdOk", 960, 4080, 1215, 375);
    cmdCancel = Forms::Place(new QPushButton(tr("中止(&C)"), client), "cmdCancel", 2400, 4080, 1215, 375);
    cmdHelp = Forms::Place(new QPushButton(tr("ヘルプ(&H)"), client), "cmdHelp", 3840, 4080, 1215, 375);

    tmrUpDown = new QTimer(this);
    tmrUpDown->setObjectName(QStringLiteral("tmrUpDown"));

    QWidget* order[] = {cmdOk,
                        cmdCancel,
                        cmdHelp,
                        txtUserName,
                        cmbCalender,
                        txtYear,
                        txtMonth,
                        txtDay,
                        lstUserInfo,
                        cmdAdd,
                        cmdDelete,
                        cmdAllChk,
                        cmdAllUnChk,
                        cmdUp,
                        cmdDown,
                        cmdGroup};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    for (QObject* watched :
         std::initializer_list<QObject*> {txtUserName, txtYear, txtMonth, txtDay, lstUserInfo, cmdUp, cmdDown}) {
        watched->installEventFilter(this);
    }

    connect(cmbCalender, qOverload<int>(&QComboBox::currentIndexChanged), this, &frmBirth::cmbCalender_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmBirth::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmBirth::cmdDelete_Click);
    connect(cmdAllChk, &QPushButton::clicked, this, &frmBirth::cmdAllChk_Click);
    connect(cmdAllUnChk, &QPushButton::clicked, this, &frmBirth::cmdAllUnChk_Click);
    connect(cmdGroup, &QPushButton::clicked, this, &frmBirth::cmdGroup_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmBirth::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBirth::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmBirth::cmdHelp_Click);
    connect(tmrUpDown, &QTimer::timeout, this, &frmBirth::tmrUpDown_Timer);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client);

    cmdOk->setDefault(true);
    cmdOk->setFocus();
}

void frmBirth::CreateMenus()
{
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    QMenu* mnuFile = menuBar->addMenu(tr("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->addAction(tr("エクスポート(&E)..."), QKeySequence(), this, &frmBirth::mnuFileExport_Click)
        ->setObjectName(QStringLiteral("mnuFileExport"));
    mnuFile->addAction(tr("インポート(&I)..."), QKeySequence(), this, &frmBirth::mnuFileImport_Click)
        ->setObjectName(QStringLiteral("mnuFileImport"));
    layout()->setMenuBar(menuBar);
}

void frmBirth::Form_Load()
{
    Loaded();

    const int eraCount = basParam::EraCount();
    m_eraIndex = GetParam(SettingKey::Calendar).AsInt();
    if (m_eraIndex < 0 || m_eraIndex >= eraCount) {
        m_eraIndex = 0;
    }
    const basUserInfo::LoadFinding finding = basUserInfo::LoadPeopleFile(m_people, m_programFolder);
    if (finding.kind != basUserInfo::LoadFinding::Kind::None) {
        MsgBox::ShowError(this, basUserInfo::LoadFindingText(finding));
    }

    {
        const QSignalBlocker blocker(cmbCalender);
        cmbCalender->clear();
        for (int i = 0; i < eraCount; ++i) {
            cmbCalender->addItem(basParam::EraName(i));
        }
    }
    // The year box is still empty, so selecting the era changes nothing else.
    cmbCalender->setCurrentIndex(m_eraIndex);

    FillUserList();

    const Date today = Clock::Today();
    txtYear->ShowNumber(basCalendar::YearBoxText(today, m_eraIndex));
    txtMonth->ShowNumber(basCalendar::FormatDate(today, basCalendar::DatePattern::M));
    txtDay->ShowNumber(basCalendar::FormatDate(today, basCalendar::DatePattern::D));
    txtUserName->clear();
    m_modified = false;
}

QString frmBirth::EntryText(const cUserName& person, bool withYear) const
{
    const Date birthday = person.kiParamValue(KeyBirthDay).AsDate();
    return person.kiParamValue(KeyUserName).AsText() + QStringLiteral("   (")
        + basCalendar::FormatDate(birthday, withYear ? basCalendar::DatePattern::YyyyMD : basCalendar::DatePattern::MD)
        + QLatin1Char(')');
}

void frmBirth::FillUserList()
{
    const bool withYear = GetParam(SettingKey::BirthYear).AsBool();
    const ListFreeze freeze(lstUserInfo);
    lstUserInfo->clear();
    for (qint32 i = 1; i <= m_people.Count(); ++i) {
        const cUserName& person = *m_people.Item(i);
        auto* item = new QListWidgetItem(EntryText(person, withYear));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(person.kiParamValue(KeySelected).AsBool() ? Qt::Checked : Qt::Unchecked);
        lstUserInfo->addItem(item);
    }
}

qint32 frmBirth::kibGetNumUserInfo() const
{
    return m_people.Count();
}

void frmBirth::kibGetUserInfo(PersonRecord*& pcUserInfo, qint32 plIndex) const
{
    pcUserInfo = m_people.Item(plIndex);
}

int frmBirth::CheckedCount() const
{
    int n = 0;
    for (int i = 0; i < lstUserInfo->count(); ++i) {
        n += IsChecked(lstUserInfo->item(i)) ? 1 : 0;
    }
    return n;
}

void frmBirth::cmbCalender_Click(int plIndex)
{
    if (plIndex < 0 || txtYear->text().isEmpty()) {
        // The era of the year box stays; a year typed next is still read in it.
        return;
    }
    const auto year = basCalendar::SwitchEraYear(txtYear->text(), m_eraIndex, plIndex);
    if (!year) {
        return;
    }
    txtYear->ShowNumber(*year);
    m_eraIndex = plIndex;
}

void frmBirth::ShowInBoxes(const cUserName& person)
{
    const Date birthday = person.kiParamValue(KeyBirthDay).AsDate();
    txtUserName->setText(person.kiParamValue(KeyUserName).AsText());
    txtYear->ShowNumber(basCalendar::YearBoxText(birthday, m_eraIndex));
    txtMonth->ShowNumber(basCalendar::FormatDate(birthday, basCalendar::DatePattern::M));
    txtDay->ShowNumber(basCalendar::FormatDate(birthday, basCalendar::DatePattern::D));
}

void frmBirth::RemoveEntry(int row)
{
    m_people.Remove(row + 1);
    delete lstUserInfo->takeItem(row);
}

void frmBirth::cmdAdd_Click()
{
    if (txtUserName->text().isEmpty()) {
        MsgBox::ShowError(this, tr("名前を入力してください。"));
        return;
    }
    // Nothing goes on the list that the people and settings files could not keep.
    const QString unwritable = Cp932::Unmappable(txtUserName->text());
    if (!unwritable.isEmpty()) {
        MsgBox::ShowError(this, Cp932::UnwritableNameText(unwritable));
        return;
    }
    const auto birthday = basCalendar::ReadEraDate(txtYear->text(), txtMonth->text(), txtDay->text(), m_eraIndex);
    if (!birthday) {
        MsgBox::ShowError(this, tr("日付の指定に誤りがあります。"));
        return;
    }
    cUserName& person = m_people.Add();
    person.kiParamValue(KeyUserName, ParamValue::FromText(txtUserName->text()));
    person.kiParamValue(KeyBirthDay, ParamValue::FromDate(*birthday));
    auto* item = new QListWidgetItem(EntryText(person, GetParam(SettingKey::BirthYear).AsBool()));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    lstUserInfo->addItem(item);
    // Without a scroll bar this changes nothing; with one the new person becomes the top entry.
    lstUserInfo->scrollToItem(item, QAbstractItemView::PositionAtTop);
    m_modified = true;
}

void frmBirth::cmdDelete_Click()
{
    const int checked = CheckedCount();
    if (checked > 1) {
        const MsgBox::Answer answer
            = MsgBox::Show(this,
                           tr("選択されているリスト項目を、すべて削除します。\r\nよろしいですか？"),
                           tr("一括削除の確認"),
                           MsgBox::Icon::Question,
                           MsgBox::Buttons::YesNo);
        if (answer != MsgBox::Answer::Yes) {
            return;
        }
    }
    if (checked == 0) {
        MsgBox::ShowError(this, tr("リスト項目が選択されていません。"));
        return;
    }
    {
        const ListFreeze freeze(lstUserInfo);
        // From the bottom up, so the boxes end with the checked person nearest the top.
        for (int row = lstUserInfo->count() - 1; row >= 0; --row) {
            if (IsChecked(lstUserInfo->item(row))) {
                ShowInBoxes(*m_people.Item(row + 1));
                RemoveEntry(row);
            }
        }
    }
    m_modified = true;
}

void frmBirth::lstUserInfo_KeyDown(int keyCode)
{
    if (keyCode != KeyCodeDelete) {
        return;
    }
    const int row = lstUserInfo->currentRow();
    if (row < 0 || row >= m_people.Count()) {
        return;
    }
    ShowInBoxes(*m_people.Item(row + 1));
    RemoveEntry(row);
    m_modified = true;
}

void frmBirth::cmdAllChk_Click()
{
    const ListFreeze freeze(lstUserInfo);
    const int focused = lstUserInfo->currentRow();
    for (int i = 0; i < lstUserInfo->count(); ++i) {
        QListWidgetItem* item = lstUserInfo->item(i);
        if (!IsChecked(item)) {
            item->setCheckState(Qt::Checked);
        }
    }
    if (focused >= 0) {
        lstUserInfo->setCurrentRow(focused);
    }
}

void frmBirth::cmdAllUnChk_Click()
{
    const ListFreeze freeze(lstUserInfo);
    for (int i = 0; i < lstUserInfo->count(); ++i) {
        QListWidgetItem* item = lstUserInfo->item(i);
        if (IsChecked(item)) {
            item->setCheckState(Qt::Unchecked);
        }
    }
}

void frmBirth::MoveEntry(MoveMode mode)
{
    const int f = lstUserInfo->currentRow();
    const int count = lstUserInfo->count();
    const bool possible = mode == MoveUp ? (f >= 1 && f < count) : (mode == MoveDown && f >= 0 && f < count - 1);
    if (!possible) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        m_people.Item(i + 1)->kiParamValue(KeySelected, ParamValue::FromBool(IsChecked(lstUserInfo->item(i))));
    }
    const int target = mode == MoveUp ? f - 1 : f + 1;
    m_people.Swap(f + 1, target + 1);
    FillUserList();
    lstUserInfo->setCurrentRow(target);
    m_modified = true;
}

void frmBirth::cmdUpDown_Press(MoveMode mode)
{
    MoveEntry(mode);
    m_moveMode = mode;
    tmrUpDown->start(FirstRepeatMs);
}

void frmBirth::cmdUpDown_Release()
{
    m_moveMode = MoveNone;
    tmrUpDown->stop();
}

void frmBirth::tmrUpDown_Timer()
{
    if (m_moveMode == MoveNone) {
        return;
    }
    MoveEntry(m_moveMode);
    tmrUpDown->setInterval(NextRepeatMs);
}

void frmBirth::ApplyGroupListResult(bool kigIsUpdate, bool kigIsSelect)
{
    if (kigIsUpdate) {
        m_modified = true;
    }
    if (!kigIsSelect) {
        return;
    }
    qint32 count = 0;
    qint32 bit = 0;
    QString name;
    basGroup::GetGroup(count, bit, name, -1);
    const ListFreeze freeze(lstUserInfo);
    for (int i = 0; i < lstUserInfo->count() && i < m_people.Count(); ++i) {
        cUserName& person = *m_people.Item(i + 1);
        const bool member = (person.kiParamValue(KeyMyGroupId).AsInt() & bit) != 0;
        person.kiParamValue(KeySelected, ParamValue::FromBool(member));
        lstUserInfo->item(i)->setCheckState(member ? Qt::Checked : Qt::Unchecked);
    }
}

void frmBirth::cmdGroup_Click()
{
    // The group dialogs work on this dialog's open list, reached through its PeopleSource side.
    const auto [isUpdate, isSelect]
        = Forms::RunModal(new frmGroupMain(*this, this), this, std::pair(false, false), [](frmGroupMain& d) {
              return std::pair(d.kigIsUpdate(), d.kigIsSelect());
          });
    ApplyGroupListResult(isUpdate, isSelect);
}

bool frmBirth::SaveWithEra()
{
    SetParam(SettingKey::Calendar, m_eraIndex);
    return SavePeopleFile();
}

bool frmBirth::SavePeopleFile()
{
    using basUserInfo::Keeping;
    // A file that cannot be read whole is kept first; a failed copy leaves nothing behind, so Retry keeps it
    // again under the same name.
    Keeping keeping;
    const bool kept = FileRetry::UntilDone(
        this, basUserInfo::BackupFilePath(m_programFolder), basUserInfo::WriteFailureText(), [&] {
            keeping = basUserInfo::KeepUnreadablePeopleFile(m_programFolder);
            return keeping.how == Keeping::How::CopyFailed ? keeping.copy : SafeFile::Result::Of(true);
        });
    if (!kept) {
        return false;
    }
    const QString path = basUserInfo::PeopleFilePath(m_programFolder);
    if (keeping.how == Keeping::How::MoveFailed) {
        MsgBox::ShowError(this,
                          basUserInfo::WriteFailureText() + QStringLiteral("\r\n") + ProgramFolder::DisplayPath(path));
        return false;
    }
    return FileRetry::UntilDone(this, path, basUserInfo::WriteFailureText(), [&] {
        return basUserInfo::WritePeopleFile(m_people, m_programFolder);
    });
}

void frmBirth::cmdOk_Click()
{
    // The chart behind follows once, when everything this click stores is stored.
    const SettingsBatch batch;
    const int n = CheckedCount();
    const int multiNum = GetParam(SettingKey::MultiNum).AsInt();
    // With nobody checked there is nothing slow to warn about; the message below says what is missing.
    if (n > 0 && n >= multiNum) {
        const MsgBox::Answer answer
            = MsgBox::Show(this,
                           tr("リスト項目が ") + QString::number(multiNum)
                               + tr("個以上選択されています。\r\n"
                                    "パソコンの性能によっては、表示に時間がかかるかもしれません。\r\n"
                                    "処理を継続しますか？"),
                           tr("確認"),
                           MsgBox::Icon::Exclamation,
                           MsgBox::Buttons::YesNo);
        if (answer != MsgBox::Answer::Yes) {
            return;
        }
    }
    if (n == 0) {
        MsgBox::ShowError(this, tr("リスト項目が選択されていません。"));
        return;
    }
    QList<bool> checked;
    for (int row = 0; row < lstUserInfo->count(); ++row) {
        checked << IsChecked(lstUserInfo->item(row));
    }
    basUserInfo::ShowCheckedPeople(m_people, checked);
    SaveWithEra();
    SetStatus(true);
    m_modified = false;
    accept();
}

void frmBirth::cmdCancel_Click()
{
    reject();
}

void frmBirth::cmdHelp_Click()
{
    Help::ShowTopic(this, basMain::HelpFilePath(), HelpContext);
}

namespace {

const char* const PeopleTextFilter = QT_TR_NOOP("テキストファイル (*.txt);;すべてのファイル (*.*)");

} // namespace

void frmBirth::mnuFileExport_Click()
{
    if (m_people.Count() == 0) {
        MsgBox::ShowError(this, tr("エクスポートするデータがありません"));
        return;
    }
    const auto path = CommonDialogs::GetSaveFileName(this, tr(PeopleTextFilter), tr("人物一覧.txt"));
    if (!path) {
        return;
    }
    if (!CommonDialogs::ConfirmOverwrite(this, *path)) {
        return;
    }
    if (RunExportDialog(this)) {
        FileRetry::UntilDone(this, *path, basUserInfo::TextWriteFailureText(), [&] {
            return basUserInfo::ExportPeople(m_people, *path);
        });
    }
}

void frmBirth::mnuFileImport_Click()
{
    const auto path = CommonDialogs::GetOpenFileName(this, tr(PeopleTextFilter));
    if (!path || !RunExportDialog(this)) {
        return;
    }
    const qint32 before = m_people.Count();
    const auto askContinue = [&](const basUserInfo::BadLine& line) {
        return MsgBox::Show(this,
                            basUserInfo::BadLineQuestion(line, *path),
                            tr("エラー"),
                            MsgBox::Icon::Critical,
                            MsgBox::Buttons::YesNo)
            == MsgBox::Answer::Yes;
    };
    // An unreadable file appends nothing, so Retry reads it again from the start.
    basUserInfo::ImportResult result = basUserInfo::ImportResult::Unreadable;
    FileRetry::UntilDone(this, *path, basUserInfo::TextReadFailureText(), [&] {
        result = basUserInfo::ImportPeople(m_people, *path, askContinue);
        return SafeFile::Result::Of(result != basUserInfo::ImportResult::Unreadable);
    });
    const bool complete = result == basUserInfo::ImportResult::Complete;
    if (m_people.Count() > before) {
        // The people read stay even when the user stopped the import; they join unchecked.
        const bool withYear = GetParam(SettingKey::BirthYear).AsBool();
        const ListFreeze freeze(lstUserInfo);
        for (qint32 i = before + 1; i <= m_people.Count(); ++i) {
            auto* item = new QListWidgetItem(EntryText(*m_people.Item(i), withYear));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            lstUserInfo->addItem(item);
        }
        m_modified = true;
    } else if (complete) {
        MsgBox::Show(this,
                     tr("ファイルに有効なデータがありませんでした。"),
                     tr("失敗"),
                     MsgBox::Icon::Information,
                     MsgBox::Buttons::Ok);
    }
}

bool frmBirth::Form_QueryUnload()
{
    if (!m_modified) {
        return true;
    }
    const MsgBox::Answer answer = MsgBox::Show(
        this, tr("変更内容を保存しますか？"), tr("確認"), MsgBox::Icon::Question, MsgBox::Buttons::YesNoCancel);
    if (answer == MsgBox::Answer::No) {
        return true;
    }
    if (answer != MsgBox::Answer::Yes) {
        return false;
    }
    // A save the user gave up on keeps the dialog open: closing now would throw the changes away although
    // the user asked to keep them. Answering No closes without saving.
    return SaveWithEra();
}

void frmBirth::Form_Unload()
{
    cmdUpDown_Release();
    {
        const ListFreeze freeze(lstUserInfo);
        lstUserInfo->clear();
    }
    m_people.Clear();
}

bool frmBirth::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == txtUserName || watched == txtYear || watched == txtMonth || watched == txtDay) {
        if (type == QEvent::FocusIn) {
            // Enter adds while a box has the focus.
            cmdAdd->setDefault(true);
        }
        return false;
    }
    if (watched == lstUserInfo) {
        if (type == QEvent::FocusIn) {
            cmdOk->setDefault(true);
        } else if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            lstUserInfo_KeyDown(KeyCodeDelete);
            return true;
        }
        return false;
    }
    if (watched == cmdUp || watched == cmdDown) {
        const MoveMode mode = watched == cmdUp ? MoveUp : MoveDown;
        switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                cmdUpDown_Press(mode);
                break;
            case QEvent::MouseButtonRelease:
                cmdUpDown_Release();
                break;
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
                    cmdUpDown_Press(mode);
                }
                break;
            case QEvent::KeyRelease: {
                auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
                    cmdUpDown_Release();
                }
                break;
            }
            case QEvent::FocusOut:
                // A button that loses the focus while held would otherwise never hear its release.
                cmdUpDown_Release();
                break;
            default:
                break;
        }
        return false;
    }
    return ProgramDialog::eventFilter(watched, event);
}

bool RunPeopleDialog(QWidget* owner)
{
    return Forms::RunModal(new frmBirth(owner), owner, false, [](frmBirth& d) { return d.kidStatus(); });
}
