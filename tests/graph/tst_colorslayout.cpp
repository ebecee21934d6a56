// Colour texts both ways, the default colours, and the main-window helpers around the chart: caption,
// layout minimums, picture-box geometry, set-up from the settings, a place left by a lost monitor and
// stay-on-top.
#include <QtTest>

#include "ChartTestSupport.h"
#include "TestSupport.h"
#include "platform/Forms.h"
#include "platform/Screen.h"
#include "platform/Window.h"

using namespace ChartTest;
using basParam::GetParam;
using basParam::SetParam;

class TestColorsLayout : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { ResetAllState(); }
    void colorToText_data();
    void colorToText();
    void colorFromText_data();
    void colorFromText();
    void roundTripOverTheColourSpace();
    void resetGraphColors();
    void caption_data();
    void caption();
    void layoutMinimums_data();
    void layoutMinimums();
    void pictureGeometry_data();
    void pictureGeometry();
    void initFromSettings_data();
    void initFromSettings();
    void storedPlaceOffTheScreen_data();
    void storedPlaceOffTheScreen();
    void fitOnScreens_data();
    void fitOnScreens();
    void stayOnTopShowsWithoutActivating();
};

void TestColorsLayout::init()
{
    ResetAllState();
    Defaults({{QStringLiteral("山田"), D(1970, 4, 10)}, {QStringLiteral("佐藤"), D(1980, 5, 20)}});
}

void TestColorsLayout::colorToText_data()
{
    QTest::addColumn<qint64>("colour");
    QTest::addColumn<QString>("expected"); // empty: refused
    QTest::newRow("black") << qint64(0) << QStringLiteral("000000000");
    QTest::newRow("white") << qint64(16777215) << QStringLiteral("255255255");
    QTest::newRow("red 200 green 64 blue 64") << qint64(4210888) << QStringLiteral("200064064");
    QTest::newRow("blue only") << qint64(0x010000) << QStringLiteral("000000001");
    QTest::newRow("green only") << qint64(0x00FF00) << QStringLiteral("000255000");
    QTest::newRow("system colour, top bit set") << qint64(0x80000005) << QString();
    QTest::newRow("negative") << qint64(-1) << QString();
    QTest::newRow("one past white") << qint64(16777216) << QString();
}

void TestColorsLayout::colorToText()
{
    QFETCH(qint64, colour);
    QFETCH(QString, expected);
    QString text = QStringLiteral("unchanged");
    const AppError e = basGraph::ColorToText(colour, text);
    if (expected.isEmpty()) {
        QCOMPARE(e, AppError::Conversion);
        QCOMPARE(text, QStringLiteral("unchanged"));
    } else {
        QCOMPARE(e, AppError::None);
        QCOMPARE(text, expected);
    }
}

void TestColorsLayout::colorFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("red"); // -1: refused
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("digits") << QStringLiteral("064064200") << 64 << 64 << 200;
    QTest::newRow("leading blanks") << QStringLiteral("   255255") << 0 << 255 << 255;
    QTest::newRow("hex prefix in the first slice") << QStringLiteral("&HFF000000") << 15 << 0 << 0;
    QTest::newRow("octal and hex, lower case") << QStringLiteral("&o7&h9&HF") << 7 << 9 << 15;
    QTest::newRow("nine letters") << QStringLiteral("abcdefghi") << 0 << 0 << 0;
    QTest::newRow("above 255 is capped") << QStringLiteral("999256300") << 255 << 255 << 255;
    QTest::newRow("exponents E and D") << QStringLiteral("1E21d2002") << 100 << 100 << 2;
    QTest::newRow("halves to even") << QStringLiteral("0.52.51.5") << 0 << 2 << 2;
    QTest::newRow("blank, tab and line feed dropped") << QStringLiteral("1 2\t3\n45") << 12 << 3 << 45;
    QTest::newRow("plus sign") << QStringLiteral("+12+34+56") << 12 << 34 << 56;
    QTest::newRow("minus zero is zero") << QStringLiteral("-00000000") << 0 << 0 << 0;
    QTest::newRow("short text") << QStringLiteral("2551") << 255 << 1 << 0;
    QTest::newRow("empty") << QString() << 0 << 0 << 0;
    QTest::newRow("beyond the ninth ignored") << QStringLiteral("001002003-99") << 1 << 2 << 3;
    QTest::newRow("number stops at a letter") << QStringLiteral("1x22y33z3") << 1 << 2 << 3;
    QTest::newRow("full-width digits are not digits") << QStringLiteral("２５５255255") << 0 << 255 << 255;
    QTest::newRow("decimal point alone") << QStringLiteral("...1.11.1") << 0 << 1 << 1;
    QTest::newRow("minus sign") << QStringLiteral("-01000000") << -1 << 0 << 0;
    QTest::newRow("minus in blue") << QStringLiteral("000000-01") << -1 << 0 << 0;
    QTest::newRow("minus after a dropped blank") << QStringLiteral("- 1000000") << -1 << 0 << 0;
    QTest::newRow("minus six tenths rounds to minus one") << QStringLiteral("-.6000000") << -1 << 0 << 0;
}

