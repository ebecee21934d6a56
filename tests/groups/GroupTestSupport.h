#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

#include "groups/PeopleSource.h"
#include "people/cUserName.h"
#include "platform/Date.h"

class QDialog;
class QTextBrowser;
class QListWidget;
class QWidget;

/// The people the group dialogs work on, held the way the people dialog holds them.
class TestPeople : public PeopleSource
{
public:
    qint32 kibGetNumUserInfo() const override { return m_list.Count(); }
    void kibGetUserInfo(PersonRecord*& pcUserInfo, qint32 plIndex) const override { pcUserInfo = m_list.Item(plIndex); }

    /// Appends a person with a group mask, born on 1970-01-(position) unless a birthday is given.
    void Add(const QString& name, qint32 groups, std::optional<Date> birthday = std::nullopt);
    /// Every person's "MyGroupId", in list order.
    QList<qint32> Masks() const;
    void SetMasks(const QList<qint32>& masks);

private:
    PeopleList m_list;
};

/// Runs an action on the modal dialog of an object name as soon as it is the active modal window. Should it
/// not appear, whatever modal window is up is closed instead, so a test fails rather than hangs.
void WhenModal(const QString& objectName, std::function<void(QDialog*)> action);

/// Sends text as the input method commits it (the way Japanese reaches a box).
void Commit(QWidget* w, const QString& text);

/// A help file whose topic of a context number sits far down the page, so that opening the topic scrolls.
QByteArray HelpFileWithTopic(int contextId);
/// The help viewer that is shown, or nullptr.
QTextBrowser* ShownHelpViewer();

/// The texts and check marks of a list's rows.
QStringList RowTexts(const QListWidget* list);
QList<bool> RowChecks(const QListWidget* list);
void SetRowChecks(QListWidget* list, const QList<bool>& checks);

/// A group record of the group table, as a test compares it.
struct GroupRecordView
{
    qint32 count = 0;
    qint32 bit = 0;
    QString name;
    bool operator==(const GroupRecordView& o) const { return count == o.count && bit == o.bit && name == o.name; }
};
GroupRecordView GroupAt(int position);
char* toString(const GroupRecordView& r);
