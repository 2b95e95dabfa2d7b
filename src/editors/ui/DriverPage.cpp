#include "editors/ui/DriverPage.h"

#include "database/DriverCheck.h"
#include "forms/ui/ButtonFace.h"
#include "forms/ui/FitWidthValidator.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <type_traits>

namespace cw::ui
{

namespace
{

// A field's name in the driver record, so that a field can be found by the value it shows.
template <class T> QString NameOf(T DriverParams::*member)
{
    static const DriverParams probe;
    QString name;
    DriverParams::Fields(probe, [&](const char* n, const auto& field) {
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, T>) {
            if (&field == &(probe.*member))
                name = QString::fromLatin1(n);
        }
    });
    return name;
}

} // namespace

DriverPage::DriverPage(const QString& caption, CSpkSysDoc& doc, const AppSettings& settings,
                       QWidget* parent)
    : PropertyPage(caption, parent), doc_(doc), settings_(settings), headerEnd_(new QHBoxLayout),
      body_(new QGridLayout)
{
    DrawOnButtonFace(this);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/conewright.svg")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The header's four fields, bound first, so that they are stored first.
    QLineEdit* manufacturer = TextField(&DriverParams::manufacturer, 28);
    QLineEdit* model = TextField(&DriverParams::model, 22);
    QLineEdit* mm = NumberField(&DriverParams::nominalDiameterMm, 8);
    QLineEdit* inches = NumberField(&DriverParams::nominalDiameterIn, 8);
    headerFields_ = {manufacturer, model, mm, inches};

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    fields->addWidget(Label("Manufacturer:"), 0, 0);
    fields->addWidget(manufacturer, 0, 1);
    fields->addWidget(Label("Model:"), 0, 2, Qt::AlignRight);
    fields->addWidget(model, 0, 3);
    fields->addWidget(Label("Nominal Diameter ="), 1, 0);
    auto* diameter = new QHBoxLayout;
    diameter->setSpacing(4);
    diameter->addWidget(mm);
    diameter->addWidget(Label("mm"));
    diameter->addSpacing(8);
    diameter->addWidget(Label("("));
    diameter->addWidget(inches);
    diameter->addWidget(Label("inches)"));
    diameter->addStretch();
    fields->addLayout(diameter, 1, 1, 1, 3);

    auto* header = new QHBoxLayout;
    header->addWidget(icon, 0, Qt::AlignTop);
    header->addSpacing(6);
    header->addLayout(fields);
    header->addStretch();
    header->addLayout(headerEnd_);
    headerEnd_->setAlignment(Qt::AlignTop);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    connect(binder(), &FieldBinder::edited, this, [](QWidget* field) {
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            FieldBinder::Note(edit, QString());
    });

    body_->setHorizontalSpacing(6);
    body_->setVerticalSpacing(3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(rule);
    layout->addLayout(body_);
    layout->addStretch();
}

QLineEdit* DriverPage::NewField(const QString& name, int chars, Scroll scroll)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    if (chars > 0) {
        // Room for that many digits, and the frame and margins of the field.
        const int text = edit->fontMetrics().horizontalAdvance(QString(chars, u'0'));
        edit->setFixedWidth(text + 12);
    }
    if (scroll == Scroll::No)
        new FitWidthValidator(edit);
    return edit;
}

QLineEdit* DriverPage::NumberField(double DriverParams::*value, int digits, Scroll scroll)
{
    return NumberField(NameOf(value), [this, value]() -> double& { return driver().*value; },
                       digits, scroll, {value});
}

QLineEdit* DriverPage::NumberField(const QString& name, std::function<double&()> value, int digits,
                                   Scroll scroll, std::vector<double DriverParams::*> shows)
{
    QLineEdit* edit = NewField(name, digits, scroll);
    binder()->Bind(edit, edit::kRealField, std::move(value));
    if (!shows.empty())
        numbers_.emplace_back(edit, std::move(shows));
    return edit;
}

QLineEdit* DriverPage::TextField(std::string DriverParams::*value, int chars, Scroll scroll)
{
    QLineEdit* edit = NewField(NameOf(value), chars, scroll);
    binder()->Bind(edit, edit::kTextField,
                   [this, value]() -> std::string& { return driver().*value; });
    return edit;
}

QLabel* DriverPage::Label(const QString& text)
{
    return new QLabel(text, this);
}

void DriverPage::SetTabOrder(const std::vector<QWidget*>& fields)
{
    std::vector<QWidget*> order = headerFields_;
    order.insert(order.end(), fields.begin(), fields.end());
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool DriverPage::StoreFields()
{
    return binder()->Store();
}

void DriverPage::OnActivate(bool first)
{
    PropertyPage::OnActivate(first);
    MarkUnitFindings();
}

bool DriverPage::OnLeave()
{
    const DriverParams before = driver();
    const bool stored = StoreFields();
    if (!(driver() == before))
        doc_.SetModified();
    MarkUnitFindings();
    return stored;
}

void DriverPage::MarkUnitFindings()
{
    const std::vector<database::UnitFix> fixes = database::LikelyUnitFixes(driver());
    for (const auto& [edit, shows] : numbers_) {
        QStringList findings;
        for (const database::UnitFix& fix : fixes) {
            if (std::find(shows.begin(), shows.end(), fix.field) != shows.end())
                findings << QString::fromStdString(fix.finding);
        }
        FieldBinder::Note(edit, findings.join(u'\n'));
    }
}

} // namespace cw::ui
