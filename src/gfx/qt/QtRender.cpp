#include "gfx/qt/QtRender.h"

#include "gfx/qt/QtCanvas.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace cw::gfx
{

namespace
{

const QPageSize kPage(QPageSize::Letter);
const QMarginsF kMargins(10, 10, 10, 10); // mm: what a printer cannot reach

QPageLayout PaperLayout(bool landscape)
{
    return QPageLayout(kPage, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, kMargins,
                       QPageLayout::Millimeter);
}

QImage PaperImage(bool landscape, int dpi)
{
    const QRect paint = PaperLayout(landscape).paintRectPixels(dpi);
    QImage image(paint.size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

QString EncodePng(const QImage& image, QByteArray& file)
{
    if (image.isNull())
        return "The image is too large to draw.";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return "The image could not be encoded as PNG.";
    file = std::move(bytes);
    return {};
}

} // namespace

QString RenderOnDevice(QPaintDevice& device, bool printing, bool landscape,
                       const DrawFunction& draw)
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

QString RenderPdfPage(QByteArray& file, const QPageLayout& layout, int dpi, const QString& title,
                      const DrawFunction& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return "The drawing could not be started on its output.";
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(dpi);
        pdf.setCreator("Conewright");
        pdf.setTitle(title);
        pdf.setPageLayout(layout);
        if (QString error =
                RenderOnDevice(pdf, true, layout.orientation() == QPageLayout::Landscape, draw);
            !error.isEmpty())
            return error;
    }
    file = std::move(bytes);
    return {};
}

QString RenderPng(QByteArray& file, QSize size, const DrawFunction& draw)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return "The image is too large to draw.";
    image.fill(Qt::white);
    if (QString error = RenderOnDevice(image, false, false, draw); !error.isEmpty())
        return error;
    return EncodePng(image, file);
}

QString RenderSvg(QByteArray& file, QSize size, const QString& title, const DrawFunction& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return "The drawing could not be started on its output.";
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(title);
        if (QString error = RenderOnDevice(svg, false, false, draw); !error.isEmpty())
            return error;
    }
    file = std::move(bytes);
    return {};
}

QString RenderPdf(QByteArray& file, bool landscape, const DrawFunction& draw)
{
    return RenderPdfPage(file, PaperLayout(landscape), 600, QString(), draw);
}

QString RenderPagePng(QByteArray& file, bool landscape, int dpi, const DrawFunction& draw)
{
    QImage image = PaperImage(landscape, dpi);
    if (QString error = RenderOnDevice(image, true, landscape, draw); !error.isEmpty())
        return error;
    return EncodePng(image, file);
}

} // namespace cw::gfx
