#pragma once

#include "windows/frmMainBase.h"

/// The main window that lives in the notification area.
class frmMain : public frmMainBase
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr)
        : frmMainBase(Variant::Tray, parent)
    {
    }
};
