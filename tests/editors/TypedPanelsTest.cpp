#include "editors/TypedPanels.h"

#include "editors/DesignEdit.h"
#include "model/EditRules.h"
#include "model/Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace cw::edit
{
namespace
{

class TypedPanelsTest : public ::testing::Test
{
protected:
    // Types into the row that shows the field.
    template <class Field> FormEdit Type(TypedPanels& panels, Field& field, const char* text)
    {
        const TypedPanels::Place place = panels.Find(&field);
        EXPECT_NE(place.form, nullptr) << text;
        return place.form ? panels.Type(place, text) : FormEdit{};
    }
    // Types the volume of a vented chamber, a tuning of 40 Hz and the vent area, in that order.
    void TypeVent(TypedPanels& panels, double& volume, const char* volumeText, double& tuning,
                  double& area, const char* areaText)
    {
        Type(panels, volume, volumeText);
        Type(panels, tuning, "40");
        Type(panels, area, areaText);
    }
    CSpkSys& wb() { return doc->workbench(); }
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
};

TEST_F(TypedPanelsTest, ShownValuesAreStoredBackAtFourDigits)
{
    doc->SetBoxType(BoxType::Bandpass4);
    TypedPanels panels(*doc, true);
    BandpassBox4& b = wb().bandpass4;
    TypeVent(panels, b.vb2Liters, "50", b.fb2, b.svSqM, "0.01");
    EXPECT_NEAR(b.lvM, 0.29465, 1e-5);
    // The vent length shown as 0.2946 is what the next store of the panel keeps.
    Type(panels, b.vb1Liters, "50");
    EXPECT_EQ(b.lvM, 0.2946);
}

// The port shown always tunes the box: a new volume or tuning of the vented chamber designs the
// vent length anew from the vent area, as a new vent area does.
TEST_F(TypedPanelsTest, TheVentFollowsItsChamber)
{
    doc->SetBoxType(BoxType::Vented4);
    TypedPanels panels(*doc, false);
    VentedBox4& v = wb().vented4;
    TypeVent(panels, v.vbCuFt, "2", v.fb, v.svSqIn, "7");
    EXPECT_DOUBLE_EQ(v.lvIn, 3.738);
    Type(panels, v.fb, "30");
    EXPECT_DOUBLE_EQ(v.lvIn, Round4(7 / (0.0003696 * 30 * 30 * 2) - 0.824 * std::sqrt(7.0)));
    EXPECT_NEAR(v.lvIn, 8.34, 0.01);
    Type(panels, v.vbCuFt, "4");
    EXPECT_NEAR(v.lvIn, 3.08, 0.01);
    EXPECT_DOUBLE_EQ(v.lvM, InchesToMetres(7 / (0.0003696 * 900 * 4) - 0.824 * std::sqrt(7.0)));
    // A Q(tc) designs the volume, and so the vent too.
    Type(panels, v.qtc, "0.8");
    EXPECT_DOUBLE_EQ(v.lvIn, Round4(7 / (0.0003696 * 900 * v.vbCuFt) - 0.824 * std::sqrt(7.0)));

    // The front chamber of a bandpass box, by its volume and by its tuning.
    doc->SetBoxType(BoxType::Bandpass6);
    TypedPanels bandpass(*doc, false);
    BandpassBox6& b = wb().bandpass6;
    TypeVent(bandpass, b.vb2CuFt, "2", b.fb2, b.svSqIn, "7");
    EXPECT_DOUBLE_EQ(b.lvIn, 3.738);
    Type(bandpass, b.vb2CuFt, "4");
    EXPECT_NEAR(b.lvIn, 0.779, 0.001);
    Type(bandpass, b.fb2, "30");
    EXPECT_NEAR(b.lvIn, 3.08, 0.01);

    // Before there is a tuning the length cannot follow: the edit stands and says why.
    CSpkSysDoc fresh;
    fresh.SetBoxType(BoxType::Vented4);
    TypedPanels untuned(fresh, false);
    const FormEdit edit = Type(untuned, fresh.workbench().vented4.vbCuFt, "2");
    EXPECT_EQ(edit.result, FormEdit::Result::Done);
    EXPECT_NE(edit.message.find("vent length"), std::string::npos);
    EXPECT_EQ(fresh.workbench().vented4.vbCuFt, 2);
    EXPECT_GT(fresh.workbench().vented4.qtc, 0.49);
    EXPECT_EQ(fresh.workbench().vented4.lvIn, 0);
}

TEST_F(TypedPanelsTest, TheFeetFollowTheMetresAtFourDigits)
{
    for (const bool metric : {false, true}) {
        doc = std::make_unique<CSpkSysDoc>();
        TypedPanels panels(*doc, metric);
        Type(panels, wb().splDistanceM, "3");
        EXPECT_EQ(wb().splDistanceFt, 9.842) << metric;
    }
    TypedPanels panels(*doc, false);
    Type(panels, wb().splDistanceFt, "6.5616");
    EXPECT_EQ(wb().splDistanceM, 2);
    EXPECT_EQ(wb().splDistanceFt, 6.562);
}

TEST_F(TypedPanelsTest, TextsThatBreakTheRulesAreRefused)
{
    TypedPanels panels(*doc, false);
    FormEdit edit = Type(panels, wb().driverCount, "2.5");
    EXPECT_EQ(edit.result, FormEdit::Result::Refused);
    EXPECT_EQ(edit.message, kEnterInteger);
    EXPECT_EQ(wb().driverCount, 1);

    Type(panels, wb().driverCount, "1");
    for (const char* text : {"", "-", "abc"}) {
        edit = Type(panels, wb().closed2.vbCuFt, text);
        EXPECT_EQ(edit.result, FormEdit::Result::Refused) << text;
        EXPECT_EQ(edit.message, kEnterNumber) << text;
    }
    // The text left in V(B) never stops another field's edit halfway: V(B) keeps its value
    // until the Q(tc) edit designs it, with its twin copy and every value that follows.
    edit = Type(panels, wb().closed2.qtc, "0.707");
    EXPECT_EQ(edit.result, FormEdit::Result::Done);
    EXPECT_DOUBLE_EQ(wb().closed2.vbLiters, 83.19);
    EXPECT_DOUBLE_EQ(wb().closed2.vbCuFt, 2.9379);
    EXPECT_DOUBLE_EQ(wb().closed2.fc, 59.16);

    // A finished zero is taken, though the panel would wait for more typing.
    Type(panels, wb().closed2.vbCuFt, "2");
    EXPECT_EQ(Type(panels, wb().inputPower, "0.0").result, FormEdit::Result::Done);
    EXPECT_EQ(wb().inputPower, 0);

    edit = Type(panels, wb().closed2.qtc, "0.3");
    EXPECT_EQ(edit.result, FormEdit::Result::Unusable);
    EXPECT_TRUE(edit.restored);
    EXPECT_EQ(edit.message, QtcTooLowMessage(0.49));
}

TEST_F(TypedPanelsTest, OnlyTheShownCopiesAreRows)
{
    TypedPanels english(*doc, false);
    EXPECT_EQ(english.Find(&wb().closed2.vbLiters).form, nullptr);
    EXPECT_TRUE(english.IsOtherCopy(&wb().closed2.vbLiters));
    EXPECT_NE(english.Find(&wb().splDistanceFt).form, nullptr);
    EXPECT_EQ(english.Find(&wb().closed2.qb).form, nullptr);
    EXPECT_FALSE(english.IsOtherCopy(&wb().closed2.qb));

    TypedPanels metric(*doc, true);
    EXPECT_EQ(metric.Find(&wb().splDistanceFt).form, nullptr);
    EXPECT_TRUE(metric.IsOtherCopy(&wb().splDistanceFt));
}

} // namespace
} // namespace cw::edit
