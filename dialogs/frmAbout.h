#pragma once

#include <QDialog>

/// The version box: program icon, title, version line and legal notice. Modeless, owned by the main window.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);

    void cmdOK_Click();

private:
    void Form_Load();
};

/// "Version " major "." minor " (Build: " revision ")", each number in plain decimal.
QString VersionLine(int major, int minor, int revision);
