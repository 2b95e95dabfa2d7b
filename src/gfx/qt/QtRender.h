#pragma once

#include "gfx/Canvas.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>

class QPrinter;

namespace cw::gfx
{

// One drawing, told what it draws on through the canvas's device facts.
using DrawFunction = std::function<void(Canvas&)>;

// Each draws into the bytes of one file of its kind and returns an empty text on success, or the
// message to show. Drawing in memory first lets SaveFile write the file whole or not at all.
// Images and SVG drawings are screen-like (not printing); PDF pages are paper.
QString RenderPng(QByteArray& file, QSize size, const DrawFunction& draw);
QString RenderSvg(QByteArray& file, QSize size, const DrawFunction& draw);
// A one-page PDF, US Letter with 10 mm margins, at 600 dpi.
QString RenderPdf(QByteArray& file, bool landscape, const DrawFunction& draw);
// A PNG of a paper page (drawn as printing), the page size in pixels at the given resolution.
QString RenderPagePng(QByteArray& file, bool landscape, int dpi, const DrawFunction& draw);

// Writes a file's bytes the way projects are saved (WriteFileAtomically): the old file survives
// any failure. Answers an empty text or the message.
QString SaveFile(const QString& path, const QByteArray& bytes);

// One page on a printer that has been set up (its orientation is read from it). A printer that
// prints into a PDF file draws the page in memory and saves the file as SaveFile does.
QString RenderPrinter(QPrinter& printer, const DrawFunction& draw);

} // namespace cw::gfx
