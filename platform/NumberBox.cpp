#include "NumberBox.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

#include "Forms.h"

namespace {

constexpr char16_t Backspace = 8;

QString ClipboardText(QClipboard::Mode mode)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(mode) : QString();
}

// A key that produces a character rather than editing or moving: only such keys are filtered.
bool IsCharacterKey(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty()) {
        return false;
    }
    // Shortcuts with Ctrl (copy, select all, undo) are commands, not characters typed into the box.
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return false;
    }
    // Delete, Escape, Enter and Tab arrive as control characters: they edit or move, so they pass.
    const QChar c = text.front();
    return c.unicode() == Backspace || c.category() != QChar::Other_Control;
}

} // namespace

bool IsNumberBoxChar(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c.unicode() == Backspace;
}

bool IsDigitsOnly(const QString& text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

NumberBox::NumberBox(const QString& name, int maxLength, QWidget* parent)
    : QLineEdit(parent)
    , m_typingLimit(maxLength)
{
    setObjectName(name);
    setMaxLength(maxLength);
    connect(this, &QLineEdit::textChanged, this, &NumberBox::FitLimit);
    // Asks an input method for its digit mode; what it commits is still checked below.
    setInputMethodHints(Qt::ImhDigitsOnly);
    Forms::SelectAllOnFocus(this);
}

void NumberBox::ShowNumber(const QString& text)
{
    setMaxLength(std::max(m_typingLimit, static_cast<int>(text.size())));
    setText(text);
}

void NumberBox::FitLimit()
{
    // A long number shown by the program may stay as it is, but once edited down the box takes no more
    // than its limit again.
    const int limit = std::max(m_typingLimit, static_cast<int>(text().size()));
    if (limit < maxLength()) {
        setMaxLength(limit);
    }
}

void NumberBox::PasteDigits()
{
    if (isReadOnly()) {
        return;
    }
    const QString text = ClipboardText(QClipboard::Clipboard);
    if (IsDigitsOnly(text)) {
        insert(text);
    }
}

void NumberBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        PasteDigits();
        event->accept();
        return;
    }
    if (IsCharacterKey(event)) {
        const QString text = event->text();
        for (QChar c : text) {
            if (!IsNumberBoxChar(c)) {
                // Swallowed here, so the character reaches neither the box nor the dialog.
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumberBox::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty() || IsDigitsOnly(commit)) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Let the input method finish its composition, but commit nothing.
    QInputMethodEvent refused(event->preeditString(), event->attributes());
    refused.setCommitString(QString());
    QLineEdit::inputMethodEvent(&refused);
}

void NumberBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // The menu's paste entry is the one wired to paste(); it is rewired to the filtered paste.
    for (QAction* action : menu->actions()) {
        // Qt has wired it by name and by member pointer in different versions.
        if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste()))
            || disconnect(action, &QAction::triggered, this, &QLineEdit::paste)) {
            connect(action, &QAction::triggered, this, &NumberBox::PasteDigits);
            action->setEnabled(action->isEnabled() && IsDigitsOnly(ClipboardText(QClipboard::Clipboard)));
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void NumberBox::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the X11 selection.
    if (event->button() == Qt::MiddleButton && !IsDigitsOnly(ClipboardText(QClipboard::Selection))) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumberBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData() || !IsDigitsOnly(event->mimeData()->text())) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void NumberBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (!event->mimeData() || !IsDigitsOnly(event->mimeData()->text())) {
        event->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(event);
}

void NumberBox::dropEvent(QDropEvent* event)
{
    if (!event->mimeData() || !IsDigitsOnly(event->mimeData()->text())) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}
