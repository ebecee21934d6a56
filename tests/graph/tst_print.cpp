// The chart on paper: printed to a PDF file, which is then rendered back to pixels with the system's PDF
// tools and checked there, so the page geometry is seen as a reader of the paper would see it.
#include <QtTest>

#include <QPrinter>
#include <QProcess>

#include "ChartTestSupport.h"
#include "TestSupport.h"
#include "platform/PrinterSurface.h"

using namespace ChartTest;
using basParam::SetParam;

namespace {

constexpr int Dpi = 144;

struct Printed
{
    QImage page;
    QRectF paintPoints; // the printable area on the paper, in points
    QSize units;
    int pages = 0;
    QString text;
    AppError error = AppError::None;
};

QString Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

Printed PrintToPdf(GraphForm& form, int orientation, const QString& folder)
{
    Printed out;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = folder + QStringLiteral("/chart.pdf");
    printer.setOutputFileName(file);
    printer.setPageOrientation(orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
    PrinterSurface paper;
    out.units = basGraph::PrintPageUnits(orientation);
    out.paintPoints = printer.pageLayout().paintRect(QPageLayout::Point);
    if (Failed(paper.Begin(&printer, out.units))) {
        out.error = AppError::Drawing;
        return out;
    }
    out.error = basGraph::PrintGraph(form, orientation, paper);
    paper.End();
    const QString info = Run(QStringLiteral("pdfinfo"), {file});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    out.pages = m.hasMatch() ? m.captured(1).toInt() : 0;
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"),
         QString::number(Dpi),
         QStringLiteral("-png"),
         QStringLiteral("-singlefile"),
         file,
         folder + QStringLiteral("/page")});
    out.page = QImage(folder + QStringLiteral("/page.png")).convertToFormat(QImage::Format_RGB32);
    out.text = Run(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    return out;
}

// A page unit as a pixel of the rendered page.
QPoint ToPixel(const Printed& p, double ux, double uy)
{
    const double x = p.paintPoints.left() + ux * p.paintPoints.width() / p.units.width();
    const double y = p.paintPoints.top() + uy * p.paintPoints.height() / p.units.height();
    return QPoint(qRound(x * Dpi / 72.0), qRound(y * Dpi / 72.0));
}

// The darkest pixel around a place: rendered lines are anti-aliased and may fall between two pixels.
int Darkest(const QImage& image, QPoint at)
{
    int darkest = 255;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (image.rect().contains(p)) {
                darkest = qMin(darkest, qGray(image.pixel(p)));
            }
        }
    }
    return darkest;
}

int InkIn(const QImage& image, const QRect& area)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
        }
    }
    return n;
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { ResetAllState(); }
    void bandsOnThePage_data();
    void bandsOnThePage();
    void paperUsesCopyPen();
    void nobodyToPrintIsAnError();
    void badColourIsAnError();
    void previewPagesHoldEvents();

private:
    QTemporaryDir m_dir;
};

void TestPrint::init()
{
    ResetAllState();
    Defaults({{QStringLiteral("山田"), D(1970, 4, 10)},
              {QStringLiteral("佐藤"), D(1980, 5, 20)},
              {QStringLiteral("鈴木"), D(1990, 6, 30)}});
    QVERIFY(m_dir.isValid());
}

void TestPrint::bandsOnThePage_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("bandHeight");
    QTest::newRow("portrait at 50%") << 1 << 50 << 5760 << 2560;
    QTest::newRow("landscape at 50%") << 2 << 50 << 7680 << 1920;
    QTest::newRow("portrait at 100%") << 1 << 100 << 11520 << 5120;
}

