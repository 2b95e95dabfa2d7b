#include "cli/LimitsJson.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace cw::cli
{

namespace
{

using Json = nlohmann::ordered_json;

Json NumberOrNull(double v)
{
    return std::isfinite(v) ? Json(v) : Json(nullptr);
}

Json LimitOrNull(engine::Limit limit)
{
    return limit == engine::Limit::None ? Json(nullptr) : Json(engine::LimitName(limit));
}

} // namespace

std::string LimitsAsJson(const engine::Limits& l)
{
    Json bands = Json::array();
    for (const engine::LimitBand& b : l.bands)
        bands.push_back(
            {{"limit", LimitOrNull(b.limit)}, {"low_hz", b.lowHz}, {"high_hz", b.highHz}});
    Json points = Json::array();
    for (std::size_t i = 0; i < l.frequencies.size(); ++i)
        points.push_back({{"frequency_hz", l.frequencies[i]},
                          {"max_spl_db", NumberOrNull(l.maxSpl[i])},
                          {"max_power_w", NumberOrNull(l.maxPower[i])},
                          {"excursion_mm", NumberOrNull(l.excursion[i])},
                          {"vent_velocity_ms", NumberOrNull(l.ventVelocity[i])},
                          {"limit", LimitOrNull(l.binding[i])}});
    const Json out = {{"sentence", l.sentence}, {"bands", bands}, {"points", points}};
    return out.dump(1, '\t', false, Json::error_handler_t::replace) + '\n';
}

} // namespace cw::cli
