#include "gfx/qt/QtRender.h"

#include "gfx/qt/QtCanvas.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

namespace cw::gfx
{

namespace
{

const QPageSize kPage(QPageSize::Letter);
const QMarginsF kMargins(10, 10, 10, 10); // mm: what a printer cannot reach

QString Draw(QPaintDevice& device, bool printing, bool landscape, const DrawFunction& draw)
{
    QPainter painter;
    if (!painter.begin(&device))
        return "The drawing could not be started on its output.";
    {
        QtCanvas canvas(painter, QtCanvas::DescribeDevice(device, printing, landscape));
        draw(canvas);
    } // the canvas draws what it still holds as it goes
    if (!painter.end())
        return "The drawing could not be finished.";
    return {};
}

QImage PaperImage(bool landscape, int dpi)
{
    QPageLayout layout(kPage, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, kMargins,
                       QPageLayout::Millimeter);
    const QRect paint = layout.paintRectPixels(dpi);
    QImage image(paint.size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

QString SaveImage(const QImage& image, const QString& path)
{
    if (image.isNull())
        return "The image is too large to draw.";
    if (!image.save(path, "PNG"))
        return QString("Cannot write the file %1.").arg(path);
    return {};
}

} // namespace

QString RenderPng(const QString& path, QSize size, const DrawFunction& draw)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return "The image is too large to draw.";
    image.fill(Qt::white);
    if (QString error = Draw(image, false, false, draw); !error.isEmpty())
        return error;
    return SaveImage(image, path);
}

QString RenderSvg(const QString& path, QSize size, const DrawFunction& draw)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle("Conewright plot");
    if (QString error = Draw(svg, false, false, draw); !error.isEmpty())
        return QString("Cannot write the file %1.").arg(path);
    return {};
}

QString RenderPdf(const QString& path, bool landscape, const DrawFunction& draw)
{
    QPdfWriter pdf(path);
    pdf.setResolution(600);
    pdf.setCreator("Conewright");
    pdf.setPageLayout(QPageLayout(kPage, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                  kMargins, QPageLayout::Millimeter));
    if (QString error = Draw(pdf, true, landscape, draw); !error.isEmpty())
        return QString("Cannot write the file %1.").arg(path);
    return {};
}

QString RenderPagePng(const QString& path, bool landscape, int dpi, const DrawFunction& draw)
{
    QImage image = PaperImage(landscape, dpi);
    if (QString error = Draw(image, true, landscape, draw); !error.isEmpty())
        return error;
    return SaveImage(image, path);
}

QString RenderPrinter(QPrinter& printer, const DrawFunction& draw)
{
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    return Draw(printer, true, landscape, draw);
}

} // namespace cw::gfx
