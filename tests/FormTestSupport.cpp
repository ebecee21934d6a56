#include "FormTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/basParam.h"
#include "app/basSettings.h"
#include "platform/CommonDialogs.h"

namespace {

void Poll(std::function<void(QWidget*)> action, int triesLeft)
{
    QTimer::singleShot(10, [action, triesLeft] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
        } else if (triesLeft > 0) {
            Poll(action, triesLeft - 1);
        }
    });
}

void Poll(const QString& objectName, const std::function<void(QDialog*)>& action, int triesLeft)
{
    QTimer::singleShot(10, [objectName, action, triesLeft] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == objectName) {
            action(dialog);
        } else if (triesLeft > 0) {
            Poll(objectName, action, triesLeft - 1);
        } else if (dialog) {
            qWarning(
                "modal dialog %s did not appear; closing %s", qPrintable(objectName), qPrintable(dialog->objectName()));
            dialog->reject();
        }
    });
}

} // namespace

void MissingControl(const QString& name)
{
    qFatal("no control %s", qPrintable(name));
}

void Click(QWidget* form, const char* button)
{
    Find<QPushButton>(form, QLatin1String(button))->click();
}

void Commit(QWidget* w, const QString& text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QCoreApplication::sendEvent(w, &e);
}

bool ShowActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void WhenModal(std::function<void(QWidget*)> action)
{
    Poll(std::move(action), 500);
}

void WhenModal(const QString& objectName, std::function<void(QDialog*)> action)
{
    Poll(objectName, action, 500);
}

ScriptedFiles::ScriptedFiles(const QString& answer)
{
    CommonDialogs::SetAnswerer([this, answer](const QString& kind) {
        m_asked << kind;
        return answer;
    });
}

ScriptedFiles::~ScriptedFiles()
{
    CommonDialogs::SetAnswerer(nullptr);
}

QByteArray HelpFileWithTopic(int contextId)
{
    QByteArray filler;
    for (int i = 0; i < 300; ++i) {
        filler += "<p>" + QByteArray::number(i) + "</p>";
    }
    return "<html><body>" + filler + "<a name=\"topic" + QByteArray::number(contextId) + "\"></a><h1>topic</h1>"
        + filler + "</body></html>";
}

QTextBrowser* ShownHelpViewer()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("helpViewer") && w->isVisible()) {
            return qobject_cast<QTextBrowser*>(w);
        }
    }
    return nullptr;
}

QStringList RowTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

QList<bool> RowChecks(const QListWidget* list)
{
    QList<bool> checks;
    for (int i = 0; i < list->count(); ++i) {
        checks << (list->item(i)->checkState() == Qt::Checked);
    }
    return checks;
}

void SetRowChecks(QListWidget* list, const QList<bool>& checks)
{
    for (int i = 0; i < list->count() && i < checks.size(); ++i) {
        list->item(i)->setCheckState(checks[i] ? Qt::Checked : Qt::Unchecked);
    }
}

QList<ParamValue> StoreSnapshot()
{
    QList<ParamValue> values;
    for (const QString& key : basParam::ParamKeys()) {
        values.append(basParam::GetParam(key));
    }
    return values;
}

QStringList ChangedKeys(const QList<ParamValue>& before)
{
    QStringList changed;
    const QStringList& keys = basParam::ParamKeys();
    for (int i = 0; i < keys.size(); ++i) {
        if (i >= before.size() || basParam::GetParam(keys[i]) != before[i]) {
            changed.append(keys[i]);
        }
    }
    return changed;
}

void LoadDefaultSettings()
{
    basSettings::LoadSettingsFromBytes(QByteArray());
}
