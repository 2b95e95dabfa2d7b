#include "gfx/qt/QtCanvas.h"

#include "gfx/RecordingCanvas.h"
#include "gfx/qt/QtRender.h"
#include "plot/PlotPainter.h"
#include "reports/SystemReport.h"
#include "reports/ui/ReportPrinter.h"
#include "support/RecordingWindows.h"
#include "support/TestFiles.h"
#include "ui/DarkPixels.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace cw::gfx
{
namespace
{

using test::DarkPixels;

// A y-up page of 10000 x 10000 on the whole image.
void YUpPage(Canvas& c, const QImage& image)
{
    c.SetWindowExt(10000, 10000);
    c.SetViewportExt(image.width(), -image.height());
    c.SetViewportOrg(0, image.height());
}

TEST(QtCanvas, MapsYUpAndKeepsTextUpright)
{
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas c(painter, QtCanvas::DescribeDevice(image, false, false));
        YUpPage(c, image);
        c.FillRect({0, 2500, 10000, 0}, {255, 0, 0}); // the bottom quarter of the image
        c.SetFont({"Arial", 5000, 400, FontFamily::Swiss, false});
        c.TextOut(3000, 9000, "T"); // a big T with its cell's top near the image top
    }
    EXPECT_EQ(image.pixel(200, 390), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(200, 290), qRgb(255, 255, 255));
    // The T's bar is at the top of its glyph: the upper band holds more ink than the lower.
    // Cell top at y 40, 200 pixels high: the cap height starts near y 72 and the base line is
    // near y 197.
    const int upper = DarkPixels(image, QRect(0, 75, 400, 12));
    const int lower = DarkPixels(image, QRect(0, 160, 400, 12));
    EXPECT_GT(upper, 2 * lower);
}

TEST(QtCanvas, StraightRunsMergeButCornersAndSpikesStay)
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas c(painter, QtCanvas::DescribeDevice(image, false, false));
        c.SetPen({PenStyle::Solid, 2, kBlack}); // y-down pixels, 2 pixels wide
        c.MoveTo(10, 100);
        for (int x = 12; x <= 100; x += 2)
            c.LineTo(x, 100); // a flat stretch of many segments
        c.LineTo(101, 20);    // a spike up ...
        c.LineTo(102, 100);   // ... and straight back down
        c.LineTo(190, 100);
        c.LineTo(190, 180); // a corner
    }
    auto inked = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    EXPECT_TRUE(inked(50, 100));
    EXPECT_TRUE(inked(101, 25)); // the spike's tip is still drawn
    EXPECT_TRUE(inked(150, 100));
    EXPECT_TRUE(inked(190, 170));
    EXPECT_FALSE(inked(150, 140)); // no short cut across the corner
}

TEST(QtCanvas, APolylineDrawsAsItsLinesOneByOne)
{
    // A wavy curve with a point that does not map to a number in the middle.
    std::vector<Point> points;
    for (int i = 0; i <= 300; ++i)
        points.push_back({5.0 + i * 0.6, 100 + 60 * std::sin(i / 17.0) * std::cos(i / 41.0)});
    points[150].y = std::nan("");
    auto draw = [&](bool asPolyline) {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        {
            QtCanvas c(painter, QtCanvas::DescribeDevice(image, false, false));
            c.SetPen({PenStyle::Solid, 2.5, kBlack});
            if (asPolyline) {
                c.Polyline(points);
            } else {
                c.MoveTo(points[0].x, points[0].y);
                for (std::size_t i = 1; i < points.size(); ++i) {
                    c.MoveTo(points[i - 1].x, points[i - 1].y);
                    c.LineTo(points[i].x, points[i].y);
                }
            }
        }
        return image;
    };
    EXPECT_EQ(draw(true), draw(false));
}

TEST(QtCanvas, ADashedCurveOfShortSegmentsKeepsItsPatternAlongTheCurve)
{
    // A circle of one-degree steps, merged into chords of some 10 pixels: a pattern started
    // afresh on every chord would lay a 12-pixel dash over each of them, and leave no gap.
    constexpr double kPi = 3.14159265358979323846;
    auto at = [](double degrees) {
        const double a = degrees * kPi / 180;
        return QPointF(100 + 50 * std::cos(a), 100 + 50 * std::sin(a));
    };
    auto gaps = [&](PenStyle style) {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QtCanvas c(painter, QtCanvas::DescribeDevice(image, false, false));
            c.SetPen({style, 3, kBlack});
            std::vector<Point> points;
            for (int d = 0; d <= 360; ++d)
                points.push_back({at(d).x(), at(d).y()});
            c.Polyline(points);
        }
        int count = 0;
        bool inked = true;
        for (int d = 0; d < 3600; ++d) {
            const bool now = qGray(image.pixel(at(d / 10.0).toPoint())) < 160;
            count += inked && !now;
            inked = now;
        }
        return count;
    };
    // Along 314 pixels: a gap every 18 pixels for dashes of 12 and gaps of 6, three every 36
    // for dash-dot-dot.
    EXPECT_GE(gaps(PenStyle::Dash), 16);
    EXPECT_GE(gaps(PenStyle::DashDotDot), 24);
    EXPECT_EQ(gaps(PenStyle::Solid), 0);
}

