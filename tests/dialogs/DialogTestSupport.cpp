#include "DialogTestSupport.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/basParam.h"
#include "app/basSettings.h"

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

} // namespace

void WhenModal(std::function<void(QWidget*)> action)
{
    Poll(std::move(action), 500);
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

bool ShowActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void LoadDefaultSettings()
{
    basSettings::LoadSettingsFromBytes(QByteArray());
}
