#pragma once

#include "editors/ui/PanelView.h"
#include "model/BoxType.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace cw::ui
{

// A workbench panel: the design block of one box type as rows of fields. Typing a value stores
// the panel and runs the design steps that depend on it, as the user types.
class BoxPanelView : public PanelView
{
    Q_OBJECT
public:
    BoxPanelView(BoxType type, CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent);

    // Which pair of unit copies a row shows.
    enum class Quantity { Volume, Area, Length, Fixed };
    using Accessor = std::function<double&(CSpkSys&)>;

    BoxType boxType() const { return type_; }
    // The edit field of a row by its symbol ("V(B) =", "Q(tc) =", ...), for tests and focus.
    QLineEdit* field(const QString& symbol) const;
    QString unitLabel(const QString& symbol) const;

protected:
    struct Field {
        Row row;
        Quantity quantity;
        Accessor metric;    // liters, sq m, m; or the only copy for Fixed
        Accessor english;   // cu ft, sq in, in
        bool shortInMetric; // rewritten at four digits after each load with the metric preference
    };

    // Adds a row. For Fixed rows only `metric` is used and `unit` is the label.
    Field& AddField(const QString& title, const QString& symbol, Quantity quantity, Accessor metric,
                    Accessor english = {}, const QString& unit = {}, bool readOnly = false,
                    bool shortInMetric = false);

    void SetUnits() override;
    void LoadFields() override;

    // Row sets shared by several panels, wired to their handlers.
    template <class Block> void AddClosedBox(Block CSpkSys::*block);
    template <class Block> void AddBandpassBox(Block CSpkSys::*block, const QString& ventTitle);
    void AddVentRows(Accessor svSqM, Accessor svSqIn, Accessor lvM, Accessor lvIn,
                     const QString& areaTitle, const QString& lengthTitle);
    void AddSeriesComponent(const QString& symbol, const QString& unit, Accessor value);

    // Handlers shared by the panels. Each is called after the edit guard.
    void OnVolumeEdited(Field& volume, bool closedBox);
    void OnQtcEdited(bool closedBox);
    void OnVentAreaEdited();
    void OnVentLengthEdited();
    void OnPlainEdited();        // store and mark modified, nothing more
    void OnTwinEdited(Field& f); // store, twin update, nothing more
    void OnBoxFrequencyEdited();

    // Rows the handlers show into (null where a panel has none).
    Field* volume_ = nullptr;
    Field* qtc_ = nullptr;
    Field* fc_ = nullptr;
    Field* alpha_ = nullptr;
    Field* svMin_ = nullptr;
    Field* sv_ = nullptr;
    Field* lv_ = nullptr;

private:
    double& Shown(Field& f);
    void TwinUpdate(Field& f);
    void ShowField(Field* f);

    BoxType type_;
    std::vector<std::unique_ptr<Field>> fields_;
    int seriesComponents_ = 0;
};

} // namespace cw::ui
