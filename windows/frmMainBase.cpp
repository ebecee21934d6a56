#include "frmMainBase.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWindowStateChangeEvent>

#include "app/basMain.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCritical.h"
#include "dialogs/frmDate.h"
#include "dialogs/frmOptions.h"
#include "graph/basGraph.h"
#include "graph/core/CurveValues.h"
#include "people/frmBirth.h"
#include "platform/AppIcon.h"
#include "platform/CommonDialogs.h"
#include "platform/DialogRegistry.h"
#include "platform/FileRetry.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MsgBox.h"
#include "platform/PictureBox.h"
#include "platform/PrinterSurface.h"
#include "platform/Screen.h"
#include "platform/TrayIcon.h"
#include "platform/core/Clock.h"
#include "platform/core/DayWatcher.h"
#include "platform/core/ProgramFolder.h"

using basParam::GetParam;
using basParam::SetParam;

namespace {

// Who takes over when a main window unloads: the other variant after the options swap, or the end.
struct
{
    std::function<void(bool taskTray)> swap;
    std::function<void()> end;
} g_unloadHandlers;

const QString* const ColorKeys[] = {&SettingKey::GraphForeColor,
                                    &SettingKey::GraphBackColor,
                                    &SettingKey::GraphPhysColor,
                                    &SettingKey::GraphSensColor,
                                    &SettingKey::GraphIntelColor};

// The day the notification icon last named the day's critical days: one reminder a day for the whole run,
// also when the two main windows take turns.
std::optional<Date> g_remindedDay;

} // namespace

frmMainBase::frmMainBase(Variant variant, QWidget* parent)
    : QMainWindow(parent)
    , m_variant(variant)
{
    setObjectName(variant == Variant::Tray ? QStringLiteral("frmMain") : QStringLiteral("frmMainTask"));
    setWindowTitle(tr("バイオリズム"));
    setWindowIcon(AppIcon::Icon());
    DialogRegistry::RegisterWindow(this);
    CreateControls();
    // Our Japanese font draws wider than the one the layout was measured for: no caption may be cut.
    Forms::FitCaptions(this);
    CreateMenus();
    Help::OnF1(this, [this] { mnuHelpContents_Click(); });
    Form_Load();
    // Whoever sets a setting, the window follows it here.
    connect(&SettingsNotifier::Instance(), &SettingsNotifier::Changed, this, &frmMainBase::SettingChanged);
    connect(&SettingsNotifier::Instance(), &SettingsNotifier::Settled, this, &frmMainBase::SettingsSettled);
}

void frmMainBase::SettingChanged(const QString& key)
{
    // The window's own place and size, and what only saving, printing, exporting, asking or the icon read.
    static const QStringList notDrawn {SettingKey::GraphPosX,
                                       SettingKey::GraphPosY,
                                       SettingKey::GraphWidth,
                                       SettingKey::GraphHeight,
                                       SettingKey::TaskTray,
                                       SettingKey::AlwayTop,
                                       SettingKey::MultiNum,
                                       SettingKey::PrintRate,
                                       SettingKey::DelimChar,
                                       SettingKey::Position,
                                       SettingKey::ReadBirthDay,
                                       SettingKey::Reminder};
    m_due.redraw = m_due.redraw || !notDrawn.contains(key);
    m_due.dateCaptions = m_due.dateCaptions || key == SettingKey::DispPeriod;
    m_due.dateButtons = m_due.dateButtons || key == SettingKey::DateChangeButton;
}

void frmMainBase::SettingsSettled()
{
    const Due due = std::exchange(m_due, Due());
    if (m_unloaded) {
        return;
    }
    if (due.dateButtons) {
        const bool shown = GetParam(SettingKey::DateChangeButton).AsBool();
        for (int i = 0; i < 3; ++i) {
            SetDateButtonVisible(i, shown);
        }
        Form_Resize();
    }
    if (due.dateCaptions) {
        const QString period = QString::number(GetParam(SettingKey::DispPeriod).AsInt());
        SetDateChangeCaption(1, period + tr("日前(&B)"));
        SetDateChangeCaption(2, period + tr("日後(&A)"));
    }
    if (due.redraw) {
        Redraw();
        basGraph::SetGraphCaption(*this);
    }
}

