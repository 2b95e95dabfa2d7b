#include "measure/ui/MeasuredCurvesDialog.h"

#include "measure/CurveFile.h"
#include "measure/MeasuredCurves.h"
#include "model/CSpkSysDoc.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace cw::ui
{

void ImportMeasuredCurve(CSpkSysDoc& doc, QWidget* parent)
{
    const QString path =
        QFileDialog::getOpenFileName(parent, "Import Measured Curve", QString(),
                                     "Measurements (*.frd *.zma *.FRD *.ZMA *.txt);;All files (*)");
    if (path.isEmpty())
        return;
    std::optional<MeasuredKind> kind = measure::KindOfPath(path.toStdString());
    if (!kind) {
        const QStringList kinds = {"Frequency response (dB SPL)", "Impedance (Ohms)"};
        bool ok = false;
        const QString chosen = QInputDialog::getItem(
            parent, "Import Measured Curve", "What does the file hold?", kinds, 0, false, &ok);
        if (!ok)
            return;
        kind = chosen == kinds[0] ? MeasuredKind::Response : MeasuredKind::Impedance;
    }
    measure::ImportMeasuredCurve(doc, path.toStdString(), *kind);
}

bool ImportDroppedCurve(CSpkSysDoc& doc, const std::string& path)
{
    const std::optional<MeasuredKind> kind = measure::KindOfPath(path);
    if (!kind)
        return false;
    measure::ImportMeasuredCurve(doc, path, *kind);
    return true;
}

MeasuredCurvesDialog::MeasuredCurvesDialog(CSpkSysDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), list_(new QListWidget(this)), offset_(new QDoubleSpinBox(this)),
      remove_(new QPushButton("&Remove", this))
{
    setWindowTitle("Measured Curves");
    offset_->setRange(-200, 200);
    offset_->setDecimals(1);
    offset_->setSuffix(" dB");
    auto* form = new QFormLayout;
    form->addRow("Level offset:", offset_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(remove_, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this, [this] { Selected(); });
    connect(list_, &QListWidget::itemChanged, this, &MeasuredCurvesDialog::ItemChanged);
    connect(offset_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        if (!filling_)
            measure::SetMeasuredOffset(doc_, static_cast<std::size_t>(list_->currentRow()), v);
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        const int row = list_->currentRow();
        if (measure::RemoveMeasuredCurve(doc_, static_cast<std::size_t>(row))) {
            Fill();
            list_->setCurrentRow(std::min(row, list_->count() - 1));
        }
    });
    Fill();
    list_->setCurrentRow(0);
    resize(420, 320);
}

void MeasuredCurvesDialog::Fill()
{
    filling_ = true;
    list_->clear();
    for (const MeasuredCurve& c : doc_.measuredCurves) {
        auto* item = new QListWidgetItem(QString::fromStdString(c.name), list_);
        item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
        item->setCheckState(c.shown ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(c.Kind() == MeasuredKind::Response ? "Frequency response (FRD)"
                                                            : "Impedance (ZMA)");
    }
    filling_ = false;
    Selected();
}

void MeasuredCurvesDialog::Selected()
{
    const int row = list_->currentRow();
    const bool any = row >= 0 && row < static_cast<int>(doc_.measuredCurves.size());
    remove_->setEnabled(any);
    // Only a response has a level to offset.
    const bool response =
        any && doc_.measuredCurves[static_cast<std::size_t>(row)].Kind() == MeasuredKind::Response;
    offset_->setEnabled(response);
    filling_ = true;
    offset_->setValue(response ? doc_.measuredCurves[static_cast<std::size_t>(row)].offsetDb : 0);
    filling_ = false;
}

void MeasuredCurvesDialog::ItemChanged(QListWidgetItem* item)
{
    if (filling_)
        return;
    const auto row = static_cast<std::size_t>(list_->row(item));
    measure::ShowMeasuredCurve(doc_, row, item->checkState() == Qt::Checked);
    const std::string name = item->text().trimmed().toStdString();
    if (!measure::RenameMeasuredCurve(doc_, row, name)) {
        // An empty name is refused: the item shows the name the curve keeps.
        filling_ = true;
        item->setText(QString::fromStdString(doc_.measuredCurves[row].name));
        filling_ = false;
    }
}

} // namespace cw::ui
