#include "forms/FieldPolicy.h"

#include "model/ComponentFormat.h"
#include "model/NumberFormat.h"

namespace cw::edit
{

namespace
{

std::string AsTyped(std::string text)
{
    return text;
}

std::optional<std::string> TakeAsTyped(std::string_view text)
{
    return std::string(text);
}

std::string Replace(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, from.size()) == from) {
            out += to;
            i += from.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string LinesToShow(std::string text)
{
    return Replace(text, "\r\n", "\n");
}

std::optional<std::string> LinesToStore(std::string_view text)
{
    return Replace(text, "\n", "\r\n");
}

std::string Fixed5(double value)
{
    return FormatFixed(value, 5);
}

std::string Fixed3(double value)
{
    return FormatFixed(value, 3);
}

} // namespace

const FieldPolicy<double> kRealField{FormatNumber, ParseNumber, kEnterNumber};
const FieldPolicy<std::int32_t> kIntegerField{FormatInteger, ParseInteger, kEnterInteger};
const FieldPolicy<std::uint32_t> kCountField{FormatCount, ParseCount, kEnterPositiveInteger};
const FieldPolicy<std::string> kTextField{AsTyped, TakeAsTyped};
const FieldPolicy<std::string> kMultiLineTextField{LinesToShow, LinesToStore};

const FieldPolicy<double> kComponentField{FormatComponentValue, ParseNumber, kEnterNumber};
const FieldPolicy<double> kFixed5Field{Fixed5, ParseNumber, kEnterNumber};
const FieldPolicy<double> kFixed3Field{Fixed3, ParseNumber, kEnterNumber};

} // namespace cw::edit