void frmMainBase::CreateControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    const QString dateCaptions[] = {tr("今日(&T)"), tr("日前(&B)"), tr("日後(&A)")};
    const int lefts[] = {120, 1200, 2280};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(dateCaptions[i], m_client);
        button->setObjectName(QStringLiteral("cmdChangeDate%1").arg(i));
        button->setGeometry(Forms::PixelsX(lefts[i]), Forms::PixelsY(120), Forms::PixelsX(1095), Forms::PixelsY(255));
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdChangeDate_Click(i); });
        m_cmdChangeDate[static_cast<size_t>(i)] = button;
    }
    setTabOrder(m_cmdChangeDate[0], m_cmdChangeDate[1]);
    setTabOrder(m_cmdChangeDate[1], m_cmdChangeDate[2]);

    // Two one-pixel rules, grey over white, etch a line under the menu bar.
    const QColor lineColors[] = {QColor(128, 128, 128), QColor(255, 255, 255)};
    for (int i = 0; i < 2; ++i) {
        auto* line = new QFrame(m_client);
        line->setObjectName(QStringLiteral("Line1_%1").arg(i));
        line->setAutoFillBackground(true);
        QPalette pal = line->palette();
        pal.setColor(QPalette::Window, lineColors[i]);
        line->setPalette(pal);
        line->setGeometry(0, Forms::PixelsY(i * 15), Forms::PixelsX(5700), 1);
        m_line1[static_cast<size_t>(i)] = line;
    }

    m_picGraph = new PictureBox(m_client);
    m_picGraph->setObjectName(QStringLiteral("picGraph"));
    // A new size or pixel ratio leaves an empty picture: draw it again once the resize has settled.
    connect(
        m_picGraph, &PictureBox::SurfaceResized, this, [this] { Redraw(); }, Qt::QueuedConnection);
}

namespace {

// Tests and the notification icon's chain find menu items and menus by their names.
QAction* Named(QAction* action, const QString& name)
{
    action->setObjectName(name);
    return action;
}

QMenu* Named(QMenu* menu, const char* name)
{
    menu->setObjectName(QLatin1String(name));
    return menu;
}

void Separator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

} // namespace

