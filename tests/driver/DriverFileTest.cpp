#include "driver/DriverFile.h"

#include "driver/Windows1252.h"
#include "model/CSpkSysDoc.h"
#include "model/CompleteDriver.h"
#include "support/RecordingWindows.h"
#include "support/TestFiles.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace cw
{
namespace
{

using namespace std::string_literals;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::string Hex(std::string_view bytes)
{
    std::string out;
    char buffer[4];
    for (const char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(c));
        out += buffer;
    }
    if (!out.empty())
        out.pop_back();
    return out;
}

double RealAt(const std::string& bytes, std::size_t offset)
{
    double v = 0;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

// The sample driver with every text emptied, so that field offsets are fixed.
DriverParams SampleWithoutTexts()
{
    DriverParams d = SampleDriver();
    DriverParams::Fields(d, [](const char*, auto& value) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, std::string>)
            value.clear();
    });
    return d;
}

// Every byte value once, as a text read from a file holds it.
std::string AllBytesText()
{
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    return Cp1252ToUtf8(bytes);
}

// Offsets in a file whose texts are all empty: key 4, two texts, four reals, twelve texts,
// 34 reals, five texts, then the physical data.
constexpr std::size_t kPhysicalDataOffset = 4 + 2 + 32 + 12 + 34 * 8 + 5;

TEST(DriverFile, ByteLayoutOfTheDesignExamples)
{
    EXPECT_EQ(EncodeDriver(DriverParams{}).size(), 563u);

    DriverParams sample = SampleDriver();
    sample.manufacturer.clear();
    sample.model.clear();
    sample.makerAddress1.clear();
    sample.makerAddress2.clear();
    sample.makerPhone.clear();
    const std::string bytes = EncodeDriver(sample);
    EXPECT_EQ(Hex(bytes.substr(0, 22)),
              "00 00 00 00 00 00 00 00 00 00 00 00 69 40 00 00 00 00 00 00 20 40");
    // f(s) follows the nineteen leading fields: 38 bytes of numbers and empty texts, then the
    // texts "40 to 2kHz", "Hi-Fi", "1k", "", "", "paper", "rubber", three empty, the
    // description and "project".
    const std::size_t fsOffset = 38 + 11 + 6 + 3 + 1 + 1 + 6 + 7 + 3 + 29 + 8;
    EXPECT_EQ(Hex(bytes.substr(fsOffset, 8)), "00 00 00 00 00 80 44 40");
    EXPECT_EQ(Hex(bytes.substr(fsOffset + 16, 8)), "5C 8F C2 F5 28 5C DF 3F");

    // The bolt-circle pair is stored inches first.
    const std::string bare = EncodeDriver(SampleWithoutTexts());
    ASSERT_EQ(bare.size(), 563u);
    EXPECT_EQ(RealAt(bare, kPhysicalDataOffset + 16), 7.835);
    EXPECT_EQ(RealAt(bare, kPhysicalDataOffset + 24), 199.0);

    // "copper" as 06 and its letters.
    DriverParams copper;
    copper.manufacturer = "copper";
    EXPECT_EQ(Hex(EncodeDriver(copper).substr(4, 7)), "06 63 6F 70 70 65 72");
}

TEST(DriverFile, LengthPrefixForms)
{
    const std::size_t descriptionOffset = 4 + 2 + 32 + 10;
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    for (const Case& c : {Case{254, "FE"}, Case{255, "FF FF 00"}, Case{300, "FF 2C 01"},
                          Case{65533, "FF FD FF"}, Case{65534, "FF FF FF FE FF 00 00"}}) {
        DriverParams d;
        d.description = std::string(c.length, 'x');
        const std::string bytes = EncodeDriver(d);
        const std::size_t prefixSize = (c.prefix.size() + 1) / 3;
        EXPECT_EQ(bytes.size(), 563 - 1 + prefixSize + c.length) << c.length;
        EXPECT_EQ(Hex(bytes.substr(descriptionOffset, prefixSize)), c.prefix) << c.length;
        DriverParams back;
        ASSERT_TRUE(DecodeDriver(bytes, back));
        EXPECT_EQ(back, d) << c.length;
    }
}

