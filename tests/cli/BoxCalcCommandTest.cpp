#include "CliRunner.h"

#include <nlohmann/json.hpp>

namespace cw
{
namespace
{

using test::CliTest;

constexpr double kPhi = 1.618033989;

TEST_F(CliTest, BoxCalculatorStartsAndEdits)
{
    auto run = Run("calc --edit closed2.qtc=0.707 --run RectBoxStart --run BandpassBoxStart "
                   "--edit trapBox.english.netVolume=2 --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    nlohmann::json s = nlohmann::json::parse(run.out);
    const auto& rect = s["rectBox"]["metric"];
    EXPECT_EQ(rect["netVolume"], 83.19);
    EXPECT_EQ(rect["grossVolume"], 83.19);
    EXPECT_NEAR(rect["height"].get<double>() / rect["width"].get<double>(), kPhi, 1e-4);
    EXPECT_EQ(s["bandpassBox"]["english"]["rear"]["netVolume"], 2.9379);
    // Typed in cubic feet, the liters follow; V(B) locked, so the gross volume too.
    EXPECT_EQ(s["trapBox"]["metric"]["netVolume"], 56.634);
    EXPECT_EQ(s["trapBox"]["english"]["grossVolume"], 2);
    EXPECT_GT(s["trapBox"]["metric"]["height"].get<double>(), 0);

    run = Run("calc --run TrapBoxStart");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "TrapBoxStart: The box volume must be above 0.\n");
    run = Run("calc --edit rectBox.metric.netVolume=50 --edit rectBox.metric.height=0");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "rectBox.metric.height: The height must be above 0.\n");
    run = Run("calc --edit rectBox.metric.netVolume=fifty");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "rectBox.metric.netVolume: Please enter a number.\n");
    run = Run("calc --edit rectBox.metric.volume=5");
    EXPECT_EQ(run.exitCode, 2);
}

TEST_F(CliTest, BoxCalculatorLocksFollowTheirPages)
{
    const auto project = (dir / "locks.spk").string();
    auto run = Run("calc --set boxLocks.rectVb=0 --set boxLocks.rectH=1 --set boxLocks.rectW=1 "
                   "--set boxLocks.trapW1=1 --save '" +
                   project + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const nlohmann::json locks = nlohmann::json::parse(test::ReadText(project))["boxLocks"];
    EXPECT_EQ(locks["rectVb"], 0);
    EXPECT_EQ(locks["rectH"], 1);
    EXPECT_EQ(locks["rectW"], 1);
    EXPECT_EQ(locks["trapW1"], 1);

    run = Run("calc --project '" + project + "' --set boxLocks.rectD=1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "boxLocks.rectD: At least two fields must remain unlocked.\n");
    run = Run("calc --project '" + project + "' --set boxLocks.trapAngle=1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "boxLocks.trapAngle: That combination of locks is not allowed.\n");
    for (const char* wrong : {"boxLocks.rectH=2", "boxLocks.nothing=1"})
        EXPECT_EQ(Run(std::string("calc --set ") + wrong).exitCode, 2) << wrong;
}

TEST_F(CliTest, BoxReportOfEachPageInBothOrientations)
{
    const std::string project = (dir / "box.spk").string();
    auto run = Run("calc --box 4OVB --set vented4.vbLiters=40 --set vented4.vbCuFt=1.4126 "
                   "--set vented4.svSqM=0.0077 --set vented4.lvM=0.15 --run RectBoxStart "
                   "--run TrapBoxStart --run BandpassBoxStart --edit rectBox.notes=Birch --save '" +
                   project + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* page : {"0", "1", "2"}) {
        SCOPED_TRACE(page);
        const std::string pdf = (dir / (std::string(page) + ".pdf")).string();
        run = Run("report '" + project + "' --box-page " + page + " --units metric --pdf '" + pdf +
                  "'");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(test::ReadText(pdf).rfind("%PDF", 0), 0U);
        const std::string png = (dir / (std::string(page) + ".png")).string();
        run =
            Run("report '" + project + "' --box-page " + page + " --landscape --png '" + png + "'");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(test::ReadText(png).substr(1, 3), "PNG");
    }
    for (const char* wrong : {"3", "-1", "one"}) {
        run = Run("report '" + project + "' --box-page " + wrong + " --pdf x.pdf");
        EXPECT_EQ(run.exitCode, 2) << wrong;
        EXPECT_NE(run.err.find("--box-page takes a whole number from 0 to 2"), std::string::npos);
    }
}

} // namespace
} // namespace cw
