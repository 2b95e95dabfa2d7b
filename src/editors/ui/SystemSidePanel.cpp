#include "editors/ui/SystemSidePanel.h"

#include "forms/ui/FieldBinder.h"
#include "gfx/qt/QtCanvas.h"
#include "model/BoxTable.h"
#include "pictures/Pictures.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace cw::ui
{

namespace
{

// The variables the user chooses for each box type, in menu order.
constexpr QSize kPictureSize{112, 84};

QPixmap BoxPicture(BoxType type)
{
    QPixmap pixmap(kPictureSize);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(pixmap, false, false));
    pictures::DrawBoxPicture(canvas, type,
                             {4, 4, kPictureSize.width() - 4.0, kPictureSize.height() - 4.0});
    return pixmap;
}

QFont Font(const char* face, int pixels, int weight)
{
    QFont font(face);
    font.setPixelSize(pixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

QFrame* Rule(QWidget* parent)
{
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    return rule;
}

// "Designer:", "Title:", "Rev Date:", "Rev:".
QLabel* Caption(const char* text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(Font("Courier New", 9, 400));
    return label;
}

} // namespace

BoxType SystemPagesBoxType(const CSpkSys& workbench)
{
    return workbench.boxTypeName.empty() ? BoxType::Closed2 : workbench.boxType();
}

SystemSidePanel::SystemSidePanel(CSpkSysDoc& doc, FieldBinder& binder, BoxTypeText boxTypeText,
                                 QWidget* parent)
    : QWidget(parent), picture_(new QPushButton(this))
{
    const BoxType type = SystemPagesBoxType(doc.workbench());
    picture_->setIcon(BoxPicture(type));
    picture_->setIconSize(kPictureSize);
    picture_->setFocusPolicy(Qt::NoFocus);
    picture_->setToolTip(QString::fromUtf8(BoxTypeName(type).data()));
    auto* variables = new QVBoxLayout;
    variables->addWidget(new QLabel("Box Variables:", this));
    const BoxDescription* box = DescribeBox(type);
    auto* list = new QLabel(box ? box->variables : "", this);
    list->setObjectName("boxVariables");
    list->setWordWrap(true);
    variables->addWidget(list);
    variables->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture_, 0, Qt::AlignTop);
    top->addLayout(variables, 1);

    // One width on every page, wide enough for the company's name in its large face.
    setFixedWidth(fontMetrics().averageCharWidth() * 42);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(DriverBlock(doc, binder));
    layout->addWidget(TitleBlock(doc, binder, boxTypeText));
    layout->addStretch();
}

QLineEdit* SystemSidePanel::field(const QString& name) const
{
    return findChild<QLineEdit*>(name);
}

QLineEdit* SystemSidePanel::TextField(const char* name, FieldBinder& binder,
                                      std::function<std::string&()> value)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setFrame(false);
    binder.Bind(edit, edit::kTextField, std::move(value));
    return edit;
}

QWidget* SystemSidePanel::DriverBlock(CSpkSysDoc& doc, FieldBinder& binder)
{
    auto* block = new QWidget(this);
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel("Driver:", block), 0, 0);
    DriverParams* driver = &doc.workbench().driver;
    // The document keeps its records for its whole life, so the driver stays where it is.
    grid->addWidget(TextField("manufacturer", binder,
                              [driver]() -> std::string& { return driver->manufacturer; }),
                    0, 1, 1, 5);
    grid->addWidget(
        TextField("model", binder, [driver]() -> std::string& { return driver->model; }), 1, 1, 1,
        5);
    auto diameter = [&](const char* name, double DriverParams::*member) {
        auto* edit = new QLineEdit(block);
        edit->setObjectName(name);
        edit->setFrame(false);
        edit->setMaximumWidth(fontMetrics().horizontalAdvance("0000.000"));
        binder.Bind(edit, edit::kRealField,
                    [driver, member]() -> double& { return driver->*member; });
        return edit;
    };
    grid->addWidget(diameter("nominalDiameterMm", &DriverParams::nominalDiameterMm), 2, 1);
    grid->addWidget(new QLabel("mm", block), 2, 2);
    grid->addWidget(new QLabel("(", block), 2, 3);
    grid->addWidget(diameter("nominalDiameterIn", &DriverParams::nominalDiameterIn), 2, 4);
    grid->addWidget(new QLabel("inches)", block), 2, 5);
    grid->setColumnStretch(6, 1);
    return block;
}

QWidget* SystemSidePanel::TitleBlock(CSpkSysDoc& doc, FieldBinder& binder, BoxTypeText boxTypeText)
{
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(frame);
    layout->setSpacing(1);
    cw::TitleBlock* texts = &doc.titleBlock;
    CSpkSys* wb = &doc.workbench();
    auto title = [&](const char* name, std::string cw::TitleBlock::*member) {
        QLineEdit* edit =
            TextField(name, binder, [texts, member]() -> std::string& { return texts->*member; });
        edit->setFont(Font("Arial", 10, 400));
        return edit;
    };
    auto record = [&](const char* name, std::string CSpkSys::*member) {
        return TextField(name, binder, [wb, member]() -> std::string& { return wb->*member; });
    };

    QLineEdit* company = title("company", &cw::TitleBlock::company);
    company->setFont(Font("Times New Roman", 16, 700));
    company->setAlignment(Qt::AlignCenter);
    layout->addWidget(company);
    layout->addWidget(title("address1", &cw::TitleBlock::address1));
    layout->addWidget(title("address2", &cw::TitleBlock::address2));
    auto* last = new QHBoxLayout;
    last->addWidget(title("address3", &cw::TitleBlock::address3));
    QLineEdit* phone = title("phone", &cw::TitleBlock::phone);
    phone->setAlignment(Qt::AlignRight);
    last->addWidget(phone);
    layout->addLayout(last);
    layout->addWidget(Rule(frame));

    QLineEdit* name = record("systemName", &CSpkSys::systemName);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    if (boxTypeText == BoxTypeText::Field) {
        QLineEdit* box = record("boxTypeName", &CSpkSys::boxTypeName);
        box->setAlignment(Qt::AlignCenter);
        box->setReadOnly(true);
        layout->addWidget(box);
    } else {
        auto* box =
            new QLabel(QString::fromUtf8(BoxTypeName(SystemPagesBoxType(*wb)).data()), frame);
        box->setAlignment(Qt::AlignCenter);
        layout->addWidget(box);
    }
    layout->addWidget(Rule(frame));

    auto* people = new QGridLayout;
    people->addWidget(Caption("Designer:", frame), 0, 0);
    people->addWidget(title("designer", &cw::TitleBlock::designer), 0, 1, 1, 3);
    people->addWidget(Caption("Title:", frame), 1, 0);
    people->addWidget(title("designerTitle", &cw::TitleBlock::designerTitle), 1, 1, 1, 3);
    layout->addLayout(people);
    layout->addWidget(Rule(frame));

    auto* revision = new QHBoxLayout;
    revision->addWidget(Caption("Rev Date:", frame));
    QLineEdit* revDate = record("revDate", &CSpkSys::revDate);
    revDate->setFont(Font("Arial", 10, 400));
    revision->addWidget(revDate, 2);
    revision->addWidget(Caption("Rev:", frame));
    QLineEdit* rev = record("revision", &CSpkSys::revision);
    rev->setFont(Font("Arial", 10, 400));
    revision->addWidget(rev, 1);
    layout->addLayout(revision);
    return frame;
}

} // namespace cw::ui
