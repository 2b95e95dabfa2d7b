#pragma once

#include "plot/LimitsPainter.h"

#include <QString>
#include <QWidget>

namespace cw
{

// The Limits window's view: how loud the shown systems can play and what stops them, drawn by
// LimitsPainter. The limits are worked out again only after Invalidate; a paint that only
// uncovers the window reuses them. Its context menu exports the drawing.
class CLimitsView : public QWidget
{
    Q_OBJECT
public:
    CLimitsView(const CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);

    // The document, the display or the preferences changed: work out and draw everything anew.
    void Invalidate();
    plot::LimitsPainter& painter() { return painter_; }

    // Writes the drawing as the file's extension says: a PNG or an SVG of the window at its
    // size, or the one-page Limits report as a PDF. Empty on success, else the message to show.
    QString ExportTo(const QString& path);
    // Asks for a file name, exports, and shows a failure.
    void ExportDialog();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const CSpkSysDoc& doc_;
    const AppSettings& settings_;
    plot::LimitsPainter painter_;
};

} // namespace cw
