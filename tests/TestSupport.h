#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <functional>

#include "platform/MsgBox.h"
#include "platform/core/Date.h"

/// The day of a year, month and day a test knows to be real.
Date Ymd(int year, int month, int day);

/// A fresh program folder for one test, removed afterwards.
class TempProgramFolder
{
public:
    TempProgramFolder();
    QString Path() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const;
    QByteArray Read(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

/// Answers message boxes from a queue of answers while it lives, recording every box shown.
class ScriptedMessages
{
public:
    explicit ScriptedMessages(QList<MsgBox::Answer> answers = {});
    ~ScriptedMessages();
    const QList<MsgBox::Shown>& Shown() const { return MsgBox::History(); }
    int Remaining() const { return static_cast<int>(m_answers.size()); }

private:
    QList<MsgBox::Answer> m_answers;
};

/// Resets every process-wide module state to what a fresh process has.
void ResetAllState();

/// While it lives, writes past the given number of bytes fail in this process as on a full disk (the
/// file-size limit, with its signal ignored); no special rights are needed.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    bool m_set = false;
    unsigned long long m_previous = 0;
};

/// True when the tests run as root, who writes past every file mode.
bool RunningAsRoot();

/// The user that RunAsOrdinaryUser becomes when the tests run as root (nobody).
constexpr int OrdinaryUserId = 65534;

/// Runs the work in a child process as an ordinary user (nobody when the tests run as root, else the
/// current user) and returns its result, or -1 when the child did not end normally.
int RunAsOrdinaryUser(const std::function<int()>& work);

/// Empty when a control stands where the form's design in twips puts it, or where fitting captions may have
/// moved it: grown to show its caption, a pixel given up to a neighbour it shared an edge with, moved right or
/// shrunk from the left to make room for a grown neighbour on its row. Otherwise what is wrong.
QString DesignMismatch(const QWidget* control, const QRect& designTwips);
