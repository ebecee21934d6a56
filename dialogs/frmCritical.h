#pragma once

#include "platform/ProgramDialog.h"
#include <QString>
#include <QVector>

#include <optional>

#include "graph/core/CriticalDays.h"

class NumberBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class CriticalDayModel;

/// The number of days the list looks ahead, from the text of its box; nothing unless it is 1 to 366.
std::optional<int> ListDaysFromText(const QString& text);

/// The texts of one row of the critical-day list: date in the pattern the Calendar setting chooses
/// ("yyyy/m/d" for the Gregorian calendar, "ge/m/d" for an era), weekday, name, cycles, and "二重"/"三重"
/// when two or three cycles meet that day.
QStringList CriticalDayRow(const QVector<basGraph::Person>& people, const basGraph::CriticalDay& day);

/// The critical-day list (要注意日一覧): each person's cycles on the display date, and every critical day of
/// the display list from the display date on, which can be saved as a calendar file. It changes no setting.
class frmCritical : public ProgramDialog
{
    Q_OBJECT
    Q_PROPERTY(bool kicSaved READ kicSaved)
    Q_PROPERTY(bool kicShowMe READ kicShowMe)
public:
    explicit frmCritical(QWidget* parent = nullptr);

    /// True once a calendar file was written; false from loading on. Readable after the dialog closed.
    bool kicSaved() const { return m_kicSaved; }
    /// True from loading until the dialog closes.
    bool kicShowMe() const { return IsShown(); }

    /// The critical days listed now.
    const QVector<basGraph::CriticalDay>& Days() const { return m_days; }

private:
    void CreateControls();
    void Form_Load();
    void FillValues();
    void cmdRefresh_Click();
    void cmdSave_Click();
    void cmdHelp_Click();

    QLabel* lblValues = nullptr;
    QTableWidget* lstValues = nullptr;
    NumberBox* txtDays = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QTableView* lstCritical = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdHelp = nullptr;
    CriticalDayModel* m_model = nullptr;

    Date m_first;
    QVector<basGraph::Person> m_people;
    QVector<basGraph::CriticalDay> m_days;
    bool m_kicSaved = false;
};

/// Opens the critical-day list modally over the owner and deletes it afterwards. True when a calendar file
/// was written.
bool RunCriticalDialog(QWidget* owner);
