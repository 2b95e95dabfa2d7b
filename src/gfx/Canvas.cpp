#include "gfx/Canvas.h"

#include <algorithm>
#include <cmath>

namespace cw::gfx
{

namespace
{

// A zero extent would make the mapping divide by zero; keep the previous one instead.
bool UsableExtent(double cx, double cy)
{
    return cx != 0 && cy != 0 && std::isfinite(cx) && std::isfinite(cy);
}

Rect Normalized(const Rect& r)
{
    return {std::min(r.left, r.right), std::max(r.top, r.bottom), std::max(r.left, r.right),
            std::min(r.top, r.bottom)};
}

// The paragraphs of a text: lines end at LF, with an optional CR before it.
std::vector<std::string_view> Paragraphs(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.push_back(line);
        start = end + 1;
    }
    return out;
}

} // namespace

void Canvas::SetWindowExt(double cx, double cy)
{
    if (UsableExtent(cx, cy))
        state_.mapping.windowExt = {cx, cy};
}

void Canvas::SetViewportExt(double cx, double cy)
{
    if (UsableExtent(cx, cy))
        state_.mapping.viewportExt = {cx, cy};
}

void Canvas::SetClipRect(const Rect& rect)
{
    ClipChanging();
    state_.clipped = true;
    state_.clip = Normalized(rect);
    ClipChanged();
}

void Canvas::ClearClip()
{
    ClipChanging();
    state_.clipped = false;
    ClipChanged();
}

void Canvas::Save()
{
    saved_.push_back(state_);
}

void Canvas::Restore()
{
    if (saved_.empty())
        return;
    const bool clipDiffers =
        saved_.back().clipped != state_.clipped || !(saved_.back().clip == state_.clip);
    if (clipDiffers)
        ClipChanging();
    state_ = saved_.back();
    saved_.pop_back();
    if (clipDiffers)
        ClipChanged();
}

TextMetrics Canvas::GetTextMetrics() const
{
    return MeasureFont();
}

double Canvas::TextWidth(std::string_view text) const
{
    return MeasureText(text);
}

void Canvas::LineTo(double x, double y)
{
    if (state_.pen.style != PenStyle::None)
        DrawLine(position_, {x, y});
    position_ = {x, y};
}

void Canvas::FrameRect(const Rect& r)
{
    Polyline({{r.left, r.bottom},
              {r.right, r.bottom},
              {r.right, r.top},
              {r.left, r.top},
              {r.left, r.bottom}});
}

void Canvas::FillRect(const Rect& rect, Color color)
{
    DrawFilledRect(Normalized(rect), color);
}

void Canvas::Polyline(const std::vector<Point>& points)
{
    if (points.empty())
        return;
    if (points.size() >= 2 && state_.pen.style != PenStyle::None)
        DrawPolyline(points);
    position_ = points.back();
}

void Canvas::Polygon(const std::vector<Point>& points, Color fill)
{
    if (points.size() >= 3)
        DrawPolygon(points, fill);
}

void Canvas::Ellipse(const Rect& rect, Color fill)
{
    DrawEllipse(Normalized(rect), fill);
}

void Canvas::TextOut(double x, double y, std::string_view text)
{
    if (text.empty())
        return;
    double left = x;
    if (state_.align != TextAlign::Left) {
        const double w = MeasureText(text);
        left -= state_.align == TextAlign::Center ? w / 2 : w;
    }
    DrawText({left, y}, text);
}

void Canvas::DrawTextWrapped(const Rect& rawRect, std::string_view text)
{
    const Rect rect = Normalized(rawRect);
    const TextMetrics tm = MeasureFont();
    const double tab = 8 * tm.averageCharWidth;
    // Width of a line whose tabs jump to the next multiple of the tab distance.
    auto segments = [](std::string_view line) {
        std::vector<std::string_view> parts;
        std::size_t start = 0;
        for (;;) {
            const std::size_t t = line.find('\t', start);
            parts.push_back(line.substr(start, t == std::string_view::npos ? t : t - start));
            if (t == std::string_view::npos)
                return parts;
            start = t + 1;
        }
    };
    auto nextStop = [tab](double x) { return tab > 0 ? (std::floor(x / tab) + 1) * tab : x; };
    auto measure = [&](std::string_view line) {
        double x = 0;
        const auto parts = segments(line);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            x += MeasureText(parts[i]);
            if (i + 1 < parts.size())
                x = nextStop(x);
        }
        return x;
    };

    Save();
    if (state_.clipped) {
        // Keep an outer clip: draw only where both rectangles overlap.
        const Rect& c = state_.clip;
        SetClipRect({std::max(c.left, rect.left), std::min(c.top, rect.top),
                     std::min(c.right, rect.right), std::max(c.bottom, rect.bottom)});
    } else {
        SetClipRect(rect);
    }
    // Lines go down the device: towards smaller y on a y-up page.
    const bool yUp = state_.mapping.scaleY() < 0;
    const double step = yUp ? -tm.height : tm.height;
    double y = yUp ? rect.top : rect.bottom;
    const double end = yUp ? rect.bottom : rect.top;
    for (const std::string& line : WrapLines(text, rect.right - rect.left, measure)) {
        const bool pastBottom = yUp ? y <= end : y >= end;
        if (pastBottom)
            break;
        double x = 0;
        const auto parts = segments(line);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (!parts[i].empty())
                DrawText({rect.left + x, y}, parts[i]);
            x += MeasureText(parts[i]);
            if (i + 1 < parts.size())
                x = nextStop(x);
        }
        y += step;
    }
    Restore();
}

std::vector<std::string> WrapLines(std::string_view text, double width,
                                   const std::function<double(std::string_view)>& measure)
{
    std::vector<std::string> lines;
    for (std::string_view para : Paragraphs(text)) {
        std::string line;
        std::size_t pos = 0;
        bool first = true;
        while (pos < para.size() || first) {
            first = false;
            // The next word with the blanks in front of it.
            std::size_t wordStart = pos;
            while (wordStart < para.size() && para[wordStart] == ' ')
                ++wordStart;
            std::size_t wordEnd = para.find(' ', wordStart);
            if (wordEnd == std::string_view::npos)
                wordEnd = para.size();
            const std::string_view blanks = para.substr(pos, wordStart - pos);
            const std::string_view word = para.substr(wordStart, wordEnd - wordStart);
            std::string candidate = line;
            candidate.append(blanks).append(word);
            if (!line.empty() && !word.empty() && measure(candidate) > width) {
                lines.push_back(line);
                line.assign(word);
            } else {
                line = std::move(candidate);
            }
            pos = wordEnd;
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace cw::gfx
