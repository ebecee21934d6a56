// Twips and pixels on the screen at hand: one rounding rule both ways, so that a window saved in twips and
// restored comes back at the same pixels; the help window whole on the screen. Run at several densities and
// scale factors.
#include <QTextBrowser>
#include <QWidget>
#include <QtTest>

#include "../FormTestSupport.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/Screen.h"

class TestForms : public QObject
{
    Q_OBJECT
private slots:
    void pixelsSurviveTwips();
    void windowGeometryRoundTrip();
    void helpWindowWholeOnTheScreen();
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
        const QRect twips = Forms::GeometryTwips(&window);
        Screen::SetGeometryTwips(&window, twips.x(), twips.y(), twips.width(), twips.height());
        QCOMPARE(window.size(), first);
    }
}

void TestForms::helpWindowWholeOnTheScreen()
{
    // Opened from a window near the screen's bottom right corner, at every dpi these tests run at: the help
    // window lies whole within the part of the screen the panels leave free, shows the program's icon, and
    // Esc closes it.
    QWidget asking;
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    asking.setGeometry(free.right() - 60, free.bottom() - 40, 50, 30);
    QVERIFY(Help::ShowFinder(&asking, QStringLiteral(KIRVO_SOURCE_DIR "/help/kirvo.hlp")));
    QTextBrowser* viewer = ShownHelpViewer();
    QVERIFY(viewer);
    QVERIFY2(free.contains(viewer->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                            .arg(viewer->frameGeometry().x())
                            .arg(viewer->frameGeometry().y())
                            .arg(viewer->frameGeometry().width())
                            .arg(viewer->frameGeometry().height())
                            .arg(free.width())
                            .arg(free.height())));
    QVERIFY(viewer->width() > free.width() / 3);
    QVERIFY(!viewer->windowIcon().isNull());
    QVERIFY(ShowActive(viewer));
    QTest::keyClick(viewer, Qt::Key_Escape);
    QTRY_VERIFY(!ShownHelpViewer());
}

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
