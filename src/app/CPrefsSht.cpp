#include "app/CPrefsSht.h"

#include "app/CConewrightApp.h"
#include "forms/FieldPolicy.h"
#include "model/EditRules.h"
#include "model/NumberFormat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

namespace cw
{

namespace
{

// A group of radio buttons; clicked(k) reports the k-th button of the list.
template <class OnClick>
QGroupBox* RadioGroup(QWidget* parent, const QString& title, const QStringList& texts, int checked,
                      OnClick onClick)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int k = 0; k < texts.size(); ++k) {
        auto* button = new QRadioButton(texts[k], box);
        button->setChecked(k == checked);
        group->addButton(button, k);
        layout->addWidget(button);
    }
    QObject::connect(group, &QButtonGroup::idClicked, box, onClick);
    return box;
}

// The background buttons in their order on the page, and the preference value of each.
constexpr int kBackgroundValues[] = {0, 1, 2, 4, 3};

// A vent velocity limit: a positive number of metres a second, up to the speed of sound.
std::optional<double> ParseVelocityLimit(std::string_view text)
{
    const std::optional<double> v = edit::ParseNumber(text);
    if (v && *v >= kMinVentVelocityLimit && *v <= kMaxVentVelocityLimit)
        return v;
    return std::nullopt;
}
const edit::FieldPolicy<double> kVelocityLimitField{
    FormatNumber, ParseVelocityLimit,
    "Please enter the vent air velocity limit as a positive number of m/s, from 0.1 up to the "
    "speed of sound, 344.8."};

} // namespace

CPrefsPg3::CPrefsPg3(CConewrightApp& app, QWidget* parent)
    : ui::PropertyPage("Preferences", parent), app_(app)
{
    AppSettings& s = app_.settings();
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(RadioGroup(
        this, "Units", {"English (feet/inches)", "metric"}, s.metric() ? 1 : 0, [this](int k) {
            app_.settings().units = k == 1 ? UnitsPreference::Metric : UnitsPreference::English;
        }));
    layout->addWidget(
        RadioGroup(this, "Open With", {"New Untitled Project", "Last Project Saved", "None"},
                   static_cast<int>(s.openWith),
                   [this](int k) { app_.settings().openWith = static_cast<OpenWith>(k); }));

    int backgroundButton = 0;
    for (int k = 0; k < 5; ++k) {
        if (kBackgroundValues[k] == s.plotBackground)
            backgroundButton = k;
    }
    layout->addWidget(RadioGroup(
        this, "Plotting Background",
        {"Billiard Green", "Black Velvet", "Dark Gray", "Light Gray", "White"}, backgroundButton,
        [this](int k) { app_.settings().plotBackground = kBackgroundValues[k]; }));

    auto* printing = new QGroupBox("Printing", this);
    auto* printLayout = new QVBoxLayout(printing);
    auto* icons = new QCheckBox("Print Icons", printing);
    auto* colour = new QCheckBox("Print in Color", printing);
    icons->setChecked(s.printIcons);
    colour->setChecked(s.printInColor);
    connect(icons, &QCheckBox::clicked, this,
            [this] { app_.settings().printIcons = !app_.settings().printIcons; });
    connect(colour, &QCheckBox::clicked, this,
            [this] { app_.settings().printInColor = !app_.settings().printInColor; });
    printLayout->addWidget(icons);
    printLayout->addWidget(colour);
    layout->addWidget(printing);

    auto* plot = new QGroupBox("Plot", this);
    auto* plotLayout = new QVBoxLayout(plot);
    colourEachSystem_ = new QCheckBox("Colour each system", plot);
    showLegend_ = new QCheckBox("Show Legend", plot);
    colourEachSystem_->setChecked(s.colourEachSystem);
    showLegend_->setChecked(s.showLegend);
    connect(colourEachSystem_, &QCheckBox::clicked, this, [this](bool on) {
        app_.settings().colourEachSystem = on;
        // Colours say nothing without their key: switching them on brings the legend along.
        if (on)
            showLegend_->setChecked(app_.settings().showLegend = true);
    });
    connect(showLegend_, &QCheckBox::clicked, this,
            [this](bool on) { app_.settings().showLegend = on; });
    plotLayout->addWidget(colourEachSystem_);
    plotLayout->addWidget(showLegend_);
    layout->addWidget(plot);

    // Typed or chosen from the limits designers use: 5 % of the speed of sound by default.
    auto* limits = new QGroupBox("Limits", this);
    auto* limitsLayout = new QFormLayout(limits);
    velocityLimit_ = new QComboBox(limits);
    velocityLimit_->setEditable(true);
    velocityLimit_->setInsertPolicy(QComboBox::NoInsert);
    velocityLimit_->addItems({"10", "12", "15", "17", "20", "25", "30"});
    binder()->Bind(velocityLimit_->lineEdit(), kVelocityLimitField,
                   [this]() -> double& { return app_.settings().ventVelocityLimit; });
    auto* velocityRow = new QHBoxLayout;
    velocityRow->addWidget(velocityLimit_);
    velocityRow->addWidget(new QLabel("m/s", limits));
    limitsLayout->addRow("Vent air velocity limit:", velocityRow);
    layout->addWidget(limits);
    layout->addStretch();
}

