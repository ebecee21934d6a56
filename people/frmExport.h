#pragma once

#include "platform/ProgramDialog.h"
#include <QString>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

/// The export/import settings dialog "エクスポート／インポート設定": the field delimiter and the order of name and
/// birthday, asked before every export or import of a people text file. Confirming stores DelimChar and
/// Position; Cancel, Esc and the close box store nothing. The opener creates it, runs it modally, reads
/// kieStatus and deletes it.
class frmExport : public ProgramDialog
{
    Q_OBJECT
    Q_PROPERTY(bool kieStatus READ kieStatus)
public:
    explicit frmExport(QWidget* owner = nullptr);

    /// True only when the dialog was closed with 実行; stays readable after it closed.
    bool kieStatus() const { return Status(); }

protected:
private:
    void CreateControls();
    void Form_Load();
    void txtDelimChar_KeyPress();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    /// The delimiter the chosen option stands for; empty for "その他" with an empty box.
    QString ChosenDelimiter() const;

    QGroupBox* fraDelimChar = nullptr;
    std::array<QRadioButton*, 4> optDelimChar {};
    QLineEdit* txtDelimChar = nullptr;
    QGroupBox* fraPosition = nullptr;
    std::array<QRadioButton*, 2> optPosition {};
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
};

/// Shows the export/import settings dialog modally over its owner and deletes it afterwards; its kieStatus.
bool RunExportDialog(QWidget* owner);
