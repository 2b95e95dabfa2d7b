#include "cli/FieldPath.h"

#include "model/EditRules.h"

#include <array>
#include <charconv>

namespace cw::cli
{

namespace
{

template <class T>
concept FieldGroup = requires(T& t)
{
    T::Fields(t, [](const char*, auto&) {});
};

std::optional<FieldRef> Find(double& v, std::string_view rest)
{
    return rest.empty() ? std::optional<FieldRef>(&v) : std::nullopt;
}
std::optional<FieldRef> Find(std::int32_t& v, std::string_view rest)
{
    return rest.empty() ? std::optional<FieldRef>(&v) : std::nullopt;
}
std::optional<FieldRef> Find(std::string& v, std::string_view rest)
{
    return rest.empty() ? std::optional<FieldRef>(&v) : std::nullopt;
}
template <FieldGroup T> std::optional<FieldRef> Find(T& group, std::string_view path);

// An array element by its index: "spareReals.3".
template <class T, std::size_t N>
std::optional<FieldRef> Find(std::array<T, N>& values, std::string_view path)
{
    const std::size_t dot = path.find('.');
    const std::string_view index = path.substr(0, dot);
    std::size_t i = 0;
    const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), i);
    if (index.empty() || error != std::errc{} || end != index.data() + index.size() || i >= N)
        return std::nullopt;
    return Find(values[i],
                dot == std::string_view::npos ? std::string_view{} : path.substr(dot + 1));
}

template <FieldGroup T> std::optional<FieldRef> Find(T& group, std::string_view path)
{
    const std::size_t dot = path.find('.');
    const std::string_view head = path.substr(0, dot);
    const std::string_view rest =
        dot == std::string_view::npos ? std::string_view{} : path.substr(dot + 1);
    if (dot != std::string_view::npos && rest.empty())
        return std::nullopt;
    std::optional<FieldRef> found;
    T::Fields(group, [&](const char* name, auto& field) {
        if (!found && head == name)
            found = Find(field, rest);
    });
    return found;
}

} // namespace

std::optional<FieldRef> FindField(CSpkSys& s, std::string_view path)
{
    if (path.empty())
        return std::nullopt;
    return Find(s, path);
}

std::optional<std::string> AssignText(const FieldRef& field, std::string_view text)
{
    if (auto* real = std::get_if<double*>(&field)) {
        const std::optional<double> v = edit::ParseNumber(text);
        if (!v)
            return edit::kEnterNumber;
        **real = *v;
    } else if (auto* integer = std::get_if<std::int32_t*>(&field)) {
        const std::optional<std::int32_t> v = edit::ParseInteger(text);
        if (!v)
            return edit::kEnterInteger;
        **integer = *v;
    } else {
        *std::get<std::string*>(field) = std::string(text);
    }
    return std::nullopt;
}

} // namespace cw::cli
