#include "AppStartup.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "graph/basGraph.h"
#include "windows/frmMain.h"

AppStartup::AppStartup() = default;
AppStartup::~AppStartup() = default;

void AppStartup::BuildModel()
{
    basGraph::BuildSineTable();
}

bool AppStartup::AcquireRunLock(const QString& programFolder)
{
    return m_lock.TryAcquire(programFolder);
}

bool AppStartup::RunPeopleDialog()
{
    // Until the people list can be edited, the first run only asks whether to go on with nobody chosen.
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("frmBirth"));
    dialog.setWindowTitle(QStringLiteral("表示人選択"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("表示する人が選ばれていません。"), &dialog));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

void AppStartup::ShowMainWindow(bool /*taskTray*/)
{
    auto* window = new frmMain();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}