void TestColorsLayout::colorFromText()
{
    QFETCH(QString, text);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    quint32 colour = 0xABCDEF;
    const AppError e = basGraph::ColorFromText(text, colour);
    if (red < 0) {
        QCOMPARE(e, AppError::Conversion);
        QCOMPARE(colour, 0xABCDEFu);
    } else {
        QCOMPARE(e, AppError::None);
        QCOMPARE(colour, static_cast<quint32>(red + 256 * green + 65536 * blue));
    }
}

void TestColorsLayout::roundTripOverTheColourSpace()
{
    // Every value of each component at the edges of the others, and a dense sample of the rest.
    QList<qint64> colours;
    for (int v = 0; v < 256; ++v) {
        for (int other : {0, 255}) {
            colours << (v + 256 * other + 65536 * other) << (other + 256 * v + 65536 * other)
                    << (other + 256 * other + 65536 * v);
        }
    }
    for (qint64 c = 0; c <= 0xFFFFFF; c += 251) {
        colours << c;
    }
    colours << 0xFFFFFF;
    for (qint64 c : colours) {
        QString text;
        QCOMPARE(basGraph::ColorToText(c, text), AppError::None);
        QCOMPARE(text.size(), 9);
        quint32 back = 0;
        QCOMPARE(basGraph::ColorFromText(text, back), AppError::None);
        if (back != c) {
            QFAIL(qPrintable(QStringLiteral("%1 -> %2 -> %3").arg(c).arg(text).arg(back)));
        }
    }
}

void TestColorsLayout::resetGraphColors()
{
    const QStringList keys {SettingKey::GraphForeColor,
                            SettingKey::GraphBackColor,
                            SettingKey::GraphPhysColor,
                            SettingKey::GraphSensColor,
                            SettingKey::GraphIntelColor};
    for (const QString& key : keys) {
        SetParam(key, QStringLiteral("123123123"));
    }
    GraphTestWindow w;
    Prepare(w, 300, 200);
    basGraph::ResetGraphColors(w);
    const QStringList expected {QStringLiteral("000000000"),
                                QStringLiteral("255255255"),
                                QStringLiteral("064064200"),
                                QStringLiteral("200064064"),
                                QStringLiteral("064200064")};
    for (int i = 0; i < keys.size(); ++i) {
        QCOMPARE(GetParam(keys[i]).AsText(), expected[i]);
    }
    // Redrawn: black axes on white.
    const QImage image = w.picGraph()->Surface().Image();
    const Mapper px(w.picGraph());
    QCOMPARE(Pixel(image, 1, 1), qRgb(255, 255, 255));
    QCOMPARE(Pixel(image, px.X(300), px.Y(600)), qRgb(0, 0, 0));
    QCOMPARE(basGraph::GraphColors().cycle[0], 64u + 256u * 64 + 65536u * 200);
}

