// One walk over every form of the program: each caption shows whole in the font in use, and no two controls
// of a form cover each other. Run at 96 and 144 dots per inch.
#include <QAbstractButton>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCritical.h"
#include "dialogs/frmDate.h"
#include "dialogs/frmOptions.h"
#include "graph/basGraph.h"
#include "groups/frmGroupEdit.h"
#include "groups/frmGroupMain.h"
#include "people/frmBirth.h"
#include "people/frmExport.h"
#include "platform/Forms.h"
#include "platform/core/Clock.h"
#include "platform/core/ProgramFolder.h"
#include "windows/MainWindows.h"
#include "windows/frmMain.h"
#include "windows/frmMainTask.h"

namespace {

// Lines drawn as thin frames and pages of a tab widget stand on or under other controls by design.
bool TakesPart(const QWidget* w)
{
    if (w->isHidden() || w->width() <= 0 || w->height() <= 0) {
        return false;
    }
    if (auto* frame = qobject_cast<const QFrame*>(w); frame && (frame->height() <= 2 || frame->width() <= 2)) {
        return false;
    }
    return !qobject_cast<const QStackedWidget*>(w->parentWidget());
}

// Everything wrong with one form, one line each.
QStringList Faults(QWidget* form)
{
    QStringList faults;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->isWindow() || !TakesPart(w) || !w->isVisibleTo(form)) {
            continue;
        }
        const int needed = Forms::CaptionWidth(w);
        if (needed > w->width()) {
            faults << QStringLiteral("%1 cut: needs %2 px, has %3").arg(w->objectName()).arg(needed).arg(w->width());
        }
    }
    QList<QWidget*> parents = form->findChildren<QWidget*>();
    parents << form;
    for (QWidget* parent : parents) {
        QList<QWidget*> siblings;
        for (QObject* child : parent->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (w && !w->isWindow() && TakesPart(w) && w->isVisibleTo(form) && !w->objectName().isEmpty()) {
                siblings << w;
            }
        }
        for (int i = 0; i < siblings.size(); ++i) {
            for (int j = i + 1; j < siblings.size(); ++j) {
                if (siblings[i]->geometry().intersects(siblings[j]->geometry())) {
                    faults
                        << QStringLiteral("%1 overlaps %2").arg(siblings[i]->objectName(), siblings[j]->objectName());
                }
            }
        }
        if (parent != form && qobject_cast<QGroupBox*>(parent)) {
            for (QWidget* w : siblings) {
                if (w->geometry().right() >= parent->width()) {
                    faults << QStringLiteral("%1 sticks out of %2").arg(w->objectName(), parent->objectName());
                }
            }
        }
    }
    return faults;
}

} // namespace

class TestFormWalk : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyForm();

private:
    TempProgramFolder* m_dir = nullptr;
};

void TestFormWalk::initTestCase()
{
    ResetAllState();
    basGraph::BuildSineTable();
    m_dir = new TempProgramFolder;
    ProgramFolder::SetForTests(m_dir->Path());
    basMain::SetHelpFilePath(m_dir->File("kirvo.hlp"));
    Clock::SetTodayForTests(Date::FromYmd(2026, 12, 7));
    basSettings::LoadSettings(m_dir->Path());
    basParam::AddDisplayPerson(QStringLiteral("A"), *Date::FromYmd(1965, 4, 3));
    MainWindows::SetEndProgram([] {});
}

void TestFormWalk::cleanupTestCase()
{
    delete m_dir;
    ResetAllState();
}

void TestFormWalk::everyForm()
{
    QStringList faults;
    auto walk = [&faults](QWidget* form) {
        form->show();
        QCoreApplication::processEvents();
        for (const QString& fault : Faults(form)) {
            faults << form->objectName() + QStringLiteral(": ") + fault;
        }
        form->hide();
    };
    {
        frmMainTask task;
        walk(&task);
        frmMain tray;
        walk(&tray);
    }
    frmBirth people(nullptr, m_dir->Path());
    walk(&people);
    {
        frmGroupMain groups(people, &people);
        walk(&groups);
        frmGroupEdit edit(people, &people);
        walk(&edit);
    }
    frmExport exportSettings;
    walk(&exportSettings);
    frmDate date;
    walk(&date);
    frmOptions options;
    auto* tabs = options.findChild<QTabWidget*>();
    for (int i = 0; tabs && i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        walk(&options);
    }
    frmAbout about;
    walk(&about);
    frmCritical critical;
    walk(&critical);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestFormWalk)
#include "tst_formwalk.moc"
