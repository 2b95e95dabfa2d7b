#pragma once

#include "model/TitleBlock.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTabWidget;

namespace cw
{

class CConewrightApp;

// The "Preferences" page: units, what to open at start, plot background, printing. Every click
// changes the setting at once; Cancel undoes nothing.
class CPrefsPg3 : public QWidget
{
    Q_OBJECT
public:
    explicit CPrefsPg3(CConewrightApp& app, QWidget* parent = nullptr);

private:
    CConewrightApp& app_;
};

// The "User Information" page: the title block of the reports.
class CPrefsPg2 : public QWidget
{
    Q_OBJECT
public:
    explicit CPrefsPg2(CConewrightApp& app, QWidget* parent = nullptr);
    // Writes the fields into the current project's title block and the application's.
    void Store();

private:
    CConewrightApp& app_;
    QLineEdit* company_;
    QLineEdit* address1_;
    QLineEdit* address2_;
    QLineEdit* address3_;
    QLineEdit* phone_;
    QLineEdit* designer_;
    QLineEdit* designerTitle_;
};

// The Preferences sheet, modal, opening on the page last shown.
class CPrefsSht : public QDialog
{
    Q_OBJECT
public:
    CPrefsSht(CConewrightApp& app, QWidget* parent);
    CPrefsPg3* preferencesPage() const { return page1_; }
    CPrefsPg2* userPage() const { return page2_; }
    QTabWidget* tabs() const { return tabs_; }

    void accept() override;

private:
    CConewrightApp& app_;
    QTabWidget* tabs_;
    CPrefsPg3* page1_;
    CPrefsPg2* page2_;
};

} // namespace cw
