#include "RefusalRecorder.h"
#include "TypeText.h"
#include "editors/TypedPanels.h"
#include "editors/ui/BoxPanels.h"
#include "editors/ui/CDrvrView.h"
#include "model/BoxTable.h"
#include "model/CommandIds.h"
#include "model/DocWindows.h"
#include "model/NumberFormat.h"
#include "model/Units.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace cw::ui
{
namespace
{

class PanelTest : public ::testing::Test
{
protected:
    static void Type(QLineEdit* edit, const QString& text) { test::TypeText(edit, text); }
    template <class Panel> std::unique_ptr<Panel> Make()
    {
        auto panel = std::make_unique<Panel>(*doc, settings);
        panel->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
        // Active, so that the focus moves between fields as it does for the user.
        panel->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        return panel;
    }
    // Where the focus is once the panel is active again after a refusal.
    static QWidget* FocusAfterBox(QWidget* panel)
    {
        EXPECT_TRUE(QTest::qWaitForWindowActive(panel));
        return QApplication::focusWidget();
    }
    // A field marked as holding a text that breaks its rule.
    static bool Marked(const QLineEdit* edit) { return edit->property("refused").toBool(); }

    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
};

TEST_F(PanelTest, ClosedBoxVolumeInCubicFeetDesignsTheBox)
{
    auto panel = Make<C2OCBVw>();
    Type(panel->field("V(B) ="), "2");
    const ClosedBox2& b = doc->workbench().closed2;
    EXPECT_EQ(b.vbCuFt, 2);
    EXPECT_DOUBLE_EQ(b.vbLiters, 56.634);
    EXPECT_NEAR(b.qtc, 0.49 * std::sqrt(90 / 56.634 + 1), 1e-4);
    EXPECT_NEAR(b.fc, 41 * std::sqrt(90 / 56.634 + 1), 1e-2);
    EXPECT_DOUBLE_EQ(b.alpha, Round4(90 / 56.634));
    EXPECT_EQ(panel->field("Q(tc) =")->text(), "0.7885");
    EXPECT_EQ(panel->field("F(sc) =")->text(), "65.97");
    EXPECT_EQ(panel->field("Alpha =")->text(), "1.589");
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(PanelTest, QtcTypedShowsTheDesignedVolume)
{
    auto panel = Make<C2OCBVw>();
    Type(panel->field("Q(tc) ="), "0.707");
    const ClosedBox2& b = doc->workbench().closed2;
    EXPECT_DOUBLE_EQ(b.vbLiters, 83.19);
    EXPECT_DOUBLE_EQ(b.vbCuFt, 2.9379);
    EXPECT_EQ(panel->field("V(B) =")->text(), "2.938");
    EXPECT_EQ(panel->field("F(sc) =")->text(), "59.16");
    EXPECT_EQ(panel->field("Alpha =")->text(), "1.082");
}

TEST_F(PanelTest, QtcAtOrBelowQtsKeepsTheDesign)
{
    auto panel = Make<C2OCBVw>();
    Type(panel->field("Q(tc) ="), "0.707");
    QSignalSpy status(panel.get(), &PanelView::statusMessage);
    const ClosedBox2 designed = doc->workbench().closed2;
    for (const char* text : {"0.49", "0.3", "-1"}) {
        Type(panel->field("Q(tc) ="), text);
        EXPECT_EQ(doc->workbench().closed2, designed) << text;
        EXPECT_TRUE(status.last().at(0).toString().contains("Q(ts)")) << text;
    }
    EXPECT_TRUE(std::isfinite(doc->workbench().closed2.vbLiters));
}

TEST_F(PanelTest, ClearingAFieldChangesNothing)
{
    auto panel = Make<C2OCBVw>();
    doc->workbench().closed2.vbLiters = 50;
    panel->UpdateFromDocument();
    const CSpkSys before = doc->workbench();
    Type(panel->field("V(B) ="), "");
    Type(panel->field("V(B) ="), "-");
    Type(panel->field("V(B) ="), ".");
    EXPECT_EQ(doc->workbench().closed2, before.closed2);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PanelTest, UnparsableTextIsRefusedWithAMessage)
{
    auto panel = Make<C2OCBVw>();
    test::RefusalRecorder refusals;
    QLineEdit* vb = panel->field("V(B) =");
    Type(vb, "3x");
    EXPECT_TRUE(refusals.messages.isEmpty()) << "no message box while typing";
    EXPECT_TRUE(Marked(vb));
    EXPECT_EQ(doc->workbench().closed2.vbCuFt, 3); // what was typed before the letter stays

    // The message comes when the field is left, names the field, and the focus goes back.
    QTest::keyClick(vb, Qt::Key_Return);
    EXPECT_EQ(refusals.messages, QStringList{"V(B): Please enter a number."});
    EXPECT_EQ(FocusAfterBox(panel.get()), vb);
    EXPECT_EQ(doc->workbench().closed2.vbCuFt, 3);
}

// Typing a valid number loses no keystroke: a text that can still become a number is left
// alone while it is typed; the number rule speaks when the field is left.
TEST_F(PanelTest, TypingKeepsEveryKeystrokeAndRefusesWhenTheFieldIsLeft)
{
    doc->OnCommand(cmd::Box5OABP);
    auto panel = Make<C5OABPVw>();
    test::RefusalRecorder refusals;
    QLineEdit* l1 = panel->field("L1 =");
    const BandpassBox5& b = doc->workbench().bandpass5;
    for (const auto& [text, value] :
         {std::pair{"1e-3", 0.001}, std::pair{"1e300", 1e300}, std::pair{"2.", 2.0}}) {
        Type(l1, text);
        EXPECT_EQ(l1->text(), text);
        EXPECT_EQ(b.l1, value) << text;
        EXPECT_FALSE(Marked(l1)) << text;
        QTest::keyClick(l1, Qt::Key_Return);
        EXPECT_TRUE(refusals.messages.isEmpty())
            << text << ": " << refusals.messages.join('|').toStdString();
    }

    // Texts that no typing can mend are marked while typed; the rest of the typing still
    // reaches the field, and the value typed before them stays.
    for (const auto& [text, kept] : {std::pair{"1.5.2", 1.5}, std::pair{"2,5", 2.0}}) {
        Type(l1, text);
        EXPECT_EQ(l1->text(), text);
        EXPECT_TRUE(Marked(l1)) << text;
        EXPECT_EQ(b.l1, kept) << text;
        EXPECT_TRUE(refusals.messages.isEmpty()) << text;
    }

    // Leaving the field for another brings the message, and the focus goes back to it.
    QLineEdit* other = panel->field("F(B2) =");
    other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(refusals.messages, QStringList{"L1: Please enter a number."});
    EXPECT_EQ(FocusAfterBox(panel.get()), l1);
    Type(l1, "4");
    EXPECT_FALSE(Marked(l1));
    EXPECT_EQ(b.l1, 4);

    // A prefix left as it is breaks the rule when the field is left; the driver panel names its
    // fields the same way.
    Type(l1, "1e-");
    EXPECT_FALSE(Marked(l1));
    QTest::keyClick(l1, Qt::Key_Enter);
    EXPECT_EQ(refusals.messages.last(), "L1: Please enter a number.");
    auto driver = Make<CDrvrView>();
    Type(driver->driversField(), "2.5");
    QTest::keyClick(driver->driversField(), Qt::Key_Return);
    EXPECT_EQ(refusals.messages.last(), "N: Please enter an integer.");
    Type(driver->driversField(), "1");
    Type(driver->splFeetField(), "x");
    QTest::keyClick(driver->splFeetField(), Qt::Key_Return);
    EXPECT_EQ(refusals.messages.last(), "SPL @ (ft): Please enter a number.");
    EXPECT_EQ(doc->workbench().driverCount, 1);
}

// One bad field never splits the design: an edit completes with its twin copy and every step,
// or changes nothing.
TEST_F(PanelTest, ABadFieldNeverStopsAnotherFieldsEditHalfway)
{
    auto panel = Make<C2OCBVw>();
    test::RefusalRecorder refusals;
    QLineEdit* qtc = panel->field("Q(tc) =");
    Type(qtc, "0.707");
    ASSERT_EQ(panel->field("V(B) =")->text(), "2.938");
    Type(qtc, "abc");
    EXPECT_TRUE(Marked(qtc));

    // Typing into V(B) without leaving Q(tc) first, as a click that refuses nothing would.
    QLineEdit* vb = panel->field("V(B) =");
    vb->selectAll();
    QTest::keyClicks(vb, "3");
    EXPECT_TRUE(refusals.messages.isEmpty()) << refusals.messages.join('|').toStdString();
    const ClosedBox2& b = doc->workbench().closed2;
    EXPECT_EQ(b.vbCuFt, 3);
    EXPECT_DOUBLE_EQ(b.vbLiters, CuFtToLiters(3));
    EXPECT_DOUBLE_EQ(b.qtc, Round4(0.49 * std::sqrt(90 / b.vbLiters + 1)));
    EXPECT_DOUBLE_EQ(b.fc, Round4(41 * std::sqrt(90 / b.vbLiters + 1)));
    // The designed Q(tc) replaces the bad text, and the mark goes with it.
    EXPECT_EQ(qtc->text(), QString::fromStdString(FormatShown(b.qtc)));
    EXPECT_FALSE(Marked(qtc));
    EXPECT_EQ(panel->field("F(sc) =")->text(), QString::fromStdString(FormatShown(b.fc)));
}

TEST_F(PanelTest, TheVentLengthFollowsTheBoxAndItsTuning)
{
    doc->OnCommand(cmd::Box4OVB);
    auto panel = Make<C4OVBVw>();
    Type(panel->field("V(B) ="), "2");
    Type(panel->field("F(B) ="), "40");
    Type(panel->field("S(v) ="), "7");
    EXPECT_EQ(panel->field("L(v) =")->text(), "3.738");
    Type(panel->field("F(B) ="), "30");
    EXPECT_EQ(panel->field("L(v) =")->text(), "8.342");
    Type(panel->field("V(B) ="), "4");
    EXPECT_EQ(panel->field("L(v) =")->text(), "3.081");
    EXPECT_DOUBLE_EQ(doc->workbench().vented4.lvIn, 3.081);

    doc->OnCommand(cmd::Box4OSBP);
    auto bandpass = Make<C4OSBPVw>();
    Type(bandpass->field("V(B2) ="), "2");
    Type(bandpass->field("F(B2) ="), "40");
    Type(bandpass->field("S(v) ="), "7");
    Type(bandpass->field("V(B2) ="), "4");
    EXPECT_EQ(bandpass->field("L(v) =")->text(), "0.7792");
}

TEST_F(PanelTest, NoSoundLevelInSplModeIsSaidInTheStatusBar)
{
    doc->display.splMode = 1;
    auto panel = Make<CDrvrView>();
    QSignalSpy status(panel.get(), &PanelView::statusMessage);
    Type(panel->inputPowerField(), "0");
    EXPECT_EQ(doc->workbench().inputPower, 0);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_TRUE(status.last().at(0).toString().startsWith("An input power P(in) of 0 W"));
}

TEST_F(PanelTest, ARefusedFieldTakesTheFocusBackWhenLeft)
{
    auto panel = Make<CDrvrView>();
    test::RefusalRecorder refusals;
    QLineEdit* distance = panel->splDistanceField();
    distance->setText("abc"); // marked: nothing is stored
    EXPECT_TRUE(Marked(distance));
    // The bad text never stops another field's edit.
    Type(panel->driversField(), "2");
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_EQ(doc->workbench().driverCount, 2);
    EXPECT_EQ(doc->workbench().splDistanceM, 1);

    // Leaving it refuses it, names it, and gives it the focus back.
    distance->setFocus(Qt::TabFocusReason);
    panel->driversField()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(refusals.messages, QStringList{"SPL @ (m): Please enter a number."});
    EXPECT_EQ(panel->focusWidget(), distance);
    EXPECT_EQ(doc->workbench().splDistanceM, 1);
}

TEST_F(PanelTest, DriverPanelNumberOfDriversAndSplDistance)
{
    auto panel = Make<CDrvrView>();
    Type(panel->driversField(), "0");
    EXPECT_EQ(doc->workbench().driverCount, 0);

    Type(panel->splDistanceField(), "3");
    EXPECT_DOUBLE_EQ(doc->workbench().splDistanceFt, 9.8424);
    EXPECT_EQ(panel->splFeetField()->text(), "9.842");

    panel->repaint();
    EXPECT_DOUBLE_EQ(doc->workbench().splDistanceFt, Round4(3 * 3.2808));

    Type(panel->splFeetField(), "6.5616");
    EXPECT_DOUBLE_EQ(doc->workbench().splDistanceM, 2);
    EXPECT_EQ(panel->splDistanceField()->text(), "2");
}

TEST_F(PanelTest, VentAreaAndLengthRoundTrip)
{
    doc->OnCommand(cmd::Box4OVB);
    auto panel = Make<C4OVBVw>();
    Type(panel->field("V(B) ="), "2");
    Type(panel->field("F(B) ="), "40");
    EXPECT_EQ(panel->field("S(v)min =")->text(), "7.44");
    Type(panel->field("S(v) ="), "7");
    const VentedBox4& b = doc->workbench().vented4;
    EXPECT_DOUBLE_EQ(b.lvIn, 3.738);
    EXPECT_DOUBLE_EQ(b.lvM, 0.094957);
    EXPECT_EQ(panel->field("L(v) =")->text(), "3.738");
    Type(panel->field("L(v) ="), "3.738");
    EXPECT_DOUBLE_EQ(b.svSqIn, 6.999);
    EXPECT_EQ(panel->field("S(v) =")->text(), "6.999");
}

TEST_F(PanelTest, BandpassRearVolumeGivesQtc)
{
    doc->OnCommand(cmd::Box5OABP);
    auto panel = Make<C5OABPVw>();
    Type(panel->field("V(B1) ="), "2");
    const BandpassBox5& b = doc->workbench().bandpass5;
    EXPECT_DOUBLE_EQ(b.vb1Liters, 56.634);
    EXPECT_EQ(panel->field("Q(tc) =")->text(), "0.7885");
    EXPECT_DOUBLE_EQ(b.alpha, Round4(90 / 56.634));
    Type(panel->field("V(B2) ="), "1");
    EXPECT_DOUBLE_EQ(b.vb2Liters, 28.317);
}

TEST_F(PanelTest, MetricPreferenceRelabelsAndShortensVentFields)
{
    doc->OnCommand(cmd::Box6OSBP);
    doc->workbench().bandpass6.svSqM = 0.00451612903;
    auto panel = Make<C6OSBPVw>();
    auto driver = Make<CDrvrView>();
    EXPECT_EQ(panel->unitLabel("V(B1) ="), "cu ft");
    EXPECT_EQ(panel->unitLabel("S(v) ="), "sq in");
    EXPECT_EQ(driver->shownUnit(2), "cu ft");
    EXPECT_TRUE(driver->splFeetField()->isVisible());

    settings.units = UnitsPreference::Metric;
    panel->UpdateFromDocument();
    driver->UpdateFromDocument();
    EXPECT_EQ(panel->unitLabel("V(B1) ="), "liters");
    EXPECT_EQ(panel->unitLabel("S(v) ="), "sq m");
    EXPECT_EQ(panel->unitLabel("L(v) ="), "m");
    EXPECT_EQ(panel->field("S(v) =")->text(), "0.004516");
    EXPECT_EQ(panel->field("C1 =")->text(), "1E+05");
    EXPECT_EQ(driver->shownUnit(2), "liters");
    EXPECT_EQ(driver->shownField(2)->text(), "90");
    EXPECT_FALSE(driver->splFeetField()->isVisible());

    // A metric entry fills the inch copy the vent formulas read.
    Type(panel->field("S(v) ="), "0.005");
    EXPECT_DOUBLE_EQ(doc->workbench().bandpass6.svSqIn, SqMToSqIn(0.005));
}

// Every field of a record as its path and its value in full precision.
using FieldValues = std::vector<std::pair<std::string, std::string>>;

template <class T>
concept FieldGroup = requires(const T& t)
{
    T::Fields(t, [](const char*, const auto&) {});
};

template <class T> void Collect(const std::string& path, const T& value, FieldValues& out)
{
    if constexpr (FieldGroup<T>) {
        T::Fields(value, [&](const char* name, const auto& field) {
            Collect(path.empty() ? name : path + "." + name, field, out);
        });
    } else if constexpr (requires {
                             value.size();
                             value[0];
                         } &&
                         !std::is_same_v<T, std::string>) {
        for (std::size_t i = 0; i < value.size(); ++i)
            Collect(path + "." + std::to_string(i), value[i], out);
    } else if constexpr (std::is_same_v<T, double>) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        out.emplace_back(path, text);
    } else if constexpr (std::is_same_v<T, std::string>) {
        out.emplace_back(path, value);
    } else {
        out.emplace_back(path, std::to_string(value));
    }
}

void ExpectSameFields(const CSpkSys& onPanels, const CSpkSys& typed)
{
    FieldValues a, b;
    Collect("", onPanels, a);
    Collect("", typed, b);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i].second, b[i].second) << a[i].first;
}

