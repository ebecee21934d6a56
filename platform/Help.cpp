#include "Help.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "DialogRegistry.h"
#include "MsgBox.h"
#include "ProgramFolder.h"
#include "SafeFile.h"

namespace {

constexpr qint64 MaxHelpBytes = qint64(16) << 20;

QPointer<QTextBrowser> g_viewer;

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
        g_viewer->resize(640, 480);
        g_viewer->setOpenExternalLinks(false);
        DialogRegistry::RegisterWindow(g_viewer);
    }
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

} // namespace Help
