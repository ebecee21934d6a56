#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

/// The program's message boxes. Every message and question goes through here, so tests can answer them
/// without a window.
namespace MsgBox {

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

/// What a message box showed, as a test sees it.
struct Shown
{
    QString text;
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultButton = Answer::Ok;
};

/// Shows a modal message box and returns the button the user chose. The text may hold CR LF line breaks.
/// Closing the box without a button counts as Cancel (No for a Yes/No question, OK for a plain message).
/// The default button is the first one (OK, Yes or Retry) unless another is named.
Answer Show(QWidget* parent,
            const QString& text,
            const QString& title,
            Icon icon,
            Buttons buttons,
            std::optional<Answer> defaultButton = std::nullopt);

/// The program's own title, used on questions that belong to no dialog.
QString AppTitle();

/// The error box of the program: title "エラー", critical icon, one OK button.
void ShowError(QWidget* parent, const QString& text);

/// Test seam: while set, no box is shown; the answerer is asked instead, and every box is recorded.
void SetAnswerer(std::function<Answer(const Shown&)> answerer);
/// Test seam: every box shown since the last ClearHistory, oldest first.
const QList<Shown>& History();
void ClearHistory();

} // namespace MsgBox