// The windows of a project as far as the panels need them: the number of drivers has the
// workbench panel show the design again.
struct PanelWindows : NoWindows {
    PanelView* workbenchPanel = nullptr;
    void RefreshWorkbenchPanel() override { workbenchPanel->UpdateFromDocument(); }
};

// What is typed into each row of the box panels, in English and in metric units.
struct Typed {
    const char* symbol;
    const char* english;
    const char* metric;
};
constexpr Typed kBoxValues[] = {
    {"V(B) =", "2", "50"},   {"V(B1) =", "2", "50"},   {"Q(tc) =", "0.8", "0.8"},
    {"F(B) =", "40", "40"},  {"V(B2) =", "1.5", "40"}, {"F(B2) =", "60", "60"},
    {"S(v) =", "7", "0.01"}, {"L(v) =", "3.5", "0.3"}, {"C1 =", "150", "150"},
    {"L1 =", "2", "2"},      {"F(P) =", "35", "35"},   {"N(P) =", "2", "2"},
    {"M(add) =", "50", "50"}};

const char* BoxValue(const FieldRow& row, bool metric)
{
    for (const Typed& t : kBoxValues) {
        if (std::string(t.symbol) == row.symbol)
            return metric ? t.metric : t.english;
    }
    ADD_FAILURE() << "no value for " << row.symbol;
    return "1";
}

