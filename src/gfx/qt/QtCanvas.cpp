#include "gfx/qt/QtCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygonF>
#include <QString>
#include <algorithm>
#include <cmath>

namespace cw::gfx
{

namespace
{

QColor ToQColor(Color c)
{
    return QColor(c.r, c.g, c.b);
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont::StyleHint Hint(FontFamily family)
{
    switch (family) {
    case FontFamily::Swiss:
        return QFont::SansSerif;
    case FontFamily::Roman:
        return QFont::Serif;
    case FontFamily::Modern:
        return QFont::TypeWriter;
    case FontFamily::DontCare:
        break;
    }
    return QFont::AnyStyle;
}

// The classic average character width: the lower-case letters and the space weighted by how
// often they occur in English text (per thousand). Qt's averageCharWidth() is much wider, and
// the plot's label columns are measured in this narrower unit.
double WeightedAverageWidth(const QFontMetricsF& fm)
{
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                         56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
    double sum = 166 * fm.horizontalAdvance(QChar(' '));
    for (int i = 0; i < 26; ++i)
        sum += kWeights[i] * fm.horizontalAdvance(QChar('a' + i));
    return sum / 1000;
}

// The squared distance of p from the segment from a along ab, whose squared length is given.
double SquaredDistanceToSegment(QPointF p, QPointF a, QPointF ab, double length2)
{
    const double t =
        length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF d = p - (a + t * ab);
    return QPointF::dotProduct(d, d);
}

// The largest squared distance whose square root is still within the tolerance: comparing
// squares against it decides exactly as comparing square roots against the tolerance would.
double SquaredTolerance(double tolerance)
{
    double limit = tolerance * tolerance;
    while (std::sqrt(limit) > tolerance)
        limit = std::nextafter(limit, 0.0);
    while (std::sqrt(std::nextafter(limit, 1.0)) <= tolerance)
        limit = std::nextafter(limit, 1.0);
    return limit;
}

// How near a straight line the points of a curve must lie to be dropped: a quarter pixel, and
// the square of that as the comparisons of squares need it. Most points lie well inside: a
// point whose projection falls on the segment and whose distance from the line is within 98 %
// of the tolerance passes without the division, far beyond any rounding.
const double kSquaredTolerance = SquaredTolerance(0.25);
const double kClearlyNear = 0.98 * kSquaredTolerance;

// Whether p lies near the segment from a along ab, whose squared length is given.
inline bool NearSegment(QPointF p, QPointF a, QPointF ab, double length2)
{
    const QPointF ap = p - a;
    const double along = QPointF::dotProduct(ap, ab);
    const double across = ap.x() * ab.y() - ap.y() * ab.x();
    if (length2 > 0 && along >= 0 && along <= length2 && across * across <= kClearlyNear * length2)
        return true;
    return SquaredDistanceToSegment(p, a, ab, length2) <= kSquaredTolerance;
}

// Whether every point between the ends of a stretch lies near its chord.
bool Straight(const QPolygonF& stretch)
{
    const QPointF a = stretch.first();
    const QPointF ab = stretch.last() - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    return std::all_of(stretch.begin() + 1, stretch.end() - 1,
                       [&](const QPointF& p) { return NearSegment(p, a, ab, length2); });
}

// The dashes of a polyline stroked with a dashed pen, as lines: the pattern, in pen widths,
// runs on across the corners as it would along one path. A dash that bends by less than the
// tolerance is one line from end to end.
QVector<QLineF> Dashes(const QPolygonF& points, const QPen& pen)
{
    const double unit = pen.widthF();
    const QList<qreal> pattern = pen.dashPattern();
    QVector<QLineF> dashes;
    QPolygonF dash; // the corners of the dash being laid
    auto endDash = [&] {
        if (dash.size() == 2 || (dash.size() > 2 && Straight(dash)))
            dashes.append(QLineF(dash.first(), dash.last()));
        else
            for (qsizetype i = 1; i < dash.size(); ++i)
                dashes.append(QLineF(dash[i - 1], dash[i]));
        dash.clear();
    };
    qsizetype index = 0;             // even for a dash, odd for a gap
    double left = pattern[0] * unit; // of the current dash or gap
    for (qsizetype i = 1; i < points.size(); ++i) {
        const QPointF a = points[i - 1];
        const QPointF ab = points[i] - a;
        const double length = std::sqrt(QPointF::dotProduct(ab, ab));
        double at = 0;
        while (length - at > left) {
            if (index % 2 == 0) {
                if (dash.isEmpty())
                    dash << a + ab * (at / length);
                dash << a + ab * ((at + left) / length);
                endDash();
            }
            at += left;
            index = (index + 1) % pattern.size();
            left = pattern[index] * unit;
        }
        if (index % 2 == 0 && length > at) {
            if (dash.isEmpty())
                dash << a + ab * (at / length);
            dash << points[i];
        }
        left -= length - at;
    }
    endDash();
    return dashes;
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter, DeviceInfo device)
    : Canvas(device), painter_(painter),
      raster_(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster)
{
    painter_.resetTransform();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
}

QtCanvas::~QtCanvas()
{
    Flush();
}

void QtCanvas::Flush()
{
    const QPolygonF& points = pending_.points;
    if (points.isEmpty())
        return;
    QPen pen = DevicePen(pendingPen_, pendingMapping_);
    if (!raster_) {
        painter_.setPen(pen);
        painter_.drawPolyline(points);
    } else if (pen.style() == Qt::SolidLine || pen.isCosmetic() || points.size() == 2) {
        painter_.setPen(pen);
        QVector<QLineF> lines;
        lines.reserve(points.size());
        for (qsizetype i = 1; i < points.size(); ++i)
            lines.append(QLineF(points[i - 1], points[i]));
        painter_.drawLines(lines);
    } else {
        // Separate wide lines would each start the pattern afresh, and a curve of short
        // segments would come out nearly solid: the dashes of a run of several segments are
        // laid along the whole run instead, and drawn as solid lines.
        const QVector<QLineF> dashes = Dashes(points, pen);
        pen.setStyle(Qt::SolidLine);
        painter_.setPen(pen);
        painter_.drawLines(dashes);
    }
    pending_.Clear();
}

void QtCanvas::Run::Clear()
{
    points.clear();
    skipped.clear();
}

void QtCanvas::Run::Extend(QPointF p)
{
    if (points.size() < 2) {
        points << p;
        return;
    }
    // The run's last point goes when it and every point dropped before it lie near the straight
    // line from the last kept corner to the new point.
    constexpr qsizetype kMaxSkipped = 64;
    const QPointF corner = points[points.size() - 2];
    const QPointF direction = p - corner;
    const double length2 = QPointF::dotProduct(direction, direction);
    skipped << points.back();
    const bool straight = skipped.size() <= kMaxSkipped &&
                          std::all_of(skipped.begin(), skipped.end(), [&](const QPointF& s) {
                              return NearSegment(s, corner, direction, length2);
                          });
    if (straight) {
        points.back() = p;
        return;
    }
    skipped.clear();
    points << p;
}

DeviceInfo QtCanvas::DescribeDevice(const QPaintDevice& device, bool printing, bool landscape)
{
    DeviceInfo info;
    info.width = device.width();
    info.height = device.height();
    info.dpiX = device.logicalDpiX();
    info.dpiY = device.logicalDpiY();
    info.printing = printing;
    info.landscape = landscape;
    return info;
}

QPointF QtCanvas::Device(Point p) const
{
    const Point d = mapping().ToDevice(p);
    return {d.x, d.y};
}

QRectF QtCanvas::DeviceRect(const Rect& rect) const
{
    return QRectF(Device({rect.left, rect.top}), Device({rect.right, rect.bottom})).normalized();
}

QPen QtCanvas::DevicePen() const
{
    return DevicePen(state().pen, mapping());
}

QPen QtCanvas::DevicePen(const Pen& pen, const Mapping& mapping) const
{
    if (pen.style == PenStyle::None)
        return Qt::NoPen;
    double width = pen.width * std::abs(mapping.scaleX());
    Qt::PenStyle style = Qt::SolidLine;
    if (pen.style != PenStyle::Solid) {
        switch (pen.style) {
        case PenStyle::Dot:
            style = Qt::DotLine;
            break;
        case PenStyle::DashDot:
            style = Qt::DashDotLine;
            break;
        case PenStyle::DashDotDot:
            style = Qt::DashDotDotLine;
            break;
        default:
            style = Qt::DashLine;
            break;
        }
        // Dots and dashes of a one-pixel pen at printer resolution are too fine to see: the line
        // prints solid. The pattern scales with the width, so widen such pens on paper.
        if (device().dpiX > 150)
            width = std::max(width, device().dpiX / 200);
    }
    QPen qpen(ToQColor(pen.color));
    qpen.setStyle(style);
    // Square ends close the notches at the bends of a curve drawn as separate segments; round
    // ends would too, but cost ten times as much on wide anti-aliased pens. Dots and dashes keep
    // flat ends, or their gaps would close.
    qpen.setCapStyle(style == Qt::SolidLine ? Qt::SquareCap : Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    // One device pixel or less: a cosmetic pen, one pixel wide on any device.
    qpen.setWidthF(width <= 1 ? 0 : width);
    qpen.setCosmetic(width <= 1);
    return qpen;
}

const QtCanvas::DeviceFont& QtCanvas::CurrentFont() const
{
    const Font& f = state().font;
    const double cell = std::abs(f.height * mapping().scaleY());
    const QString key = QString("%1|%2|%3|%4|%5")
                            .arg(QString::fromStdString(f.face))
                            .arg(cell, 0, 'g', 10)
                            .arg(f.weight)
                            .arg(static_cast<int>(f.family))
                            .arg(f.fixedPitch);
    auto it = fonts_.find(key);
    if (it != fonts_.end())
        return *it;

    QPaintDevice* pd = painter_.device();
    const double dpi = pd ? pd->logicalDpiY() : 96;
    QFont font(QString::fromStdString(f.face));
    font.setStyleHint(Hint(f.family), QFont::PreferOutline);
    font.setFixedPitch(f.fixedPitch);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 100, 900)));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    // The height is the whole character cell: size the em so that ascent + descent fill it.
    // Point sizes take fractions where pixel sizes do not.
    constexpr double kProbe = 100;
    font.setPointSizeF(kProbe * 72 / dpi);
    const double probeCell = QFontMetricsF(font, pd).height();
    const double em = probeCell > 0 ? kProbe * cell / probeCell : cell;
    font.setPointSizeF(std::max(em, 0.01) * 72 / dpi);

