#pragma once

#include "calculators/CutList.h"
#include "calculators/SheetLayout.h"
#include "forms/ui/PropertyPage.h"

#include <optional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace cw
{
class CSpkSysDoc;
}

namespace cw::ui
{

class CanvasWidget;

// The "Cut List" page of the box calculators: the boards, the holes and the sheet layout of the
// box on the box page last shown, from the thicknesses, kerf, assembly style, vent form and sheet
// size the project keeps. The lengths show the copy of the units chosen when the sheet opened; an
// accepted edit sets the other copy by conversion.
class CutListPage : public PropertyPage
{
    Q_OBJECT
public:
    CutListPage(CSpkSysDoc& doc, bool metric, QWidget* parent = nullptr);

    calc::BoxPageKind kind() const;
    bool metric() const { return metric_; }
    // The table and notes as the page shows them, or the sentence that says why there is none.
    QString shownText() const;
    QLineEdit* field(const char* name) const;
    QComboBox* choice(const char* name) const;

    // The cut list as CSV and the layout as SVG, into files the user picks.
    void ExportCsv();
    void ExportSvg();

protected:
    void OnActivate(bool first) override;

private:
    void AddLength(const char* label, double CutListSettings::*mm, double CutListSettings::*in);
    void AddChoice(const char* label, std::int32_t CutListSettings::*value,
                   const QStringList& texts);
    void Refresh();
    void Save(const QString& filter, const QString& suffix, const QByteArray& bytes);

    CSpkSysDoc& doc_;
    bool metric_;
    QGridLayout* grid_;
    QLabel* heading_;
    QPlainTextEdit* text_;
    CanvasWidget* picture_;
    std::optional<calc::CutList> list_;
    calc::SheetLayout sheets_;
};

} // namespace cw::ui
