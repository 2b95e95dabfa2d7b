#include "forms/ui/PropertySheet.h"

#include "forms/ui/PropertyPage.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace cw::ui
{

PropertySheet::PropertySheet(const QString& caption, QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)), extraButtons_(new QHBoxLayout)
{
    setWindowTitle(caption);
    connect(tabs_, &QTabWidget::currentChanged, this, &PropertySheet::OnTabChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertySheet::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(extraButtons_);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(bottom);
}

void PropertySheet::AddPage(PropertyPage* page)
{
    // The first tab added becomes current; it is activated only when the sheet shows.
    const QSignalBlocker quiet(tabs_);
    tabs_->addTab(page, page->caption());
}

int PropertySheet::pageCount() const
{
    return tabs_->count();
}

PropertyPage* PropertySheet::page(int index) const
{
    return static_cast<PropertyPage*>(tabs_->widget(index));
}

PropertyPage* PropertySheet::currentPage() const
{
    return page(tabs_->currentIndex());
}

void PropertySheet::RecordPageIndex(std::int32_t* index)
{
    recordedIndex_ = index;
    if (!index)
        return;
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(*index >= 0 && *index < pageCount() ? *index : 0);
}

QPushButton* PropertySheet::AddButton(const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    extraButtons_->addWidget(button);
    return button;
}

void PropertySheet::showEvent(QShowEvent* event)
{
    FitTabs();
    ActivateCurrent();
    QDialog::showEvent(event);
}

// Widen the sheet so that every tab's caption shows when the screen has room for them all;
// otherwise the tab bar scrolls and the sheet keeps the width of its pages.
void PropertySheet::FitTabs()
{
    const QMargins margins = layout()->contentsMargins();
    const int frame = tabs_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tabs_);
    const int wanted =
        tabs_->tabBar()->sizeHint().width() + margins.left() + margins.right() + 4 * frame;
    const QScreen* shown = screen();
    if (width() < wanted && (!shown || wanted <= shown->availableGeometry().width()))
        resize(wanted, height());
}

void PropertySheet::ActivateCurrent()
{
    const int index = tabs_->currentIndex();
    if (index < 0 || index == active_)
        return;
    active_ = index;
    if (recordedIndex_)
        *recordedIndex_ = index;
    page(index)->Activate();
}

void PropertySheet::OnTabChanged(int index)
{
    if (index == active_)
        return;
    if (active_ >= 0) {
        // The tab has switched already: go back to the page being left while it is asked, so
        // that its message and its refused field show over that page.
        {
            const QSignalBlocker quiet(tabs_);
            tabs_->setCurrentIndex(active_);
        }
        if (!page(active_)->Leave())
            return;
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(index);
    }
    ActivateCurrent();
}

void PropertySheet::accept()
{
    ActivateCurrent();
    if (PropertyPage* showing = currentPage(); showing && !showing->Leave())
        return;
    for (int i = 0; i < pageCount(); ++i)
        page(i)->Close(true);
    QDialog::accept();
}

void PropertySheet::reject()
{
    for (int i = 0; i < pageCount(); ++i)
        page(i)->Close(false);
    QDialog::reject();
}

} // namespace cw::ui