TEST(DriverFile, ReadingAndSavingAgainGivesTheSameBytes)
{
    // A file written by the program, every slot used, texts holding every byte value.
    DriverParams d = SampleDriver();
    d.driverKey = -123456;
    d.description = AllBytesText() + "\r\nsecond line";
    d.spareReal35 = 1.5;
    d.spareReal53 = -2.25;
    for (std::size_t i = 0; i < d.spareTexts.size(); ++i) {
        d.spareTexts[i] = "spare " + std::to_string(i);
        d.spareReals[i] = 0.1 * static_cast<double>(i) - 0.3;
    }
    const std::string original = EncodeDriver(d);
    DriverParams read;
    ASSERT_TRUE(DecodeDriver(original, read));
    EXPECT_EQ(read, d);
    EXPECT_EQ(EncodeDriver(read), original);

    // A file from elsewhere: raw bytes of every value in a text, NaN and infinity in reals.
    std::string foreign = original;
    const std::size_t manufacturerOffset = 4;
    const std::string raw = [] {
        std::string bytes;
        for (int b = 0; b < 250; ++b)
            bytes += static_cast<char>(255 - b);
        return bytes;
    }();
    const std::size_t oldLength = static_cast<unsigned char>(foreign[manufacturerOffset]);
    foreign.replace(manufacturerOffset, 1 + oldLength, static_cast<char>(raw.size()) + raw);
    DriverParams fromForeign;
    ASSERT_TRUE(DecodeDriver(foreign, fromForeign));
    EXPECT_EQ(EncodeDriver(fromForeign), foreign);

    // Typed characters the code page lacks, and bytes that are no UTF-8, are saved as '?'.
    DriverParams typed;
    typed.model = "\xE2\x82\xAC 5\xC2\xB0 \xE4\xB8\xAD \xFF"; // euro, degree, a CJK letter, 0xFF
    EXPECT_EQ(Hex(EncodeDriver(typed).substr(5, 9)), "08 80 20 35 B0 20 3F 20 3F");
}

