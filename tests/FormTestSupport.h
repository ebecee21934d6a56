#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

#include "platform/core/ParamValue.h"

class QDialog;
class QListWidget;
class QTextBrowser;

/// Ends the test run at once, naming the control a test looked for and did not find.
[[noreturn]] void MissingControl(const QString& name);

/// The control of a name and type under parent.
template<typename T>
T* Find(QWidget* parent, const QString& name)
{
    T* w = parent->findChild<T*>(name);
    if (!w) {
        MissingControl(name);
    }
    return w;
}

/// Clicks the push button of a name.
void Click(QWidget* form, const char* button);

/// Sends text as the input method commits it (the way Japanese reaches a box).
void Commit(QWidget* w, const QString& text);

/// Shows a window and makes it the active one, so that focus and Tab work as for a user.
bool ShowActive(QWidget* window);

/// Runs the action on the modal dialog as soon as one is up, for driving a dialog inside exec().
void WhenModal(std::function<void(QWidget*)> action);

/// Runs an action on the modal dialog of an object name as soon as it is the active modal window. Should it
/// not appear, whatever modal window is up is closed instead, so a test fails rather than hangs.
void WhenModal(const QString& objectName, std::function<void(QDialog*)> action);

/// While it lives, the file dialogs answer the given file name (empty: cancelled) and note which were asked.
class ScriptedFiles
{
public:
    explicit ScriptedFiles(const QString& answer);
    ~ScriptedFiles();
    ScriptedFiles(const ScriptedFiles&) = delete;
    ScriptedFiles& operator=(const ScriptedFiles&) = delete;
    QStringList Asked() const { return m_asked; }

private:
    QStringList m_asked;
};

/// A help file whose topic of a context number sits far down the page, so that opening the topic scrolls.
QByteArray HelpFileWithTopic(int contextId);
/// The help viewer that is shown, or nullptr.
QTextBrowser* ShownHelpViewer();

/// The texts and check marks of a list's rows.
QStringList RowTexts(const QListWidget* list);
QList<bool> RowChecks(const QListWidget* list);
void SetRowChecks(QListWidget* list, const QList<bool>& checks);

/// Every setting of the store, in key order, and the keys whose settings differ from such a snapshot.
QList<ParamValue> StoreSnapshot();
QStringList ChangedKeys(const QList<ParamValue>& before);

/// The settings as a fresh program has them: defaults and the built-in eras.
void LoadDefaultSettings();
