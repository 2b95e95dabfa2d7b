#include "model/BoxTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include <vector>

namespace cw
{
namespace
{

// The addresses of every real of the record's design block named `block`.
std::vector<const double*> BlockReals(CSpkSys& s, const std::string& block)
{
    std::vector<const double*> reals;
    CSpkSys::Fields(s, [&](const char* name, auto& part) {
        using Part = std::decay_t<decltype(part)>;
        if constexpr (requires { Part::Fields(part, [](const char*, auto&) {}); }) {
            if (block != name)
                return;
            Part::Fields(part, [&](const char*, auto& v) {
                if constexpr (std::is_same_v<std::decay_t<decltype(v)>, double>)
                    reals.push_back(&v);
                else
                    ADD_FAILURE() << "a design block holds reals only";
            });
        }
    });
    return reals;
}

bool Contains(const std::vector<const double*>& fields, const double* field)
{
    return std::find(fields.begin(), fields.end(), field) != fields.end();
}

// The engine, the panels and the report reach the design values through the table: it must
// hold every real of each block exactly once, and its rows only fields of their own block.
TEST(BoxTableTest, EachDescriptionCoversItsBlockExactly)
{
    CSpkSys s;
    for (BoxType type : kAllBoxTypes) {
        const BoxDescription* box = DescribeBox(type);
        ASSERT_NE(box, nullptr);
        SCOPED_TRACE(box->block);
        EXPECT_EQ(box->type, type);
        const std::vector<const double*> block = BlockReals(s, box->block);
        ASSERT_FALSE(block.empty());

        std::vector<const double*> described;
        for (const BoxField& f : box->fields) {
            described.push_back(&f.metric(s));
            EXPECT_EQ(f.english != nullptr, f.unitKind != UnitKind::Plain);
            if (f.english)
                described.push_back(&f.english(s));
        }
        EXPECT_EQ(described.size(), block.size());
        for (const double* field : block)
            EXPECT_EQ(std::count(described.begin(), described.end(), field), 1);

        for (const auto* rows : {&box->panelRows, &box->reportRows}) {
            for (const FieldRow& row : *rows) {
                EXPECT_TRUE(Contains(block, row.Shown(s, true))) << row.symbol;
                EXPECT_TRUE(Contains(block, row.Shown(s, false))) << row.symbol;
            }
        }
    }
    EXPECT_EQ(DescribeBox(BoxType::None), nullptr);
}

// The editor's Details page of each box type: its rows in display order, read-only ones marked
// "*", and each bound to its own block or to the system parameters.
TEST(BoxTableTest, EditorRowsFollowEachBoxTypeInDisplayOrder)
{
    const std::string vent = "S(vMin)* S(v)* L(v)* Q(tc)* alpha* ";
    const std::string bandpass = "V(B1)* V(B2)* F(B2)* " + vent;
    const std::string system = "P(in) d W(B) ";
    const std::string last = "R(s) N I";
    const std::vector<std::pair<BoxType, std::string>> expected = {
        {BoxType::Closed2, "V(B)* Q(tc)* alpha* Q(B) " + system + last},
        {BoxType::Closed3, "V(B)* Q(tc)* alpha* Q(B) " + system + "C1 " + last},
        {BoxType::Vented4, "V(B)* F(B)* " + vent + "Q(B) " + system + last},
        {BoxType::Bandpass4, bandpass + "Q(A2) Q(L2) " + system + last},
        {BoxType::Bandpass5, bandpass + "Q(B2) " + system + "L1 " + last},
        {BoxType::Bandpass6, bandpass + "Q(B2) " + system + "C1 L1 " + last}};
    CSpkSys s;
    for (const auto& [type, rows] : expected) {
        const BoxDescription* box = DescribeBox(type);
        SCOPED_TRACE(box->block);
        const std::vector<const double*> block = BlockReals(s, box->block);
        std::string shown;
        for (const FieldRow& row : box->editorRows) {
            const std::string name = row.Name(true);
            shown += name + (row.readOnly ? "* " : " ");
            if (name != "P(in)" && name != "d" && name != "R(s)" && name != "N" && name != "I") {
                EXPECT_TRUE(Contains(block, row.Shown(s, false))) << name;
            }
        }
        EXPECT_EQ(shown, rows + " ");
    }
    // The system parameters are the record's own; N and I are integers.
    const std::vector<FieldRow>& rows = DescribeBox(BoxType::Vented4)->editorRows;
    const FieldRow& power = rows[rows.size() - 6];
    EXPECT_EQ(power.Shown(s, false), &s.inputPower);
    EXPECT_EQ(rows[rows.size() - 5].Shown(s, false), &s.splDistanceM);
    EXPECT_EQ(rows[rows.size() - 5].Unit(false), "m");
    EXPECT_EQ(rows[rows.size() - 4].Shown(s, false), &s.vented4.wb);
    EXPECT_EQ(rows[rows.size() - 3].Shown(s, true), &s.seriesResistance);
    EXPECT_EQ(&rows[rows.size() - 2].integer(s), &s.driverCount);
    EXPECT_EQ(&rows.back().integer(s), &s.isobaricFactor);
    EXPECT_EQ(rows[4].Shown(s, false), &s.vented4.lvIn);
    EXPECT_EQ(rows[4].Unit(false), "in");
}

TEST(BoxTableTest, RowsShowTheCopyOfTheUnits)
{
    CSpkSys s;
    s.vented4.lvM = 0.094957;
    s.vented4.lvIn = 3.738;
    const FieldRow& length = DescribeBox(BoxType::Vented4)->reportRows[5];
    EXPECT_STREQ(length.symbol, "L(v) =");
    EXPECT_EQ(length.Value(s, true), 0.094957);
    EXPECT_EQ(length.Unit(true), "m");
    EXPECT_EQ(length.Value(s, false), 3.738);
    EXPECT_EQ(length.Unit(false), "in");
    EXPECT_EQ(length.Other(s, false), &s.vented4.lvM);
    // The vent of a bandpass box tunes its front chamber, that of the vented box the box.
    EXPECT_EQ(DescribeBox(BoxType::Bandpass5)->VentedChamber()->quantity, BoxQuantity::FrontVolume);
    EXPECT_EQ(DescribeBox(BoxType::Vented4)->VentedChamber()->quantity, BoxQuantity::Volume);
    EXPECT_EQ(DescribeBox(BoxType::Closed3)->VentedChamber(), nullptr);
}

} // namespace
} // namespace cw
