#pragma once

#include <QLineEdit>

/// True for the characters a number box takes from the keyboard: the digits "0" to "9" and Backspace.
bool IsNumberBoxChar(QChar c);

/// True when every character of the text is a digit "0" to "9" (and the text is not empty).
bool IsDigitsOnly(const QString& text);

/// A text box for whole numbers. Typed characters other than the digits and Backspace are dropped, and
/// text that arrives any other way (paste, drag and drop, middle-click, input method) is taken only when it
/// is all digits; a refused paste leaves the box as it was. Receiving the focus selects the whole text, so
/// typing replaces it. The length limit holds for what the user enters; the program can show a longer
/// number (an era switch can turn a four-digit year into a negative five-character one).
class NumberBox : public QLineEdit
{
    Q_OBJECT
public:
    NumberBox(const QString& name, int maxLength, QWidget* parent);

    /// Shows a number set by the program, whole even when it is longer than the typing limit (setText would
    /// cut it to the limit). Not filtered: it may be negative.
    void ShowNumber(const QString& text);

    /// Pastes the clipboard at the cursor when it holds digits only; otherwise does nothing.
    void PasteDigits();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FitLimit();

    int m_typingLimit;
};