CPrefsPg2::CPrefsPg2(CConewrightApp& app, QWidget* parent)
    : ui::PropertyPage("User Information", parent), app_(app)
{
    auto field = [this](std::string TitleBlock::*text) {
        auto* edit = new QLineEdit(this);
        binder()->Bind(edit, edit::kTextField,
                       [this, text]() -> std::string& { return app_.settings().titleBlock.*text; });
        return edit;
    };
    QLineEdit* company = field(&TitleBlock::company);
    QLineEdit* address1 = field(&TitleBlock::address1);
    QLineEdit* address2 = field(&TitleBlock::address2);
    QLineEdit* address3 = field(&TitleBlock::address3);
    QLineEdit* phone = field(&TitleBlock::phone);
    QLineEdit* designer = field(&TitleBlock::designer);
    QLineEdit* designerTitle = field(&TitleBlock::designerTitle);
    QFont bold = company->font();
    bold.setBold(true);
    company->setFont(bold);
    for (QLineEdit* e : {company, address1, address2})
        e->setAlignment(Qt::AlignCenter);
    phone->setAlignment(Qt::AlignRight);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Customize the title block for your company.", this));
    auto* frame = new QGroupBox(this);
    auto* block = new QVBoxLayout(frame);
    block->addWidget(company);
    block->addWidget(address1);
    block->addWidget(address2);
    auto* lastLine = new QHBoxLayout;
    lastLine->addWidget(address3);
    lastLine->addWidget(phone);
    block->addLayout(lastLine);
    auto* people = new QFormLayout;
    people->addRow("Designer:", designer);
    people->addRow("Title:", designerTitle);
    // Revision date and number belong to each system, not to the title block: shown as the
    // workbench holds them, and set with the system.
    auto revision = [this](std::string CSpkSys::*text) {
        auto* edit = new QLineEdit(this);
        edit->setToolTip("Each system's revision is set in the System Editor.");
        std::function<std::string&()> value;
        if (CSpkSysDoc* doc = app_.currentDoc())
            value = [doc, text]() -> std::string& { return doc->workbench().*text; };
        binder()->Bind(edit, edit::ReadOnly(edit::kTextField), std::move(value));
        return edit;
    };
    people->addRow("Rev Date:", revision(&CSpkSys::revDate));
    people->addRow("Rev:", revision(&CSpkSys::revision));
    block->addLayout(people);
    layout->addWidget(frame);
    layout->addStretch();
}

bool CPrefsPg2::OnLeave()
{
    if (!PropertyPage::OnLeave())
        return false;
    if (CSpkSysDoc* doc = app_.currentDoc()) {
        const std::string spare = doc->titleBlock.spareTitleText;
        doc->titleBlock = app_.settings().titleBlock;
        doc->titleBlock.spareTitleText = spare;
        doc->Changed("Title Block");
    }
    return true;
}

CPrefsSht::CPrefsSht(CConewrightApp& app, QWidget* parent)
    : ui::PropertySheet("Preferences", parent), page1_(new CPrefsPg3(app, this)),
      page2_(new CPrefsPg2(app, this))
{
    AddPage(page1_);
    AddPage(page2_);
    CSpkSysDoc* doc = app.currentDoc();
    RecordPageIndex(doc ? &doc->prefsPage : nullptr);
}

} // namespace cw
