#include "model/FieldRow.h"

namespace cw
{

UnitTexts UnitLabels(UnitKind kind)
{
    switch (kind) {
    case UnitKind::Volume:
        return {"liters", "cu ft"};
    case UnitKind::Area:
        return {"sq m", "sq in"};
    case UnitKind::Length:
        return {"m", "in"};
    case UnitKind::Distance:
        return {"m", "ft"};
    case UnitKind::Excursion:
        return {"mm", "in"};
    case UnitKind::Plain:
        break;
    }
    return {};
}

bool FieldRow::ShowsMetric(bool metricUnits) const
{
    switch (copy) {
    case Copy::ByUnits:
        return metricUnits || english == nullptr;
    case Copy::Metric:
        return true;
    case Copy::EnglishOnly:
        break;
    }
    return false;
}

double* FieldRow::Shown(CSpkSys& s, bool metricUnits) const
{
    if (integer != nullptr)
        return nullptr;
    return ShowsMetric(metricUnits) ? &metric(s) : &english(s);
}

double* FieldRow::Other(CSpkSys& s, bool metricUnits) const
{
    if (integer != nullptr || english == nullptr)
        return nullptr;
    return ShowsMetric(metricUnits) ? &english(s) : &metric(s);
}

double FieldRow::Value(const CSpkSys& s, bool metricUnits) const
{
    // The accessors need a modifiable record to hand out a reference; nothing is written here.
    CSpkSys& record = const_cast<CSpkSys&>(s);
    if (integer != nullptr)
        return integer(record);
    return *Shown(record, metricUnits);
}

UnitTexts FieldRow::Units() const
{
    if (unitKind == UnitKind::Plain)
        return {unit, unit};
    const UnitTexts labels = UnitLabels(unitKind);
    return {labels.Pick(ShowsMetric(true)), labels.Pick(ShowsMetric(false))};
}

std::string FieldRow::Name(bool metricUnits) const
{
    std::string name = *symbol != '\0' ? symbol : title;
    if (name.ends_with(" ="))
        name.resize(name.size() - 2);
    if (unitKind == UnitKind::Distance)
        name += " (" + Unit(metricUnits) + ")";
    return name;
}

} // namespace cw
