#include "editors/ui/SystemNotesPage.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace cw::ui
{

SystemNotesPage::SystemNotesPage(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : SystemPage("System:  Notes", doc, settings, SystemSidePanel::BoxTypeText::Field, parent),
      notes_(new QPlainTextEdit(this))
{
    notes_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notes_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notes_->setLineWrapMode(QPlainTextEdit::NoWrap);
    binder()->Bind(notes_, edit::kMultiLineTextField,
                   [this]() -> std::string& { return doc_.workbench().notes; });
    auto* left = new QVBoxLayout;
    left->addWidget(notes_);
    SetLeftHalf(left);
}

} // namespace cw::ui