void frmMainBase::CreateMenus()
{
    using K = QKeySequence;
    QMenu* mnuFile = Named(menuBar()->addMenu(tr("ファイル(&F)")), "mnuFile");
    Named(mnuFile->addAction(tr("保存(&S)..."), K(), this, &frmMainBase::mnuFileSave_Click), "mnuFileSave");
    Separator(mnuFile, "mnuFileBar1");
    Named(mnuFile->addAction(tr("ページ設定(&U)..."), K(), this, &frmMainBase::mnuFilePrinterSet_Click),
          "mnuFilePrinterSet");
    Named(mnuFile->addAction(tr("印刷(&P)..."), K(), this, &frmMainBase::mnuFilePrint_Click), "mnuFilePrint");
    Named(mnuFile->addAction(tr("印刷プレビュー(&V)..."), K(), this, &frmMainBase::mnuFilePrintPreview_Click),
          "mnuFilePrintPreview");
    Separator(mnuFile, "mnuFileBar2");
    if (m_variant == Variant::Tray) {
        Named(mnuFile->addAction(tr("閉じる(&C)"), K("Ctrl+Q"), this, &frmMainBase::mnuFileClose_Click),
              "mnuFileClose");
    } else {
        Named(mnuFile->addAction(tr("終了(&X)"), K("Ctrl+Q"), this, &frmMainBase::mnuFileExit_Click), "mnuFileExit");
    }

    QMenu* mnuView = Named(menuBar()->addMenu(tr("表示(&V)")), "mnuView");
    Named(mnuView->addAction(tr("表示人変更(&H)..."), K("Ctrl+H"), this, &frmMainBase::mnuViewBirthDay_Click),
          "mnuViewBirthDay");
    QMenu* mnuViewDate = Named(mnuView->addMenu(tr("表示日変更(&D)")), "mnuViewDate");
    const char* dateCaptions[] = {QT_TR_NOOP("今日(&T)"), QT_TR_NOOP("日前(&B)"), QT_TR_NOOP("日後(&A)")};
    const char* dateKeys[] = {"Ctrl+T", "Ctrl+B", "Ctrl+A"};
    for (int i = 0; i < 3; ++i) {
        m_mnuViewDateChange[static_cast<size_t>(i)] = Named(
            mnuViewDate->addAction(
                tr(dateCaptions[i]), K(QLatin1String(dateKeys[i])), this, [this, i] { mnuViewDateChange_Click(i); }),
            QStringLiteral("mnuViewDateChange%1").arg(i));
    }
    Named(mnuViewDate->addAction(tr("日付指定(&R)..."), K("Ctrl+R"), this, &frmMainBase::mnuViewDateReserve_Click),
          "mnuViewDateReserve");
    Separator(mnuViewDate, "mnuViewDateBar1");
    m_mnuViewDateButton = Named(new QAction(tr("ボタン表示(&D)"), this), "mnuViewDateButton");
    m_mnuViewDateButton->setShortcut(K("Ctrl+D"));
    m_mnuViewDateButton->setCheckable(true);
    connect(m_mnuViewDateButton, &QAction::toggled, this, &frmMainBase::mnuViewDateButton_Click);
    mnuViewDate->addAction(m_mnuViewDateButton);
    Separator(mnuView, "mnuViewBar1");

    QMenu* mnuViewColor = Named(mnuView->addMenu(tr("グラフ表示色(&C)")), "mnuViewColor");
    const char* colorCaptions[] = {QT_TR_NOOP("前景色(&F)..."),
                                   QT_TR_NOOP("背景色(&B)..."),
                                   QT_TR_NOOP("身体表示色(&P)..."),
                                   QT_TR_NOOP("感情表示色(&S)..."),
                                   QT_TR_NOOP("知性表示色(&I)...")};
    for (int i = 0; i < 5; ++i) {
        Named(mnuViewColor->addAction(tr(colorCaptions[i]), K(), this, [this, i] { mnuViewColorSelect_Click(i); }),
              QStringLiteral("mnuViewColorSelect%1").arg(i));
    }
    Separator(mnuViewColor, "mnuViewColorBar1");
    Named(mnuViewColor->addAction(tr("標準に戻す(&D)"), K(), this, &frmMainBase::mnuViewColorDefaults_Click),
          "mnuViewColorDefaults");

    const char* graphCaptions[] = {QT_TR_NOOP("身体グラフ(&P)"),
                                   QT_TR_NOOP("感情グラフ(&S)"),
                                   QT_TR_NOOP("知性グラフ(&I)"),
                                   QT_TR_NOOP("要注意日(&W)")};
    const char* graphKeys[] = {"Ctrl+P", "Ctrl+S", "Ctrl+I", "Ctrl+W"};
    for (int i = 0; i < 4; ++i) {
        QAction* a = Named(new QAction(tr(graphCaptions[i]), this), QStringLiteral("mnuViewSelectGraph%1").arg(i));
        a->setShortcut(K(QLatin1String(graphKeys[i])));
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, [this, i](bool checked) { mnuViewSelectGraph_Click(i, checked); });
        mnuView->addAction(a);
        m_mnuViewSelectGraph[static_cast<size_t>(i)] = a;
    }
    m_mnuViewShowNames = Named(new QAction(tr("名前を表示(&N)"), this), "mnuViewShowNames");
    m_mnuViewShowNames->setCheckable(true);
    m_mnuViewShowNames->setChecked(GetParam(SettingKey::ShowNames).AsBool());
    connect(m_mnuViewShowNames, &QAction::toggled, this, &frmMainBase::mnuViewShowNames_Click);
    mnuView->addAction(m_mnuViewShowNames);
    m_mnuViewCalendarMarks = Named(new QAction(tr("暦を表示(&K)"), this), "mnuViewCalendarMarks");
    m_mnuViewCalendarMarks->setCheckable(true);
    m_mnuViewCalendarMarks->setChecked(GetParam(SettingKey::CalendarMarks).AsBool());
    connect(m_mnuViewCalendarMarks, &QAction::toggled, this, [](bool shown) {
        SetParam(SettingKey::CalendarMarks, shown);
    });
    mnuView->addAction(m_mnuViewCalendarMarks);
    Named(mnuView->addAction(tr("要注意日一覧(&L)..."), K("Ctrl+L"), this, &frmMainBase::mnuViewCritical_Click),
          "mnuViewCritical");
    Separator(mnuView, "mnuViewBar2");
    Named(mnuView->addAction(tr("再描画(&R)"), K("F5"), this, &frmMainBase::mnuViewRefresh_Click), "mnuViewRefresh");
    Separator(mnuView, "mnuViewBar3");
    Named(mnuView->addAction(tr("オプション(&O)..."), K("Ctrl+O"), this, &frmMainBase::mnuViewOption_Click),
          "mnuViewOption");

    QMenu* mnuHelp = Named(menuBar()->addMenu(tr("ヘルプ(&H)")), "mnuHelp");
    Named(mnuHelp->addAction(tr("トピックの検索(&S)..."), K(), this, &frmMainBase::mnuHelpContents_Click),
          "mnuHelpContents");
    Separator(mnuHelp, "mnuHelpBar1");
    Named(mnuHelp->addAction(tr("バージョン情報(&A)..."), K(), this, &frmMainBase::mnuHelpAbout_Click), "mnuHelpAbout");

    if (m_variant == Variant::Tray) {
        // The popup of the notification icon; it never appears in the menu bar.
        m_mnuTaskTray = Named(new QMenu(tr("タスクトレイに表示するメニュー"), this), "mnuTaskTray");
        Named(m_mnuTaskTray->addAction(tr("バイオリズム"), K(), this, &frmMainBase::mnuTaskTrayShow_Click),
              "mnuTaskTrayShow");
        Named(m_mnuTaskTray->addAction(tr("要注意日一覧"), K(), this, &frmMainBase::mnuTaskTrayCritical_Click),
              "mnuTaskTrayCritical");
        Named(m_mnuTaskTray->addAction(tr("バージョン情報"), K(), this, &frmMainBase::mnuTaskTrayAbout_Click),
              "mnuTaskTrayAbout");
        Separator(m_mnuTaskTray, "mnuTaskTrayBar1");
        Named(m_mnuTaskTray->addAction(tr("終了"), K(), this, &frmMainBase::mnuTaskTrayClose_Click),
              "mnuTaskTrayClose");
    }
}

