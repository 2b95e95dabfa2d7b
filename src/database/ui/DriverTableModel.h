#pragma once

#include "database/DriverStore.h"
#include "model/AppSettings.h"

#include <QAbstractTableModel>
#include <vector>

namespace cw::ui
{

// The drivers a search found, one row each: identity, the values the filters work on in the
// units the preference chooses, and a mark for drivers whose import or check found something.
// Sorting is done here, on the values as they are, so that numbers sort as numbers.
class DriverTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Manufacturer, Model, Diameter, Fs, Qts, Vas, Xmax, Findings, ColumnCount };

    explicit DriverTableModel(const AppSettings& settings, QObject* parent = nullptr);

    // Replaces the rows, keeping the order last asked for.
    void SetDrivers(std::vector<database::DriverSummary> drivers);
    const database::DriverSummary& driver(int row) const
    {
        return drivers_[static_cast<std::size_t>(row)];
    }
    // The row of a stored driver, -1 when it is not shown.
    int RowOf(std::int64_t id) const;
    // Headers and values follow the units preference again.
    void UnitsChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    double Value(const database::DriverSummary& d, int column) const;
    void Sort();

    const AppSettings& settings_;
    std::vector<database::DriverSummary> drivers_;
    int sortColumn_ = -1; // -1: as the store lists them, by manufacturer and model
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

} // namespace cw::ui
