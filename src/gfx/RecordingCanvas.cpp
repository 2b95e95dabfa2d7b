#include "gfx/RecordingCanvas.h"

#include <cmath>

namespace cw::gfx
{

namespace
{

// Characters of a UTF-8 text: every byte that does not continue a sequence.
double CodePoints(std::string_view text)
{
    double n = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            ++n;
    }
    return n;
}

} // namespace

double RecordingCanvas::Op::anchorX() const
{
    switch (align) {
    case TextAlign::Center:
        return from.x + textWidth / 2;
    case TextAlign::Right:
        return from.x + textWidth;
    case TextAlign::Left:
        break;
    }
    return from.x;
}

RecordingCanvas::Op RecordingCanvas::Start(Kind kind) const
{
    Op op{};
    op.kind = kind;
    op.pen = state().pen;
    op.font = state().font;
    op.textColor = state().textColor;
    op.align = state().align;
    op.clipped = state().clipped;
    op.clip = state().clip;
    op.mapping = state().mapping;
    return op;
}

void RecordingCanvas::DrawLine(Point from, Point to)
{
    Op op = Start(Kind::Line);
    op.from = from;
    op.to = to;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawPolyline(const std::vector<Point>& points)
{
    Op op = Start(Kind::Polyline);
    op.points = points;
    op.from = points.front();
    op.to = points.back();
    ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawPolygon(const std::vector<Point>& points, Color fill)
{
    Op op = Start(Kind::Polygon);
    op.points = points;
    op.fill = fill;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawEllipse(const Rect& rect, Color fill)
{
    Op op = Start(Kind::Ellipse);
    op.rect = rect;
    op.fill = fill;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawFilledRect(const Rect& rect, Color color)
{
    Op op = Start(Kind::FillRect);
    op.rect = rect;
    op.fill = color;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawText(Point topLeft, std::string_view text)
{
    Op op = Start(Kind::Text);
    op.from = topLeft;
    op.text = std::string(text);
    op.textWidth = MeasureText(text);
    ops_.push_back(std::move(op));
}

TextMetrics RecordingCanvas::MeasureFont() const
{
    const double sx = std::abs(mapping().scaleX());
    const double sy = std::abs(mapping().scaleY());
    const double h = state().font.height;
    return {h, 0.8 * h, h * sy * kCharWidthRatio / sx};
}

double RecordingCanvas::MeasureText(std::string_view text) const
{
    return CodePoints(text) * MeasureFont().averageCharWidth;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::Texts() const
{
    std::vector<Op> out;
    for (const Op& op : ops_) {
        if (op.kind == Kind::Text)
            out.push_back(op);
    }
    return out;
}

const RecordingCanvas::Op* RecordingCanvas::FindText(std::string_view text) const
{
    for (const Op& op : ops_) {
        if (op.kind == Kind::Text && op.text == text)
            return &op;
    }
    return nullptr;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::Lines() const
{
    std::vector<Op> out;
    for (const Op& op : ops_) {
        if (op.kind == Kind::Line)
            out.push_back(op);
        if (op.kind != Kind::Polyline)
            continue;
        for (std::size_t i = 1; i < op.points.size(); ++i) {
            Op segment = op;
            segment.kind = Kind::Line;
            segment.points.clear();
            segment.from = op.points[i - 1];
            segment.to = op.points[i];
            out.push_back(std::move(segment));
        }
    }
    return out;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::Polylines() const
{
    std::vector<Op> out;
    for (const Op& op : ops_) {
        if (op.kind == Kind::Polyline)
            out.push_back(op);
    }
    return out;
}

} // namespace cw::gfx