void frmMainBase::Form_Load()
{
    m_ready = false;
    m_rememberedWidth = GetParam(SettingKey::GraphWidth).AsInt();
    m_rememberedHeight = GetParam(SettingKey::GraphHeight).AsInt();
    basGraph::InitMainWindow(*this);
    m_dayWatcher = new DayWatcher(this);
    connect(m_dayWatcher, &DayWatcher::DayChanged, this, &frmMainBase::DayWatcher_DayChanged);
    if (m_variant == Variant::Tray && GetParam(SettingKey::TaskTray).AsBool()) {
        m_tray = new TrayIcon(this);
        m_tray->setObjectName(QStringLiteral("trayIcon"));
        // A click on the icon is the user coming back, perhaps after the machine slept: the date comes first.
        connect(m_tray, &TrayIcon::DoubleClicked, m_dayWatcher, &DayWatcher::Check);
        connect(m_tray, &TrayIcon::RightButtonPressed, m_dayWatcher, &DayWatcher::Check);
        connect(m_tray, &TrayIcon::MessageClicked, m_dayWatcher, &DayWatcher::Check);
        connect(m_tray, &TrayIcon::MenuOpening, m_dayWatcher, &DayWatcher::Check);
        connect(m_tray, &TrayIcon::DoubleClicked, this, [this] { TrayIcon_DoubleClick(); });
        connect(m_tray, &TrayIcon::RightButtonPressed, this, [this](const QPoint& p) { TrayIcon_RightButton(p); });
        // The reminder names today's critical days; clicking it shows them with the days ahead.
        connect(m_tray, &TrayIcon::MessageClicked, this, [this] { TrayIcon_MessageClick(); });
        connect(m_tray, &TrayIcon::AreaLost, this, [this] { TrayIcon_AreaLost(); });
        connect(m_tray, &TrayIcon::MenuOpening, this, [this] { BringWaitingForward(); });
        m_tray->SetMenu(m_mnuTaskTray);
        m_tray->Add(tr("バイオリズム"));
    }
    RemindOfCriticalDays();
}

