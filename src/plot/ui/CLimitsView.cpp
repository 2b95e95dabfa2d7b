#include "plot/ui/CLimitsView.h"

#include "gfx/qt/QtCanvas.h"
#include "gfx/qt/QtRender.h"
#include "reports/LimitsReport.h"
#include "reports/ui/ReportPrinter.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>

namespace cw
{

CLimitsView::CLimitsView(const CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : QWidget(parent), doc_(doc), settings_(settings), painter_(doc, settings)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
}

void CLimitsView::Invalidate()
{
    painter_.Invalidate();
    update();
}

void CLimitsView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(*this, false, false));
    painter_.DrawWindow(canvas);
}

QString CLimitsView::ExportTo(const QString& path)
{
    const QString kind = QFileInfo(path).suffix().toLower();
    auto window = [this](gfx::Canvas& canvas) { painter_.DrawWindow(canvas); };
    QByteArray file;
    QString error;
    if (kind == "png")
        error = gfx::RenderPng(file, size(), window);
    else if (kind == "svg")
        error = gfx::RenderSvg(file, size(), "Conewright limits", window);
    else if (kind == "pdf")
        error = gfx::RenderPdf(file, false, [this](gfx::Canvas& canvas) {
            reports::DrawLimitsReportPage(canvas, doc_, settings_);
        });
    else
        return "Export writes a PNG image, an SVG drawing or a PDF page: name the file .png, "
               ".svg or .pdf.";
    return error.isEmpty() ? ui::SaveFile(path, file) : error;
}

void CLimitsView::ExportDialog()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Limits"), QStringLiteral("limits.png"),
        QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF report page (*.pdf)"));
    if (path.isEmpty())
        return;
    if (const QString error = ExportTo(path); !error.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Conewright"), error);
}

void CLimitsView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Export..."), this, &CLimitsView::ExportDialog);
    menu.exec(event->globalPos());
}

} // namespace cw
