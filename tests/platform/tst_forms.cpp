// Twips and pixels on the screen at hand: one rounding rule both ways, so that a window saved in twips and
// restored comes back at the same pixels. Run at several densities and scale factors.
#include <QWidget>
#include <QtTest>

#include "platform/Forms.h"
#include "platform/Screen.h"

class TestForms : public QObject
{
    Q_OBJECT
private slots:
    void pixelsSurviveTwips();
    void windowGeometryRoundTrip();
};

void TestForms::pixelsSurviveTwips()
{
    for (int px = -3000; px <= 3000; ++px) {
        QCOMPARE(Forms::PixelsX(Forms::TwipsX(px)), px);
        QCOMPARE(Forms::PixelsY(Forms::TwipsY(px)), px);
    }
}

void TestForms::windowGeometryRoundTrip()
{
    // What closing stores and the next start applies, four times over: the size never creeps.
    QWidget window;
    window.setMinimumSize(10, 10);
    Screen::SetGeometryTwips(&window, 1500, 1200, 5249, 3499);
    const QSize first = window.size();
    for (int run = 0; run < 4; ++run) {
        const QRect twips = Screen::GeometryTwips(&window);
        Screen::SetGeometryTwips(&window, twips.x(), twips.y(), twips.width(), twips.height());
        QCOMPARE(window.size(), first);
    }
}

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
