#pragma once

#include "database/DriverCheck.h"
#include "database/DriverImport.h"
#include "database/DriverStore.h"
#include "forms/ui/FieldBinder.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace cw::ui
{

class DriverTableModel;

// The driver database window: a table of the stored drivers with a search as the user types
// and range filters, from which a driver is loaded into the workbench; drivers come in from
// files and folders and from the workbench, and go out as driver files. A database that cannot
// be used is named with its reason in the window, and the rest of the program goes on as
// before.
class DriverBrowser : public QWidget
{
    Q_OBJECT
public:
    struct Hooks {
        // The project whose workbench driver can be added; null when none is open.
        std::function<CSpkSysDoc*()> currentDoc;
        // The project a driver is loaded into: the current one, or a new one.
        std::function<CSpkSysDoc&()> loadTarget;
    };
    // The filters of the range fields, in the order they stand.
    enum RangeFilter { DiameterRange, FsRange, QtsRange, VasRange, XmaxRange, RangeCount };

    // databasePath: empty for the user's own database. offered: lists other programs installed,
    // offered for import by name.
    DriverBrowser(std::string databasePath, const AppSettings& settings, Hooks hooks,
                  std::vector<database::InstalledDatabase> offered, QWidget* parent);
    ~DriverBrowser() override;

    // Opens the database when it is not open, e.g. after it was refused.
    void Reopen();
    // Unit labels, table values and the range bounds of twin quantities follow the preference.
    void UnitsChanged();
    // Enables the commands by what the store, the selection and the projects allow.
    void UpdateCommands();

    // The commands of the buttons.
    void LoadSelected();
    void AddWorkbenchDriver();
    void ImportFiles();
    void ImportFolder();
    void Import(const std::vector<std::string>& paths);
    void ExportSelected();
    // Sets each value of the selected driver that looks given in the wrong unit to what it
    // probably meant, after showing the changes.
    void MendUnits();
    void DeleteSelected();

    const database::DriverStore& store() const { return store_; }
    QLineEdit* searchField() const { return search_; }
    // Whether a search waits for the typing to pause.
    bool searchPending() const;
    QLineEdit* rangeField(RangeFilter filter, bool max) const
    {
        return ranges_[filter].bound[max ? 1 : 0];
    }
    QLabel* rangeUnit(RangeFilter filter) const { return ranges_[filter].unit; }
    QTableView* table() const { return table_; }
    DriverTableModel* model() const { return model_; }
    QLabel* notice() const { return notice_; }
    QPushButton* retryButton() const { return retry_; }
    QLabel* countLabel() const { return count_; }
    QLabel* statusLabel() const { return status_; }
    QPlainTextEdit* details() const { return details_; }
    QPushButton* loadButton() const { return load_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* mendButton() const { return mend_; }
    QPushButton* importButton() const { return importFiles_; }
    const std::vector<QPushButton*>& offeredButtons() const { return offeredButtons_; }

private:
    struct Range {
        QLabel* title = nullptr;
        std::array<QLineEdit*, 2> bound{};
        QLabel* unit = nullptr;
    };

    void BuildFilters(QBoxLayout* layout);
    void BuildButtons(QBoxLayout* layout);
    // Runs the search and the filters again, keeping the selected driver when it still shows.
    void Refresh();
    // The search or a bound changed: refreshes now, or when the typing pauses in a large store.
    void FilterEdited();
    void ShowNotice();
    void ShowSelection();
    // Reads the search and the bounds, marking a bound that is no number.
    void ReadFilter(database::DriverFilter& filter);
    std::vector<std::int64_t> SelectedIds() const;
    void Select(std::int64_t id);
    void Warn(const std::string& text);
    void SetStatus(const QString& text);

    std::string databasePath_;
    const AppSettings& settings_;
    Hooks hooks_;
    std::vector<database::InstalledDatabase> offered_;
    database::DriverStore store_;
    std::string refusal_;    // why the store is not open
    std::int64_t total_ = 0; // drivers stored
    bool metricShown_;       // the units the range bounds were typed in

    QLabel* notice_ = nullptr;
    QPushButton* retry_ = nullptr;
    QLineEdit* search_ = nullptr;
    QPushButton* clear_ = nullptr;
    QTimer* filterTimer_ = nullptr; // a search waiting for the typing to pause
    std::array<Range, RangeCount> ranges_;
    FieldBinder* units_ = nullptr; // the ranges' unit labels
    QTableView* table_ = nullptr;
    DriverTableModel* model_ = nullptr;
    QPlainTextEdit* details_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* importFiles_ = nullptr;
    QPushButton* importFolder_ = nullptr;
    std::vector<QPushButton*> offeredButtons_;
    QPushButton* export_ = nullptr;
    QPushButton* mend_ = nullptr;
    std::vector<database::UnitFix> selectedFixes_; // what Mend Units offers
    QPushButton* delete_ = nullptr;
};

} // namespace cw::ui