TEST(DriverFile, ShortFilesKeepTheFieldsBeforeTheCut)
{
    DriverParams before;
    DriverParams::Fields(before, [](const char*, auto& value) {
        using T = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<T, double>)
            value = -1;
        else if constexpr (std::is_same_v<T, std::string>)
            value = "old";
    });
    before.spareReals.fill(-1);

    // Cut inside the physical data, three bytes into the magnet height (field 72).
    const DriverParams sample = SampleWithoutTexts();
    const std::string bytes = EncodeDriver(sample);
    DriverParams d = before;
    EXPECT_FALSE(DecodeDriver(bytes.substr(0, kPhysicalDataOffset + 13 * 8 + 3), d));
    EXPECT_EQ(d.fs, 41);
    EXPECT_EQ(d.description, "");
    EXPECT_EQ(d.coilVent, "");
    EXPECT_EQ(d.boltCircleIn, 7.835);
    EXPECT_EQ(d.physicalVolumeCuFt, 0.00597);
    EXPECT_EQ(d.magnetHeight, -1);
    EXPECT_EQ(d.netWeight, -1);
    EXPECT_EQ(d.infoDate, "old");
    EXPECT_EQ(d.spareReals[9], -1);

    // A text announcing more characters than remain: the fields before it keep their new values,
    // the text itself and everything after keep the old ones.
    d = before;
    const std::string announcing = std::string("\x07\x00\x00\x00", 4) + "\x03" + "abc" +
                                   "\xFF\x2C\x01" + std::string(299, 'm');
    EXPECT_FALSE(DecodeDriver(announcing, d));
    EXPECT_EQ(d.driverKey, 7);
    EXPECT_EQ(d.manufacturer, "abc");
    EXPECT_EQ(d.model, "old");
    EXPECT_EQ(d.nominalDiameterMm, -1);

    // A 32-bit length of four gigabytes is refused without allocating it.
    d = before;
    EXPECT_FALSE(DecodeDriver(std::string("\0\0\0\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 11), d));
    EXPECT_EQ(d.manufacturer, "old");
}

TEST(DriverFile, WideTextsAreReadIntoTheCodePage)
{
    // "A", a euro sign, a CJK letter and a lone surrogate, as 16-bit units.
    const std::string units("A\0\xAC\x20\x2D\x4E\x00\xD8", 8);
    DriverParams d;
    EXPECT_FALSE(DecodeDriver(std::string(4, '\0') + "\xFF\xFE\xFF\x04" + units, d));
    EXPECT_EQ(d.manufacturer, "A\xE2\x82\xAC??");

    // The long form of the inner prefix, and a wide text cut short.
    d = DriverParams{};
    EXPECT_FALSE(DecodeDriver(
        std::string(4, '\0') + "\xFF\xFE\xFF\xFF\x02\x00h\0i\0"s + "\xFF\xFE\xFF\x05x\0"s, d));
    EXPECT_EQ(d.manufacturer, "hi");
    EXPECT_EQ(d.model, "");
}

TEST(DriverFile, FileOperations)
{
    TempDir dir;
    DriverParams d = SampleDriver();

    // An empty file holds no driver: it is refused and changes nothing.
    WriteBytes(dir / "empty.dvr", "");
    EXPECT_EQ(ReadDriverFile(dir / "empty.dvr", d).message, "Unexpected file format.");
    EXPECT_EQ(d, SampleDriver());

    ASSERT_TRUE(WriteDriverFile(dir / "sample.dvr", d).ok());
    EXPECT_EQ(ReadBytes(dir / "sample.dvr"), EncodeDriver(d));
    DriverParams read;
    EXPECT_TRUE(ReadDriverFile(dir / "sample.dvr", read).ok());
    EXPECT_EQ(read, d);

    // Trailing bytes are ignored; a short file says so.
    WriteBytes(dir / "long.dvr", EncodeDriver(d) + "tail");
    EXPECT_TRUE(ReadDriverFile(dir / "long.dvr", read).ok());
    WriteBytes(dir / "short.dvr", EncodeDriver(d).substr(0, 100));
    EXPECT_EQ(ReadDriverFile(dir / "short.dvr", read).message, "Unexpected file format.");
}

// A file far larger than any driver, even one of zeros that would read as a driver with every
// value 0, is refused before it is read and changes nothing.
TEST(DriverFile, FilesBeyondTheSizeLimitAreRefused)
{
    TempDir dir;
    const DriverParams sample = SampleDriver();
    std::string bytes = EncodeDriver(sample);
    bytes.resize(kMaxDriverFileBytes, '\0'); // trailing bytes up to the limit are still ignored
    WriteBytes(dir / "limit.dvr", bytes);
    DriverParams d;
    EXPECT_TRUE(ReadDriverFile(dir / "limit.dvr", d).ok());
    EXPECT_EQ(d, sample);

    WriteBytes(dir / "over.dvr", bytes + '\0');
    // 3 GB of zeros, as a sparse file that takes no disk space.
    WriteBytes(dir / "huge.dvr", "");
    std::filesystem::resize_file(dir / "huge.dvr", 3'000'000'000ULL);
    for (const std::string name : {"over.dvr", "huge.dvr"}) {
        DriverParams kept = sample;
        EXPECT_EQ(ReadDriverFile(dir / name, kept).message,
                  dir / name + " is too large to be a driver file.");
        EXPECT_EQ(kept, sample);
    }
}

TEST(DriverFile, OpeningBringsTheDesignUpToDateEvenAfterAFailedRead)
{
    TempDir dir;
    DriverParams file = SampleWithoutTexts();
    file.description = "from file";
    file.fs = 30;
    file.qts = 0.35;
    file.vasLiters = 60;
    file.sdSqM = 0;
    file.sdSqIn = 0;
    file.magnetHeight = 30;
    // Cut inside the physical data, after the bolt circle.
    const std::string bytes = EncodeDriver(file);
    WriteBytes(dir / "cut.dvr", bytes.substr(0, bytes.size() - 11 * 8 - 10 - 2 - 60));

    test::RecordingWindows windows;
    CSpkSysDoc doc;
    doc.SetWindows(&windows);
    doc.workbench().closed2.vbLiters = 30;
    EXPECT_FALSE(doc.OpenDriver(dir / "cut.dvr"));
    EXPECT_EQ(windows.messages, std::vector<std::string>{"Unexpected file format."});
    const CSpkSys& wb = doc.workbench();
    EXPECT_EQ(wb.driver.fs, 30);
    EXPECT_EQ(wb.driver.boltCircleMm, 199);
    EXPECT_EQ(wb.driver.magnetHeight, 25) << "after the cut the old value stays";
    EXPECT_EQ(wb.driver.infoDate, "June, 2001");
    // alpha = 60 / 30; Q(tc) = 0.35 x sqrt(3); f(c) = 30 x sqrt(3); S(D) estimated from 200 mm.
    EXPECT_DOUBLE_EQ(wb.closed2.alpha, 2);
    EXPECT_DOUBLE_EQ(wb.closed2.qtc, 0.6062);
    EXPECT_DOUBLE_EQ(wb.closed2.fc, 51.96);
    EXPECT_DOUBLE_EQ(wb.driver.sdSqM, 0.0201);
    EXPECT_EQ(wb.driver.description, std::string("from file") + CompleteDriver::kSdNote);
    EXPECT_EQ(windows.Count("update views"), 1);
    EXPECT_TRUE(doc.IsModified());

    // An empty file is refused, and the dependent values are still recomputed.
    WriteBytes(dir / "empty.dvr", "");
    doc.workbench().closed2.vbLiters = 60;
    EXPECT_FALSE(doc.OpenDriver(dir / "empty.dvr"));
    EXPECT_EQ(wb.driver.fs, 30);
    EXPECT_DOUBLE_EQ(wb.closed2.alpha, 1);
    EXPECT_EQ(windows.messages,
              (std::vector<std::string>{"Unexpected file format.", "Unexpected file format."}));
    EXPECT_EQ(windows.Count("update views"), 2);
    // Once nothing is left to recompute, a refused file leaves the project unmodified.
    doc.SetModified(false);
    EXPECT_FALSE(doc.OpenDriver(dir / "empty.dvr"));
    EXPECT_FALSE(doc.IsModified());

    // Saving writes the workbench's driver; a failure is shown and changes nothing.
    ASSERT_TRUE(doc.SaveDriver(dir / "saved.dvr"));
    EXPECT_EQ(ReadBytes(dir / "saved.dvr"), EncodeDriver(wb.driver));
    EXPECT_FALSE(doc.SaveDriver(dir.path().string()));
    EXPECT_EQ(windows.messages.back(), "Access to " + dir.path().string() + " was denied.");
}

} // namespace
} // namespace cw
