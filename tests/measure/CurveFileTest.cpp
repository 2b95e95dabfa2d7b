#include "measure/CurveFile.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace cw::measure
{
namespace
{

MeasuredCurve Parsed(const std::string& text, MeasuredKind kind = MeasuredKind::Response)
{
    MeasuredCurve c;
    const auto error = ParseCurve(text, kind, c);
    EXPECT_FALSE(error) << *error;
    return c;
}

// Little-endian UTF-16 with its byte-order mark, from ASCII.
std::string Utf16(const std::string& ascii)
{
    std::string out = "\xFF\xFE";
    for (char c : ascii)
        out += std::string{c, '\0'};
    return out;
}

std::string Refusal(const std::string& text, MeasuredKind kind = MeasuredKind::Response)
{
    MeasuredCurve c;
    c.name = "kept";
    c.hz = {1, 2, 3};
    const MeasuredCurve before = c;
    const auto error = ParseCurve(text, kind, c);
    EXPECT_EQ(c, before) << "a refused file must leave nothing behind";
    return error.value_or("");
}

TEST(CurveFile, ReadsEveryDialectToTheSameCurve)
{
    const std::vector<double> hz = {20, 1000, 20000};
    const std::vector<double> db = {80.5, 90, 85.25};
    const std::vector<double> phase = {-10, 0, 45.5};
    const std::vector<std::string> dialects = {
        "20 80.5 -10\n1000 90 0\n20000 85.25 45.5\n",
        "20\t80.5\t-10\n1000\t90\t0\n20000\t85.25\t45.5\n",
        "20,80.5,-10\n1000,90,0\n20000,85.25,45.5\n",
        "20;80,5;-10\n1000;90;0\n20000;85,25;45,5\n",
        "20 ; 80.5 ; -10\n1000;90;+0\n20000;85.25;45.5\n",
        // BOM, CRLF, trailing blanks, comments of every sort anywhere, a heading line of text
        "\xEF\xBB\xBF* made by hand\r\nFreq(Hz) SPL(dB) Phase(deg)\r\n20 80.5 -10   \r\n"
        "# between rows\r\n; another\r\n\"quoted note 1 2\"\r\n1000 90 0\t\r\n\r\n"
        "20000 85.25 45.5\r\n* end",
        // out of order and a repeated frequency (the first row wins)
        "20000 85.25 45.5\n20 80.5 -10\n1000 90 0\n1000 70 9\n",
        // UTF-16 with its mark, as some programs on other systems write text
        Utf16("20 80.5 -10\r\n1000 90 0\r\n20000 85.25 45.5\r\n"),
    };
    for (const auto& text : dialects) {
        const MeasuredCurve c = Parsed(text);
        EXPECT_EQ(c.hz, hz) << text;
        EXPECT_EQ(c.value, db) << text;
        EXPECT_EQ(c.phase, phase) << text;
        EXPECT_EQ(c.Kind(), MeasuredKind::Response);
    }
}

TEST(CurveFile, PhaseIsKeptOnlyWhenEveryRowHasOne)
{
    EXPECT_TRUE(Parsed("20 6.1\n100 30\n1000 7\n", MeasuredKind::Impedance).phase.empty());
    EXPECT_TRUE(Parsed("20 6.1 3\n100 30\n1000 7 1\n").phase.empty());
    // More columns than three: the first three are the curve.
    EXPECT_EQ(Parsed("20 6 1 9\n100 30 2 9\n1000 7 3 9\n").phase, (std::vector<double>{1, 2, 3}));
}

TEST(CurveFile, DropsRowsAtZeroHertzAndBelow)
{
    const MeasuredCurve c = Parsed("0 5.6\n-3 1\n10 6\n20 7\n30 8\n", MeasuredKind::Impedance);
    EXPECT_EQ(c.hz, (std::vector<double>{10, 20, 30}));
}

TEST(CurveFile, RefusesHostileFilesNamingTheLine)
{
    EXPECT_EQ(Refusal("20 80\n1000 90\n"),
              "%1 holds fewer than 3 rows of a frequency and a value.");
    EXPECT_EQ(Refusal("20 80\n20 81\n20 82\n"),
              "%1 holds fewer than 3 rows of a frequency and a value.");
    EXPECT_EQ(Refusal("just words\n* and a comment\n"),
              "%1 holds fewer than 3 rows of a frequency and a value.");
    EXPECT_EQ(Refusal(""), "%1 holds fewer than 3 rows of a frequency and a value.");
    EXPECT_EQ(Refusal("0 80\n-20 81\n-30 82\n"), "%1 holds only frequencies of 0 Hz or below.");
    EXPECT_EQ(Refusal("20 80\n100 nan\n1000 90\n"),
              "Line 2 of %1 holds a value that is not a finite number: \"100 nan\".");
    EXPECT_EQ(Refusal("20 80\n100 80 inf\n1000 90\n5000 1\n"),
              "Line 2 of %1 holds a value that is not a finite number: \"100 80 inf\".");
    EXPECT_EQ(Refusal("20 80\n1e999 80\n1000 90\n"),
              "Line 2 of %1 holds a value that is not a finite number: \"1e999 80\".");
    EXPECT_EQ(Refusal("# x\n20 80\n1000\n2000 90\n3000 90\n"),
              "Line 3 of %1 does not hold a frequency and a value: \"1000\".");
    EXPECT_EQ(Refusal("20 80\n100 8O\n1000 90\n"),
              "Line 2 of %1 does not hold a frequency and a value: \"100 8O\".");
    EXPECT_EQ(Refusal("20 5\n100 -2\n1000 6\n", MeasuredKind::Impedance),
              "Line 2 of %1 holds a negative impedance: \"100 -2\".");
    // Control characters are quoted as escapes, never sent to a terminal.
    EXPECT_EQ(Refusal("20 80\n100 \x1b[2J\n"),
              "Line 2 of %1 does not hold a frequency and a value: \"100 \\x1b[2J\".");
}

TEST(CurveFile, RefusesMoreRowsThanACurveMayHave)
{
    std::string text;
    for (std::size_t i = 1; i <= kMaxMeasuredRows + 1; ++i)
        text += std::to_string(i) + " 1\n";
    EXPECT_EQ(Refusal(text).rfind("Line 65537 of %1 is one row more than", 0), 0u);
}

TEST(CurveFile, ReadsFilesByPathAndNamesTheCurveAfterTheFile)
{
    test::TempDir dir;
    test::WriteBytes(dir / "Woofer Free.ZMA", "10 7 0\n40 40 0\n200 8 0\n");
    EXPECT_EQ(KindOfPath(dir / "Woofer Free.ZMA"), MeasuredKind::Impedance);
    EXPECT_EQ(KindOfPath(dir / "a.frd"), MeasuredKind::Response);
    EXPECT_EQ(KindOfPath(dir / "a.txt"), std::nullopt);

    MeasuredCurve c;
    ASSERT_TRUE(ReadCurveFile(dir / "Woofer Free.ZMA", MeasuredKind::Impedance, c).ok());
    EXPECT_EQ(c.name, "Woofer Free");
    EXPECT_EQ(c.value, (std::vector<double>{7, 40, 8}));

    test::WriteBytes(dir / "bad.frd", "20 80\n");
    const FileResult bad = ReadCurveFile(dir / "bad.frd", MeasuredKind::Response, c);
    EXPECT_EQ(bad.message,
              dir / "bad.frd" + " holds fewer than 3 rows of a frequency and a value.");
    EXPECT_EQ(c.name, "Woofer Free");
    EXPECT_FALSE(ReadCurveFile(dir / "missing.frd", MeasuredKind::Response, c).ok());
}

TEST(CurveFile, CheckRefusesWhatNoReaderMakes)
{
    MeasuredCurve c = Parsed("20 80\n100 80\n1000 90\n");
    EXPECT_FALSE(CheckMeasuredCurve(c));
    auto broken = c;
    broken.hz[2] = 50;
    EXPECT_TRUE(CheckMeasuredCurve(broken));
    broken = c;
    broken.value.pop_back();
    EXPECT_TRUE(CheckMeasuredCurve(broken));
    broken = c;
    broken.kind = 7;
    EXPECT_TRUE(CheckMeasuredCurve(broken));
    broken = c;
    broken.offsetDb = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(CheckMeasuredCurve(broken));
}

} // namespace
} // namespace cw::measure
