#pragma once

#include "forms/ui/PropertyPage.h"
#include "forms/ui/PropertySheet.h"

class QCheckBox;
class QComboBox;

namespace cw
{

class CConewrightApp;

// The "Preferences" page: units, what to open at start, plot background, printing, the plot's
// colours and legend, and the vent air velocity limit. Every click changes the setting at once,
// and the limit is stored when the page is left; Cancel undoes nothing.
class CPrefsPg3 : public ui::PropertyPage
{
    Q_OBJECT
public:
    explicit CPrefsPg3(CConewrightApp& app, QWidget* parent = nullptr);
    QComboBox* velocityLimit() const { return velocityLimit_; }
    QCheckBox* colourEachSystem() const { return colourEachSystem_; }
    QCheckBox* showLegend() const { return showLegend_; }

private:
    CConewrightApp& app_;
    QCheckBox* colourEachSystem_;
    QCheckBox* showLegend_;
    QComboBox* velocityLimit_;
};

// The "User Information" page: the title block of the reports, bound to the application's.
class CPrefsPg2 : public ui::PropertyPage
{
    Q_OBJECT
public:
    explicit CPrefsPg2(CConewrightApp& app, QWidget* parent = nullptr);

protected:
    // Stores the fields into the application's title block and the current project's.
    bool OnLeave() override;

private:
    CConewrightApp& app_;
};

// The Preferences sheet, modal, opening on the page last shown.
class CPrefsSht : public ui::PropertySheet
{
    Q_OBJECT
public:
    CPrefsSht(CConewrightApp& app, QWidget* parent);
    CPrefsPg3* preferencesPage() const { return page1_; }
    CPrefsPg2* userPage() const { return page2_; }

private:
    CPrefsPg3* page1_;
    CPrefsPg2* page2_;
};

} // namespace cw
