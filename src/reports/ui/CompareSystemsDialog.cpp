#include "reports/ui/CompareSystemsDialog.h"

#include "reports/CompareReport.h"
#include "reports/ui/ReportPrinter.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace cw::ui
{

namespace
{

// The system index of a row, whichever way the table is sorted.
constexpr int kSystemRole = Qt::UserRole;
constexpr int kNumberRole = Qt::UserRole + 1;

// Numbers sort by value, a missing one after every number; texts alphabetically.
class CompareItem : public QTableWidgetItem
{
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override
    {
        const QVariant a = data(kNumberRole), b = other.data(kNumberRole);
        if (!a.isValid() || !b.isValid())
            return QTableWidgetItem::operator<(other);
        const double x = a.toDouble(), y = b.toDouble();
        if (std::isnan(x) || std::isnan(y))
            return !std::isnan(x) && std::isnan(y);
        return x < y;
    }
};

} // namespace

CompareSystemsDialog::CompareSystemsDialog(CSpkSysDoc& doc, bool metric, double ventVelocityLimit,
                                           ReportPrinter& printer, QWidget* parent)
    : QDialog(parent), doc_(doc), metric_(metric), ventVelocityLimit_(ventVelocityLimit),
      printer_(printer)
{
    setWindowTitle(QStringLiteral("Compare Systems"));
    table_ = new QTableWidget(this);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportButton =
        buttons->addButton(QStringLiteral("&Export CSV..."), QDialogButtonBox::ActionRole);
    QPushButton* printButton =
        buttons->addButton(QStringLiteral("&Print..."), QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(exportButton, &QPushButton::clicked, this, &CompareSystemsDialog::Export);
    connect(printButton, &QPushButton::clicked, this, &CompareSystemsDialog::Print);
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { ShowAlone(row); });
    Fill();
    table_->setSortingEnabled(true);
    table_->resizeColumnsToContents();
    resize(1000, 420);
}

void CompareSystemsDialog::Fill()
{
    rows_ = engine::CompareSystems(doc_, metric_, ventVelocityLimit_);
    const std::vector<engine::CompareColumn> columns = engine::CompareColumns(metric_);
    const bool sorting = table_->isSortingEnabled();
    table_->setSortingEnabled(false);
    table_->clear();
    table_->setColumnCount(static_cast<int>(columns.size()));
    table_->setRowCount(static_cast<int>(rows_.size()));
    QStringList titles;
    for (const engine::CompareColumn& column : columns)
        titles << QString::fromStdString(column.title);
    table_->setHorizontalHeaderLabels(titles);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const std::vector<engine::CompareCell> cells = engine::CompareCells(rows_[r]);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            auto* item =
                new CompareItem(QString::fromStdString(engine::CompareText(cells[c], columns[c])));
            if (!cells[c].isText) {
                item->setData(kNumberRole, cells[c].number);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            item->setData(kSystemRole, rows_[r].system);
            table_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    table_->setSortingEnabled(sorting);
}

void CompareSystemsDialog::ShowAlone(int row)
{
    const QTableWidgetItem* item = table_->item(row, 0);
    if (!item)
        return;
    const int system = item->data(kSystemRole).toInt();
    doc_.ClearDisplay();
    if (system == kWorkbench)
        doc_.ShowWorkbench();
    else
        doc_.ShowSystem(system);
    // Showing a memory recalls it into the workbench, whose row then reads as the memory's.
    Fill();
    for (int r = 0; r < table_->rowCount(); ++r) {
        if (table_->item(r, 0)->data(kSystemRole).toInt() == system)
            table_->selectRow(r);
    }
}

QString CompareSystemsDialog::ExportCsv(const QString& path) const
{
    return SaveFile(path, QByteArray::fromStdString(engine::CompareAsCsv(rows_, metric_)));
}

void CompareSystemsDialog::Export()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export Compare Table"),
                                                QStringLiteral("compare.csv"),
                                                QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (const QString error = ExportCsv(path); !error.isEmpty())
        QMessageBox::warning(this, windowTitle(), error);
}

void CompareSystemsDialog::Print()
{
    ReportJob job;
    job.name = QStringLiteral("Compare Systems");
    job.fileName = job.name;
    const CSpkSysDoc& doc = doc_;
    job.draw = [&doc, rows = rows_, metric = metric_](gfx::Canvas& canvas) {
        reports::DrawCompareReportPage(canvas, doc, rows, metric);
    };
    printer_.Print(this, job);
}

} // namespace cw::ui
