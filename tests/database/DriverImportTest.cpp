#include "database/DriverImport.h"

#include "database/DriverCheck.h"
#include "driver/DriverFile.h"
#include "model/Units.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace cw::database
{
namespace
{

using test::TempDir;
using test::WriteBytes;
using Findings = std::vector<std::string>;

std::vector<ImportedDriver> Read(const std::string& bytes, const std::string& name,
                                 std::string* reason = nullptr)
{
    std::vector<ImportedDriver> out;
    const std::string why = ReadDriverBytes(bytes, "/in/" + name, out);
    if (reason)
        *reason = why;
    else
        EXPECT_EQ(why, "") << name;
    return out;
}

// Windows line ends, a byte-order mark, decimal commas, a value with text after its number,
// a blank value, keys we do not know and a second section that is not the driver's.
const std::string kWdr = "\xEF\xBB\xBF; exported by hand\r\n"
                         "[Driver]\r\n"
                         "Brand=Acme\r\n"
                         "Model = W8 wdr\r\n"
                         "Comment=made by hand\r\n"
                         "fs=39,8\r\n"
                         "Qms=4\r\n"
                         "Qes=0,498\r\n"
                         "Qts=0.443\r\n"
                         "Vas=0.0514\r\n"
                         "Re=5.6\r\n"
                         "Le=0.0006\r\n"
                         "Sd=0.0214\r\n"
                         "Xmax=0.005\r\n"
                         "Mms=0.02\r\n"
                         "Cms=0.0008\r\n"
                         "BL=7.5 N/A\r\n"
                         "Pe=\r\n"
                         "Znom=8\r\n"
                         "Hc=0.012\r\n"
                         "Colour=blue\r\n"
                         "[Box]\r\n"
                         "fs=100\r\n";

TEST(DriverImport, WinIsdDriverFileInSiUnits)
{
    const std::vector<ImportedDriver> drivers = Read(kWdr, "w8.wdr");
    ASSERT_EQ(drivers.size(), 1u);
    const ImportedDriver& i = drivers[0];
    const DriverParams& d = i.driver;
    EXPECT_EQ(i.sourceFormat, "wdr");
    EXPECT_EQ(i.sourceFile, "/in/w8.wdr");
    EXPECT_EQ(d.manufacturer, "Acme");
    EXPECT_EQ(d.model, "W8 wdr");
    EXPECT_EQ(d.description, "made by hand");
    EXPECT_EQ(d.fs, 39.8);
    EXPECT_EQ(d.qes, 0.498);
    EXPECT_DOUBLE_EQ(d.vasLiters, 51.4);
    EXPECT_EQ(d.vasCuFt, LitersToCuFt(d.vasLiters));
    EXPECT_DOUBLE_EQ(d.le, 0.6);
    EXPECT_EQ(d.sdSqM, 0.0214);
    EXPECT_EQ(d.sdSqIn, SqMToSqIn(0.0214));
    EXPECT_DOUBLE_EQ(d.xMax, 5);
    EXPECT_DOUBLE_EQ(d.mms, 20);
    EXPECT_DOUBLE_EQ(d.cms, 0.8);
    EXPECT_EQ(d.bl, 7.5);
    EXPECT_EQ(d.pt, 0);
    EXPECT_EQ(d.nominalImpedance, 8);
    EXPECT_EQ(i.findings, Findings{"BL: \"7.5 N/A\" was read as 7.5."});
    // Converted to the record's units, the values agree with each other.
    EXPECT_EQ(CheckDriver(d), Findings{});

    // Only a few keys: the rest is not given. A V(as) typed in liters is 1000 times too large.
    const std::vector<ImportedDriver> sparse =
        Read("[driver]\nBrand=Acme\nModel=W8 liters\nfs=39.8\nVas=51.4\nCms=0.0008\nSd=0.0214\n"
             "Xmax=n/a\n",
             "sparse.ini");
    ASSERT_EQ(sparse.size(), 1u);
    EXPECT_EQ(sparse[0].driver.qts, 0);
    EXPECT_EQ(sparse[0].driver.xMax, 0);
    EXPECT_EQ(sparse[0].findings, Findings{"X(max): \"n/a\" is not a number; it was left empty."});
    EXPECT_EQ(CheckDriver(sparse[0].driver),
              Findings{"V(as) 51400 liters is 1000 times what C(ms) and S(D) give: was 51.4 "
                       "liters meant?"});
}

TEST(DriverImport, QspeakersDatabaseWithEveryDriverInIt)
{
    // Latin-1 bytes (not UTF-8), quotes of both kinds, entities, comments, an element with an
    // end tag, attributes we do not know, and S(D) written in square centimetres.
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
        "<!-- <speaker vendor=\"commented out\"/> -->\r\n"
        "<speakers>\r\n"
        "  <speaker vendor=\"M\xFCller &amp; Co\" model='T25 &#x3A9;' fs=\"900\" "
        "vas=\"0,05\" re=\"3.2\" qts=\"0.6\" sd=\"0.00049\" xmax=\"0.5\" "
        "z=\"4\" le=\"0.05\" qms=\"2\" qes=\"0.9\" spl=\"89\" pe=\"50\" "
        "bl=\"2.5\" dia=\"0.025\" vc=\"1\"/>\r\n"
        "  <speaker vendor=\"Acme\" model=\"W8 cm2\" fs=\"39.8\" vas=\"51.4\" "
        "sd=\"214\" xmax=\"5\" le=\"0.6\" qts=\"0.443\" qes=\"0.498\" "
        "qms=\"4\" re=\"5.6\" bl=\"5.9 N/A\" colour=\"red\" dia=\"0.2\" "
        "vc=\"2\"></speaker>\r\n"
        "  <speaker vendor=\"Bare\" model=\"names only\"/>\r\n"
        "</speakers>\r\n";
    const std::vector<ImportedDriver> drivers = Read(xml, "qspeakers_db.xml");
    ASSERT_EQ(drivers.size(), 3u);
    const DriverParams& t = drivers[0].driver;
    EXPECT_EQ(drivers[0].sourceFormat, "qspeakers-xml");
    EXPECT_EQ(t.manufacturer, "M\xC3\xBCller & Co");
    EXPECT_EQ(t.model, "T25 \xCE\xA9");
    EXPECT_EQ(t.fs, 900);
    EXPECT_EQ(t.vasLiters, 0.05);
    EXPECT_EQ(t.sdSqM, 0.00049);
    EXPECT_EQ(t.xMax, 0.5);
    EXPECT_EQ(t.le, 0.05);
    EXPECT_EQ(t.nominalImpedance, 4);
    EXPECT_EQ(t.pt, 50);
    EXPECT_EQ(t.nominalDiameterMm, 25);
    EXPECT_EQ(t.nominalDiameterIn, MmToInches(25));
    EXPECT_EQ(t.description, "");
    EXPECT_TRUE(drivers[0].findings.empty());

    const ImportedDriver& w = drivers[1];
    EXPECT_EQ(w.driver.description, "Voice coils: 2");
    EXPECT_EQ(w.driver.bl, 5.9);
    EXPECT_EQ(w.findings, Findings{"BL: \"5.9 N/A\" was read as 5.9."});
    EXPECT_EQ(CheckDriver(w.driver),
              Findings{"S(D) 214 sq m is more than a 200 mm driver has: was 0.0214 sq m meant?"});

    EXPECT_EQ(drivers[2].driver.model, "names only");
    EXPECT_EQ(drivers[2].driver.fs, 0);
}

// The header names each column and its unit; columns come in any order, some are unknown.
const std::string kTable =
    "Manufacturer\tModel\tRe [ohm]\tfs [Hz]\tQms\tQes\tQts\tMms [g]\tCms [mm/N]\tVas [l]\t"
    "Sd [cm2]\tBL [Tm]\tPmax [W]\tXmax [mm]\tLe [mH]\tUSPL [dB]\tColour\r\n"
    "Acme\tW8 table\t5,6\t39,8\t4\t0,498\t0,443\t20\t0,8\t51,4\t214\t7,5\t100\t5\t0,6\t90\tred\r\n"
    "\r\n"
    "Acme\tW8 "
    "units\t5.6\t39.8\t4\t0.498\t0.443\t20\t0.8\t51.4\t214\t7.5\t100\t0.005\t0.0006\t90\r\n"
    "\"Bolt\"\t\"Tiny\"\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\r\n"
    "Bolt\tShort row\t8\r\n";

TEST(DriverImport, DriversTableByHeaderName)
{
    const std::vector<ImportedDriver> drivers = Read(kTable, "drivers.txt");
    ASSERT_EQ(drivers.size(), 4u);
    const DriverParams& d = drivers[0].driver;
    EXPECT_EQ(drivers[0].sourceFormat, "driver-table");
    EXPECT_EQ(d.manufacturer, "Acme");
    EXPECT_EQ(d.re, 5.6);
    EXPECT_EQ(d.fs, 39.8);
    EXPECT_EQ(d.mms, 20);
    EXPECT_EQ(d.cms, 0.8);
    EXPECT_EQ(d.vasLiters, 51.4);
    EXPECT_DOUBLE_EQ(d.sdSqM, 0.0214);
    EXPECT_EQ(d.pt, 100);
    EXPECT_EQ(d.spl, 90);
    EXPECT_TRUE(drivers[0].findings.empty());
    EXPECT_EQ(CheckDriver(d), Findings{});

    // X(max) in metres and L(e) in henries under headers that say mm and mH.
    EXPECT_EQ(CheckDriver(drivers[1].driver),
              (Findings{"X(max) 0.005 mm is less than any driver has: was 5 mm meant?",
                        "L(e) 0.0006 mH is less than any driver has: was 0.6 mH meant?"}));
    EXPECT_EQ(drivers[2].driver.manufacturer, "Bolt");
    EXPECT_EQ(drivers[2].driver.model, "Tiny");
    EXPECT_EQ(drivers[3].driver.re, 8);
    EXPECT_EQ(drivers[3].driver.fs, 0);

    // Other units convert; a unit nobody knows leaves its column out, with a finding.
    const std::vector<ImportedDriver> other =
        Read("Model\tVas [m3]\tSd [m2]\tXmax [m]\tLe [H]\tMms [kg]\tCms [m/N]\tfs [gallons]\n"
             "W8\t0.0514\t0.0214\t0.005\t0.0006\t0.02\t0.0008\t40\n",
             "si.tsv");
    ASSERT_EQ(other.size(), 1u);
    EXPECT_DOUBLE_EQ(other[0].driver.vasLiters, 51.4);
    EXPECT_EQ(other[0].driver.sdSqM, 0.0214);
    EXPECT_DOUBLE_EQ(other[0].driver.xMax, 5);
    EXPECT_DOUBLE_EQ(other[0].driver.le, 0.6);
    EXPECT_DOUBLE_EQ(other[0].driver.mms, 20);
    EXPECT_DOUBLE_EQ(other[0].driver.cms, 0.8);
    EXPECT_EQ(other[0].driver.fs, 0);
    EXPECT_EQ(other[0].findings,
              Findings{"The column \"fs [gallons]\" was left out: its unit is not known."});

    // The same table as a spreadsheet saves it: UTF-16 with its byte-order mark.
    std::string utf16 = "\xFF\xFE";
    for (const char c : kTable)
        utf16 += std::string{c, '\0'};
    const std::vector<ImportedDriver> wide = Read(utf16, "drivers.txt");
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(wide[0].driver, d);
}

TEST(DriverImport, DriverFilesByContent)
{
    DriverParams sample = SampleDriver();
    sample.driverKey = 42;
    const std::string bytes = EncodeDriver(sample);

    // Whatever the name, a file that decodes completely and exactly is a driver file.
    for (const char* name : {"woofer.dvr", "woofer.DVR", "woofer", "woofer.bak"}) {
        const std::vector<ImportedDriver> drivers = Read(bytes, name);
        ASSERT_EQ(drivers.size(), 1u) << name;
        EXPECT_EQ(drivers[0].driver, sample);
        EXPECT_EQ(drivers[0].sourceFormat, "dvr");
    }
    // Bytes after the last field: the driver file reader ignores them, so a .dvr is taken;
    // under another name they make it no driver file.
    EXPECT_EQ(Read(bytes + "tail", "woofer.dvr").size(), 1u);
    std::string reason;
    EXPECT_TRUE(Read(bytes + "tail", "woofer.bin", &reason).empty());
    EXPECT_EQ(reason, "/in/woofer.bin is not a driver file of a known kind.");
    EXPECT_TRUE(Read(bytes.substr(0, 300), "cut.dvr", &reason).empty());
    EXPECT_EQ(reason, "/in/cut.dvr ends before the last field of its driver.");
    EXPECT_TRUE(Read("", "empty.dvr", &reason).empty());
    EXPECT_EQ(reason, "/in/empty.dvr holds no driver.");
    EXPECT_TRUE(Read("# notes\nnothing here\n", "notes.txt", &reason).empty());
    EXPECT_EQ(reason, "/in/notes.txt is not a driver file of a known kind.");
    EXPECT_TRUE(Read("Model\tColour\n", "header-only.txt", &reason).empty());
    EXPECT_EQ(reason, "/in/header-only.txt is not a driver file of a known kind.");
    EXPECT_TRUE(Read("Manufacturer\tModel\n", "no-rows.txt", &reason).empty());
    EXPECT_EQ(reason, "/in/no-rows.txt holds no driver.");
}

TEST(DriverImport, FoldersOfMixedFilesTellWhatWasSkipped)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "nested" / "deeper");
    WriteBytes(dir / "a.dvr", EncodeDriver(SampleDriver()));
    WriteBytes(dir / "b.wdr", kWdr);
    WriteBytes(dir / "c.txt", kTable); // four drivers
    WriteBytes(dir / "nested/d.xml", "<speakers><speaker vendor='V' model='X'/></speakers>");
    WriteBytes(dir / "nested/deeper/e", kWdr); // no extension: known by its content
    WriteBytes(dir / "nested/readme.md", "# My drivers\n");

    std::vector<std::pair<std::size_t, std::size_t>> steps;
    const ImportBatch batch = ReadDriverFiles({dir.path().string(), dir / "missing.dvr"},
                                              [&](std::size_t done, std::size_t total) {
                                                  steps.emplace_back(done, total);
                                                  return true;
                                              });
    EXPECT_EQ(batch.drivers.size(), 8u);
    EXPECT_EQ(batch.filesRead, 5u);
    ASSERT_EQ(batch.skipped.size(), 2u);
    EXPECT_EQ(batch.skipped[0].reason, (dir.path() / "nested/readme.md").string() +
                                           " is not a driver file of a known kind.");
    EXPECT_EQ(batch.skipped[1].reason, dir / "missing.dvr" + " was not found.");
    EXPECT_EQ(steps.size(), 7u);
    EXPECT_EQ(steps.back(), std::make_pair(std::size_t{7}, std::size_t{7}));
    // In name order, each driver with the file it came from.
    EXPECT_EQ(batch.drivers[0].sourceFile, dir / "a.dvr");
    EXPECT_EQ(batch.drivers[1].sourceFormat, "wdr");
    EXPECT_EQ(batch.drivers[7].sourceFile, dir / "nested/deeper/e");

    // Stopped after the second file.
    const ImportBatch stopped = ReadDriverFiles(
        {dir.path().string()}, [](std::size_t done, std::size_t) { return done < 2; });
    EXPECT_EQ(stopped.drivers.size(), 2u);
}