    const QFontMetricsF fm(font, pd);
    DeviceFont df{font, fm.height(), fm.ascent(), WeightedAverageWidth(fm)};
    return *fonts_.insert(key, df);
}

TextMetrics QtCanvas::MeasureFont() const
{
    const DeviceFont& df = CurrentFont();
    const double sx = std::abs(mapping().scaleX());
    const double sy = std::abs(mapping().scaleY());
    return {df.cellHeight / sy, df.ascent / sy, df.averageWidth / sx};
}

double QtCanvas::MeasureText(std::string_view text) const
{
    const DeviceFont& df = CurrentFont();
    return QFontMetricsF(df.font, painter_.device()).horizontalAdvance(ToQString(text)) /
           std::abs(mapping().scaleX());
}

void QtCanvas::DrawLine(Point from, Point to)
{
    const QPointF a = Device(from);
    const QPointF b = Device(to);
    const QPolygonF& points = pending_.points;
    const bool continues = !points.isEmpty() && points.back() == a && pendingPen_ == state().pen &&
                           pendingMapping_ == mapping();
    if (!continues) {
        Flush();
        pending_.points << a;
        pendingPen_ = state().pen;
        pendingMapping_ = mapping();
    }
    pending_.Extend(b);
}

void QtCanvas::DrawPolyline(const std::vector<Point>& points)
{
    // The segments join the pending run, which Flush draws as one path where that is wanted.
    // After the first one each segment starts where the run ends, with the same pen and mapping,
    // unless a point does not map to a number: each point is mapped once.
    DrawLine(points[0], points[1]);
    QPointF from = Device(points[1]);
    for (std::size_t i = 2; i < points.size(); ++i) {
        const QPointF to = Device(points[i]);
        if (pending_.points.back() == from)
            pending_.Extend(to);
        else
            DrawLine(points[i - 1], points[i]);
        from = to;
    }
}

void QtCanvas::DrawPolygon(const std::vector<Point>& points, Color fill)
{
    Flush();
    QPolygonF polygon;
    for (const Point& p : points)
        polygon << Device(p);
    painter_.setPen(DevicePen());
    painter_.setBrush(ToQColor(fill));
    painter_.drawPolygon(polygon);
    painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::DrawEllipse(const Rect& rect, Color fill)
{
    Flush();
    painter_.setPen(DevicePen());
    painter_.setBrush(ToQColor(fill));
    painter_.drawEllipse(DeviceRect(rect));
    painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::DrawFilledRect(const Rect& rect, Color color)
{
    Flush();
    painter_.fillRect(DeviceRect(rect), ToQColor(color));
}

void QtCanvas::DrawText(Point topLeft, std::string_view text)
{
    Flush();
    const DeviceFont& df = CurrentFont();
    painter_.setFont(df.font);
    painter_.setPen(ToQColor(state().textColor));
    const QPointF p = Device(topLeft);
    painter_.drawText(QPointF(p.x(), p.y() + df.ascent), ToQString(text));
}

void QtCanvas::ClipChanged()
{
    if (state().clipped)
        painter_.setClipRect(DeviceRect(state().clip), Qt::ReplaceClip);
    else
        painter_.setClipRect(QRectF(), Qt::NoClip);
}

} // namespace cw::gfx
