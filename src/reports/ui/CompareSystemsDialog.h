#pragma once

#include "engine/CompareTable.h"

#include <QDialog>
#include <vector>

class QTableWidget;

namespace cw::ui
{

class ReportPrinter;

// "Compare Systems": the compare table of the project, a row per system that holds a design.
// Every column sorts; clicking a row shows that system alone on the plot, as Clear Display and
// Show System do; the table exports as CSV and prints as a page with the title block.
class CompareSystemsDialog : public QDialog
{
    Q_OBJECT
public:
    CompareSystemsDialog(CSpkSysDoc& doc, bool metric, double ventVelocityLimit,
                         ReportPrinter& printer, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    // Shows the system of the table's row alone on the plot.
    void ShowAlone(int row);
    // Writes the table as CSV; empty on success, else the message.
    QString ExportCsv(const QString& path) const;

private:
    void Fill();
    void Export();
    void Print();

    CSpkSysDoc& doc_;
    const bool metric_;
    const double ventVelocityLimit_;
    ReportPrinter& printer_;
    std::vector<engine::CompareRow> rows_;
    QTableWidget* table_ = nullptr;
};

} // namespace cw::ui
