#pragma once

#include "platform/ProgramDialog.h"
#include <QString>

#include "core/cUserName.h"
#include "groups/core/PeopleSource.h"
#include "platform/core/ProgramFolder.h"

class QComboBox;
class QLineEdit;
class NumberBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

/// The people dialog "表示人選択": the user keeps the people list (add, delete, reorder, check) and picks who is
/// drawn. OK copies the checked people into the display list, stores the era and saves the people file.
/// The opener creates it, runs it modally, reads kidStatus and deletes it.
class frmBirth : public ProgramDialog, public PeopleSource
{
    Q_OBJECT
public:
    /// Loads the dialog: the people file of the program folder, the era of the Calendar setting, today's date
    /// in the date boxes.
    explicit frmBirth(QWidget* owner = nullptr, const QString& programFolder = ProgramFolder::Get());

    /// True only after OK; stays readable after the dialog has closed.
    bool kidStatus() const { return Status(); }
    /// True from load until the dialog closes.
    bool kioShowMe() const { return IsShown(); }

    qint32 kibGetNumUserInfo() const override;
    void kibGetUserInfo(PersonRecord*& pcUserInfo, qint32 plIndex) const override;

    /// What the group list dialog reported when it closed: a change marks the list modified; a selection
    /// checks exactly the people of the current group (and copies that into their "Selected").
    void ApplyGroupListResult(bool kigIsUpdate, bool kigIsSelect);

    /// Rebuilds the list from the people list, checking the people whose "Selected" is true; painted once.
    void FillUserList();

    /// True after a change to the people, their order or their groups that has not been saved.
    bool IsModified() const { return m_modified; }
    /// The era in which the year box is read.
    int EraIndex() const { return m_eraIndex; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum MoveMode { MoveNone = 0, MoveUp = 1, MoveDown = 2 };

    void CreateControls();
    void CreateMenus();
    void Form_Load();
    bool Form_QueryUnload() override;
    void Form_Unload() override;

    void cmbCalender_Click(int plIndex);
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdAllChk_Click();
    void cmdAllUnChk_Click();
    void cmdGroup_Click();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void mnuFileExport_Click();
    void mnuFileImport_Click();
    void lstUserInfo_KeyDown(int keyCode);
    void cmdUpDown_Press(MoveMode mode);
    void cmdUpDown_Release();
    void tmrUpDown_Timer();

    void MoveEntry(MoveMode mode);
    void ShowInBoxes(const cUserName& person);
    void RemoveEntry(int row);
    QString EntryText(const cUserName& person, bool withYear) const;
    int CheckedCount() const;
    bool SaveWithEra();
    // Writes the people file, keeping one that cannot be read whole first; asks Retry or Cancel on failure.
    bool SavePeopleFile();

    QString m_programFolder;
    PeopleList m_people;
    int m_eraIndex = 0;
    bool m_modified = false;
    MoveMode m_moveMode = MoveNone;

    QLineEdit* txtUserName = nullptr;
    QComboBox* cmbCalender = nullptr;
    NumberBox* txtYear = nullptr;
    NumberBox* txtMonth = nullptr;
    NumberBox* txtDay = nullptr;
    QListWidget* lstUserInfo = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdAllChk = nullptr;
    QPushButton* cmdAllUnChk = nullptr;
    QPushButton* cmdUp = nullptr;
    QPushButton* cmdDown = nullptr;
    QPushButton* cmdGroup = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    QTimer* tmrUpDown = nullptr;
};

/// Shows the people dialog modally with an owner (none at start-up) and returns its kidStatus.
bool RunPeopleDialog(QWidget* owner);