void TestColorsLayout::caption_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two") << QStringList {QStringLiteral("山田"), QStringLiteral("佐藤")}
                         << QStringLiteral("バイオリズム （山田, 佐藤）");
    QTest::newRow("one") << QStringList {QStringLiteral("山田")} << QStringLiteral("バイオリズム （山田）");
    QTest::newRow("nobody") << QStringList {} << QStringLiteral("バイオリズム （）");
}

void TestColorsLayout::caption()
{
    QFETCH(QStringList, names);
    QFETCH(QString, expected);
    basParam::ClearDisplayList();
    for (const QString& n : names) {
        basParam::AddDisplayPerson(n, D(1970, 1, 1));
    }
    GraphTestWindow w;
    basGraph::SetGraphCaption(w);
    QCOMPARE(w.windowTitle(), expected);
}

void TestColorsLayout::layoutMinimums_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<bool>("grows");
    QTest::newRow("too narrow and too low") << QSize(100, 60) << true;
    QTest::newRow("too narrow") << QSize(150, 300) << true;
    QTest::newRow("too low") << QSize(400, 90) << true;
    QTest::newRow("large enough") << QSize(400, 300) << false;
}

void TestColorsLayout::layoutMinimums()
{
    QFETCH(QSize, pixels);
    QFETCH(bool, grows);
    GraphTestWindow w;
    w.show();
    w.resize(pixels);
    QCoreApplication::processEvents();
    const QRect before = Forms::GeometryTwips(&w);
    basGraph::LayoutMainWindow(w);
    QCoreApplication::processEvents();
    const QRect after = Forms::GeometryTwips(&w);
    const double tx = Forms::TwipsPerPixelX();
    const double ty = Forms::TwipsPerPixelY();
    QVERIFY(after.width() >= 3200 && after.height() >= 2000);
    if (before.width() < 3200) {
        QVERIFY(after.width() < 3200 + tx); // snapped to the minimum, not beyond
    }
    if (before.height() < 2000) {
        QVERIFY(after.height() < 2000 + ty);
    }
    QCOMPARE(after != before, grows);
    // The etched lines reach across the window.
    QCOMPARE(w.lineEndX, after.width());
    // A second layout at the minimum changes nothing.
    basGraph::LayoutMainWindow(w);
    QCOMPARE(Forms::GeometryTwips(&w), after);
}

void TestColorsLayout::pictureGeometry_data()
{
    QTest::addColumn<bool>("buttons");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottomGap");
    QTest::newRow("date buttons shown") << true << 480 << 0;
    QTest::newRow("date buttons hidden") << false << 120 << 10;
}

void TestColorsLayout::pictureGeometry()
{
    QFETCH(bool, buttons);
    QFETCH(int, top);
    QFETCH(int, bottomGap);
    SetParam(SettingKey::DateChangeButton, buttons);
    GraphTestWindow w;
    w.show();
    w.resize(500, 400);
    QCoreApplication::processEvents();
    basGraph::LayoutMainWindow(w);
    const QSize client = w.ClientSizePixels();
    const double tx = Forms::TwipsPerPixelX();
    const double ty = Forms::TwipsPerPixelY();
    PictureBox* pic = w.picGraph();
    QCOMPARE(pic->x(), 0);
    QCOMPARE(pic->y(), qRound(top / ty));
    QCOMPARE(pic->height(), qRound((client.height() * ty - top - bottomGap) / ty));
    QCOMPARE(pic->width(), qRound((client.width() * tx - 20) / tx));
    // Hiding the buttons moves the picture up by 360 twips and makes it 350 twips taller.
    QVERIFY(std::abs(pic->TopTwips() - top) < ty);
    QVERIFY(std::abs(pic->HeightTwips() - (client.height() * ty - top - bottomGap)) < ty);
}

