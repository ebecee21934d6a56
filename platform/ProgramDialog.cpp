#include "ProgramDialog.h"

#include "DialogRegistry.h"
#include "Forms.h"
#include "Help.h"

ProgramDialog::ProgramDialog(QWidget* parent)
    : QDialog(parent)
{
}

ProgramDialog::~ProgramDialog()
{
    // Deleted while still open (its owner went away): it is no longer there to be brought forward.
    if (m_shown) {
        m_shown = false;
        DialogRegistry::Unregister(this);
    }
}

void ProgramDialog::ControlsMade(std::function<void()> help)
{
    // Our Japanese font draws wider than the one the layout was measured for: no caption may be cut.
    Forms::FitCaptions(this);
    Help::OnF1(this, std::move(help));
}

void ProgramDialog::Loaded()
{
    m_status = false;
    m_shown = true;
    DialogRegistry::Register(this);
}

void ProgramDialog::done(int result)
{
    if (m_shown) {
        if (!Form_QueryUnload()) {
            return;
        }
        Form_Unload();
        m_shown = false;
        DialogRegistry::Unregister(this);
    }
    QDialog::done(result);
}
