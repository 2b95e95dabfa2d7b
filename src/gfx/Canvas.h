#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cw::gfx
{

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

enum class PenStyle { Solid, Dot, Dash, DashDot, DashDotDot, None };

struct Pen {
    PenStyle style = PenStyle::Solid;
    double width = 1; // logical units, measured along x
    Color color = kBlack;
    bool operator==(const Pen&) const = default;
};

enum class FontFamily { DontCare, Swiss, Roman, Modern };

// A font chosen by face, character-cell height in logical units, weight (400 normal, 700 bold)
// and family.
struct Font {
    std::string face = "Arial";
    double height = 240; // logical units, the full character cell
    int weight = 400;
    FontFamily family = FontFamily::Swiss;
    bool fixedPitch = false;
    bool operator==(const Font&) const = default;
};

// Metrics of the current font in logical units.
struct TextMetrics {
    double height = 0;           // character cell
    double ascent = 0;           // above the base line
    double averageCharWidth = 0; // weighted average of the lower-case letters and the space
};

enum class TextAlign { Left, Center, Right };

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle in logical coordinates; on the y-up page top is the larger y.
struct Rect {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

// What the drawing lands on.
struct DeviceInfo {
    double width = 0;  // device units (pixels or printer dots)
    double height = 0; // device units
    double dpiX = 96;
    double dpiY = 96;
    bool printing = false;  // a printer, print preview or paper-like file
    bool landscape = false; // the printer's orientation
    double pixelRatio = 1;  // device units per pixel of the screen's own size (its scale factor)
};

// The anisotropic logical-to-device mapping: device = viewportOrg + (logical - windowOrg) *
// viewportExt / windowExt, per axis.
struct Mapping {
    Point windowOrg{0, 0};
    Point windowExt{1, 1};
    Point viewportOrg{0, 0};
    Point viewportExt{1, 1};

    double scaleX() const { return viewportExt.x / windowExt.x; }
    double scaleY() const { return viewportExt.y / windowExt.y; }
    Point ToDevice(Point p) const
    {
        return {viewportOrg.x + (p.x - windowOrg.x) * scaleX(),
                viewportOrg.y + (p.y - windowOrg.y) * scaleY()};
    }
    bool operator==(const Mapping&) const = default;
};

// A drawing surface with logical coordinates (y may grow upwards). The canvas keeps the drawing
// state (mapping, pen, brush, font, text colour and alignment, clip, current position) and maps
// to the device itself, so text stays upright whatever the mapping's signs; the devices only
// implement the primitive operations below. Word-wrapped text is laid out here, once for all
// devices, from the device's own text measurements.
class Canvas
{
public:
    explicit Canvas(DeviceInfo device) : device_(device) {}
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const DeviceInfo& device() const { return device_; }

    // Mapping
    void SetWindowOrg(double x, double y) { state_.mapping.windowOrg = {x, y}; }
    void SetWindowExt(double cx, double cy);
    void SetViewportOrg(double x, double y) { state_.mapping.viewportOrg = {x, y}; }
    void SetViewportExt(double cx, double cy);
    const Mapping& mapping() const { return state_.mapping; }

    // Drawing state
    void SetPen(const Pen& pen) { state_.pen = pen; }
    const Pen& pen() const { return state_.pen; }
    void SetFont(const Font& font) { state_.font = font; }
    const Font& font() const { return state_.font; }
    void SetTextColor(Color color) { state_.textColor = color; }
    Color textColor() const { return state_.textColor; }
    void SetTextAlign(TextAlign align) { state_.align = align; }
    TextAlign textAlign() const { return state_.align; }

    // Clipping to a logical rectangle; ClearClip draws everywhere again.
    void SetClipRect(const Rect& rect);
    void ClearClip();

    // Saves the whole drawing state on a stack; Restore brings back the last one saved.
    void Save();
    void Restore();

    // Text metrics of the current font, in logical units (heights along y, widths along x).
    TextMetrics GetTextMetrics() const;
    double TextWidth(std::string_view text) const;

    // Lines with the current pen.
    void MoveTo(double x, double y) { position_ = {x, y}; }
    void LineTo(double x, double y);
    Point position() const { return position_; }
    void FrameRect(const Rect& rect); // outline with the current pen
    void FillRect(const Rect& rect, Color color);
    // Lines joining the points in order, drawn as one run with the current pen; the current
    // position ends on the last point.
    void Polyline(const std::vector<Point>& points);
    // A filled polygon or ellipse, outlined with the current pen unless it is PenStyle::None.
    void Polygon(const std::vector<Point>& points, Color fill);
    void Ellipse(const Rect& rect, Color fill);

    // One line of text with its cell's top at y, aligned on x by the text alignment. Text is
    // always transparent: it never paints a background box.
    void TextOut(double x, double y, std::string_view text);
    // Text word-wrapped inside the rectangle (from its top), with tabs expanded to every eighth
    // average character width; lines are separated by CR LF or LF. Whatever does not fit the
    // rectangle is clipped. The current clip and alignment are kept.
    void DrawTextWrapped(const Rect& rect, std::string_view text);

protected:
    struct State {
        Mapping mapping;
        Pen pen;
        Font font;
        Color textColor = kBlack;
        TextAlign align = TextAlign::Left;
        bool clipped = false;
        Rect clip;
    };
    const State& state() const { return state_; }

    // Device primitives. Coordinates are logical; the state passed along tells how to map them.
    virtual void DrawLine(Point from, Point to) = 0;
    // At least two points, with a pen that draws.
    virtual void DrawPolyline(const std::vector<Point>& points) = 0;
    virtual void DrawPolygon(const std::vector<Point>& points, Color fill) = 0;
    virtual void DrawEllipse(const Rect& rect, Color fill) = 0;
    virtual void DrawFilledRect(const Rect& rect, Color color) = 0;
    // Text with its cell's top-left corner at (x, y): the alignment has been applied already.
    virtual void DrawText(Point topLeft, std::string_view text) = 0;
    // The current font's metrics and a text's width, in logical units.
    virtual TextMetrics MeasureFont() const = 0;
    virtual double MeasureText(std::string_view text) const = 0;
    // The clip of the state is about to change, and has changed (set, cleared or restored).
    virtual void ClipChanging() {}
    virtual void ClipChanged() {}

private:
    DeviceInfo device_;
    State state_;
    std::vector<State> saved_;
    Point position_;
};

// Splits text into the lines that word wrapping gives for a width, with tabs kept; measure gives
// a line's width with its tabs expanded. A word wider than the whole width stands on its own line.
std::vector<std::string> WrapLines(std::string_view text, double width,
                                   const std::function<double(std::string_view)>& measure);

} // namespace cw::gfx
