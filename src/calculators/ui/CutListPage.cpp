#include "calculators/ui/CutListPage.h"

#include "forms/FieldPolicy.h"
#include "gfx/qt/QtRender.h"
#include "model/CSpkSysDoc.h"
#include "model/Units.h"
#include "pictures/ui/CanvasWidget.h"
#include "reports/CutListReport.h"
#include "reports/ui/ReportPrinter.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace cw::ui
{

namespace
{
constexpr QSize kPictureSize{600, 330};
} // namespace

CutListPage::CutListPage(CSpkSysDoc& doc, bool metric, QWidget* parent)
    : PropertyPage("Cut List", parent), doc_(doc), metric_(metric), heading_(new QLabel(this)),
      text_(new QPlainTextEdit(this)),
      picture_(CanvasWidget::Fitted(
          kPictureSize, 1,
          [this](gfx::Canvas& canvas) {
              if (list_)
                  reports::DrawSheetLayoutPicture(canvas, kPictureSize.width(),
                                                  kPictureSize.height(), *list_, sheets_);
              else
                  canvas.FillRect({0, 0, 600, 330}, gfx::kWhite);
          },
          this))
{
    using S = CutListSettings;
    auto* group = new QGroupBox("Boards and Assembly: ", this);
    grid_ = new QGridLayout(group);
    AddLength("Wall Thickness =", &S::wallMm, &S::wallIn);
    AddLength("Baffle Thickness =", &S::baffleMm, &S::baffleIn);
    AddLength("Saw Kerf =", &S::kerfMm, &S::kerfIn);
    AddLength("Sheet Length =", &S::sheetLengthMm, &S::sheetLengthIn);
    AddLength("Sheet Width =", &S::sheetWidthMm, &S::sheetWidthIn);
    AddChoice("Sides:", &S::sidesBetween,
              {"Top and bottom between the sides", "Sides between top and bottom"});
    AddChoice("Front and Back:", &S::frontSetIn, {"Over the edges", "Set in"});
    AddChoice("Driver Mounted:", &S::rearMount, {"From the front", "From the rear"});
    AddChoice("Vent:", &S::ventSlot, {"Round tubes", "A slot"});
    const int row = grid_->rowCount();
    grid_->addWidget(new QLabel("Number of Tubes =", this), row, 0);
    auto* tubes = new QLineEdit(this);
    tubes->setObjectName("ventTubes");
    tubes->setFixedWidth(90);
    grid_->addWidget(tubes, row, 1);
    binder()->Bind(tubes, edit::kIntegerField,
                   [this]() -> std::int32_t& { return doc_.cutList.ventTubes; });
    binder()->OnAcceptedEdit(tubes, [this] {
        doc_.SetModified();
        Refresh();
    });
    AddLength("Tube Wall =", &S::tubeWallMm, &S::tubeWallIn);
    AddLength("Slot Height =", &S::slotHeightMm, &S::slotHeightIn);
    binder()->ShowUnits(metric_);

    auto* left = new QVBoxLayout;
    left->addWidget(group);
    auto* buttons = new QHBoxLayout;
    auto* csv = new QPushButton("Export CSV...", this);
    auto* svg = new QPushButton("Export SVG...", this);
    connect(csv, &QPushButton::clicked, this, &CutListPage::ExportCsv);
    connect(svg, &QPushButton::clicked, this, &CutListPage::ExportSvg);
    buttons->addWidget(csv);
    buttons->addWidget(svg);
    left->addLayout(buttons);
    left->addStretch();

    text_->setReadOnly(true);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->setMinimumSize(560, 230);
    auto* right = new QVBoxLayout;
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    right->addWidget(heading_);
    right->addWidget(text_, 1);
    right->addWidget(picture_, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
}

void CutListPage::AddLength(const char* label, double CutListSettings::*mm,
                            double CutListSettings::*in)
{
    const int row = grid_->rowCount();
    grid_->addWidget(new QLabel(label, this), row, 0);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromUtf8(label).remove(' ').remove('='));
    edit->setFixedWidth(90);
    grid_->addWidget(edit, row, 1);
    auto* unit = new QLabel(this);
    binder()->BindUnit(unit, kDiameterUnits);
    grid_->addWidget(unit, row, 2);
    binder()->Bind(edit, edit::kRealField,
                   [this, mm, in]() -> double& { return doc_.cutList.*(metric_ ? mm : in); });
    binder()->OnAcceptedEdit(edit, [this, mm, in] {
        // The other unit's copy follows, as on the other paired fields.
        CutListSettings& c = doc_.cutList;
        if (metric_)
            c.*in = MmToInches(c.*mm);
        else
            c.*mm = InchesToMm(c.*in);
        doc_.SetModified();
        Refresh();
    });
}

void CutListPage::AddChoice(const char* label, std::int32_t CutListSettings::*value,
                            const QStringList& texts)
{
    const int row = grid_->rowCount();
    grid_->addWidget(new QLabel(label, this), row, 0);
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromUtf8(label).remove(' ').remove(':'));
    box->addItems(texts);
    box->setCurrentIndex(std::clamp(doc_.cutList.*value, 0, 1));
    grid_->addWidget(box, row, 1, 1, 2);
    connect(box, &QComboBox::currentIndexChanged, this, [this, value](int index) {
        if (doc_.cutList.*value == index)
            return;
        doc_.cutList.*value = index;
        doc_.SetModified();
        Refresh();
    });
}

