#pragma once

#include <QList>
#include <QStringList>

#include <functional>

#include "platform/ParamValue.h"

class QWidget;

/// Runs the action on the modal dialog as soon as one is up, for driving a dialog inside exec().
void WhenModal(std::function<void(QWidget*)> action);

/// Every setting of the store, in key order.
QList<ParamValue> StoreSnapshot();

/// The keys whose settings differ from the snapshot.
QStringList ChangedKeys(const QList<ParamValue>& before);

/// Shows a window and makes it the active one, so that focus and Tab work as for a user.
bool ShowActive(QWidget* window);

/// The settings as a fresh program has them: defaults and the built-in eras.
void LoadDefaultSettings();
