#pragma once

#include "gfx/Canvas.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>

class QPageLayout;
class QPaintDevice;

namespace cw::gfx
{

// One drawing, told what it draws on through the canvas's device facts.
using DrawFunction = std::function<void(Canvas&)>;

// Each draws into the bytes of one file of its kind and returns an empty text on success, or the
// message to show. Drawing in memory first lets SaveFile write the file whole or not at all.
// Images and SVG drawings are screen-like (not printing); PDF pages are paper.
QString RenderPng(QByteArray& file, QSize size, const DrawFunction& draw);
// The SVG drawing carries the title given, such as "Conewright plot".
QString RenderSvg(QByteArray& file, QSize size, const QString& title, const DrawFunction& draw);
// A one-page PDF, US Letter with 10 mm margins, at 600 dpi.
QString RenderPdf(QByteArray& file, bool landscape, const DrawFunction& draw);
// A PNG of a paper page (drawn as printing), the page size in pixels at the given resolution.
QString RenderPagePng(QByteArray& file, bool landscape, int dpi, const DrawFunction& draw);

// The drawing on any paint device (printing: drawn as on paper); empty or the message.
QString RenderOnDevice(QPaintDevice& device, bool printing, bool landscape,
                       const DrawFunction& draw);
// A one-page PDF of the given page, in memory, with the title in its document information.
QString RenderPdfPage(QByteArray& file, const QPageLayout& layout, int dpi, const QString& title,
                      const DrawFunction& draw);

} // namespace cw::gfx
