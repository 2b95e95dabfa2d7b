#include "app/PanelView.h"
#include "app/ProjectWindows.h"

#include <QLabel>
#include <QVBoxLayout>

namespace cw
{

namespace
{

// Until the panels exist, a panel window shows what it is for.
class PlaceholderPanel final : public PanelView
{
public:
    PlaceholderPanel(ProjectWindows& project, QString what) : project_(project)
    {
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(this);
        label_->setAlignment(Qt::AlignCenter);
        label_->setWordWrap(true);
        layout->addWidget(label_);
        what_ = std::move(what);
        Refresh();
    }
    void Refresh() override
    {
        const CSpkSys& wb = project_.doc().workbench();
        label_->setText(QStringLiteral("%1\n%2 %3")
                            .arg(what_, QString::fromStdString(wb.driver.manufacturer),
                                 QString::fromStdString(wb.driver.model)));
    }

private:
    ProjectWindows& project_;
    QString what_;
    QLabel* label_;
};

} // namespace

PanelView* CreateDriverPanelView(ProjectWindows& project)
{
    return new PlaceholderPanel(project, QStringLiteral("Driver and system parameters"));
}

PanelView* CreateBoxPanelView(ProjectWindows& project, BoxType type)
{
    return new PlaceholderPanel(
        project, QString::fromUtf8(BoxTypeName(type).data(), BoxTypeName(type).size()));
}

} // namespace cw