// A value of megabytes is no driver data: the file is refused by a sentence naming the line,
// at once rather than after reading the value character by character.
TEST(DriverImport, OverlongLinesAndTagsAreRefusedNamingTheLine)
{
    const std::size_t size = 4u << 20;
    const auto repeat = [&](const std::string& unit) {
        std::string text;
        while (text.size() < size)
            text += unit;
        return text;
    };
    const std::string xml = "<speakers>\n<speaker model=\"x\" vendor=\"";
    struct Case {
        const char* path;
        std::string text;
        std::size_t line;
    };
    const Case cases[] = {
        {"amp.xml", xml + repeat("&") + "\"/>\n</speakers>\n", 2},
        {"named.xml", xml + repeat("&amp;") + "\"/>\n</speakers>\n", 2},
        {"numeric.xml", xml + repeat("&#38;") + "\"/>\n</speakers>\n", 2},
        {"unclosed.xml", "<speakers>\n\n<speaker vendor=" + repeat("x"), 3},
        {"value.wdr", "[Driver]\r\nfs=40\r\nBrand=" + repeat("&") + "\r\n", 3},
        {"line.wdr", "[Driver]\nfs=40\n" + repeat("x"), 3},
        {"value.txt", "Manufacturer\tModel\tfs [Hz]\nAcme\t" + repeat("&#38;") + "\t40\n", 2},
        {"line.txt", "Manufacturer\tModel\tfs [Hz]\nAcme\tW8\t40\n" + repeat("x"), 3},
    };
    for (const Case& c : cases) {
        std::vector<ImportedDriver> out;
        EXPECT_EQ(ReadDriverBytes(c.text, c.path, out),
                  std::string(c.path) + ", line " + std::to_string(c.line) +
                      ", is longer than the 65536 characters a line of a driver list may have; "
                      "the file was not imported.");
        EXPECT_TRUE(out.empty()) << c.path;
    }

    // Text of megabytes between the tags of a list is no tag: the list is read.
    std::vector<ImportedDriver> out;
    EXPECT_EQ(ReadDriverBytes("<speakers>" + repeat("x") +
                                  "<speaker vendor=\"A&amp;B\" model=\"W8\" fs=\"40\"/>"
                                  "</speakers>",
                              "text.xml", out),
              "");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].driver.manufacturer, "A&B");
}

} // namespace
} // namespace cw::database
