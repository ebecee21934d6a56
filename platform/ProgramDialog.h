#pragma once

#include <QDialog>

#include <functional>

/// What every dialog of the program does the same way. While it is open it is registered, so the
/// notification icon and a later start bring it forward, and it reads as shown; its status is false until
/// the user confirms. Its captions are fitted to the font once its controls exist, and F1 opens its help.
/// Esc, Cancel and the close box end it through done(), which asks the dialog whether it may close and
/// lets it unload once. The opener runs it with Forms::RunModal, reads its status and deletes it.
class ProgramDialog : public QDialog
{
    Q_OBJECT
public:
    ~ProgramDialog() override;

    /// From loading until the dialog closes.
    bool IsShown() const { return m_shown; }
    /// True once the user confirmed; false from loading on. Readable after the dialog closed.
    bool Status() const { return m_status; }

    void done(int result) final;

protected:
    explicit ProgramDialog(QWidget* parent);

    /// Once the controls exist: captions fitted to the font, and F1 calling the dialog's help.
    void ControlsMade(std::function<void()> help);
    /// From the dialog's loading: shown, registered, status false.
    void Loaded();
    void SetStatus(bool confirmed) { m_status = confirmed; }

    /// Whether the dialog may close now; a dialog with unsaved work asks here.
    virtual bool Form_QueryUnload() { return true; }
    /// What the dialog does when it closes, besides what every dialog does.
    virtual void Form_Unload() { }

private:
    bool m_shown = false;
    bool m_status = false;
};
