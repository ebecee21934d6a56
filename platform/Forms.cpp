#include "Forms.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "Window.h"

namespace {

int Rounded(double value)
{
    return static_cast<int>(std::lround(value));
}

int RoundedPixels(double value)
{
    return static_cast<int>(std::clamp<double>(std::lround(std::clamp(value, -1.0e9, 1.0e9)), -100000.0, 100000.0));
}

double LogicalDpi(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? (horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

// Selects on focus later than the focus itself: a mouse click that brings the focus places the cursor after
// it and would undo the selection.
class SelectAllFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Coming back to the window or out of the box's own menu is no new visit: the selection stays.
        const auto* focus = event->type() == QEvent::FocusIn ? static_cast<QFocusEvent*>(event) : nullptr;
        if (focus && focus->reason() != Qt::ActiveWindowFocusReason && focus->reason() != Qt::PopupFocusReason) {
            if (auto* box = qobject_cast<QLineEdit*>(watched)) {
                box->selectAll();
                QTimer::singleShot(0, box, &QLineEdit::selectAll);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// A caption as shown: "&" marks the access key and is not drawn ("&&" shows one "&").
QString Shown(QString text)
{
    text.replace(QLatin1String("&&"), QString(QChar(0xfffe)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0xfffe), QLatin1Char('&'));
    return text;
}

bool SameRow(const QRect& a, const QRect& b)
{
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

// A box that can give up width from its left without hiding anything the user must read.
bool CanShrink(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractItemView*>(w)
        || qobject_cast<const QComboBox*>(w);
}

// Makes the widgets beside a grown one (to its right, on its row) clear of it.
void MakeRoom(QWidget* grown)
{
    QWidget* parent = grown->parentWidget();
    if (!parent) {
        return;
    }
    for (QObject* object : parent->children()) {
        auto* other = qobject_cast<QWidget*>(object);
        if (!other || other == grown || other->isWindow() || other->x() <= grown->x()) {
            continue;
        }
        const QRect g = grown->geometry();
        const QRect o = other->geometry();
        if (!SameRow(g, o) || o.left() > g.right()) {
            continue;
        }
        const int shift = g.right() + 1 - o.left();
        if (CanShrink(other) && o.width() - shift >= o.width() / 2) {
            other->setGeometry(o.left() + shift, o.top(), o.width() - shift, o.height());
        } else {
            other->move(o.left() + shift, o.top());
            MakeRoom(other);
        }
    }
}

// Grows a container (a frame or the form) until its children fit inside it again.
void Enclose(QWidget* container)
{
    int right = 0;
    for (QObject* object : container->children()) {
        if (auto* w = qobject_cast<QWidget*>(object); w && !w->isWindow() && !w->isHidden()) {
            right = std::max(right, w->geometry().right() + 1);
        }
    }
    if (right <= container->width()) {
        return;
    }
    const int width = right + 1;
    if (container->isWindow()) {
        if (container->minimumWidth() == container->maximumWidth()) {
            container->setFixedWidth(width);
        } else {
            container->resize(width, container->height());
        }
        return;
    }
    if (container->minimumWidth() == container->maximumWidth()) {
        container->setFixedWidth(width);
    } else {
        container->resize(width, container->height());
    }
    MakeRoom(container);
    if (container->parentWidget()) {
        Enclose(container->parentWidget());
    }
}

// The designed geometry lets neighbours share an edge pixel here and there (a twip grid rounded to pixels):
// the first of the two gives the pixel up, so that they meet without covering each other.
void SeparateNeighbours(QWidget* parent)
{
    QList<QWidget*> controls;
    for (QObject* object : parent->children()) {
        auto* w = qobject_cast<QWidget*>(object);
        // Lines of a pixel or two stand on other controls by design.
        if (w && !w->isWindow() && !w->isHidden() && w->width() > 2 && w->height() > 2) {
            controls << w;
        }
    }
    for (QWidget* a : controls) {
        for (QWidget* b : controls) {
            const QRect overlap = a->geometry() & b->geometry();
            if (a == b || overlap.isEmpty()) {
                continue;
            }
            if (overlap.width() <= 2 && a->x() < b->x()) {
                a->resize(a->width() - overlap.width(), a->height());
            } else if (overlap.height() <= 2 && a->y() < b->y()) {
                a->resize(a->width(), a->height() - overlap.height());
            }
        }
    }
}

} // namespace

namespace Forms {

int CaptionWidth(const QWidget* control)
{
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
    }
    if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control)) {
        return control->sizeHint().width();
    }
    if (auto* button = qobject_cast<const QPushButton*>(control)) {
        if (button->text().isEmpty()) {
            return 0;
        }
        // The text and the button's own margins and frame; the style's minimum button width is no caption.
        const QStyle* style = button->style();
        return button->fontMetrics().horizontalAdvance(Shown(button->text()))
            + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
            + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    }
    if (auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title().isEmpty() ? 0 : group->fontMetrics().horizontalAdvance(Shown(group->title())) + 16;
    }
    return 0;
}

void FitCaptions(QWidget* form)
{
    const QList<QWidget*> controls = form->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (control->isWindow()) {
            continue;
        }
        const int needed = CaptionWidth(control);
        if (needed <= control->width()) {
            continue;
        }
        control->resize(needed, control->height());
        MakeRoom(control);
        if (control->parentWidget()) {
            Enclose(control->parentWidget());
        }
    }
    SeparateNeighbours(form);
    for (QWidget* container : form->findChildren<QWidget*>()) {
        if (!container->isWindow()) {
            SeparateNeighbours(container);
        }
    }
}

double TwipsPerPixelX()
{
    return 1440.0 / LogicalDpi(true);
}

double TwipsPerPixelY()
{
    return 1440.0 / LogicalDpi(false);
}

int PixelsX(double twips)
{
    return RoundedPixels(twips / TwipsPerPixelX());
}

int PixelsY(double twips)
{
    return RoundedPixels(twips / TwipsPerPixelY());
}

int TwipsX(double pixels)
{
    return Rounded(pixels * TwipsPerPixelX());
}

int TwipsY(double pixels)
{
    return Rounded(pixels * TwipsPerPixelY());
}

QSize Size(int width, int height)
{
    return QSize(PixelsX(width), PixelsY(height));
}

QRect Rect(int left, int top, int width, int height)
{
    return QRect(PixelsX(left), PixelsY(top), PixelsX(width), PixelsY(height));
}

QRect GeometryTwips(const QWidget* window)
{
    // Position of the frame, size of the window itself: exactly what Screen::SetGeometryTwips applies, so a
    // size saved and restored never grows by the window manager's decorations.
    const QPoint pos = window->frameGeometry().topLeft();
    const QSize size = window->size();
    return QRect(TwipsX(pos.x()), TwipsY(pos.y()), TwipsX(size.width()), TwipsY(size.height()));
}

void Place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(Rect(left, top, width, height));
}

void SetupFixedDialog(QWidget* dialog)
{
    QFont font = dialog->font();
    font.setPointSize(9);
    dialog->setFont(font);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
}

void SetupFixedDialog(QWidget* dialog, int clientWidth, int clientHeight)
{
    SetupFixedDialog(dialog);
    dialog->setFixedSize(Size(clientWidth, clientHeight));
}

void ModalToOwner(QWidget* dialog, QWidget* owner)
{
    dialog->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
}

void SetStayOnTop(QWidget* form, bool onTop)
{
    if (!form) {
        return;
    }
    // Through twips and back by the one rounding rule, so the window neither moves nor shrinks on a screen
    // of, say, 110 or 192 dots per inch.
    const QRect twips = GeometryTwips(form);
    Window::SetStayOnTop(form, onTop, Rect(twips.x(), twips.y(), twips.width(), twips.height()));
}

void BringForward(QWidget* window)
{
    if (!window) {
        return;
    }
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void SelectAllOnFocus(QLineEdit* box)
{
    box->installEventFilter(new SelectAllFilter(box));
}

} // namespace Forms
