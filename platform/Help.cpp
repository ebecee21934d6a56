#include "Help.h"

#include <QApplication>
#include <QScreen>
#include <QShortcut>

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>

#include "AppIcon.h"
#include "DialogRegistry.h"
#include "Forms.h"
#include "MsgBox.h"
#include "core/ProgramFolder.h"
#include "core/SafeFile.h"

namespace {

constexpr qint64 MaxHelpBytes = qint64(16) << 20;

QPointer<QTextBrowser> g_viewer;
QString g_lastAnchor;

// The help window's designed size; never more than most of the screen it opens on.
constexpr int ViewerWidthTwips = 9600;
constexpr int ViewerHeightTwips = 7200;

// Whole on the screen of the window that asked, within the part panels leave free, beside that window.
void Place(QTextBrowser* viewer, QWidget* asking)
{
    QScreen* screen = asking ? asking->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect free = screen->availableGeometry();
    // Room for the window manager's frame, which is not known before the window is shown.
    const QRect room = free.adjusted(8, 40, -8, -8);
    const QSize size(std::min(Forms::PixelsX(ViewerWidthTwips), room.width() * 9 / 10),
                     std::min(Forms::PixelsY(ViewerHeightTwips), room.height() * 9 / 10));
    QRect place(QPoint(0, 0), size);
    place.moveCenter(asking ? asking->frameGeometry().center() : room.center());
    place.moveLeft(std::clamp(place.left(), room.left(), room.right() - size.width() + 1));
    place.moveTop(std::clamp(place.top(), room.top(), room.bottom() - size.height() + 1));
    viewer->setGeometry(place);
}

bool Open(QWidget* parent, const QString& helpFile, const QString& anchor)
{
    // The help file is a few hundred kilobytes at most: anything far larger is not one.
    const SafeFile::ReadResult file = SafeFile::Read(helpFile, MaxHelpBytes);
    if (!file.Ok()) {
        QString reason = file.error;
        if (file.status == SafeFile::ReadResult::Status::Missing) {
            reason = QStringLiteral("No such file or directory");
        } else if (file.status == SafeFile::ReadResult::Status::TooLarge) {
            reason = QStringLiteral("File too large");
        }
        MsgBox::ShowError(parent,
                          QStringLiteral("ヘルプファイルを開けません。\r\n") + ProgramFolder::DisplayPath(helpFile)
                              + QStringLiteral("\r\n") + reason);
        return false;
    }
    const QString html = QString::fromUtf8(file.bytes);
    // A dialog modal to the whole program blocks every window but its own children: the help it asks for
    // must be one of them to be scrolled and closed while the dialog waits. Help stays a window of its own
    // otherwise, so it outlives the dialog.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner && owner->windowModality() != Qt::ApplicationModal) {
        owner = nullptr;
    }
    if (g_viewer && g_viewer->parentWidget() != owner) {
        delete g_viewer;
    }
    if (!g_viewer) {
        // One help window for the whole program, as the help engine keeps one.
        g_viewer = new QTextBrowser(owner);
        g_viewer->setWindowFlag(Qt::Window);
        g_viewer->setObjectName(QStringLiteral("helpViewer"));
        g_viewer->setAttribute(Qt::WA_DeleteOnClose);
        g_viewer->setWindowTitle(ProgramFolder::ProductName() + QStringLiteral(" ヘルプ"));
        g_viewer->setWindowIcon(AppIcon::Icon());
        g_viewer->setOpenExternalLinks(false);
        // Esc closes help, as it closes the program's dialogs.
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), g_viewer);
        QObject::connect(close, &QShortcut::activated, g_viewer, &QWidget::close);
        DialogRegistry::RegisterWindow(g_viewer);
        Place(g_viewer, parent ? parent->window() : nullptr);
    }
    g_lastAnchor = anchor;
    g_viewer->setHtml(html);
    if (!anchor.isEmpty()) {
        g_viewer->scrollToAnchor(anchor);
    }
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
    return true;
}

} // namespace

namespace Help {

bool ShowTopic(QWidget* parent, const QString& helpFile, int contextId)
{
    return Open(parent, helpFile, QStringLiteral("topic%1").arg(contextId));
}

bool ShowFinder(QWidget* parent, const QString& helpFile)
{
    return Open(parent, helpFile, QStringLiteral("contents"));
}

void OnF1(QWidget* window, std::function<void()> showHelp)
{
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, window, std::move(showHelp));
}

QString LastAnchor()
{
    return g_lastAnchor;
}

} // namespace Help
