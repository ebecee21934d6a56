#include "frmCritical.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

#include "app/basCalendar.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "graph/core/CalendarFile.h"
#include "platform/CommonDialogs.h"
#include "platform/DialogRegistry.h"
#include "platform/FileRetry.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MsgBox.h"
#include "platform/NumberBox.h"
#include "platform/core/Holidays.h"
#include "platform/core/Numeric.h"
#include "platform/core/Rokuyo.h"

namespace {

constexpr int HelpContext = 31;

QString DateText(Date day)
{
    // The list shows dates as the user chose to see years: Gregorian in full, or the platform's era.
    const bool era = basParam::GetParam(SettingKey::Calendar).AsInt() != 0;
    return basCalendar::FormatDate(day, era ? basCalendar::DatePattern::GeMD : basCalendar::DatePattern::YyyyMD);
}

QString WeekdayText(Date day)
{
    static const QString Names = QCoreApplication::translate("frmCritical", "日月火水木金土");
    return Names.mid(day.ToQDate().dayOfWeek() % 7, 1);
}

} // namespace

std::optional<int> ListDaysFromText(const QString& text)
{
    const auto n = Numeric::ParseDecimal(text);
    if (!n) {
        return std::nullopt;
    }
    const auto days = Numeric::ToInt32(*n);
    if (!days || *days < basGraph::MinListDays || *days > basGraph::MaxListDays) {
        return std::nullopt;
    }
    return days;
}

QStringList CriticalDayRow(const QVector<basGraph::Person>& people, const basGraph::CriticalDay& day)
{
    const int count = basGraph::CycleMarkCount(day.cycles);
    const QString meeting = count == 3 ? QCoreApplication::translate("frmCritical", "三重")
        : count == 2                   ? QCoreApplication::translate("frmCritical", "二重")
                                       : QString();
    const QString name = day.person >= 0 && day.person < people.size() ? people[day.person].name : QString();
    return {DateText(day.day), WeekdayText(day.day), name, basGraph::CycleLabels(day.cycles), meeting};
}

/// The rows of the critical-day list, made as the view asks for them: a long display list may give many.
class CriticalDayModel : public QAbstractTableModel
{
public:
    CriticalDayModel(const QVector<basGraph::Person>& people,
                     const QVector<basGraph::CriticalDay>& days,
                     QObject* parent)
        : QAbstractTableModel(parent)
        , m_people(people)
        , m_days(days)
        , m_marks(basParam::GetParam(SettingKey::CalendarMarks).AsBool())
    {
    }

    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_days.size());
    }

    // With the calendar marks on, each day's holiday and 六曜 follow.
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_marks ? 7 : 5;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_days.size()) {
            return {};
        }
        const basGraph::CriticalDay& day = m_days[index.row()];
        if (role == Qt::DisplayRole && index.column() >= 5) {
            return index.column() == 5 ? Holidays::NameOf(day.day).value_or(QString())
                                       : Rokuyo::Of(day.day).value_or(QString());
        }
        if (role == Qt::DisplayRole) {
            return CriticalDayRow(m_people, day).value(index.column());
        }
        // Saturdays blue, Sundays and holidays red, as a Japanese calendar prints them.
        if (role == Qt::ForegroundRole && m_marks && index.column() == 1) {
            switch (Holidays::MarkOf(day.day)) {
                case Holidays::Mark::SundayOrHoliday:
                    return QColor(0xd0, 0, 0);
                case Holidays::Mark::Saturday:
                    return QColor(0, 0, 0xc0);
                case Holidays::Mark::Plain:
                    break;
            }
        }
        // Days where cycles meet stand out.
        if (role == Qt::FontRole && basGraph::CycleMarkCount(day.cycles) > 1) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const Captions[] = {QT_TR_NOOP("日付"),
                                               QT_TR_NOOP("曜日"),
                                               QT_TR_NOOP("名前"),
                                               QT_TR_NOOP("周期"),
                                               QT_TR_NOOP("重なり"),
                                               QT_TR_NOOP("祝日"),
                                               QT_TR_NOOP("六曜")};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount()) {
            return QCoreApplication::translate("frmCritical", Captions[section]);
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    const QVector<basGraph::Person>& m_people;
    const QVector<basGraph::CriticalDay>& m_days;
    const bool m_marks;
};

frmCritical::frmCritical(QWidget* parent)
    : ProgramDialog(parent)
{
    CreateControls();
    ControlsMade([this] { cmdHelp_Click(); });
    Form_Load();
}