void frmMainBase::ResetReminderForTests()
{
    g_remindedDay.reset();
}

void frmMainBase::DayWatcher_DayChanged(Date previous, Date today)
{
    if (m_unloaded) {
        return;
    }
    // Today's chart moves on with the calendar; a date the user chose stays where it is.
    if (GetParam(SettingKey::DispDay).AsDate() == previous) {
        SetParam(SettingKey::DispDay, today);
    }
    RemindOfCriticalDays();
}

void frmMainBase::RemindOfCriticalDays()
{
    const Date today = Clock::Today();
    if (!m_tray || !m_tray->IsShown() || !GetParam(SettingKey::Reminder).AsBool() || g_remindedDay == today) {
        return;
    }
    const QString text = basGraph::ReminderText(basGraph::DisplayPeople(), today);
    if (text.isEmpty()) {
        return;
    }
    g_remindedDay = today;
    m_tray->ShowMessage(tr("今日は要注意日です"), text);
}

QSize frmMainBase::ClientSizePixels() const
{
    return m_client->size();
}

bool frmMainBase::SelectGraphChecked(int index) const
{
    return index >= 0 && index < 4 && m_mnuViewSelectGraph[static_cast<size_t>(index)]->isChecked();
}

// Marks the program sets from the settings are no user's choice: they run no handler.
void frmMainBase::SetSelectGraphChecked(int index, bool checked)
{
    if (index >= 0 && index < 4) {
        const QSignalBlocker quiet(m_mnuViewSelectGraph[static_cast<size_t>(index)]);
        m_mnuViewSelectGraph[static_cast<size_t>(index)]->setChecked(checked);
    }
}

void frmMainBase::SetDateButtonChecked(bool checked)
{
    const QSignalBlocker quiet(m_mnuViewDateButton);
    m_mnuViewDateButton->setChecked(checked);
}

void frmMainBase::SetDateChangeCaption(int index, const QString& caption)
{
    if (index >= 0 && index < 3) {
        m_cmdChangeDate[static_cast<size_t>(index)]->setText(caption);
        m_mnuViewDateChange[static_cast<size_t>(index)]->setText(caption);
    }
}

void frmMainBase::SetDateButtonVisible(int index, bool visible)
{
    if (index >= 0 && index < 3) {
        m_cmdChangeDate[static_cast<size_t>(index)]->setVisible(visible);
    }
}

void frmMainBase::SetLineEndX(qint32 twips)
{
    for (QFrame* line : m_line1) {
        line->resize(std::max(1, Forms::PixelsX(twips)), 1);
    }
}

void frmMainBase::Redraw()
{
    basGraph::DrawGraph(*this, m_ready);
}

void frmMainBase::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMainBase::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Shown again, perhaps after the machine slept through midnight: the chart shows today, not yesterday.
    if (m_dayWatcher) {
        m_dayWatcher->Check();
    }
}

void frmMainBase::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_dayWatcher) {
        m_dayWatcher->Check();
    }
}

