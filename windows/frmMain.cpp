#include "frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>

#include "app/basParam.h"
#include "app/basSettings.h"
#include "platform/Screen.h"

using basParam::GetParam;
using basParam::SetParam;

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    Form_Load();
}

void frmMain::Form_Load()
{
    auto* picGraph = new QLabel(this);
    picGraph->setObjectName(QStringLiteral("picGraph"));
    picGraph->setAlignment(Qt::AlignCenter);
    setCentralWidget(picGraph);

    auto* mnuFileEnd = new QAction(QStringLiteral("終了(&X)"), this);
    mnuFileEnd->setObjectName(QStringLiteral("mnuFileEnd"));
    mnuFileEnd->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(mnuFileEnd, &QAction::triggered, this, &QWidget::close);
    addAction(mnuFileEnd);

    QStringList names;
    for (int i = 1; i <= basParam::DisplayCount(); ++i) {
        names << basParam::DisplayName(i);
    }
    setWindowTitle(QStringLiteral("バイオリズム （") + names.join(QStringLiteral(", ")) + QStringLiteral("）"));
    Screen::SetGeometryTwips(this,
                             GetParam(QStringLiteral("GraphPosX")).AsInt(),
                             GetParam(QStringLiteral("GraphPosY")).AsInt(),
                             qAbs(static_cast<qint64>(GetParam(QStringLiteral("GraphWidth")).AsInt())),
                             qAbs(static_cast<qint64>(GetParam(QStringLiteral("GraphHeight")).AsInt())));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    const QRect twips = Screen::GeometryTwips(this);
    SetParam(QStringLiteral("GraphPosX"), twips.x());
    SetParam(QStringLiteral("GraphPosY"), twips.y());
    SetParam(QStringLiteral("GraphWidth"), twips.width());
    SetParam(QStringLiteral("GraphHeight"), twips.height());
    basSettings::SaveSettings(this);
}
