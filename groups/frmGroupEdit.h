#pragma once

#include "platform/ProgramDialog.h"
#include <QString>
#include <QtGlobal>

#include "platform/core/Date.h"

class PeopleSource;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

/// The row text of a person in the group dialogs: the name, "   (", the birthday as "yyyy/m/d" (with the
/// year) or "m/d", and ")". Always the Gregorian calendar.
QString GroupMemberRowText(const QString& name, Date birthday, bool withYear);

/// The group edit dialog "グループ編集": names a group and chooses its members among the people of the people
/// dialog that is open. 登録 writes the group record and the members' group masks; 中止 writes nothing.
/// The opener makes the group current, creates the dialog, sets kigDispKind, runs it modally, reads
/// kigIsUpdate and deletes it.
class frmGroupEdit : public ProgramDialog
{
    Q_OBJECT
    Q_PROPERTY(qint32 kigDispKind READ kigDispKind WRITE kigDispKind)
    Q_PROPERTY(bool kigIsUpdate READ kigIsUpdate)
    Q_PROPERTY(bool kigShowMe READ kigShowMe)
public:
    enum DispKind : qint32 { NewGroup = 0, CurrentGroup = 1 };

    /// Loads the dialog for the current group of the group table, listing the people of a people source that
    /// outlives the dialog.
    explicit frmGroupEdit(PeopleSource& people, QWidget* owner = nullptr);

    /// 0: 登録 creates a new group; 1: it rewrites the current group.
    qint32 kigDispKind() const { return m_kigDispKind; }
    void kigDispKind(qint32 plDispFlag) { m_kigDispKind = plDispFlag; }
    /// True after 登録 has written the group; stays readable after the dialog has closed.
    bool kigIsUpdate() const { return m_kigIsUpdate; }
    /// True from load until the dialog closes.
    bool kigShowMe() const { return IsShown(); }

protected:
private:
    void CreateControls();
    void Form_Load();
    void cmdEntry_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    PeopleSource& m_people;
    qint32 m_kigDispKind = NewGroup;
    bool m_kigIsUpdate = false;

    QLabel* lblGroupName = nullptr;
    QLineEdit* txtGroupName = nullptr;
    QListWidget* lstGroupList = nullptr;
    QPushButton* cmdEntry = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
};
