#pragma once

#include "editors/ui/PanelView.h"
#include "model/BoxType.h"

#include <QString>
#include <vector>

namespace cw::ui
{

// A workbench panel: the panel rows of one box type's description, bound to its design block.
// Typing a value stores the panel and runs the design steps that depend on it, as the user
// types.
class BoxPanelView : public PanelView
{
    Q_OBJECT
public:
    BoxPanelView(BoxType type, CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent);

    BoxType boxType() const { return type_; }
    // The edit field of a row by its symbol ("V(B) =", "Q(tc) =", ...), for tests and focus.
    QLineEdit* field(const QString& symbol) const;
    QString unitLabel(const QString& symbol) const;

protected:
private:
    // A series component stands at the bottom left, under the picture, not as a row of its own.
    void PlaceUnderPicture(const Row& row);
    const Row* Find(const QString& symbol) const;

    BoxType type_;
    std::vector<Row> rows_; // one for each panel row of the description
    int seriesComponents_ = 0;
};

} // namespace cw::ui