calc::BoxPageKind CutListPage::kind() const
{
    return static_cast<calc::BoxPageKind>(std::clamp(doc_.cutList.boxPage, 0, 2));
}

QString CutListPage::shownText() const
{
    return text_->toPlainText();
}

QLineEdit* CutListPage::field(const char* name) const
{
    return findChild<QLineEdit*>(name);
}

QComboBox* CutListPage::choice(const char* name) const
{
    return findChild<QComboBox*>(name);
}

void CutListPage::OnActivate(bool first)
{
    PropertyPage::OnActivate(first);
    Refresh();
}

void CutListPage::Refresh()
{
    heading_->setText(QString::fromStdString(reports::CutListReportTitle(kind())));
    std::string why;
    list_ = calc::MakeCutList(doc_.workbench(), kind(), doc_.cutList, metric_, why);
    if (list_) {
        sheets_ = calc::LayOutSheets(*list_, doc_.cutList);
        text_->setPlainText(QString::fromStdString(calc::CutListText(*list_, sheets_)));
    } else {
        sheets_ = {};
        text_->setPlainText(QString::fromStdString(why));
    }
    picture_->update();
}

void CutListPage::Save(const QString& filter, const QString& suffix, const QByteArray& bytes)
{
    const QString name = QString::fromStdString(reports::CutListReportTitle(kind())) + suffix;
    const QString path = QFileDialog::getSaveFileName(this, "Export", name, filter);
    if (path.isEmpty())
        return;
    if (const QString error = SaveFile(path, bytes); !error.isEmpty())
        QMessageBox::warning(this, "Conewright", error);
}

void CutListPage::ExportCsv()
{
    if (!list_)
        return;
    Save("CSV files (*.csv)", ".csv", QByteArray::fromStdString(calc::CutListCsv(*list_)));
}

void CutListPage::ExportSvg()
{
    if (!list_)
        return;
    QByteArray bytes;
    const QSize size{1200, 800};
    if (const QString error =
            gfx::RenderSvg(bytes, size, "Conewright cut list",
                           [this, size](gfx::Canvas& canvas) {
                               reports::DrawSheetLayoutPicture(canvas, size.width(), size.height(),
                                                               *list_, sheets_);
                           });
        !error.isEmpty()) {
        QMessageBox::warning(this, "Conewright", error);
        return;
    }
    Save("SVG drawings (*.svg)", ".svg", bytes);
}

} // namespace cw::ui