void frmCritical::CreateControls()
{
    setObjectName(QStringLiteral("frmCritical"));
    setWindowTitle(tr("要注意日一覧"));
    Forms::SetupFixedDialog(this, 7200, 6105);

    lblValues = Forms::Place(new QLabel(this), "lblValues", 120, 120, 6960, 255);
    lstValues = Forms::Place(new QTableWidget(0, 4, this), "lstValues", 120, 420, 6960, 1500);
    lstValues->setHorizontalHeaderLabels({tr("名前"), tr("身体"), tr("感情"), tr("知性")});
    lstValues->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstValues->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstValues->verticalHeader()->hide();
    lstValues->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    // One line of text per row, so that more people fit in view.
    const int rowHeight = fontMetrics().height() + Forms::PixelsY(60);
    lstValues->verticalHeader()->setDefaultSectionSize(rowHeight);

    // Captions around a box share the box's name, as a pair: index 0 before it, index 1 after it.
    Forms::Place(new QLabel(tr("表示日から"), this), "lblDays", 120, 2100, 1100, 255)->setProperty("index", 0);
    txtDays = new NumberBox(QStringLiteral("txtDays"), 3, this);
    Forms::Place(txtDays, 1260, 2055, 600, 330);
    Forms::Place(new QLabel(tr("日間の要注意日"), this), "lblDays", 1920, 2100, 2200, 255)->setProperty("index", 1);
    cmdRefresh = Forms::Place(new QPushButton(tr("更新(&U)"), this), "cmdRefresh", 5865, 2025, 1215, 375);

    lstCritical = Forms::Place(new QTableView(this), "lstCritical", 120, 2520, 6960, 2955);
    m_model = new CriticalDayModel(m_people, m_days, this);
    lstCritical->setModel(m_model);
    lstCritical->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstCritical->verticalHeader()->hide();
    lstCritical->verticalHeader()->setDefaultSectionSize(rowHeight);
    // The name takes what the short columns leave.
    for (int c : {1, 3, 4, 5, 6}) {
        if (c < m_model->columnCount()) {
            lstCritical->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
        }
    }
    lstCritical->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);

    cmdSave = Forms::Place(new QPushButton(tr("カレンダーに保存(&S)..."), this), "cmdSave", 120, 5610, 2400, 375);
    cmdClose = Forms::Place(new QPushButton(tr("閉じる(&C)"), this), "cmdClose", 4530, 5610, 1215, 375);
    cmdHelp = Forms::Place(new QPushButton(tr("ヘルプ(&H)"), this), "cmdHelp", 5865, 5610, 1215, 375);
    // Enter in the days box lists the days it names.
    cmdRefresh->setDefault(true);

    const QList<QWidget*> order {txtDays, cmdRefresh, lstCritical, lstValues, cmdSave, cmdClose, cmdHelp};
    for (int i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    connect(cmdRefresh, &QPushButton::clicked, this, &frmCritical::cmdRefresh_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmCritical::cmdSave_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, &frmCritical::cmdHelp_Click);
}

void frmCritical::Form_Load()
{
    m_kicSaved = false;
    Loaded();

    m_first = basParam::GetParam(SettingKey::DispDay).AsDate();
    m_people = basGraph::DisplayPeople();
    FillValues();
    txtDays->ShowNumber(QString::number(basGraph::DefaultListDays));
    cmdRefresh_Click();
    txtDays->setFocus();
}

void frmCritical::FillValues()
{
    QString weekday = WeekdayText(m_first);
    // With the calendar marks on, the display date's holiday stands beside its weekday.
    if (const QString holiday = Holidays::NameOf(m_first).value_or(QString());
        !holiday.isEmpty() && basParam::GetParam(SettingKey::CalendarMarks).AsBool()) {
        weekday += QStringLiteral("・") + holiday;
    }
    lblValues->setText(tr("表示日 %1（%2）の値").arg(DateText(m_first), weekday));
    lstValues->setRowCount(static_cast<int>(m_people.size()));
    for (int p = 0; p < m_people.size(); ++p) {
        lstValues->setItem(p, 0, new QTableWidgetItem(m_people[p].name));
        const auto states = basGraph::CycleStates(m_people[p].birthday, m_first);
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(basGraph::CycleStateText(states[static_cast<size_t>(c)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            lstValues->setItem(p, c + 1, item);
        }
    }
}

void frmCritical::cmdRefresh_Click()
{
    const auto days = ListDaysFromText(txtDays->text());
    if (!days) {
        MsgBox::ShowError(this, tr("日数には、１～３６６の数値を入力してください。"));
        txtDays->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_days = basGraph::FindCriticalDays(m_people, m_first, *days);
    m_model->Reset();
    lstCritical->resizeColumnToContents(0);
    cmdSave->setEnabled(!m_days.isEmpty());
}

void frmCritical::cmdSave_Click()
{
    // A display list of thousands over a year would make a file no calendar program takes, slowly.
    if (m_days.size() > CalendarFile::MaxEvents) {
        MsgBox::ShowError(this,
                          tr("要注意日が多すぎるため、カレンダーに保存できません。\r\n"
                             "日数か表示する人を減らしてください。"));
        return;
    }
    const auto chosen
        = CommonDialogs::GetSaveFileName(this,
                                         tr("iCalendar (*.ics);;すべてのファイル (*.*)"),
                                         tr("要注意日_%1.ics").arg(m_first.ToQDate().toString(Qt::ISODate)));
    if (!chosen) {
        return;
    }
    // Calendar programs look for the .ics ending: a name typed without one gets it.
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".ics");
    }
    if (!CommonDialogs::ConfirmOverwrite(this, path)) {
        return;
    }
    const QDateTime stamp = QDateTime::currentDateTimeUtc();
    // A failed attempt leaves the previous file as it was, so Retry simply writes again.
    if (!FileRetry::UntilDone(this, path, tr("カレンダーファイルの書き込みに失敗しました。"), [&] {
            return CalendarFile::Save(path, m_people, m_days, stamp);
        })) {
        return;
    }
    m_kicSaved = true;
}

void frmCritical::cmdHelp_Click()
{
    Help::ShowTopic(this, basMain::HelpFilePath(), HelpContext);
}

bool RunCriticalDialog(QWidget* owner)
{
    // The owner may be closed meanwhile, taking the dialog with it: nothing was saved then that it reports.
    return Forms::RunModal(new frmCritical(owner), owner, false, [](frmCritical& d) { return d.kicSaved(); });
}
