#pragma once

#include "editors/ui/SystemPage.h"

class QPlainTextEdit;

namespace cw::ui
{

// "System:  Notes": the workbench's notes in a large field, beside the shared right half, whose
// title block here shows the box type name as a read-only field.
class SystemNotesPage : public SystemPage
{
    Q_OBJECT
public:
    SystemNotesPage(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);

    QPlainTextEdit* notes() const { return notes_; }

private:
    QPlainTextEdit* notes_;
};

} // namespace cw::ui
