#include "model/EditRules.h"

#include "model/NumberFormat.h"

#include <gtest/gtest.h>

namespace cw::edit
{
namespace
{

TEST(NumberRule, AcceptsDecimalRealsWithBlanksAround)
{
    EXPECT_EQ(ParseNumber("41"), 41);
    EXPECT_EQ(ParseNumber("  \t0.707 "), 0.707);
    EXPECT_EQ(ParseNumber("-3.5e2"), -350);
    EXPECT_EQ(ParseNumber("+2"), 2);
    EXPECT_EQ(ParseNumber("5."), 5);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("0"), 0);
    EXPECT_EQ(ParseNumber("0.0"), 0);
    EXPECT_EQ(ParseNumber("1E-3"), 0.001);
}

TEST(NumberRule, RefusesWhatIsNotWhollyANumber)
{
    for (const char* text : {"", " ", "-", "+", ".", "-0", ".0", "abc", "12abc", "1,5", "1 2",
                             "0x10", "inf", "nan", "1e999", "e5", "--1"})
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
}

TEST(IntegerRule, AcceptsWholeNumbersOnly)
{
    EXPECT_EQ(ParseInteger("2"), 2);
    EXPECT_EQ(ParseInteger(" -7\t"), -7);
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
    for (const char* text : {"", "2.5", "-", "-0", "+0", "1e2", "2147483648", "99999999999", "x"})
        EXPECT_FALSE(ParseInteger(text).has_value()) << '"' << text << '"';
}

TEST(EditGuard, LetsThroughZeroAndNonZeroValuesOnly)
{
    EXPECT_TRUE(PassesEditGuard("0"));
    EXPECT_TRUE(PassesEditGuard("2"));
    EXPECT_TRUE(PassesEditGuard("-1"));
    EXPECT_TRUE(PassesEditGuard("3x")); // reads as 3; the store then refuses it
    for (const char* text : {"", "-", "+", ".", "0.", "0.0", "-0", " ", "abc"})
        EXPECT_FALSE(PassesEditGuard(text)) << '"' << text << '"';
    EXPECT_EQ(LeadingNumber("12.5 dB"), 12.5);
}

// While the user types, a text on its way to a number is left alone; one that no typing can
// mend is refused at once.
TEST(EditGuard, TellsTextsOnTheirWayToANumberFromBrokenOnes)
{
    for (const char* text : {"", " ", "-", "+", ".", "-.", "2.", "1e", "1E-", "1e+", "1e-3",
                             "1e300", "-0", "0.", "0.0", "1.5 ", "12"})
        EXPECT_TRUE(CanBecomeNumber(text)) << '"' << text << '"';
    for (const char* text : {"1.5.", "1.5.2", "2,", "2,5", "abc", "3x", "e", ".e", "- ", "1 2",
                             "1e999", "1e-3-", "--1", "1e3e"})
        EXPECT_FALSE(CanBecomeNumber(text)) << '"' << text << '"';

    for (const char* text : {"", "-", "+", "-0", "+00", "0", "17", " -3 "})
        EXPECT_TRUE(CanBecomeInteger(text)) << '"' << text << '"';
    for (const char* text : {"1.", "2.5", "1e2", "x", "99999999999", "-1-"})
        EXPECT_FALSE(CanBecomeInteger(text)) << '"' << text << '"';
}

// While typing: taken, waiting for more, or broken, by the kind of number the field takes.
TEST(EditGuard, JudgesATextBeingTypedByItsField)
{
    const auto typing = [](const char* text, NumberKind kind) {
        const bool taken = kind == NumberKind::Real      ? ParseNumber(text).has_value()
                           : kind == NumberKind::Integer ? ParseInteger(text).has_value()
                                                         : ParseCount(text).has_value();
        return WhileTyping(text, taken, kind);
    };
    EXPECT_EQ(typing("1e3", NumberKind::Real), Typing::Take);
    EXPECT_EQ(typing("-4", NumberKind::Real), Typing::Take);
    EXPECT_EQ(typing("1e", NumberKind::Real), Typing::Wait);
    EXPECT_EQ(typing("0.0", NumberKind::Real), Typing::Wait);
    EXPECT_EQ(typing("-", NumberKind::Real), Typing::Wait);
    EXPECT_EQ(typing("2,", NumberKind::Real), Typing::Broken);
    EXPECT_EQ(typing("-4", NumberKind::Integer), Typing::Take);
    EXPECT_EQ(typing("2.", NumberKind::Integer), Typing::Broken);
    EXPECT_EQ(typing("4", NumberKind::Count), Typing::Take);
    EXPECT_EQ(typing("", NumberKind::Count), Typing::Wait);
    EXPECT_EQ(typing("-", NumberKind::Count), Typing::Broken);
    EXPECT_EQ(typing(" -4", NumberKind::Count), Typing::Broken);
}

TEST(Formats, LoadedAndShownValues)
{
    EXPECT_EQ(FormatNumber(56.634), "56.634");
    EXPECT_EQ(FormatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatNumber(1e-7), "1e-07");
    EXPECT_EQ(FormatNumber(100000), "100000");
    EXPECT_EQ(FormatShown(83.19), "83.19");
    EXPECT_EQ(FormatShown(0.70712), "0.7071");
    EXPECT_EQ(FormatShown(9.8424), "9.842");
    EXPECT_EQ(FormatShown(0.0000123), "1.23E-05");
    EXPECT_EQ(FormatShown(59.16), "59.16");
}

} // namespace
} // namespace cw::edit
