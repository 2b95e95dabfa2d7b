#include "editors/TypedPanels.h"

#include "editors/DesignEdit.h"
#include "editors/EditRules.h"

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
    CSpkSys& wb() { return doc->workbench(); }
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
};

TEST_F(TypedPanelsTest, ShownValuesAreStoredBackAtFourDigits)
{
    doc->SetBoxType(BoxType::Vented4);
    TypedPanels panels(*doc, true);
    VentedBox4& b = wb().vented4;
    Type(panels, b.vbLiters, "50");
    Type(panels, b.fb, "40");
    Type(panels, b.svSqM, "0.01");
    EXPECT_NEAR(b.lvM, 0.29465, 1e-5);
    // The vent length shown as 0.2946 is what the next store of the panel keeps.
    Type(panels, b.vbLiters, "50");
    EXPECT_EQ(b.lvM, 0.2946);
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
    // As on the panel, the text left in V(B) stops the store of the next edit.
    edit = Type(panels, wb().closed2.qtc, "0.707");
    EXPECT_EQ(edit.result, FormEdit::Result::Refused);
    EXPECT_EQ(edit.row, panels.Find(&wb().closed2.vbCuFt).row);

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
