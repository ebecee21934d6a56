#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>

class QSystemTrayIcon;
class QWidget;

/// The program's icon in the notification area, with its tip. It reports a left double-click and a
/// right button press (with the mouse position); everything else it ignores.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    /// The icon id the program has always used.
    static constexpr int IconId = 1;

    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    /// Whether the desktop has a notification area at all.
    static bool IsAvailable();

    /// Adds the icon with its tip; removes it.
    void Add(const QString& tip);
    void Remove();
    bool IsShown() const { return m_shown; }
    QString Tip() const { return m_tip; }

    /// A balloon message from the icon, with the program's icon beside it; nothing while the icon is not
    /// shown. Every message shown is recorded, so tests read what the user would have seen.
    void ShowMessage(const QString& title, const QString& text);
    struct Message
    {
        QString title;
        QString text;
    };
    const QList<Message>& Messages() const { return m_messages; }

    /// Test seam: report an event as if the user had caused it.
    void SimulateDoubleClick() { emit DoubleClicked(); }
    void SimulateRightButton(const QPoint& globalPos) { emit RightButtonPressed(globalPos); }
    void SimulateMessageClick() { emit MessageClicked(); }

signals:
    void DoubleClicked();
    void RightButtonPressed(const QPoint& globalPos);
    /// The user clicked the balloon message.
    void MessageClicked();

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QString m_tip;
    bool m_shown = false;
    QList<Message> m_messages;
};
