#pragma once

#include "windows/frmMainBase.h"

/// The main window for users who want no notification icon: an ordinary taskbar window.
class frmMainTask : public frmMainBase
{
    Q_OBJECT
public:
    explicit frmMainTask(QWidget* parent = nullptr)
        : frmMainBase(Variant::Taskbar, parent)
    {
    }
};
