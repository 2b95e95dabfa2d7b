#pragma once

#include "model/EditRules.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

// How an edit field and the model value bound to it meet: the text a value is shown as, the rule a
// typed text must pass to be stored, the message when it does not, and whether the field is only
// shown. Every page, panel and calculator field uses one of the policies below.
namespace cw::edit
{

template <class T> struct FieldPolicy {
    std::string (*format)(T value);
    std::optional<T> (*parse)(std::string_view text);
    const char* refusal = nullptr; // null for kinds that take every text
    bool readOnly = false;         // shown from the model, never stored
};

// Numbers: "%.*g" with precision 15, the number rule, "Please enter a number.".
extern const FieldPolicy<double> kRealField;
// 32-bit integers: the integer rule, "Please enter an integer.".
extern const FieldPolicy<std::int32_t> kIntegerField;
// Counts ("%u"): the count rule, "Please enter a positive integer.".
extern const FieldPolicy<std::uint32_t> kCountField;
// One line of text, stored as typed.
extern const FieldPolicy<std::string> kTextField;
// Several lines: the model keeps CR LF line ends, the field shows LF.
extern const FieldPolicy<std::string> kMultiLineTextField;

// The calculators' numbers, stored with the number rule and shown in their fixed formats.
extern const FieldPolicy<double> kComponentField; // FormatComponentValue
extern const FieldPolicy<double> kFixed5Field;    // "%5.5f"
extern const FieldPolicy<double> kFixed3Field;    // "%5.3f"

// The same policy for a field that is only shown.
template <class T> constexpr FieldPolicy<T> ReadOnly(FieldPolicy<T> policy)
{
    policy.readOnly = true;
    return policy;
}

// One model value bound through a policy. The value is reached through its accessor each time, so
// a binding follows whichever copy the accessor selects; an empty accessor binds nothing.
class BoundField
{
public:
    BoundField() = default;
    template <class T>
    BoundField(const FieldPolicy<T>& policy, std::type_identity_t<std::function<T&()>> value)
        : refusal_(policy.refusal), readOnly_(policy.readOnly),
          kind_(std::is_unsigned_v<T>   ? NumberKind::Count
                : std::is_integral_v<T> ? NumberKind::Integer
                                        : NumberKind::Real)
    {
        if (!value)
            return;
        takes_ = [parse = policy.parse](std::string_view text) { return parse(text).has_value(); };
        text_ = [format = policy.format, value] { return format(value()); };
        take_ = [parse = policy.parse, value](std::string_view text) {
            auto parsed = parse(text);
            if (parsed)
                value() = std::move(*parsed);
            return parsed.has_value();
        };
    }

    bool bound() const { return static_cast<bool>(text_); }
    bool readOnly() const { return readOnly_; }
    const char* refusal() const { return refusal_; }
    // The value as the field shows it.
    std::string Text() const { return text_(); }
    // Stores a typed text; false, with the value untouched, when the policy refuses it.
    bool Take(std::string_view text) const { return take_(text); }
    // True when the policy's rule takes the text; nothing is stored.
    bool Takes(std::string_view text) const { return takes_(text); }
    // What a text the user is typing comes to under the policy's rule; nothing is stored.
    Typing WhileTyping(std::string_view text) const
    {
        return edit::WhileTyping(text, Takes(text), kind_);
    }

private:
    std::function<std::string()> text_;
    std::function<bool(std::string_view)> take_;
    std::function<bool(std::string_view)> takes_;
    const char* refusal_ = nullptr;
    bool readOnly_ = false;
    NumberKind kind_ = NumberKind::Real;
};

} // namespace cw::edit