void TestColorsLayout::initFromSettings_data()
{
    QTest::addColumn<int>("graphDisp");
    QTest::addColumn<int>("period");
    QTest::addColumn<bool>("buttons");
    QTest::addColumn<QList<bool>>("checks");
    QTest::newRow("GraphDisp 5, period 30") << 5 << 30 << true << QList<bool> {true, false, true, false};
    QTest::newRow("GraphDisp 15, buttons off") << 15 << 15 << false << QList<bool> {true, true, true, true};
    QTest::newRow("GraphDisp 8, period 999") << 8 << 999 << true << QList<bool> {false, false, false, true};
    QTest::newRow("GraphDisp 0") << 0 << 1 << true << QList<bool> {false, false, false, false};
}

void TestColorsLayout::initFromSettings()
{
    QFETCH(int, graphDisp);
    QFETCH(int, period);
    QFETCH(bool, buttons);
    QFETCH(QList<bool>, checks);
    SetParam(SettingKey::GraphDisp, graphDisp);
    SetParam(SettingKey::DispPeriod, period);
    SetParam(SettingKey::DateChangeButton, buttons);
    SetParam(SettingKey::GraphPosX, 1500);
    SetParam(SettingKey::GraphPosY, 750);
    // Small enough to fit whole on every test screen, so the place is kept.
    SetParam(SettingKey::GraphWidth, -3600); // the sign is dropped
    SetParam(SettingKey::GraphHeight, 3000);
    GraphTestWindow w;
    basGraph::InitMainWindow(w);
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(w.mnuViewSelectGraph[k]->isChecked(), checks[k]);
    }
    const QString n = QString::number(period);
    QCOMPARE(w.cmdChangeDate[0]->text(), QStringLiteral("今日(&T)"));
    QCOMPARE(w.cmdChangeDate[1]->text(), n + QStringLiteral("日前(&B)"));
    QCOMPARE(w.mnuViewDateChange[1]->text(), n + QStringLiteral("日前(&B)"));
    QCOMPARE(w.cmdChangeDate[2]->text(), n + QStringLiteral("日後(&A)"));
    QCOMPARE(w.mnuViewDateChange[2]->text(), n + QStringLiteral("日後(&A)"));
    QCOMPARE(w.mnuViewDateButton->isChecked(), buttons);
    for (QPushButton* b : w.cmdChangeDate) {
        QCOMPARE(b->isVisible(), buttons); // the window is shown by the stay-on-top step
    }
    QCOMPARE(w.windowTitle(), QStringLiteral("バイオリズム （山田, 佐藤）"));
    QVERIFY(w.isVisible());
    // The frame's corner goes where the settings say; the size is the window's own (a window manager's frame
    // comes on top of it).
    const QRect place = Forms::GeometryTwips(&w);
    const double tx = Forms::TwipsPerPixelX();
    const double ty = Forms::TwipsPerPixelY();
    // Within the pixel that holds the twips.
    QVERIFY2(std::abs(place.x() - 1500) < tx && std::abs(place.y() - 750) < ty,
             qPrintable(QStringLiteral("%1,%2").arg(place.x()).arg(place.y())));
    QVERIFY2(std::abs(place.width() - 3600) < tx && std::abs(place.height() - 3000) < ty,
             qPrintable(QStringLiteral("%1x%2").arg(place.width()).arg(place.height())));
}

void TestColorsLayout::storedPlaceOffTheScreen_data()
{
    // Places stored in twips; on this screen (of whatever dots per inch) each leaves part of the window off it.
    QTest::addColumn<QRect>("stored");
    QTest::newRow("GraphPosX=60000") << QRect(60000, 750, 4500, 3000);
    QTest::newRow("far to the upper left") << QRect(-60000, -45000, 4500, 3000);
    QTest::newRow("off to the right") << QRect(9000, 750, 4500, 3000);
    QTest::newRow("off the bottom") << QRect(750, 11000, 4500, 3000);
    QTest::newRow("larger than the screen") << QRect(3000, 3000, 30000, 30000);
}