// The panels and the command line's typing (the same rows and texts on two projects) leave
// the same workbench after every field, for every box type in both units.
TEST_F(PanelTest, TypingOnThePanelsEqualsTypingFromTheCommandLine)
{
    for (const bool metric : {false, true}) {
        for (const BoxType type : kAllBoxTypes) {
            SCOPED_TRACE(std::string(BoxTypeName(type)) + (metric ? ", metric" : ", English"));
            settings.units = metric ? UnitsPreference::Metric : UnitsPreference::English;
            auto onPanels = std::make_unique<CSpkSysDoc>();
            auto typed = std::make_unique<CSpkSysDoc>();
            onPanels->SetBoxType(type);
            typed->SetBoxType(type);
            PanelWindows windows;
            onPanels->SetWindows(&windows);
            std::unique_ptr<BoxPanelView> box(CreateBoxPanel(type, *onPanels, settings));
            CDrvrView driver(*onPanels, settings);
            windows.workbenchPanel = box.get();
            box->show();
            driver.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&driver));
            edit::TypedPanels cli(*typed, metric);

            // Every editable row of both panels once, then the box volume again: the rows the
            // program has shown are stored back from their texts.
            struct Step {
                QLineEdit* field;
                const FieldRow& row;
                std::string text;
            };
            std::vector<Step> steps;
            const std::vector<FieldRow>& boxRows = DescribeBox(type)->panelRows;
            for (const FieldRow& row : boxRows) {
                if (!row.readOnly)
                    steps.push_back({box->field(row.symbol), row, BoxValue(row, metric)});
            }
            const std::vector<FieldRow>& driverRows = edit::DriverPanelRows();
            steps.push_back({driver.driversField(), driverRows[edit::kDriverCountRow], "2"});
            steps.push_back({driver.splDistanceField(), driverRows[edit::kSplMetresRow], "3"});
            if (!metric)
                steps.push_back({driver.splFeetField(), driverRows[edit::kSplFeetRow], "6.5616"});
            steps.push_back({driver.inputPowerField(), driverRows[edit::kInputPowerRow], "10"});
            steps.push_back(steps.front());

            for (const Step& step : steps) {
                SCOPED_TRACE(std::string(step.row.symbol) + step.row.title + " " + step.text);
                Type(step.field, QString::fromStdString(step.text));
                driver.repaint();
                QApplication::processEvents();

                CSpkSys& wb = typed->workbench();
                const edit::TypedPanels::Place place = step.row.integer
                                                           ? cli.Find(&step.row.integer(wb))
                                                           : cli.Find(step.row.Shown(wb, metric));
                ASSERT_NE(place.form, nullptr);
                cli.Type(place, step.text);
                ExpectSameFields(onPanels->workbench(), typed->workbench());
            }
            onPanels->SetWindows(nullptr);
        }
    }
}

TEST_F(PanelTest, EveryBoxTypeHasItsPanel)
{
    for (BoxType t : kAllBoxTypes) {
        std::unique_ptr<BoxPanelView> panel(CreateBoxPanel(t, *doc, settings));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->boxType(), t);
    }
    EXPECT_EQ(CreateBoxPanel(BoxType::None, *doc, settings), nullptr);
}

} // namespace
} // namespace cw::ui
