#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

#include "dialogs/frmAbout.h"
#include "graph/GraphForm.h"
#include "platform/core/AppError.h"
#include "platform/core/Date.h"

class QAction;
class QFrame;
class QMenu;
class DayWatcher;
class QPrinter;
class QPushButton;
class TrayIcon;

/// The main window, in its two variants: frmMain lives in the notification area (closing through the File
/// menu only hides it), frmMainTask is an ordinary taskbar window whose File menu ends the program.
/// Everything the two share is here; the variant decides the few differences.
class frmMainBase : public QMainWindow, public GraphForm
{
    Q_OBJECT
public:
    enum class Variant { Tray, Taskbar };

    Variant GetVariant() const { return m_variant; }
    bool ReadyFlag() const { return m_ready; }
    qint32 RememberedWidth() const { return m_rememberedWidth; }
    qint32 RememberedHeight() const { return m_rememberedHeight; }
    /// The notification icon (frmMain only), and the popup menu it shows.
    TrayIcon* Tray() const { return m_tray; }
    QMenu* mnuTaskTray() const { return m_mnuTaskTray; }
    frmAbout* AboutBox() const { return m_about; }
    /// What tells the window that the date moved on: at midnight, as the session wakes from sleep, and when the
    /// user comes back to the window or its icon.
    DayWatcher* Day() const { return m_dayWatcher; }
    /// Test seam: the day's reminder may be shown again, as in a fresh process.
    static void ResetReminderForTests();
    /// What happens when a main window unloads: swap to the other variant (the options changed where the
    /// window lives) or end the program. The owner of the main windows sets both.
    static void SetUnloadHandlers(std::function<void(bool taskTray)> swap, std::function<void()> end);

    // GraphForm
    QWidget* FormWindow() override { return this; }
    QSize ClientSizePixels() const override;
    PictureBox* picGraph() override { return m_picGraph; }
    bool SelectGraphChecked(int index) const override;
    void SetSelectGraphChecked(int index, bool checked) override;
    void SetDateButtonChecked(bool checked) override;
    void SetDateChangeCaption(int index, const QString& caption) override;
    void SetDateButtonVisible(int index, bool visible) override;
    void SetLineEndX(qint32 twips) override;

    // Handlers, named after their control and event.
    void Form_Resize();
    void Form_Unload();
    /// Stores the window's place and size and writes the settings, as closing does, but stays open: what
    /// the session manager asks for before a logout that may still be cancelled.
    void SaveForSession();
    void Form_KeyPress(int keyCode);
    void cmdChangeDate_Click(int index);
    void mnuViewDateChange_Click(int index);
    void mnuFileSave_Click();
    void mnuFilePrinterSet_Click();
    void mnuFilePrint_Click();
    void mnuFilePrintPreview_Click();
    void mnuFileClose_Click();
    void mnuFileExit_Click();
    void mnuViewBirthDay_Click();
    void mnuViewDateReserve_Click();
    void mnuViewDateButton_Click(bool shown);
    void mnuViewColorSelect_Click(int index);
    void mnuViewColorDefaults_Click();
    void mnuViewSelectGraph_Click(int index, bool checked);
    void mnuViewShowNames_Click(bool shown);
    void mnuViewRefresh_Click();
    void mnuViewCritical_Click();
    void mnuViewOption_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    /// Brings the program to the user: the window waiting for an answer if there is one, else this window.
    void ComeForward();
    void TrayIcon_DoubleClick();
    void TrayIcon_MessageClick();
    void TrayIcon_AreaLost();
    void TrayIcon_RightButton(const QPoint& globalPos);
    void mnuTaskTrayShow_Click();
    void mnuTaskTrayCritical_Click();
    void mnuTaskTrayAbout_Click();
    void mnuTaskTrayClose_Click();

protected:
    explicit frmMainBase(Variant variant, QWidget* parent = nullptr);

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// What the settings that changed since the last round ask of the window.
    struct Due
    {
        bool redraw = false;
        bool dateCaptions = false;
        bool dateButtons = false;
    };
    void SettingChanged(const QString& key);
    void SettingsSettled();
    void Form_Load();
    void CreateControls();
    void CreateMenus();
    /// Closes the program's other windows (never the toolkit's: the icon and its balloon are windows too).
    void UnloadOtherWindows();
    /// Brings the window that waits for the user's answer forward; false when none waits.
    bool BringWaitingForward();
    /// Whether hiding leaves the window reachable: its icon sits in a notification area.
    bool CanPutAway();
    void StoreGeometry();
    /// The pages of the chart on a printer, as printing and the print preview draw them.
    AppError PrintPages(QPrinter& printer);
    void ReportPrintFailure(const QString& description, int number);
    // Rewrites kirvo.ini, asking Retry or Cancel when it cannot be written.
    void SaveSettingsFile();
    /// Runs a modal dialog with the window hidden around it when the windows stay on top of others.
    bool RunHidingWhenOnTop(const std::function<bool()>& dialog);
    void Redraw();
    void DayWatcher_DayChanged(Date previous, Date today);
    /// The notification icon names the people for whom today is a critical day, once a day.
    void RemindOfCriticalDays();

    Variant m_variant;
    bool m_ready = false;
    bool m_unloaded = false;
    bool m_swapping = false;
    Due m_due;
    qint32 m_rememberedWidth = 0;
    qint32 m_rememberedHeight = 0;

    QWidget* m_client = nullptr;
    PictureBox* m_picGraph = nullptr;
    std::array<QPushButton*, 3> m_cmdChangeDate {};
    std::array<QFrame*, 2> m_line1 {};
    std::array<QAction*, 3> m_mnuViewDateChange {};
    std::array<QAction*, 4> m_mnuViewSelectGraph {};
    QAction* m_mnuViewDateButton = nullptr;
    QAction* m_mnuViewShowNames = nullptr;
    QAction* m_mnuViewCalendarMarks = nullptr;
    QMenu* m_mnuTaskTray = nullptr;
    TrayIcon* m_tray = nullptr;
    DayWatcher* m_dayWatcher = nullptr;
    QPointer<frmAbout> m_about;
};
