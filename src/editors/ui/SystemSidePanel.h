#pragma once

#include "model/BoxType.h"
#include "model/CSpkSysDoc.h"

#include <QWidget>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace cw::ui
{

class FieldBinder;

// The box type the system pages show: the workbench's, with an empty name taken as the 2nd order
// closed box; None for a name that matches no alignment.
BoxType SystemPagesBoxType(const CSpkSys& workbench);

// The right half of every system page: the picture of the enclosure with the variables the user
// chooses for it, the workbench driver's names and size, and the framed title block. Its fields
// are bound through the page's binder, so they load and store with the page.
class SystemSidePanel : public QWidget
{
    Q_OBJECT
public:
    // How the title block names the box type: as fixed text, or as a read-only field bound to
    // the workbench's box type name (the Notes page).
    enum class BoxTypeText { Fixed, Field };

    SystemSidePanel(CSpkSysDoc& doc, FieldBinder& binder, BoxTypeText boxTypeText, QWidget* parent);

    QPushButton* picture() const { return picture_; }
    // A field by its name: "manufacturer", "model", "nominalDiameterMm", "nominalDiameterIn",
    // "company", "address1", "address2", "address3", "phone", "systemName", "boxTypeName" (Notes
    // only), "designer", "designerTitle", "revDate", "revision".
    QLineEdit* field(const QString& name) const;

private:
    QWidget* DriverBlock(CSpkSysDoc& doc, FieldBinder& binder);
    QWidget* TitleBlock(CSpkSysDoc& doc, FieldBinder& binder, BoxTypeText boxTypeText);
    QLineEdit* TextField(const char* name, FieldBinder& binder,
                         std::function<std::string&()> value);

    QPushButton* picture_;
};

} // namespace cw::ui
