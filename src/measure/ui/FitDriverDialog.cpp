#include "measure/ui/FitDriverDialog.h"

#include "database/DriverImport.h"
#include "database/DriverStore.h"
#include "gfx/qt/QtCanvas.h"
#include "measure/CurveFile.h"
#include "measure/FitPlot.h"
#include "model/CSpkSysDoc.h"
#include "plot/PlotPainter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace cw::ui
{

// The measured and the fitted impedance, drawn through the canvas.
class FitPlotView : public QWidget
{
public:
    explicit FitPlotView(QWidget* parent) : QWidget(parent) { setMinimumSize(480, 260); }
    void Show(const MeasuredCurve& measured, std::optional<measure::ImpedanceModel> fitted)
    {
        measured_ = measured;
        fitted_ = fitted;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(*this, false, false));
        plot::PlotPainter::PrepareScreen(canvas, width(), height());
        measure::DrawImpedanceFit(canvas, measured_, fitted_);
    }

private:
    MeasuredCurve measured_;
    std::optional<measure::ImpedanceModel> fitted_;
};

namespace
{

QString Value(double v, const char* unit)
{
    return QString::number(v, 'g', 4) + (*unit ? QString(" ") + unit : QString());
}

} // namespace

FitDriverDialog::FitDriverDialog(CSpkSysDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), freeAir_(new QLineEdit(this)), low_(new QLineEdit(this)),
      high_(new QLineEdit(this)), re_(new QLineEdit(this)), sd_(new QLineEdit(this)),
      method_(new QComboBox(this)), amount_(new QLineEdit(this)), second_(new QLineEdit(this)),
      result_(new QLabel(this)), plot_(new FitPlotView(this)),
      load_(new QPushButton("&Load into Workbench", this)),
      add_(new QPushButton("Add to &Database", this))
{
    setWindowTitle("Fit Driver from Impedance");
    const auto withBrowse = [this](QLineEdit* edit) {
        auto* row = new QHBoxLayout;
        auto* browse = new QPushButton("Browse...", this);
        connect(browse, &QPushButton::clicked, this, [this, edit] { Browse(edit); });
        row->addWidget(edit);
        row->addWidget(browse);
        return row;
    };
    method_->addItems({"None (electrical values only)", "Added mass (g)", "Closed box (liters)"});
    low_->setPlaceholderText("first point");
    high_->setPlaceholderText("last point");
    re_->setPlaceholderText("fitted");
    if (doc.workbench().driver.sdSqM > 0)
        sd_->setText(QString::number(doc.workbench().driver.sdSqM, 'g', 6));

    auto* form = new QFormLayout;
    form->addRow("Free-air impedance:", withBrowse(freeAir_));
    auto* range = new QHBoxLayout;
    range->addWidget(low_);
    range->addWidget(new QLabel("to", this));
    range->addWidget(high_);
    range->addWidget(new QLabel("Hz", this));
    form->addRow("Fit from:", range);
    form->addRow("R(e) (Ohms, measured):", re_);
    form->addRow("S(D) (sq m):", sd_);
    form->addRow("Second measurement:", method_);
    form->addRow("Added mass or box volume:", amount_);
    form->addRow("Second impedance:", withBrowse(second_));

    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* fit = buttons->addButton("&Fit", QDialogButtonBox::ActionRole);
    buttons->addButton(load_, QDialogButtonBox::ActionRole);
    buttons->addButton(add_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(fit, &QPushButton::clicked, this, [this] { Fit(); });
    connect(load_, &QPushButton::clicked, this, [this] { LoadIntoWorkbench(); });
    connect(add_, &QPushButton::clicked, this, [this] { AddToDatabase(); });
    for (QLineEdit* edit : {freeAir_, low_, high_, re_, sd_, amount_, second_})
        connect(edit, &QLineEdit::textEdited, this, [this] { Invalidate(); });
    connect(method_, &QComboBox::currentIndexChanged, this, [this] { Invalidate(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(plot_, 1);
    layout->addWidget(result_);
    layout->addWidget(buttons);
    resize(760, 760);
    Invalidate();
}

void FitDriverDialog::Browse(QLineEdit* edit)
{
    const QString path = QFileDialog::getOpenFileName(this, "Impedance", edit->text(),
                                                      "Impedance (*.zma *.ZMA);;All files (*)");
    if (path.isEmpty())
        return;
    edit->setText(path);
    Invalidate();
}

void FitDriverDialog::Invalidate()
{
    fit_.reset();
    load_->setEnabled(false);
    add_->setEnabled(false);
    const bool second = method_->currentIndex() != 0;
    amount_->setEnabled(second);
    second_->setEnabled(second);
    result_->setText("Choose the files and press Fit.");
    plot_->Show({}, std::nullopt);
}

std::optional<double> FitDriverDialog::Number(QLineEdit* edit, const char* label, bool& ok)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return 0.0;
    bool number = false;
    const double v = text.toDouble(&number);
    if (!number || !(v > 0) || !std::isfinite(v)) {
        QMessageBox::warning(this, windowTitle(),
                             QString("%1 must be a number above 0.").arg(label));
        edit->setFocus();
        ok = false;
        return std::nullopt;
    }
    return v;
}

bool FitDriverDialog::Fit()
{
    Invalidate();
    measure::DriverFitRequest request;
    bool ok = true;
    const double low = Number(low_, "The low end of the range", ok).value_or(0);
    const double high = ok ? Number(high_, "The high end of the range", ok).value_or(0) : 0;
    const double re = ok ? Number(re_, "R(e)", ok).value_or(0) : 0;
    const double sd = ok ? Number(sd_, "S(D)", ok).value_or(0) : 0;
    const double amount = ok ? Number(amount_, "The added mass or box volume", ok).value_or(0) : 0;
    if (!ok)
        return false;
    request.range = {low, high, re};
    request.sdSqM = sd;
    request.method = static_cast<measure::SecondMeasurement>(method_->currentIndex());
    request.addedMassGrams = request.boxLiters = amount;

    QString problem;
    const auto read = [&](QLineEdit* edit, MeasuredCurve& curve) {
        const FileResult r =
            measure::ReadCurveFile(edit->text().toStdString(), MeasuredKind::Impedance, curve);
        if (!r.ok())
            problem = QString::fromStdString(r.message);
        return r.ok();
    };
    if (freeAir_->text().isEmpty())
        problem = "Choose the free-air impedance file.";
    else if (read(freeAir_, request.freeAir) && request.method != measure::SecondMeasurement::None)
        read(second_, request.second);
    measure::DriverFit fit;
    if (problem.isEmpty()) {
        if (const auto error = measure::FitDriver(request, fit))
            problem = QString::fromStdString(*error);
    }
    if (!problem.isEmpty()) {
        result_->setText(problem);
        if (!request.freeAir.hz.empty())
            plot_->Show(request.freeAir, std::nullopt);
        return false;
    }
    request_ = std::move(request);
    fit_ = std::move(fit);
    plot_->Show(request_.freeAir, fit_->freeAir.model);
    load_->setEnabled(true);
    add_->setEnabled(true);
    result_->setText(resultText());
    return true;
}

QString FitDriverDialog::resultText() const
{
    if (!fit_)
        return result_->text();
    const measure::ImpedanceModel& m = fit_->freeAir.model;
    QStringList values = {"R(e) = " + Value(m.re, "Ohms"), "f(s) = " + Value(m.fs, "Hz"),
                          "Q(ms) = " + Value(m.qms, ""),   "Q(es) = " + Value(m.qes, ""),
                          "Q(ts) = " + Value(m.Qts(), ""), "L(e) = " + Value(m.le * 1000, "mH")};
    for (const auto& [label, value, unit] :
         {std::tuple{"V(as)", fit_->vasLiters, "liters"}, std::tuple{"M(ms)", fit_->mmsGrams, "g"},
          std::tuple{"C(ms)", fit_->cmsMmPerN, "mm/N"}, std::tuple{"BL", fit_->bl, "N/A"}}) {
        if (value > 0)
            values << QString(label) + " = " + Value(value, unit);
    }
    QString text = values.join(",  ") + "\nRMS error " +
                   QString::number(fit_->freeAir.rmsErrorPercent, 'g', 2) +
                   " %: " + QString::fromStdString(fit_->freeAir.judgement);
    if (fit_->second)
        text += "\nSecond measurement: " + QString::fromStdString(fit_->second->judgement);
    return text;
}

DriverParams FitDriverDialog::FittedDriver() const
{
    DriverParams d = doc_.workbench().driver;
    measure::ApplyDriverFit(request_, *fit_, d);
    return d;
}

void FitDriverDialog::LoadIntoWorkbench()
{
    if (!fit_)
        return;
    doc_.LoadDriver(FittedDriver());
    result_->setText(resultText() + "\nLoaded into the workbench driver.");
}

void FitDriverDialog::AddToDatabase()
{
    if (!fit_)
        return;
    database::ImportedDriver imported;
    imported.driver = FittedDriver();
    imported.driver.model += " (measured)";
    imported.sourceFile = request_.freeAir.name;
    imported.sourceFormat = database::kFormatWorkbench;
    database::DriverStore store;
    database::AddReport report;
    FileResult r = database::OpenDatabase(store, "", database::DriverStore::Access::ReadWrite);
    if (r.ok())
        r = store.Add({&imported, 1}, report);
    if (!r.ok()) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(r.message));
        return;
    }
    const QString name =
        QString::fromStdString(imported.driver.manufacturer + " " + imported.driver.model)
            .trimmed();
    result_->setText(resultText() + "\n" +
                     (report.added.empty() ? name + " is in the driver database already."
                                           : "Added " + name + " to the driver database."));
}

} // namespace cw::ui
