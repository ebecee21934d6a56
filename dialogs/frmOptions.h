#pragma once

#include "platform/ProgramDialog.h"
#include <QString>

#include <optional>

class NumberBox;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QWidget;

/// What the options dialog shows: slider positions, check marks and the texts of the number boxes.
struct OptionValues
{
    int graphLevel = 0; // 0 coarse to 4 fine; GraphPoint = 5 - position
    int lineWidth = 0; // 0 thin to 4 bold; LineWidth = position + 1
    bool drawMode = false; // overprint: DrawMode 9 (mask pen) when checked, 13 (copy pen) when not
    bool taskTray = false;
    bool alwayTop = false;
    QString dispPeriod;
    bool birthYear = false;
    bool dispTotal = false;
    bool dayLine = false;
    bool fullDay = false;
    QString multiNum;
    QString printRate;
    bool reminder = false; // the notification icon names the day's critical days
};

/// The options as the dialog shows them when it opens, read from the settings store.
OptionValues ReadOptions();

/// The print scale of the box when it is a number from 10 to 100; nothing otherwise (an empty box too).
std::optional<int> PrintRateFromText(const QString& text);

/// Stores confirmed options. False, storing nothing, when the print scale is refused. An empty or zero
/// display period and an empty, 0 or 1 confirmation count keep their old settings without complaint.
bool StoreOptions(const OptionValues& values);

/// The options dialog: thirteen display settings on one page. Confirming writes them to the settings store
/// (never to the settings file); Cancel, Esc and the close box store nothing.
class frmOptions : public ProgramDialog
{
    Q_OBJECT
    Q_PROPERTY(bool kioStatus READ kioStatus)
    Q_PROPERTY(bool kioShowMe READ kioShowMe)
public:
    explicit frmOptions(QWidget* parent = nullptr);

    /// True once the user confirmed valid options; false from loading on. Readable after the dialog closed.
    bool kioStatus() const { return Status(); }
    /// True from loading until the dialog closes.
    bool kioShowMe() const { return IsShown(); }

    /// The options as the controls show them now.
    OptionValues Values() const;

private:
    void CreateControls();
    QLabel* AddLabel(const char* name, const QString& caption, int left, int top, int width);
    QCheckBox* AddCheck(const char* name, const QString& caption, int top);
    QSlider* AddSlider(const char* name, int left, int top, int width);
    void Form_Load();
    void chkDayLine_Click(bool checked);
    void chkTaskTray_Click(bool checked);
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    QTabWidget* tabOption = nullptr;
    QWidget* fraOption = nullptr;
    QSlider* sliGraphLevel = nullptr;
    QSlider* sliLineWidth = nullptr;
    QCheckBox* chkDrawMode = nullptr;
    QCheckBox* chkTaskTray = nullptr;
    QCheckBox* chkAlwayTop = nullptr;
    NumberBox* txtDispPeriod = nullptr;
    QCheckBox* chkBirthYear = nullptr;
    QCheckBox* chkDispTotal = nullptr;
    QCheckBox* chkDayLine = nullptr;
    QCheckBox* chkFullDay = nullptr;
    NumberBox* txtMultiNum = nullptr;
    NumberBox* txtPrintRate = nullptr;
    QCheckBox* chkReminder = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
};

/// Opens the options dialog modally over the owner and deletes it afterwards. True when the user confirmed:
/// the settings store then holds the new options, and the owner applies them (redraw, stay-on-top state,
/// the other main window when TaskTray changed).
bool RunOptionsDialog(QWidget* owner);
