#include "app/CPrefsSht.h"

#include "app/CConewrightApp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

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

} // namespace

CPrefsPg3::CPrefsPg3(CConewrightApp& app, QWidget* parent) : QWidget(parent), app_(app)
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
    layout->addStretch();
}

CPrefsPg2::CPrefsPg2(CConewrightApp& app, QWidget* parent) : QWidget(parent), app_(app)
{
    const TitleBlock& t = app_.settings().titleBlock;
    auto field = [this](const std::string& text) {
        return new QLineEdit(QString::fromStdString(text), this);
    };
    company_ = field(t.company);
    address1_ = field(t.address1);
    address2_ = field(t.address2);
    address3_ = field(t.address3);
    phone_ = field(t.phone);
    designer_ = field(t.designer);
    designerTitle_ = field(t.designerTitle);
    QFont bold = company_->font();
    bold.setBold(true);
    company_->setFont(bold);
    for (QLineEdit* e : {company_, address1_, address2_})
        e->setAlignment(Qt::AlignCenter);
    phone_->setAlignment(Qt::AlignRight);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Customize the title block for your company.", this));
    auto* frame = new QGroupBox(this);
    auto* block = new QVBoxLayout(frame);
    block->addWidget(company_);
    block->addWidget(address1_);
    block->addWidget(address2_);
    auto* lastLine = new QHBoxLayout;
    lastLine->addWidget(address3_);
    lastLine->addWidget(phone_);
    block->addLayout(lastLine);
    auto* people = new QFormLayout;
    people->addRow("Designer:", designer_);
    people->addRow("Title:", designerTitle_);
    // Revision date and number belong to each system, not to the title block: shown here as
    // the workbench holds them, edited with the system.
    const CSpkSysDoc* doc = app_.currentDoc();
    auto revisionField = [this](const std::string& text) {
        QLineEdit* e = new QLineEdit(QString::fromStdString(text), this);
        e->setReadOnly(true);
        e->setToolTip("Each system's revision is set in the System Editor.");
        return e;
    };
    people->addRow("Rev Date:", revisionField(doc ? doc->workbench().revDate : std::string()));
    people->addRow("Rev:", revisionField(doc ? doc->workbench().revision : std::string()));
    block->addLayout(people);
    layout->addWidget(frame);
    layout->addStretch();
}

void CPrefsPg2::Store()
{
    TitleBlock& t = app_.settings().titleBlock;
    t.company = company_->text().toStdString();
    t.address1 = address1_->text().toStdString();
    t.address2 = address2_->text().toStdString();
    t.address3 = address3_->text().toStdString();
    t.phone = phone_->text().toStdString();
    t.designer = designer_->text().toStdString();
    t.designerTitle = designerTitle_->text().toStdString();
    if (CSpkSysDoc* doc = app_.currentDoc()) {
        const std::string spare = doc->titleBlock.spareTitleText;
        doc->titleBlock = t;
        doc->titleBlock.spareTitleText = spare;
        doc->SetModified();
    }
}

CPrefsSht::CPrefsSht(CConewrightApp& app, QWidget* parent) : QDialog(parent), app_(app)
{
    setWindowTitle("Preferences");
    tabs_ = new QTabWidget(this);
    page1_ = new CPrefsPg3(app, tabs_);
    page2_ = new CPrefsPg2(app, tabs_);
    tabs_->addTab(page1_, "Preferences");
    tabs_->addTab(page2_, "User Information");
    if (CSpkSysDoc* doc = app_.currentDoc())
        tabs_->setCurrentIndex(doc->prefsPage == 1 ? 1 : 0);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0)
            page2_->Store(); // leaving the User Information page stores it
        if (CSpkSysDoc* doc = app_.currentDoc())
            doc->prefsPage = index;
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void CPrefsSht::accept()
{
    if (tabs_->currentIndex() == 1)
        page2_->Store();
    QDialog::accept();
}

} // namespace cw
