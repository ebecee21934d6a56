#include "GroupTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "groups/basGroup.h"

namespace {

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

void TestPeople::Add(const QString& name, qint32 groups, std::optional<Date> birthday)
{
    cUserName& u = m_list.Add();
    u.kiParamValue(QStringLiteral("UserName"), ParamValue::FromText(name));
    u.kiParamValue(QStringLiteral("BirthDay"),
                   ParamValue::FromDate(birthday ? *birthday : *Date::FromYmd(1970, 1, m_list.Count())));
    u.kiParamValue(QStringLiteral("MyGroupId"), ParamValue::FromInt32(groups));
}

QList<qint32> TestPeople::Masks() const
{
    QList<qint32> masks;
    for (qint32 i = 1; i <= m_list.Count(); ++i) {
        masks << m_list.Item(i)->kiParamValue(QStringLiteral("MyGroupId")).AsInt();
    }
    return masks;
}

void TestPeople::SetMasks(const QList<qint32>& masks)
{
    for (qint32 i = 1; i <= m_list.Count() && i <= masks.size(); ++i) {
        m_list.Item(i)->kiParamValue(QStringLiteral("MyGroupId"), ParamValue::FromInt32(masks[i - 1]));
    }
}

void WhenModal(const QString& objectName, std::function<void(QDialog*)> action)
{
    Poll(objectName, action, 500);
}

void Commit(QWidget* w, const QString& text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QCoreApplication::sendEvent(w, &e);
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

GroupRecordView GroupAt(int position)
{
    GroupRecordView r;
    basGroup::GetGroup(r.count, r.bit, r.name, position);
    return r;
}

char* toString(const GroupRecordView& r)
{
    return QTest::toString(QStringLiteral("{%1, %2, \"%3\"}").arg(r.count).arg(r.bit).arg(r.name));
}
