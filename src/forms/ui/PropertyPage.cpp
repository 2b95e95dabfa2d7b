#include "forms/ui/PropertyPage.h"

namespace cw::ui
{

PropertyPage::PropertyPage(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption), binder_(new FieldBinder(this))
{
    connect(binder_, &FieldBinder::edited, this, [this](QWidget* field) {
        if (!unmarked_.contains(field))
            modified_ = true;
    });
}

void PropertyPage::Activate()
{
    const bool first = !started_;
    if (first) {
        started_ = true;
        OnStart();
    }
    OnActivate(first);
}

bool PropertyPage::Leave()
{
    if (!OnLeave())
        return false;
    modified_ = false;
    return true;
}

void PropertyPage::Close(bool accepted)
{
    if (!started_)
        return;
    if (accepted)
        OnOK();
    else
        OnCancel();
}

void PropertyPage::OnStart()
{
    binder_->Load();
}

void PropertyPage::OnActivate(bool first)
{
    if (!first)
        binder_->Load();
}

bool PropertyPage::OnLeave()
{
    return binder_->Store();
}

} // namespace cw::ui
