#include "measure/MeasuredCurves.h"
#include "measure/ui/FitDriverDialog.h"
#include "measure/ui/MeasuredCurvesDialog.h"
#include "support/RecordingWindows.h"
#include "support/SynthesisedDriver.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

namespace cw::test
{
namespace
{

struct MeasureDialogs : ::testing::Test {
    TempDir dir;
    RecordingWindows windows;
    CSpkSysDoc doc;
    Driver driver;

    MeasureDialogs()
    {
        doc.SetWindows(&windows);
        WriteBytes(dir / "free.zma", ZmaText(Zma(driver, 0.01)));
        WriteBytes(dir / "boxed.zma", ZmaText(Zma(driver.Boxed(35), 0.01)));
    }
};

TEST_F(MeasureDialogs, FitsAndLoadsTheDriverIntoTheWorkbench)
{
    ui::FitDriverDialog dialog(doc, nullptr);
    dialog.freeAirEdit()->setText(QString::fromStdString(dir / "free.zma"));
    dialog.sdEdit()->setText("0.0215");
    dialog.methodBox()->setCurrentIndex(2);
    dialog.amountEdit()->setText("35");
    dialog.secondEdit()->setText(QString::fromStdString(dir / "boxed.zma"));
    ASSERT_TRUE(dialog.Fit()) << dialog.resultText().toStdString();
    EXPECT_TRUE(dialog.resultText().contains("A good fit")) << dialog.resultText().toStdString();
    EXPECT_TRUE(dialog.resultText().contains("V(as) = "));

    const std::string model = doc.workbench().driver.model;
    dialog.LoadIntoWorkbench();
    const DriverParams& d = doc.workbench().driver;
    EXPECT_NEAR(d.fs, driver.Fs(), 0.01 * driver.Fs());
    EXPECT_NEAR(d.vasLiters, driver.VasLiters(), 0.03 * driver.VasLiters());
    EXPECT_EQ(d.model, model);
    EXPECT_NE(d.description.find("a closed box of 35 liters"), std::string::npos);

    // A file that is no impedance leaves nothing to load.
    WriteBytes(dir / "flat.zma", "10 8\n100 8\n1000 8\n");
    dialog.freeAirEdit()->setText(QString::fromStdString(dir / "flat.zma"));
    EXPECT_FALSE(dialog.Fit());
    EXPECT_TRUE(dialog.resultText().contains("fit needs at least 8"))
        << dialog.resultText().toStdString();
}

TEST_F(MeasureDialogs, TheListShowsHidesAndRenamesCurves)
{
    ASSERT_TRUE(measure::ImportMeasuredCurve(doc, dir / "free.zma", MeasuredKind::Impedance));
    ASSERT_TRUE(measure::ImportMeasuredCurve(doc, dir / "boxed.zma", MeasuredKind::Impedance));
    ui::MeasuredCurvesDialog dialog(doc, nullptr);
    auto* list = dialog.findChild<QListWidget*>();
    ASSERT_EQ(list->count(), 2);
    list->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(doc.measuredCurves[0].shown, 0);
    list->item(1)->setText("in the box");
    EXPECT_EQ(doc.measuredCurves[1].name, "in the box");
    list->item(1)->setText("  ");
    EXPECT_EQ(doc.measuredCurves[1].name, "in the box");
    EXPECT_EQ(list->item(1)->text(), "in the box");
}

} // namespace
} // namespace cw::test
