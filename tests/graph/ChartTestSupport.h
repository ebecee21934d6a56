#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

#include <cmath>

#include "GraphTestWindow.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "graph/basGraph.h"
#include "platform/Forms.h"
#include "platform/core/Clock.h"
#include "platform/core/Date.h"

/// Shared set-up for the chart tests: default settings, a built sine table, a stand-in window whose picture
/// box has a known inside size, and the mapping from twips to the pixels of the drawn image.
namespace ChartTest {

inline Date D(int y, int m, int d)
{
    return *Date::FromYmd(y, m, d);
}

/// Default settings with today fixed, the sine table built, and these people on the display list.
inline void Defaults(const QList<QPair<QString, Date>>& people, Date today = D(2001, 12, 5))
{
    Clock::SetTodayForTests(today);
    basSettings::LoadSettingsFromBytes(QByteArray());
    basGraph::BuildSineTable();
    basParam::ClearDisplayList();
    for (const auto& p : people) {
        basParam::AddDisplayPerson(p.first, p.second);
    }
}

/// The window's picture box with an inside of this many logical pixels; all four graph items checked.
inline void Prepare(GraphTestWindow& w, int insideWidth, int insideHeight)
{
    PictureBox* pic = w.picGraph();
    const int frame = pic->frameWidth();
    pic->resize(insideWidth + 2 * frame, insideHeight + 2 * frame);
    for (QAction* a : w.mnuViewSelectGraph) {
        a->setChecked(true);
    }
}

/// Device pixel of a twips coordinate in the picture's image.
struct Mapper
{
    double perTwipX;
    double perTwipY;
    explicit Mapper(const PictureBox* pic)
        : perTwipX(pic->devicePixelRatioF() / Forms::TwipsPerPixelX())
        , perTwipY(pic->devicePixelRatioF() / Forms::TwipsPerPixelY())
    {
    }
    int X(double twips) const { return static_cast<int>(std::floor(twips * perTwipX + 0.5)); }
    int Y(double twips) const { return static_cast<int>(std::floor(twips * perTwipY + 0.5)); }
};

/// The colour value (red in the low byte) as an image pixel.
inline QRgb Rgb(quint32 colour)
{
    return qRgb(static_cast<int>(colour & 0xFF),
                static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

inline QRgb Pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

/// How many pixels of a rectangle differ from a colour.
inline int CountOther(const QImage& image, const QRect& area, QRgb colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += Pixel(image, x, y) != colour ? 1 : 0;
        }
    }
    return n;
}

} // namespace ChartTest
