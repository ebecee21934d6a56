#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

/// The line between the copy of the program that holds the files and a later start on the same files. The
/// running copy listens; the later start asks it to come forward to the user and ends. Both find each other
/// by a name made from the lock of the files, in the user's runtime folder, open to this user only.
class RunningCopy : public QObject
{
    Q_OBJECT
public:
    explicit RunningCopy(QObject* parent = nullptr);
    ~RunningCopy() override;

    /// The name both copies use for the lock file that guards their files.
    static QString ServerName(const QString& lockPath);

    /// Listens under a name. The caller holds the lock, so a name left behind by a copy that crashed is
    /// taken over. False with the reason when nobody can be reached this way.
    bool Listen(const QString& name, QString* reason);

    /// From a later start: asks the copy listening under a name to come forward and waits up to timeoutMs
    /// for its answer. False with the reason when it could not be reached or did not answer.
    static bool AskToComeForward(const QString& name, QString* reason, int timeoutMs = 5000);

signals:
    /// A later start asked for the program.
    void ComeForwardAsked();

private:
    void Answer();

    std::unique_ptr<QLocalServer> m_server;
};
