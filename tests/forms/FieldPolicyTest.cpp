#include "forms/FieldPolicy.h"

#include "model/NumberFormat.h"

#include <gtest/gtest.h>

namespace cw::edit
{
namespace
{

TEST(FieldPolicies, NumbersIntegersAndCountsRefuseWithTheirOwnTexts)
{
    EXPECT_EQ(kRealField.format(1.0 / 3), "0.333333333333333");
    EXPECT_FALSE(kRealField.parse("12abc"));
    EXPECT_STREQ(kRealField.refusal, "Please enter a number.");
    EXPECT_FALSE(kIntegerField.parse("2.5"));
    EXPECT_STREQ(kIntegerField.refusal, "Please enter an integer.");

    EXPECT_EQ(kCountField.format(4294967295u), "4294967295");
    EXPECT_EQ(kCountField.parse("0"), 0u);
    EXPECT_EQ(kCountField.parse(" +12\t"), 12u);
    for (const char* text : {"", "-1", "-0", "+0", "2.5", "1e2", "4294967296", "two"})
        EXPECT_FALSE(kCountField.parse(text)) << '"' << text << '"';
    EXPECT_STREQ(kCountField.refusal, "Please enter a positive integer.");
}

TEST(FieldPolicies, TextsAreTakenAsTypedAndCheckBoxesAreOnForOneOnly)
{
    EXPECT_EQ(kTextField.parse("  a, b; c "), "  a, b; c ");
    EXPECT_EQ(kTextField.refusal, nullptr);
    // The model keeps CR LF (the NOTE lines of a driver description start with one); the field
    // shows LF, and storing it gives the model's text back.
    const std::string notes = "Sealed box.\r\nNOTE: SPL calculated\r\n";
    EXPECT_EQ(kMultiLineTextField.format(notes), "Sealed box.\nNOTE: SPL calculated\n");
    EXPECT_EQ(kMultiLineTextField.parse(kMultiLineTextField.format(notes)), notes);
}

TEST(CalculatorFormats, VentAndBoxResults)
{
    EXPECT_EQ(FormatFixed(0.009121, 5), "0.00912"); // metric vent area
    EXPECT_EQ(FormatFixed(14.14, 3), "14.140");     // English vent area
    EXPECT_EQ(FormatCount(2), "2");
    EXPECT_EQ(FormatSixDigits(10.091), "10.091");
    EXPECT_EQ(FormatSixDigits(1.618033989), "1.61803");
    EXPECT_EQ(FormatSixDigits(123456789), "1.23457E+08");
    EXPECT_EQ(FormatSixDigits(0.00001), "1E-05");
    // A huge value from a damaged file is written whole, never cut to a wrong number.
    const std::string huge = FormatFixed(1e308, 3);
    EXPECT_EQ(huge.size(), 313u);
    EXPECT_EQ(huge.substr(huge.size() - 4), ".000");
}

TEST(CalculatorFormats, FieldsReadTheirOwnTextsBack)
{
    for (const auto* policy : {&kComponentField, &kFixed5Field, &kFixed3Field}) {
        EXPECT_STREQ(policy->refusal, "Please enter a number.");
        EXPECT_FALSE(policy->parse("1.5 in"));
        // " 1234" keeps its leading blank, which the number rule skips.
        EXPECT_EQ(policy->parse(policy->format(1234)), 1234);
    }
    EXPECT_EQ(kFixed3Field.parse(kFixed3Field.format(0.0254)), 0.025);
    EXPECT_TRUE(ReadOnly(kComponentField).readOnly);
    EXPECT_EQ(ReadOnly(kComponentField).format(0.06366), "0.0637");
}

} // namespace
} // namespace cw::edit
