#pragma once

#include <QSize>
#include <QString>
#include <QtGlobal>

class PictureBox;
class QWidget;

/// What the chart routines read and set on a main window. Both main windows implement it; the chart reaches
/// a window's controls only through here. Control arrays are addressed by their index.
class GraphForm
{
public:
    virtual ~GraphForm() = default;

    /// The window itself: its frame position and size (twips through Screen), its caption and its
    /// stay-on-top state.
    virtual QWidget* FormWindow() = 0;

    /// The size in pixels of the window's client area, the part below the menu bar that holds picGraph.
    virtual QSize ClientSizePixels() const = 0;

    /// The picture box picGraph: the screen surface, its outer size and place in twips, its tooltip.
    virtual PictureBox* picGraph() = 0;

    /// The check mark of mnuViewSelectGraph(index): 0 to 2 show the curves of the three cycles, 3 the
    /// critical-day marks.
    virtual bool SelectGraphChecked(int index) const = 0;
    virtual void SetSelectGraphChecked(int index, bool checked) = 0;

    /// The check mark of mnuViewDateButton (the date buttons are shown).
    virtual void SetDateButtonChecked(bool checked) = 0;

    /// The caption of the date button cmdChangeDate(index) and of its menu twin mnuViewDateChange(index),
    /// index 0 to 2.
    virtual void SetDateChangeCaption(int index, const QString& caption) = 0;

    /// Whether the date button cmdChangeDate(index) is visible.
    virtual void SetDateButtonVisible(int index, bool visible) = 0;

    /// The end x, in twips, of both etched lines Line1(0) and Line1(1) under the menu bar.
    virtual void SetLineEndX(qint32 twips) = 0;
};