TEST(QtCanvas, FontCellAndAverageWidthAreInLogicalUnits)
{
    QImage image(1000, 500, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas c(painter, QtCanvas::DescribeDevice(image, false, false));
    YUpPage(c, image);
    c.SetFont({"Arial", 400, 400, FontFamily::Swiss, false}); // 20 pixels
    const TextMetrics tm = c.GetTextMetrics();
    EXPECT_NEAR(tm.height, 400, 20);
    // The classic average width is about 0.44 em, far less than Qt's own (about 0.59 em); the
    // cell of Liberation Sans is 1.15 em, and x units are twice as long as y units here.
    const double emX = 400 / 1.149 / 2;
    EXPECT_NEAR(tm.averageCharWidth / emX, 0.4414, 0.03);
    EXPECT_GT(c.TextWidth("MMMM"), c.TextWidth("iiii"));
}

// How many stroked shapes of each colour an SVG holds; Qt writes a pen's colour on a group
// around the shapes drawn with it.
std::map<QString, int> StrokedShapes(const QByteArray& svg)
{
    std::map<QString, int> count;
    QXmlStreamReader xml(svg);
    QString stroke;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("g"))
            stroke = xml.attributes().value("stroke").toString();
        else if (name == QLatin1String("polyline") || name == QLatin1String("path") ||
                 name == QLatin1String("line"))
            ++count[stroke];
    }
    return count;
}

TEST(QtCanvas, VectorFilesGetOnePathPerCurveRun)
{
    // A new project's family: ten memories and the workbench, SPL and excursion curves.
    auto doc = std::make_unique<CSpkSysDoc>();
    test::RecordingWindows windows;
    doc->SetWindows(&windows);
    ASSERT_TRUE(doc->CalculateResponse());
    doc->SetWindows(nullptr);
    AppSettings settings;
    settings.plotBackground = 1; // the only background with white SPL curves
    const QSize size(800, 500);
    auto plot = [&](Canvas& c) {
        plot::PlotPainter::PrepareScreen(c, c.device().width, c.device().height);
        plot::PlotPainter(*doc, settings).Draw(c);
    };

    RecordingCanvas recorded({800, 500, 96, 96, false, false});
    plot(recorded);
    std::map<QString, int> expected;
    for (const auto& op : recorded.ops()) {
        // The runs of the curves, and the single lines (the excursion limits) in their colours.
        if (op.kind == RecordingCanvas::Kind::Polyline || op.kind == RecordingCanvas::Kind::Line)
            ++expected[QColor(op.pen.color.r, op.pen.color.g, op.pen.color.b).name()];
    }
    const QString spl = QColor(Qt::white).name();
    const QString excursion = QColor(224, 0, 82).name();
    EXPECT_EQ(expected[spl], 11);
    EXPECT_GE(expected[excursion], 11);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    {
        QPainter painter(&svg);
        QtCanvas canvas(painter, QtCanvas::DescribeDevice(svg, false, false));
        plot(canvas);
    }
    const auto shapes = StrokedShapes(buffer.data());
    EXPECT_EQ(shapes.at(spl), expected[spl]);
    EXPECT_EQ(shapes.at(excursion), expected[excursion]);
}

TEST(QtRender, WritesFilesAndReportsFailures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
    auto plot = [&](Canvas& c) {
        plot::PlotPainter::PrepareScreen(c, c.device().width, c.device().height);
        plot::PlotPainter(*doc, settings).Draw(c);
    };
    auto report = [&](Canvas& c) { reports::DrawSystemReportPage(c, *doc, settings); };

    const QString png = dir.filePath("plot.png");
    QByteArray bytes;
    EXPECT_EQ(RenderPng(bytes, QSize(800, 500), plot), QString());
    EXPECT_EQ(ui::SaveFile(png, bytes), QString());
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(800, 500));
    // Billiard Green behind the frame, the frame black at its left edge (x 850 of 10000).
    EXPECT_EQ(image.pixel(400, 2), qRgb(0, 128, 128));
    EXPECT_LT(std::min(qGray(image.pixel(67, 250)), qGray(image.pixel(68, 250))), 80);

    EXPECT_EQ(RenderPdf(bytes, true, report), QString());
    EXPECT_TRUE(bytes.startsWith("%PDF"));

    EXPECT_EQ(RenderSvg(bytes, QSize(800, 500), "Conewright plot", plot), QString());
    EXPECT_TRUE(bytes.contains("100Hz"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    printer.setPageOrientation(QPageLayout::Landscape);
    EXPECT_EQ(ui::RenderPrinter(printer, report), QString());
    QFile printed(dir.filePath("printed.pdf"));
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5).startsWith("%PDF"));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    const QString nowhere = dir.filePath("missing/folder/plot.png");
    EXPECT_EQ(ui::SaveFile(nowhere, bytes), nowhere + " contains an invalid path.");
}

TEST(QtRender, APrintedPdfThatDoesNotFitKeepsTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
    auto report = [&](Canvas& c) { reports::DrawSystemReportPage(c, *doc, settings); };
    const QString path = dir.filePath("report.pdf");
    test::WriteBytes(path.toStdString(), "the previous report");

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    {
        test::FileSizeLimit limit(1000);
        EXPECT_EQ(ui::RenderPrinter(printer, report), "Disk full while accessing " + path + ".");
    }
    EXPECT_EQ(test::ReadBytes(path.toStdString()), "the previous report");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"report.pdf"});

    // The preview draws the same printer without writing its file.
    QPrintPreviewWidget preview(&printer);
    QString previewed = "not drawn";
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter* p) { previewed = ui::RenderPrinter(*p, report); });
    preview.updatePreview();
    EXPECT_EQ(previewed, QString());
    EXPECT_EQ(preview.pageCount(), 1);
    EXPECT_EQ(test::ReadBytes(path.toStdString()), "the previous report");
}

} // namespace
} // namespace cw::gfx