void TestColorsLayout::storedPlaceOffTheScreen()
{
    QFETCH(QRect, stored);
    SetParam(SettingKey::GraphPosX, stored.x());
    SetParam(SettingKey::GraphPosY, stored.y());
    SetParam(SettingKey::GraphWidth, stored.width());
    SetParam(SettingKey::GraphHeight, stored.height());
    GraphTestWindow w;
    basGraph::InitMainWindow(w);
    QCoreApplication::processEvents();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = w.frameGeometry();
    QVERIFY2(
        available.contains(frame),
        qPrintable(QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
    // Moved whole, shrunk only where the screen is smaller.
    const QSize edges = frame.size() - w.size();
    QCOMPARE(w.width(), std::min(Forms::PixelsX(stored.width()), available.width() - edges.width()));
    QCOMPARE(w.height(), std::min(Forms::PixelsY(stored.height()), available.height() - edges.height()));
    // The settings keep the user's numbers until the window closes.
    QCOMPARE(GetParam(SettingKey::GraphPosX).AsInt(), stored.x());
    QCOMPARE(GetParam(SettingKey::GraphPosY).AsInt(), stored.y());
}

void TestColorsLayout::fitOnScreens_data()
{
    // A wide screen on the left, a smaller one to its right whose top is level with it.
    const QList<QRect> two {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)};
    QTest::addColumn<QList<QRect>>("areas");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("on the second screen") << two << QRect(2000, 100, 600, 400) << QRect(2000, 100, 600, 400);
    QTest::newRow("across both screens") << two << QRect(1700, 100, 600, 400) << QRect(1700, 100, 600, 400);
    QTest::newRow("partly below the smaller screen") << two << QRect(2000, 800, 600, 400) << QRect(2000, 584, 600, 400);
    QTest::newRow("over the corner below the smaller screen")
        << two << QRect(1800, 900, 600, 300) << QRect(1920, 684, 600, 300);
    QTest::newRow("beyond the right edge") << two << QRect(5000, 300, 600, 400) << QRect(2600, 300, 600, 400);
    QTest::newRow("where a third monitor was, above")
        << two << QRect(2500, -2000, 600, 400) << QRect(2500, 0, 600, 400);
    QTest::newRow("taller than the screen it lands on") << two << QRect(4000, 0, 600, 1200) << QRect(2600, 0, 600, 984);
    QTest::newRow("no screens known") << QList<QRect> {} << QRect(5000, 300, 600, 400) << QRect(5000, 300, 600, 400);
}

void TestColorsLayout::fitOnScreens()
{
    QFETCH(QList<QRect>, areas);
    QFETCH(QRect, frame);
    QFETCH(QRect, expected);
    QCOMPARE(Screen::FitOnScreens(frame, areas), expected);
}

void TestColorsLayout::stayOnTopShowsWithoutActivating()
{
    GraphTestWindow other;
    other.show();
    other.activateWindow();
    QCoreApplication::processEvents();
    GraphTestWindow w;
    w.move(150, 90);
    w.resize(320, 240);
    QVERIFY(!w.isVisible());
    Forms::SetStayOnTop(&w, true);
    QVERIFY(w.isVisible());
    QVERIFY(Window::IsStayOnTop(&w));
    QVERIFY(w.testAttribute(Qt::WA_ShowWithoutActivating) == false); // restored after showing
    QCOMPARE(w.frameGeometry().topLeft(), QPoint(150, 90));
    QCOMPARE(w.size(), QSize(320, 240));
    QVERIFY(QApplication::activeWindow() != &w);
    Forms::SetStayOnTop(&w, false);
    QVERIFY(!Window::IsStayOnTop(&w));
    QVERIFY(w.isVisible());
    QCOMPARE(w.frameGeometry().topLeft(), QPoint(150, 90));
    QCOMPARE(w.size(), QSize(320, 240));
}

QTEST_MAIN(TestColorsLayout)
#include "tst_colorslayout.moc"
