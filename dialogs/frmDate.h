#pragma once

#include "platform/ProgramDialog.h"
#include <QString>

#include "platform/core/AppError.h"

class NumberBox;
class QComboBox;
class QLabel;
class QPushButton;

/// Stores a confirmed entry: DispDay from the boxes, then the era into Calendar. Conversion when the date is
/// wrong (an empty box, a month or day out of range, a day that does not exist); nothing is stored then.
AppError StoreDisplayDate(const QString& year, const QString& month, const QString& day, int era);

/// The display-date dialog: the date the graph is centred on, typed in the Gregorian calendar or an era.
/// Confirming writes DispDay and Calendar to the settings store; Cancel, Esc and the close box store nothing.
class frmDate : public ProgramDialog
{
    Q_OBJECT
    Q_PROPERTY(bool kidStatus READ kidStatus)
    Q_PROPERTY(bool kioShowMe READ kioShowMe)
public:
    explicit frmDate(QWidget* parent = nullptr);

    /// True once the user confirmed a valid date; false from loading on. Readable after the dialog closed.
    bool kidStatus() const { return Status(); }
    /// True from loading until the dialog closes.
    bool kioShowMe() const { return IsShown(); }

    /// The era the number in the year box is expressed in.
    int YearBoxEra() const { return m_yearBoxEra; }

private:
    void CreateControls();
    void Form_Load();
    void cmbCalender_Click(int index);
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    QLabel* lblTitle = nullptr;
    QComboBox* cmbCalender = nullptr;
    NumberBox* txtYear = nullptr;
    QLabel* lblYear = nullptr;
    NumberBox* txtMonth = nullptr;
    QLabel* lblMonth = nullptr;
    NumberBox* txtDay = nullptr;
    QLabel* lblDay = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    int m_yearBoxEra = 0;
};

/// Opens the display-date dialog modally over the owner and deletes it afterwards. True when the user
/// confirmed: DispDay and Calendar then hold the new date and era, and the owner redraws.
bool RunDateDialog(QWidget* owner);