void TestPrint::bandsOnThePage()
{
    QFETCH(int, orientation);
    QFETCH(int, rate);
    QFETCH(int, width);
    QFETCH(int, bandHeight);
    SetParam(SettingKey::PrintRate, rate);
    GraphTestWindow w;
    Prepare(w, 300, 200);
    const Printed p = PrintToPdf(w, orientation, m_dir.path());
    QCOMPARE(p.error, AppError::None);
    QCOMPARE(p.pages, 1);
    QVERIFY(!p.page.isNull());
    for (int i = 0; i < 3; ++i) {
        const double top = i * bandHeight;
        const double y0 = top + bandHeight / 2.0;
        // Zero line, both axes and the display-date line of every band.
        QVERIFY2(Darkest(p.page, ToPixel(p, width / 3.0, y0)) < 100,
                 qPrintable(QStringLiteral("zero line %1").arg(i + 1)));
        QVERIFY(Darkest(p.page, ToPixel(p, 300, top + 300)) < 100);
        QVERIFY(Darkest(p.page, ToPixel(p, width - 300, top + 300)) < 100);
        QVERIFY(Darkest(p.page, ToPixel(p, width / 2.0, top + bandHeight - 300)) < 100);
        // Between the bands, left of the axis, the paper stays white.
        QVERIFY(Darkest(p.page, ToPixel(p, 200, top + bandHeight / 2.0 + 400)) > 230);
    }
    // Nothing to the right of the bands or below the last one's date labels.
    const QPoint bandsEnd = ToPixel(p, width + 150, 3 * bandHeight + 150);
    const QPoint areaEnd = ToPixel(p, p.units.width(), p.units.height());
    if (width < p.units.width()) {
        QCOMPARE(InkIn(p.page, QRect(QPoint(bandsEnd.x(), 0), QPoint(areaEnd.x(), areaEnd.y()))), 0);
    }
    QCOMPARE(InkIn(p.page, QRect(QPoint(0, bandsEnd.y()), areaEnd)), 0);
    // Each band's counter line starts with the person's caption, directly followed by the day counter.
    const QString text = QString(p.text).remove(QLatin1Char('\n')).remove(QLatin1Char(' '));
    QVERIFY2(text.contains(QStringLiteral("(1)山田[70/4/10]生後")), qPrintable(p.text));
    QVERIFY(text.contains(QStringLiteral("(2)佐藤[80/5/20]生後")));
    QVERIFY(text.contains(QStringLiteral("(3)鈴木[90/6/30]生後")));
    QVERIFY(text.contains(QStringLiteral("01/12/5"))); // the display date under the last band
}

void TestPrint::paperUsesCopyPen()
{
    // The screen's mask pen would leave black where the curves cross the black zero line; paper draws the
    // last curve over it.
    SetParam(SettingKey::DrawMode, 9);
    SetParam(SettingKey::GraphPoint, 1);
    SetParam(SettingKey::DayLine, false);
    SetParam(SettingKey::LineWidth, 4);
    basParam::ClearDisplayList();
    const Date birthday = D(2001, 11, 30);
    basParam::AddDisplayPerson(QStringLiteral("山田"), birthday);
    GraphTestWindow w;
    Prepare(w, 300, 200);
    w.mnuViewSelectGraph[3]->setChecked(false);
    const Printed p = PrintToPdf(w, 1, m_dir.path());
    QCOMPARE(p.error, AppError::None);
    // The birthday lies 10 of the window's 30 days from its first day: a third of the plot width.
    const double x = 300 + (11520 - 600) * 50.0 / 150.0;
    const QRgb crossing = p.page.pixel(ToPixel(p, x, 15360 / 2.0));
    QVERIFY2(qGreen(crossing) > 150 && qRed(crossing) < 120, qPrintable(QString::number(crossing, 16)));
}

void TestPrint::nobodyToPrintIsAnError()
{
    basParam::ClearDisplayList();
    GraphTestWindow w;
    const Printed p = PrintToPdf(w, 1, m_dir.path());
    QCOMPARE(p.error, AppError::Drawing);
}

void TestPrint::badColourIsAnError()
{
    SetParam(SettingKey::GraphSensColor, QStringLiteral("200-64064"));
    GraphTestWindow w;
    const Printed p = PrintToPdf(w, 1, m_dir.path());
    QCOMPARE(p.error, AppError::Conversion);
    QCOMPARE(InkIn(p.page, p.page.rect()), 0);
}

void TestPrint::previewPagesHoldEvents()
{
    // Printing lets waiting events through (the printer dialog's area repaints, Esc is seen); a preview
    // drawing its pages must not, or the preview paints pages that are only half made.
    basParam::ClearDisplayList();
    basParam::AddDisplayPerson(QStringLiteral("山田"), D(2001, 11, 30));
    GraphTestWindow w;
    for (const bool held : {false, true}) {
        bool ran = false;
        QTimer::singleShot(0, this, [&ran] { ran = true; });
        {
            std::optional<basGraph::HoldEvents> hold;
            if (held) {
                hold.emplace();
            }
            QCOMPARE(PrintToPdf(w, 1, m_dir.path()).error, AppError::None);
        }
        QCOMPARE(ran, !held);
        QTRY_VERIFY(ran);
    }
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