void frmMainBase::Form_Resize()
{
    if (m_unloaded) {
        return;
    }
    if (isMinimized()) {
        if (m_variant == Variant::Tray && CanPutAway()) {
            // Minimising puts the window away into the notification area instead.
            hide();
            setWindowState(windowState() & ~Qt::WindowMinimized);
        }
        m_ready = true;
        return;
    }
    basGraph::LayoutMainWindow(*this);
    if (!isMaximized()) {
        const QRect twips = Forms::GeometryTwips(this);
        m_rememberedWidth = twips.width();
        m_rememberedHeight = twips.height();
    }
    m_ready = true;
}

void frmMainBase::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Form_KeyPress(27);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMainBase::Form_KeyPress(int keyCode)
{
    if (keyCode == 27) {
        basGraph::StopDrawing(false);
    }
}

void frmMainBase::cmdChangeDate_Click(int index)
{
    const Date day = GetParam(SettingKey::DispDay).AsDate();
    const int period = GetParam(SettingKey::DispPeriod).AsInt();
    std::optional<Date> next;
    switch (index) {
        case 0:
            next = Clock::Today();
            break;
        case 1:
            next = day.AddDays(-period);
            break;
        case 2:
            next = day.AddDays(period);
            break;
        default:
            return;
    }
    // At the ends of the calendar the date simply stays.
    if (next) {
        SetParam(SettingKey::DispDay, *next);
    }
}

void frmMainBase::mnuViewDateChange_Click(int index)
{
    cmdChangeDate_Click(index);
}

void frmMainBase::mnuFileSave_Click()
{
    const auto name = CommonDialogs::GetSaveFileName(
        this,
        tr("ＣＳＶ(カンマ区切り) (*.csv);;すべてのファイル (*.*)"),
        tr("曲線_%1.csv").arg(GetParam(SettingKey::DispDay).AsDate().ToQDate().toString(Qt::ISODate)));
    if (!name) {
        return;
    }
    if (!CommonDialogs::ConfirmOverwrite(this, *name)) {
        return;
    }
    FileRetry::UntilDone(
        this, *name, basGraph::CurveValuesWriteFailureText(), [&] { return basGraph::SaveCurveValues(*name); });
}

void frmMainBase::mnuFilePrinterSet_Click()
{
    CommonDialogs::ShowPageSetup(this, CommonDialogs::ProgramPrinter());
}

void frmMainBase::ReportPrintFailure(const QString& description, int number)
{
    // The taskbar window has always ended a failed print silently.
    if (m_variant == Variant::Tray) {
        MsgBox::Show(
            this, description + QString::number(number), MsgBox::AppTitle(), MsgBox::Icon::None, MsgBox::Buttons::Ok);
    }
}

AppError frmMainBase::PrintPages(QPrinter& printer)
{
    const int orientation = printer.pageLayout().orientation() == QPageLayout::Portrait ? 1 : 2;
    PrinterSurface surface;
    AppError e = surface.Begin(&printer, basGraph::PrintPageUnits(orientation));
    if (!Failed(e)) {
        e = basGraph::PrintGraph(*this, orientation, surface);
        const AppError end = surface.End();
        if (!Failed(e)) {
            e = end;
        }
    }
    return e;
}

void frmMainBase::mnuFilePrint_Click()
{
    QPrinter& printer = CommonDialogs::ProgramPrinter();
    if (!CommonDialogs::ShowPrintDialog(this, printer)) {
        ReportPrintFailure(CommonDialogs::CancelErrorDescription(), CommonDialogs::CancelErrorNumber);
        return;
    }
    const AppError e = PrintPages(printer);
    if (Failed(e)) {
        ReportPrintFailure(ErrorDescription(e), ErrorNumber(e));
    }
}

