#include "editors/ui/SystemPage.h"

#include "forms/ui/ButtonFace.h"

#include <QHBoxLayout>

namespace cw::ui
{

SystemPage::SystemPage(const QString& caption, CSpkSysDoc& doc, const AppSettings& settings,
                       SystemSidePanel::BoxTypeText boxTypeText, QWidget* parent)
    : PropertyPage(caption, parent), doc_(doc), settings_(settings), halves_(new QHBoxLayout(this)),
      side_(new SystemSidePanel(doc, *binder(), boxTypeText, this))
{
    DrawOnButtonFace(this);
    halves_->addWidget(side_, 1);
}

void SystemPage::SetLeftHalf(QLayout* left)
{
    halves_->insertLayout(0, left, 1);
}

bool SystemPage::OnLeave()
{
    // Fields before a refused one are stored already: they count as a change too.
    const bool edited = isModified();
    const bool stored = PropertyPage::OnLeave();
    if (edited)
        doc_.SetModified();
    return stored;
}

} // namespace cw::ui
