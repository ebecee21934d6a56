#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include "platform/MsgBox.h"

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