void frmMainBase::mnuFilePrintPreview_Click()
{
    // The preview draws the very pages printing draws, and prints them from its own print button.
    AppError failure = AppError::None;
    CommonDialogs::ShowPrintPreview(this, CommonDialogs::ProgramPrinter(), [&](QPrinter& printer) {
        const basGraph::HoldEvents hold;
        const AppError e = PrintPages(printer);
        if (Failed(e)) {
            failure = e;
        }
    });
    if (Failed(failure)) {
        ReportPrintFailure(ErrorDescription(failure), ErrorNumber(failure));
    }
}

void frmMainBase::mnuFileClose_Click()
{
    if (CanPutAway()) {
        hide();
    } else {
        showMinimized();
    }
}

bool frmMainBase::CanPutAway()
{
    return !m_tray || !m_tray->AreaGone();
}

void frmMainBase::mnuFileExit_Click()
{
    close();
}

void frmMainBase::UnloadOtherWindows()
{
    DialogRegistry::CloseOtherWindows(this);
}

bool frmMainBase::RunHidingWhenOnTop(const std::function<bool()>& dialog)
{
    if (!GetParam(SettingKey::AlwayTop).AsBool()) {
        return dialog();
    }
    // A window on top of everything would cover its own modal dialog.
    hide();
    const bool status = dialog();
    show();
    return status;
}

void frmMainBase::mnuViewBirthDay_Click()
{
    UnloadOtherWindows();
    RunHidingWhenOnTop([this] { return RunPeopleDialog(this); });
}

void frmMainBase::mnuViewDateReserve_Click()
{
    UnloadOtherWindows();
    RunHidingWhenOnTop([this] { return RunDateDialog(this); });
}

void frmMainBase::mnuViewDateButton_Click(bool shown)
{
    SetParam(SettingKey::DateChangeButton, shown);
}

void frmMainBase::mnuViewColorSelect_Click(int index)
{
    if (index < 0 || index > 4) {
        return;
    }
    UnloadOtherWindows();
    const bool hideAround = GetParam(SettingKey::AlwayTop).AsBool();
    if (hideAround) {
        hide();
    }
    const auto color = CommonDialogs::ChooseColor(this);
    if (hideAround) {
        show();
    }
    if (!color) {
        return;
    }
    QString text;
    const qint64 value = color->red() | (color->green() << 8) | (color->blue() << 16);
    if (!Failed(basGraph::ColorToText(value, text))) {
        SetParam(*ColorKeys[index], text);
    }
}

void frmMainBase::mnuViewColorDefaults_Click()
{
    basGraph::ResetGraphColors(*this);
}

void frmMainBase::mnuViewSelectGraph_Click(int index, bool checked)
{
    if (index < 0 || index > 3) {
        return;
    }
    // Only this curve's bit changes; the others stay as they are.
    SetParam(SettingKey::GraphDisp, basGraph::WithCurve(GetParam(SettingKey::GraphDisp).AsInt(), index, checked));
}

void frmMainBase::mnuViewShowNames_Click(bool shown)
{
    SetParam(SettingKey::ShowNames, shown);
}

void frmMainBase::mnuViewRefresh_Click()
{
    Redraw();
}

void frmMainBase::mnuViewCritical_Click()
{
    UnloadOtherWindows();
    // Opened from the notification icon the window stays put away.
    if (isVisible()) {
        RunHidingWhenOnTop([this] { return RunCriticalDialog(this); });
    } else {
        RunCriticalDialog(this);
    }
}

void frmMainBase::mnuViewOption_Click()
{
    UnloadOtherWindows();
    const bool taskTrayBefore = GetParam(SettingKey::TaskTray).AsBool();
    if (!RunHidingWhenOnTop([this] { return RunOptionsDialog(this); })) {
        return;
    }
    const bool taskTray = GetParam(SettingKey::TaskTray).AsBool();
    if (taskTray != taskTrayBefore) {
        // The other variant takes over at the place and size this one leaves in the settings.
        m_swapping = true;
        close();
        if (g_unloadHandlers.swap) {
            g_unloadHandlers.swap(taskTray);
        }
        return;
    }
    // Not when the setting changes: the window may be put away behind the dialog just then.
    Forms::SetStayOnTop(this, GetParam(SettingKey::AlwayTop).AsBool());
}

