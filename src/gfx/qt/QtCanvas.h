#pragma once

#include "gfx/Canvas.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPolygonF>

namespace cw::gfx
{

// The canvas on a QPainter: a widget's backing image, a QImage, a PDF writer, an SVG generator
// or a printer. The painter's own transform stays at identity; every coordinate, pen width and
// font size is mapped here, so text is always upright and pens are as wide in x as in y.
class QtCanvas final : public Canvas
{
public:
    // The painter must be active on its device; the canvas switches on anti-aliasing.
    QtCanvas(QPainter& painter, DeviceInfo device);
    // Draws what is still pending; the painter must still be active.
    ~QtCanvas() override;

    // Draws the lines still held back for drawing together.
    void Flush();

    // The device facts of a paint device (size in its own units, resolution).
    static DeviceInfo DescribeDevice(const QPaintDevice& device, bool printing, bool landscape);

protected:
    void DrawLine(Point from, Point to) override;
    void DrawPolyline(const std::vector<Point>& points) override;
    void DrawPolygon(const std::vector<Point>& points, Color fill) override;
    void DrawEllipse(const Rect& rect, Color fill) override;
    void DrawFilledRect(const Rect& rect, Color color) override;
    void DrawText(Point topLeft, std::string_view text) override;
    TextMetrics MeasureFont() const override;
    double MeasureText(std::string_view text) const override;
    void ClipChanging() override { Flush(); }
    void ClipChanged() override;

private:
    struct DeviceFont {
        QFont font;
        double cellHeight = 0;   // device units
        double ascent = 0;       // device units
        double averageWidth = 0; // device units
    };
    const DeviceFont& CurrentFont() const;
    QPen DevicePen() const;
    QPen DevicePen(const Pen& pen, const Mapping& mapping) const;
    QRectF DeviceRect(const Rect& rect) const;
    QPointF Device(Point p) const;

    // Connected device points. A point in the middle of a nearly straight stretch is dropped
    // (see Extend): the flat stretches of a curve then cost one segment instead of dozens.
    struct Run {
        QPolygonF points;
        QPolygonF skipped; // the points dropped since the last kept corner
        void Extend(QPointF p);
        void Clear();
    };

    QPainter& painter_;
    // Images and windows stroke a run segment by segment: a path stroked at once is several
    // times slower there for wide anti-aliased pens. Paper and vector files get one path per run
    // instead of a stroke per segment.
    const bool raster_;
    mutable QHash<QString, DeviceFont> fonts_;
    // Consecutive lines with one pen, each starting where the last one ended, are drawn in one
    // call: a curve of hundreds of segments costs one pen set-up.
    Run pending_;
    Pen pendingPen_;
    Mapping pendingMapping_;
};

} // namespace cw::gfx
