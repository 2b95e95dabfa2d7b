#pragma once

#include "gfx/Canvas.h"

#include <QSize>
#include <QString>
#include <functional>

class QPrinter;

namespace cw::gfx
{

// One drawing, told what it draws on through the canvas's device facts.
using DrawFunction = std::function<void(Canvas&)>;

// Each renders the drawing into a file and returns an empty text on success, or the message to
// show. Images and SVG drawings are screen-like (not printing); PDF pages are paper.
QString RenderPng(const QString& path, QSize size, const DrawFunction& draw);
QString RenderSvg(const QString& path, QSize size, const DrawFunction& draw);
// A one-page PDF, US Letter with 10 mm margins, at 600 dpi.
QString RenderPdf(const QString& path, bool landscape, const DrawFunction& draw);
// A PNG of a paper page (drawn as printing), the page size in pixels at the given resolution.
QString RenderPagePng(const QString& path, bool landscape, int dpi, const DrawFunction& draw);
// One page on a printer that has been set up (its orientation is read from it).
QString RenderPrinter(QPrinter& printer, const DrawFunction& draw);

} // namespace cw::gfx
