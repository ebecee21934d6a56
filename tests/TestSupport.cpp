#include "TestSupport.h"

#include <QFile>
#include <QWidget>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/basMain.h"
#include "app/basParam.h"
#include "graph/GraphOutput.h"
#include "groups/core/basGroup.h"
#include "platform/CommonDialogs.h"
#include "platform/Forms.h"
#include "platform/core/Clock.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/SafeFile.h"
#include "platform/core/SessionEnd.h"

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
    basGraph::ResetChartState();
    basGroup::ResetForTests();
    basMain::SetHelpFilePath(QString());
    Clock::SetTodayForTests(std::nullopt);
    SafeFile::SetFaultForTests(nullptr);
    SafeFile::SetKeptBytesFolderForTests(QString());
    ProgramFolder::SetForTests(QString());
    SessionEnd::SetEnding(false);
    CommonDialogs::SetAnswerer(nullptr);
    CommonDialogs::ForgetFolderForTests();
    MsgBox::SetAnswerer(nullptr);
    MsgBox::ClearHistory();
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit {};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        m_previous = limit.rlim_cur;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit {};
    if (m_set && getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = static_cast<rlim_t>(m_previous);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
}

bool RunningAsRoot()
{
    return geteuid() == 0;
}

int RunAsOrdinaryUser(const std::function<int()>& work)
{
    const pid_t child = fork();
    if (child == 0) {
        if (RunningAsRoot()
            && (setgroups(0, nullptr) != 0 || setgid(OrdinaryUserId) != 0 || setuid(OrdinaryUserId) != 0)) {
            _exit(125);
        }
        _exit(work());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

QString DesignMismatch(const QWidget* control, const QRect& designTwips)
{
    const QRect design = Forms::Rect(designTwips.x(), designTwips.y(), designTwips.width(), designTwips.height());
    const QRect g = control->geometry();
    if (g == design) {
        return QString();
    }
    const int caption = Forms::CaptionWidth(control);
    const bool rowKept = g.y() == design.y() && g.height() <= design.height() && g.height() >= design.height() - 2;
    const bool grownForCaption = caption > design.width() && g.width() == caption;
    const bool sliverGivenUp = g.width() < design.width() && g.width() >= design.width() - 2;
    const bool widthKept = g.width() == design.width() || grownForCaption || sliverGivenUp;
    const bool inPlace = g.x() == design.x() && widthKept;
    const bool movedRight = g.x() > design.x() && (widthKept || g.right() == design.right());
    if (rowKept && (inPlace || movedRight)) {
        return QString();
    }
    QString text;
    QDebug(&text) << control->objectName() << "at" << g << "designed" << design << "caption needs" << caption;
    return text;
}

Date Ymd(int year, int month, int day)
{
    return *Date::FromYmd(year, month, day);
}