void frmMainBase::mnuHelpContents_Click()
{
    Help::ShowFinder(this, basMain::HelpFilePath());
}

void frmMainBase::mnuHelpAbout_Click()
{
    if (!m_about) {
        m_about = new frmAbout(this);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
}

void frmMainBase::SetUnloadHandlers(std::function<void(bool taskTray)> swap, std::function<void()> end)
{
    g_unloadHandlers.swap = std::move(swap);
    g_unloadHandlers.end = std::move(end);
}

void frmMainBase::ComeForward()
{
    if (!BringWaitingForward()) {
        Forms::BringForward(this);
    }
}

bool frmMainBase::BringWaitingForward()
{
    QWidget* waiting = DialogRegistry::WindowToAnswer();
    Forms::BringForward(waiting);
    return waiting != nullptr;
}

void frmMainBase::TrayIcon_DoubleClick()
{
    m_mnuTaskTray->hide();
    ComeForward();
}

void frmMainBase::TrayIcon_MessageClick()
{
    // The reminder leads to the list of critical days, unless a window waits for the user: that comes first,
    // and its edits stay.
    if (!BringWaitingForward()) {
        mnuViewCritical_Click();
    }
}

void frmMainBase::TrayIcon_AreaLost()
{
    // Hidden in a notification area that is gone, the window could never be reached again.
    if (!m_unloaded && !isVisible()) {
        show();
        ComeForward();
    }
}

void frmMainBase::TrayIcon_RightButton(const QPoint& globalPos)
{
    if (BringWaitingForward()) {
        return;
    }
    activateWindow();
    QCoreApplication::processEvents();
    m_mnuTaskTray->popup(globalPos);
}

void frmMainBase::mnuTaskTrayShow_Click()
{
    m_mnuTaskTray->hide();
    QWidget* dialog = DialogRegistry::ActiveDialog();
    if (!dialog || dialog->objectName() != QLatin1String("frmOptions")) {
        Forms::BringForward(this);
    }
}

// A panel that draws the icon's menu itself shows it even while a window waits for an answer: then the
// items that open or close windows bring that window forward instead.
void frmMainBase::mnuTaskTrayCritical_Click()
{
    m_mnuTaskTray->hide();
    if (!BringWaitingForward()) {
        mnuViewCritical_Click();
    }
}

void frmMainBase::mnuTaskTrayAbout_Click()
{
    m_mnuTaskTray->hide();
    if (!BringWaitingForward()) {
        mnuHelpAbout_Click();
    }
}

void frmMainBase::mnuTaskTrayClose_Click()
{
    if (!BringWaitingForward()) {
        close();
    }
}

void frmMainBase::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmMainBase::Form_Unload()
{
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    UnloadOtherWindows();
    basGraph::StopDrawing(false);
    if (m_variant == Variant::Tray) {
        if (m_tray) {
            m_tray->Remove();
        }
        show();
    }
    StoreGeometry();
    SaveSettingsFile();
    if (!m_swapping && g_unloadHandlers.end) {
        g_unloadHandlers.end();
    }
}

void frmMainBase::SaveSettingsFile()
{
    FileRetry::UntilDone(this, basSettings::SettingsPath(ProgramFolder::Get()), basSettings::WriteFailureText(), [] {
        return basSettings::SaveSettings();
    });
}

void frmMainBase::StoreGeometry()
{
    // A minimised taskbar window keeps the place it had before.
    if (m_variant == Variant::Tray || !isMinimized()) {
        const QRect twips = Forms::GeometryTwips(this);
        SetParam(SettingKey::GraphPosX, twips.x());
        SetParam(SettingKey::GraphPosY, twips.y());
    }
    SetParam(SettingKey::GraphWidth, m_rememberedWidth);
    SetParam(SettingKey::GraphHeight, m_rememberedHeight);
}

void frmMainBase::SaveForSession()
{
    if (m_unloaded) {
        return;
    }
    StoreGeometry();
    SaveSettingsFile();
}
