#include "MsgBox.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/ProgramFolder.h"
#include "core/SessionEnd.h"

namespace {

std::function<MsgBox::Answer(const MsgBox::Shown&)> g_answerer;
QList<MsgBox::Shown> g_history;

QMessageBox::Icon ToQtIcon(MsgBox::Icon icon)
{
    switch (icon) {
        case MsgBox::Icon::Critical:
            return QMessageBox::Critical;
        case MsgBox::Icon::Question:
            return QMessageBox::Question;
        case MsgBox::Icon::Exclamation:
            return QMessageBox::Warning;
        case MsgBox::Icon::Information:
            return QMessageBox::Information;
        case MsgBox::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

namespace MsgBox {

Answer FirstButton(Buttons buttons)
{
    switch (buttons) {
        case Buttons::Ok:
        case Buttons::OkCancel:
            return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::Yes;
        case Buttons::RetryCancel:
            return Answer::Retry;
    }
    return Answer::Ok;
}

QMessageBox::StandardButton ToQtButton(Answer answer)
{
    switch (answer) {
        case Answer::Ok:
            return QMessageBox::Ok;
        case Answer::Cancel:
            return QMessageBox::Cancel;
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
        case Answer::Retry:
            return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

Answer Show(QWidget* parent,
            const QString& text,
            const QString& title,
            Icon icon,
            Buttons buttons,
            std::optional<Answer> defaultButton)
{
    // Nobody is there to answer at the end of a session: the answer that saves nothing and goes on with nothing.
    if (SessionEnd::IsEnding()) {
        return buttons == Buttons::Ok
            ? Answer::Ok
            : (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Cancel);
    }
    const Shown shown {text, title, icon, buttons, defaultButton.value_or(FirstButton(buttons))};
    if (g_answerer) {
        g_history.append(shown);
        return g_answerer(shown);
    }

    QString displayed = text;
    displayed.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(ToQtIcon(icon), title, displayed, QMessageBox::NoButton, parent);
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton escape = QMessageBox::Cancel;
    switch (buttons) {
        case Buttons::Ok:
            set = QMessageBox::Ok;
            escape = QMessageBox::Ok;
            break;
        case Buttons::OkCancel:
            set = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case Buttons::YesNo:
            set = QMessageBox::Yes | QMessageBox::No;
            escape = QMessageBox::No;
            break;
        case Buttons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
        case Buttons::RetryCancel:
            set = QMessageBox::Retry | QMessageBox::Cancel;
            break;
    }
    box.setStandardButtons(set);
    box.setEscapeButton(escape);
    box.setDefaultButton(ToQtButton(shown.defaultButton));
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Retry:
            return Answer::Retry;
        default:
            break;
    }
    return buttons == Buttons::Ok ? Answer::Ok : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
}

QString AppTitle()
{
    return ProgramFolder::ProductName();
}

void ShowError(QWidget* parent, const QString& text)
{
    Show(parent, text, QStringLiteral("エラー"), Icon::Critical, Buttons::Ok);
}

void SetAnswerer(std::function<Answer(const Shown&)> answerer)
{
    g_answerer = std::move(answerer);
}

const QList<Shown>& History()
{
    return g_history;
}

void ClearHistory()
{
    g_history.clear();
}

} // namespace MsgBox
