#pragma once

#include "platform/ProgramDialog.h"
#include <QString>
#include <QtGlobal>

#include <array>

#include "core/basGroup.h"

class PeopleSource;
class QListWidget;
class QPushButton;

/// The row text of a group in the group list: the name, " (", the member count, ")".
QString GroupRowText(const QString& name, qint32 memberCount);

/// The group list dialog "グループ一覧": the groups of the group table, created, edited, deleted, recounted
/// and selected here. It changes the group masks of the people of the people dialog that opened it. The
/// opener creates it, runs it modally, reads kigIsUpdate and kigIsSelect and deletes it.
class frmGroupMain : public ProgramDialog
{
    Q_OBJECT
    Q_PROPERTY(bool kigIsUpdate READ kigIsUpdate)
    Q_PROPERTY(bool kigIsSelect READ kigIsSelect)
    Q_PROPERTY(bool kigShowMe READ kigShowMe)
public:
    /// Loads the dialog over the people of a people source that outlives it (the owner, normally).
    explicit frmGroupMain(PeopleSource& people, QWidget* owner = nullptr);

    /// True once the dialog changed the group table or a person's group mask; stays so after 中止.
    bool kigIsUpdate() const { return m_kigIsUpdate; }
    /// True when the dialog was closed with 選択; the chosen group is then the current group.
    bool kigIsSelect() const { return m_kigIsSelect; }
    /// True from load until the dialog closes.
    bool kigShowMe() const { return IsShown(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Form_Load();
    void GroupRefresh();
    int SelectedRow() const;
    void SelectRow(int row);
    void SelectRowOfPosition(int position);
    bool RunGroupEdit(qint32 dispKind);

    void cmdNewGroup_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdRenewal_Click();
    void cmdSelect_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void lstGroup_KeyDown(int keyCode);

    PeopleSource& m_people;
    // For each list row, the position of its group record and the group's bit; 0 past the last row.
    std::array<int, basGroup::GroupSlots> m_rowPosition {};
    std::array<qint32, basGroup::GroupSlots> m_rowBit {};
    bool m_kigIsUpdate = false;
    bool m_kigIsSelect = false;

    QListWidget* lstGroup = nullptr;
    QPushButton* cmdNewGroup = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdRenewal = nullptr;
    QPushButton* cmdSelect = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
};
