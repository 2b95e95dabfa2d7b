#pragma once

#include "gfx/Canvas.h"

#include <string>
#include <vector>

namespace cw::gfx
{

// A canvas that keeps every drawing operation with its logical coordinates and the state it was
// drawn with, so that tests can check positions, texts, pens, colours and clipping exactly.
// Text is measured with a simple model: the cell is the font height, the ascent 0.8 of it, and
// every character (code point) is kCharWidthRatio of the cell height wide, in device units.
class RecordingCanvas final : public Canvas
{
public:
    static constexpr double kCharWidthRatio = 0.45;

    enum class Kind { Line, Polyline, Polygon, Ellipse, FillRect, Text };
    struct Op {
        Kind kind;
        Point from, to;            // Line, Polyline: end points; Text: top-left of the cell
        std::vector<Point> points; // Polyline, Polygon
        Rect rect;                 // Ellipse, FillRect
        Color fill;                // Polygon, Ellipse, FillRect
        std::string text;          // Text
        double textWidth = 0;      // Text, logical units
        Pen pen;                   // the pen in effect
        Font font;                 // the font in effect
        Color textColor;           // the text colour in effect
        TextAlign align = TextAlign::Left;
        bool clipped = false;
        Rect clip;
        Mapping mapping;

        // The x that TextOut was given: the left, centre or right of the text by its alignment.
        double anchorX() const;
        bool operator==(const Op&) const = default;
    };

    explicit RecordingCanvas(DeviceInfo device = {1000, 1000, 96, 96, false, false})
        : Canvas(device)
    {
    }

    const std::vector<Op>& ops() const { return ops_; }
    void Clear() { ops_.clear(); }

    // Every text operation, in drawing order.
    std::vector<Op> Texts() const;
    // The first text operation with exactly this text, or null.
    const Op* FindText(std::string_view text) const;
    // Every straight segment as a line operation: the lines, and the segments of each polyline
    // with the state the polyline was drawn with.
    std::vector<Op> Lines() const;
    // Every polyline operation.
    std::vector<Op> Polylines() const;

protected:
    void DrawLine(Point from, Point to) override;
    void DrawPolyline(const std::vector<Point>& points) override;
    void DrawPolygon(const std::vector<Point>& points, Color fill) override;
    void DrawEllipse(const Rect& rect, Color fill) override;
    void DrawFilledRect(const Rect& rect, Color color) override;
    void DrawText(Point topLeft, std::string_view text) override;
    TextMetrics MeasureFont() const override;
    double MeasureText(std::string_view text) const override;

private:
    Op Start(Kind kind) const;
    std::vector<Op> ops_;
};

} // namespace cw::gfx
