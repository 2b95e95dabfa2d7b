#include "database/ui/DriverTableModel.h"

#include "database/ImportText.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace cw::ui
{

namespace
{

// Four significant digits read well in a table; large values keep their integer digits
// instead of turning into an exponent.
QString Shown(double v)
{
    if (v == 0 || std::isnan(v))
        return {};
    return std::fabs(v) >= 1000 ? QString::number(v, 'f', 0) : QString::number(v, 'g', 4);
}

QString FindingsText(const std::vector<std::string>& findings)
{
    QStringList lines;
    // A tool tip shows the beginning of a long finding.
    for (const std::string& f : findings)
        lines.push_back(QString::fromStdString(database::Abbreviated(f, 300)));
    return lines.join('\n');
}

} // namespace

DriverTableModel::DriverTableModel(const AppSettings& settings, QObject* parent)
    : QAbstractTableModel(parent), settings_(settings)
{
}

void DriverTableModel::SetDrivers(std::vector<database::DriverSummary> drivers)
{
    beginResetModel();
    drivers_ = std::move(drivers);
    Sort();
    endResetModel();
}

int DriverTableModel::RowOf(std::int64_t id) const
{
    const auto it = std::find_if(drivers_.begin(), drivers_.end(),
                                 [id](const database::DriverSummary& d) { return d.id == id; });
    return it == drivers_.end() ? -1 : static_cast<int>(it - drivers_.begin());
}

void DriverTableModel::UnitsChanged()
{
    // The values sort the same in either unit; only the texts change.
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!drivers_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int DriverTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(drivers_.size());
}

int DriverTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

double DriverTableModel::Value(const database::DriverSummary& d, int column) const
{
    const bool metric = settings_.metric();
    switch (column) {
    case Diameter:
        return metric ? d.nominalDiameterMm : d.nominalDiameterIn;
    case Fs:
        return d.fs;
    case Qts:
        return d.qts;
    case Vas:
        return metric ? d.vasLiters : d.vasCuFt;
    case Xmax:
        return d.xMax;
    case Findings:
        return static_cast<double>(d.findings.size());
    default:
        return 0;
    }
}

QVariant DriverTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const database::DriverSummary& d = driver(index.row());
    const int column = index.column();
    const bool marked = column == Findings && !d.findings.empty();
    switch (role) {
    case Qt::DisplayRole:
        if (column == Manufacturer)
            return QString::fromStdString(d.manufacturer);
        if (column == Model)
            return QString::fromStdString(d.model);
        if (column == Findings)
            return marked ? QString::number(d.findings.size()) : QString();
        return Shown(Value(d, column));
    case Qt::ToolTipRole:
        return marked ? FindingsText(d.findings) : QVariant();
    case Qt::DecorationRole:
        return marked ? QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)
                      : QVariant();
    case Qt::TextAlignmentRole:
        if (column == Manufacturer || column == Model)
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant DriverTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool metric = settings_.metric();
    switch (section) {
    case Manufacturer:
        return QStringLiteral("Manufacturer");
    case Model:
        return QStringLiteral("Model");
    case Diameter:
        return metric ? QStringLiteral("Diameter (mm)") : QStringLiteral("Diameter (in)");
    case Fs:
        return QStringLiteral("f(s) (Hz)");
    case Qts:
        return QStringLiteral("Q(ts)");
    case Vas:
        return metric ? QStringLiteral("V(as) (liters)") : QStringLiteral("V(as) (cu ft)");
    case Xmax:
        return QStringLiteral("X(max) (mm)");
    case Findings:
        return QStringLiteral("Findings");
    default:
        return {};
    }
}

void DriverTableModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current row follow their drivers to where they are now.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::int64_t> ids;
    for (const QModelIndex& i : before)
        ids.push_back(driver(i.row()).id);
    sortColumn_ = column;
    sortOrder_ = order;
    Sort();
    QModelIndexList after;
    for (int k = 0; k < before.size(); ++k)
        after.push_back(index(RowOf(ids[static_cast<std::size_t>(k)]), before[k].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void DriverTableModel::Sort()
{
    if (sortColumn_ < 0 || sortColumn_ >= ColumnCount)
        return;
    const bool descending = sortOrder_ == Qt::DescendingOrder;
    const bool byText = sortColumn_ == Manufacturer || sortColumn_ == Model;
    // Each row's key is made once, not at every comparison: a search as the user types sorts
    // tens of thousands of rows.
    struct Key {
        QString text;
        double value = 0;
        std::size_t row = 0;
    };
    std::vector<Key> keys(drivers_.size());
    for (std::size_t i = 0; i < drivers_.size(); ++i) {
        const database::DriverSummary& d = drivers_[i];
        keys[i].row = i;
        if (byText)
            keys[i].text =
                QString::fromStdString(sortColumn_ == Manufacturer ? d.manufacturer : d.model)
                    .toCaseFolded();
        else
            keys[i].value = Value(d, sortColumn_);
    }
    // Stable, so that drivers alike in this column keep the store's order by name. A value
    // that is not given goes last either way: it is no smaller than any other.
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (byText) {
            const int c = a.text.compare(b.text);
            return descending ? c > 0 : c < 0;
        }
        const bool aGiven = a.value != 0 && !std::isnan(a.value);
        const bool bGiven = b.value != 0 && !std::isnan(b.value);
        if (aGiven != bGiven)
            return aGiven;
        return descending ? a.value > b.value : a.value < b.value;
    });
    std::vector<database::DriverSummary> sorted;
    sorted.reserve(drivers_.size());
    for (const Key& k : keys)
        sorted.push_back(std::move(drivers_[k.row]));
    drivers_ = std::move(sorted);
}

} // namespace cw::ui
