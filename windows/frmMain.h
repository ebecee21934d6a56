#pragma once

#include <QMainWindow>

/// The main window. It shows the people of the display list by name and, when it closes, keeps its place
/// and size in the settings and writes the settings file.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();
};
