#pragma once

#include <QFrame>

#include "ImageSurface.h"

/// A picture box: a sunken frame that shows the image of its drawing surface. Painting only copies the image;
/// nothing is drawn in a paint event. Positions and sizes in twips are the outer ones, frame included; the
/// surface covers the inside, its origin at the inside's top-left corner.
class PictureBox : public QFrame
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    /// The drawing surface, sized to the inside of the frame at the widget's device pixel ratio.
    ImageSurface& Surface();

    /// Sets the back colour, which clears the picture to it.
    void SetBackColor(quint32 colour);
    quint32 BackColor() const { return m_surface.BackColor(); }

    /// Outer position and size in twips.
    qint32 LeftTwips() const;
    qint32 TopTwips() const;
    qint32 WidthTwips() const;
    qint32 HeightTwips() const;
    /// Places the box from twips (outer edges, relative to its parent); negative sizes count as 0.
    void SetGeometryTwips(qint64 left, qint64 top, qint64 width, qint64 height);

signals:
    /// The drawing area changed size or pixel ratio: the picture has to be drawn again.
    void SurfaceResized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool SyncSurface();

    ImageSurface m_surface;
};
