#include "TrayIcon.h"

#include <QCursor>
#include <QSystemTrayIcon>

#include "AppIcon.h"

TrayIcon::TrayIcon(QObject* parent)
    : QObject(parent)
{
}

TrayIcon::~TrayIcon()
{
    Remove();
}

bool TrayIcon::IsAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Add(const QString& tip)
{
    m_tip = tip;
    m_shown = true;
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(AppIcon::Icon());
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick) {
                emit DoubleClicked();
            } else if (reason == QSystemTrayIcon::Context) {
                emit RightButtonPressed(QCursor::pos());
            }
        });
        connect(m_icon.get(), &QSystemTrayIcon::messageClicked, this, &TrayIcon::MessageClicked);
    }
    m_icon->setToolTip(tip);
    m_icon->show();
}

void TrayIcon::Remove()
{
    m_shown = false;
    if (m_icon) {
        m_icon->hide();
    }
}

void TrayIcon::ShowMessage(const QString& title, const QString& text)
{
    if (!m_shown) {
        return;
    }
    m_messages.push_back({title, text});
    if (m_icon) {
        m_icon->showMessage(title, text, AppIcon::Icon());
    }
}
