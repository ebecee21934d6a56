#include "frmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/basParam.h"
#include "kirvo_version.h"
#include "platform/AppIcon.h"
#include "platform/DialogRegistry.h"
#include "platform/Forms.h"

frmAbout::frmAbout(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("バージョン情報"));
    setModal(false);
    DialogRegistry::RegisterWindow(this);
    Form_Load();
}

void frmAbout::Form_Load()
{
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QPixmap::fromImage(AppIcon::Render(48)));
    picIcon->setAlignment(Qt::AlignTop);

    auto* lblTitle = new QLabel(tr("バイオリズム表示"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    auto* lblVersion = new QLabel(VersionLine(KIRVO_VERSION_MAJOR, KIRVO_VERSION_MINOR, KIRVO_VERSION_REVISION), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto* lblCopyright = new QLabel(tr("Copyright (C) 2026 kirvo の開発者\n"
                                       "MIT ライセンスのもとで使用、複製、改変、配布できます。\n"
                                       "このプログラムは無保証で提供されます。"),
                                    this);
    lblCopyright->setObjectName(QStringLiteral("lblCopyright"));

    auto* cmdOK = new QPushButton(tr("確認(&C)"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(lblCopyright);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addSpacing(12);
    top->addLayout(text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    // At the size its contents need, fixed like every dialog's, before the stay-on-top state re-applies it.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    Forms::SetStayOnTop(this, basParam::GetParam(SettingKey::AlwayTop).AsBool());
}

void frmAbout::cmdOK_Click()
{
    close();
}

QString VersionLine(int major, int minor, int revision)
{
    return QStringLiteral("Version %1.%2 (Build: %3)").arg(major).arg(minor).arg(revision);
}
