#include "TestSupport.h"

#include <QFile>

#include "app/basMain.h"
#include "app/basParam.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"

TempProgramFolder::TempProgramFolder()
{
    m_dir.setAutoRemove(true);
}

void TempProgramFolder::Write(const QString& name, const QByteArray& bytes) const
{
    QFile f(File(name));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
}

QByteArray TempProgramFolder::Read(const QString& name) const
{
    QFile f(File(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ScriptedMessages::ScriptedMessages(QList<MsgBox::Answer> answers)
    : m_answers(std::move(answers))
{
    MsgBox::ClearHistory();
    MsgBox::SetAnswerer([this](const MsgBox::Shown& shown) {
        if (m_answers.isEmpty()) {
            // An unexpected box: give the safest answer so the test ends and reports it.
            return shown.buttons == MsgBox::Buttons::YesNo ? MsgBox::Answer::No
                : shown.buttons == MsgBox::Buttons::Ok     ? MsgBox::Answer::Ok
                                                           : MsgBox::Answer::Cancel;
        }
        return m_answers.takeFirst();
    });
}

ScriptedMessages::~ScriptedMessages()
{
    MsgBox::SetAnswerer(nullptr);
}

void ResetAllState()
{
    basParam::ResetForTests();
    basMain::SetHelpFilePath(QString());
    Clock::SetTodayForTests(std::nullopt);
    SafeFile::SetFaultForTests(nullptr);
    ProgramFolder::SetForTests(QString());
}
