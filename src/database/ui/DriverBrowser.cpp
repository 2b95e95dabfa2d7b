#include "database/ui/DriverBrowser.h"

#include "database/DriverCheck.h"
#include "database/ImportText.h"
#include "database/ui/DriverTableModel.h"
#include "driver/DriverFile.h"
#include "model/EditRules.h"
#include "model/Units.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <new>

namespace cw::ui
{

namespace
{

const QString kTitle = QStringLiteral("Driver Database");
const QString kDriverFilter = QStringLiteral("Loudspeaker Drivers (*.dvr)");
// The format of a file is told by its content, so every file can be offered.
const QString kImportFilter =
    QStringLiteral("Driver Files (*.dvr *.wdr *.xml *.txt *.tsv);;All Files (*)");
const QString kInvalidBound = QStringLiteral("color: #c00000;");
// Up to this many drivers every key of the search runs it at once.
constexpr std::int64_t kInstantSearchDrivers = 20000;
constexpr int kFilterPauseMs = 250;
// What the details box shows of a driver's findings.
constexpr std::size_t kShownFindings = 20;
constexpr std::size_t kShownFindingBytes = 300;

std::string Local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString Name(const std::string& manufacturer, const std::string& model)
{
    const QString name = QString::fromStdString(manufacturer + " " + model).simplified();
    return name.isEmpty() ? QStringLiteral("(a driver without a name)") : name;
}

QString Count(std::size_t n, const char* one, const char* many)
{
    return QString::number(n) + ' ' + QString::fromUtf8(n == 1 ? one : many);
}

// A file name from a driver's name: no folder separators, no hidden files.
QString FileNameFor(const QString& name)
{
    QString base = name;
    base.replace('/', '-').replace(QChar(0), ' ');
    while (base.startsWith('.'))
        base.remove(0, 1);
    return base.trimmed().isEmpty() ? QStringLiteral("driver") : base.trimmed();
}

// The bound a range field holds in the units it was typed in; decimal commas are taken too.
std::optional<double> Bound(const QLineEdit& field, bool& valid)
{
    QString text = field.text().trimmed();
    valid = true;
    if (text.isEmpty())
        return std::nullopt;
    text.replace(',', '.');
    const std::optional<double> value = edit::ParseNumber(text.toStdString());
    valid = value.has_value();
    return value;
}

} // namespace

DriverBrowser::DriverBrowser(std::string databasePath, const AppSettings& settings, Hooks hooks,
                             std::vector<database::InstalledDatabase> offered, QWidget* parent)
    : QWidget(parent, Qt::Window), databasePath_(std::move(databasePath)), settings_(settings),
      hooks_(std::move(hooks)), offered_(std::move(offered)), metricShown_(settings.metric())
{
    setWindowTitle(kTitle);
    // The window is made for each opening; closing it closes the database file.
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    auto* noticeRow = new QHBoxLayout;
    notice_ = new QLabel(this);
    notice_->setWordWrap(true);
    notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    retry_ = new QPushButton(QStringLiteral("&Try Again"), this);
    connect(retry_, &QPushButton::clicked, this, &DriverBrowser::Reopen);
    noticeRow->addWidget(notice_, 1);
    noticeRow->addWidget(retry_);
    layout->addLayout(noticeRow);

    auto* searchRow = new QHBoxLayout;
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Manufacturer or model"));
    search_->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    searchLabel->setBuddy(search_);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_, 1);
    layout->addLayout(searchRow);
    filterTimer_ = new QTimer(this);
    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(kFilterPauseMs);
    connect(filterTimer_, &QTimer::timeout, this, &DriverBrowser::Refresh);
    connect(search_, &QLineEdit::textChanged, this, &DriverBrowser::FilterEdited);
    // Enter in the search takes the driver it has found, once the search has run.
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        if (filterTimer_->isActive())
            Refresh();
        LoadSelected();
    });

    BuildFilters(layout);

    model_ = new DriverTableModel(settings_, this);
    table_ = new QTableView(this);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(DriverTableModel::Model, QHeaderView::Stretch);
    header->resizeSection(DriverTableModel::Manufacturer, 160);
    // Each value column is wide enough for its heading with the sort arrow beside it.
    const int arrow = table_->style()->pixelMetric(QStyle::PM_HeaderMarkSize) + 8;
    for (int column = 0; column < model_->columnCount(); ++column) {
        if (column != DriverTableModel::Manufacturer && column != DriverTableModel::Model)
            header->resizeSection(column, std::max(header->defaultSectionSize(),
                                                   header->sectionSizeHint(column) + arrow));
    }
    header->setSortIndicator(DriverTableModel::Manufacturer, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    layout->addWidget(table_, 1);
    // Double-click and Enter load the driver.
    connect(table_, &QTableView::activated, this, &DriverBrowser::LoadSelected);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        ShowSelection();
        UpdateCommands();
    });
    auto* remove = new QShortcut(QKeySequence(QKeySequence::Delete), table_);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &DriverBrowser::DeleteSelected);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    details_ = new QPlainTextEdit(this);
    details_->setReadOnly(true);
    details_->setMaximumHeight(details_->fontMetrics().lineSpacing() * 6);
    layout->addWidget(details_);

    auto* statusRow = new QHBoxLayout;
    count_ = new QLabel(this);
    status_ = new QLabel(this);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long report is cut at the window's edge (its tool tip has all of it) rather than
    // widening the window.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusRow->addWidget(count_);
    statusRow->addSpacing(16);
    statusRow->addWidget(status_, 1);
    layout->addLayout(statusRow);

    BuildButtons(layout);
    units_->ShowUnits(settings_.metric());
    resize(1000, 640);
    // Over the main window, where a window manager would put it too.
    if (parent)
        move(parent->geometry().center() - rect().center());
    Reopen();
}

DriverBrowser::~DriverBrowser() = default;

void DriverBrowser::BuildFilters(QBoxLayout* layout)
{
    static constexpr const char* kTitles[RangeCount] = {"Diameter", "f(s)", "Q(ts)", "V(as)",
                                                        "X(max)"};
    const UnitTexts kRangeUnits[RangeCount] = {
        kDiameterUnits, {"Hz", "Hz"}, {}, UnitLabels(UnitKind::Volume), {"mm", "mm"}};
    units_ = new FieldBinder(this);
    auto* row = new QHBoxLayout;
    for (int i = 0; i < RangeCount; ++i) {
        Range& r = ranges_[i];
        r.title = new QLabel(QString::fromUtf8(kTitles[i]), this);
        row->addWidget(r.title);
        for (int end = 0; end < 2; ++end) {
            auto* field = new QLineEdit(this);
            field->setPlaceholderText(end == 0 ? QStringLiteral("from") : QStringLiteral("to"));
            field->setMaximumWidth(
                field->fontMetrics().horizontalAdvance(QStringLiteral("00000.00")));
            connect(field, &QLineEdit::textChanged, this, &DriverBrowser::FilterEdited);
            r.bound[end] = field;
            if (end == 1)
                row->addWidget(new QLabel(QStringLiteral("–"), this));
            row->addWidget(field);
        }
        r.title->setBuddy(r.bound[0]);
        r.unit = new QLabel(this);
        units_->BindUnit(r.unit, kRangeUnits[i]);
        row->addWidget(r.unit);
        row->addSpacing(12);
    }
    clear_ = new QPushButton(QStringLiteral("C&lear Filters"), this);
    connect(clear_, &QPushButton::clicked, this, [this] {
        search_->clear();
        for (Range& r : ranges_) {
            for (QLineEdit* field : r.bound)
                field->clear();
        }
    });
    row->addStretch();
    row->addWidget(clear_);
    layout->addLayout(row);
}

void DriverBrowser::BuildButtons(QBoxLayout* layout)
{
    auto button = [this](const QString& text, void (DriverBrowser::*command)()) {
        auto* b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, command);
        return b;
    };
    load_ = button(QStringLiteral("L&oad into Workbench"), &DriverBrowser::LoadSelected);
    add_ = button(QStringLiteral("&Add Workbench Driver"), &DriverBrowser::AddWorkbenchDriver);
    importFiles_ = button(QStringLiteral("Import &Files..."), &DriverBrowser::ImportFiles);
    importFolder_ = button(QStringLiteral("Import Fol&der..."), &DriverBrowser::ImportFolder);
    export_ = button(QStringLiteral("&Export..."), &DriverBrowser::ExportSelected);
    mend_ = button(QStringLiteral("&Mend Units..."), &DriverBrowser::MendUnits);
    delete_ = button(QStringLiteral("Dele&te..."), &DriverBrowser::DeleteSelected);
    auto* closeButton = new QPushButton(QStringLiteral("&Close"), this);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* row = new QHBoxLayout;
    for (QPushButton* b : {load_, add_, importFiles_, importFolder_})
        row->addWidget(b);
    // Lists other programs installed on this system, each offered by its name.
    for (const database::InstalledDatabase& d : offered_) {
        auto* b =
            new QPushButton(QStringLiteral("Import the ") + QString::fromStdString(d.name), this);
        b->setToolTip(QString::fromStdString(d.path));
        const std::string path = d.path;
        connect(b, &QPushButton::clicked, this, [this, path] { Import({path}); });
        offeredButtons_.push_back(b);
        row->addWidget(b);
    }
    row->addWidget(mend_);
    row->addWidget(export_);
    row->addWidget(delete_);
    row->addStretch();
    row->addWidget(closeButton);
    layout->addLayout(row);
}

void DriverBrowser::Reopen()
{
    if (store_.isOpen())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A lock held by another program is waited for; a refusal leaves the file as it was.
    refusal_ =
        database::OpenDatabase(store_, databasePath_, database::DriverStore::Access::ReadWrite)
            .message;
    QApplication::restoreOverrideCursor();
    Refresh();
    UpdateCommands();
}

void DriverBrowser::UnitsChanged()
{
    const bool metric = settings_.metric();
    if (metric != metricShown_) {
        // Bounds typed for a twin quantity keep what they mean in the other unit.
        const std::pair<RangeFilter, double (*)(double)> twins[] = {
            {DiameterRange, metric ? InchesToMm : MmToInches},
            {VasRange, metric ? CuFtToLiters : LitersToCuFt}};
        for (const auto& [filter, convert] : twins) {
            for (QLineEdit* field : ranges_[filter].bound) {
                bool valid = true;
                if (const std::optional<double> v = Bound(*field, valid)) {
                    const QSignalBlocker quiet(field);
                    field->setText(QString::number(convert(*v), 'g', 6));
                }
            }
        }
        metricShown_ = metric;
    }
    units_->ShowUnits(metric);
    model_->UnitsChanged();
    Refresh();
}

void DriverBrowser::ReadFilter(database::DriverFilter& filter)
{
    filter.search = search_->text().toStdString();
    const bool metric = settings_.metric();
    database::Range* targets[RangeCount] = {&filter.nominalDiameterMm, &filter.fs, &filter.qts,
                                            &filter.vasLiters, &filter.xMax};
    for (int i = 0; i < RangeCount; ++i) {
        for (int end = 0; end < 2; ++end) {
            QLineEdit* field = ranges_[i].bound[end];
            bool valid = true;
            std::optional<double> v = Bound(*field, valid);
            // The store filters in the record's units.
            if (v && !metric && i == DiameterRange)
                v = InchesToMm(*v);
            if (v && !metric && i == VasRange)
                v = CuFtToLiters(*v);
            (end == 0 ? targets[i]->min : targets[i]->max) = v;
            field->setStyleSheet(valid ? QString() : kInvalidBound);
            field->setToolTip(valid ? QString()
                                    : QStringLiteral("Not a number: this bound is not used."));
        }
    }
}

bool DriverBrowser::searchPending() const
{
    return filterTimer_->isActive();
}

void DriverBrowser::FilterEdited()
{
    // A small store is searched at each key; in a large one the search would hold up the next
    // key, so it runs when the typing pauses.
    if (total_ <= kInstantSearchDrivers)
        Refresh();
    else
        filterTimer_->start();
}

void DriverBrowser::Refresh()
{
    filterTimer_->stop();
    const std::vector<std::int64_t> selected = SelectedIds();
    std::vector<database::DriverSummary> found;
    std::int64_t total = 0;
    std::string failure;
    if (store_.isOpen()) {
        database::DriverFilter filter;
        ReadFilter(filter);
        FileResult r = store_.Find(filter, found);
        if (r.ok())
            r = store_.Count(total);
        failure = r.message;
    }
    total_ = total;
    model_->SetDrivers(std::move(found));
    if (!selected.empty() && model_->RowOf(selected.front()) >= 0)
        Select(selected.front());
    else if (model_->rowCount() > 0)
        Select(model_->driver(0).id);
    count_->setText(store_.isOpen()
                        ? QStringLiteral("%1 of %2")
                              .arg(model_->rowCount())
                              .arg(Count(static_cast<std::size_t>(total), "driver", "drivers"))
                        : QString());
    if (!failure.empty())
        SetStatus(QString::fromStdString(failure));
    ShowNotice();
    ShowSelection();
    UpdateCommands();
}

void DriverBrowser::ShowNotice()
{
    QString text;
    if (!store_.isOpen()) {
        text = QString::fromStdString(refusal_) +
               QStringLiteral(" The rest of Conewright works as before; a driver can still be "
                              "opened from its file.");
    } else if (store_.readOnly()) {
        text = QString::fromStdString(
            WithPath("The driver database %1 is read-only: its drivers can be loaded and "
                     "exported, but none can be added or deleted.",
                     store_.path()));
    } else if (total_ == 0) {
        text = QStringLiteral("The driver database is empty. Import driver files (.dvr), WinISD "
                              "driver files (.wdr), qspeakers driver lists or tab-separated "
                              "driver tables, one by one or a folder at a time.");
        for (const database::InstalledDatabase& d : offered_)
            text += QStringLiteral(" The %1 is installed on this system and can be imported "
                                   "with its button below.")
                        .arg(QString::fromStdString(d.name));
    }
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
    retry_->setVisible(!store_.isOpen());
}

void DriverBrowser::ShowSelection()
{
    selectedFixes_.clear();
    const std::vector<std::int64_t> ids = SelectedIds();
    if (ids.size() != 1) {
        details_->setPlainText(ids.empty() ? QString()
                                           : Count(ids.size(), "driver", "drivers") +
                                                 QStringLiteral(" selected."));
        return;
    }
    std::optional<database::StoredDriver> d;
    if (const FileResult r = store_.Get(ids.front(), d); !r.ok() || !d) {
        details_->setPlainText(QString::fromStdString(r.message));
        return;
    }
    QStringList lines;
    const QString added = QString::fromStdString(d->addedAt);
    if (d->sourceFormat == database::kFormatWorkbench)
        lines << QStringLiteral("Added from a workbench on %1%2.")
                     .arg(added,
                          d->sourceFile.empty()
                              ? QString()
                              : QStringLiteral(" (") + QString::fromStdString(d->sourceFile) + ')');
    else
        lines << QStringLiteral("Imported from %1 (%2) on %3.")
                     .arg(QString::fromStdString(
                              database::Abbreviated(d->sourceFile, kShownFindingBytes)),
                          QString::fromStdString(d->sourceFormat), added);
    // A finding stored by an older version may quote a value of a megabyte; laying it out
    // would hold up every key typed while the driver is selected.
    std::size_t shown = 0;
    for (const std::vector<std::string>* findings : {&d->importFindings, &d->checkFindings}) {
        for (const std::string& f : *findings) {
            if (shown++ < kShownFindings)
                lines << QStringLiteral("\u2022 ") +
                             QString::fromStdString(database::Abbreviated(f, kShownFindingBytes));
        }
    }
    if (shown > kShownFindings)
        lines << QStringLiteral("(%1 more)").arg(shown - kShownFindings);
    // What Mend Units offers, before it is applied.
    selectedFixes_ = database::LikelyUnitFixes(d->driver);
    for (const database::UnitFix& fix : selectedFixes_)
        lines << QStringLiteral("Mend Units sets %1.")
                     .arg(QString::fromStdString(database::DescribeFix(fix)));
    if (d->importFindings.empty() && d->checkFindings.empty())
        lines << QStringLiteral("The check found its values consistent.");
    details_->setPlainText(lines.join('\n'));
}

void DriverBrowser::UpdateCommands()
{
    const bool open = store_.isOpen();
    const bool writable = open && !store_.readOnly();
    const std::size_t selected = SelectedIds().size();
    load_->setEnabled(open && selected == 1);
    add_->setEnabled(writable && hooks_.currentDoc && hooks_.currentDoc() != nullptr);
    for (QPushButton* b : {importFiles_, importFolder_})
        b->setEnabled(writable);
    for (QPushButton* b : offeredButtons_)
        b->setEnabled(writable);
    export_->setEnabled(open && selected > 0);
    mend_->setEnabled(writable && selected == 1 && !selectedFixes_.empty());
    delete_->setEnabled(writable && selected > 0);
    search_->setEnabled(open);
    clear_->setEnabled(open);
    for (Range& r : ranges_) {
        for (QLineEdit* field : r.bound)
            field->setEnabled(open);
    }
}

std::vector<std::int64_t> DriverBrowser::SelectedIds() const
{
    std::vector<std::int64_t> ids;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        ids.push_back(model_->driver(index.row()).id);
    return ids;
}

void DriverBrowser::Select(std::int64_t id)
{
    const int row = model_->RowOf(id);
    if (row < 0)
        return;
    const QModelIndex index = model_->index(row, 0);
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

void DriverBrowser::Warn(const std::string& text)
{
    QMessageBox::warning(this, kTitle, QString::fromStdString(text));
}

void DriverBrowser::SetStatus(const QString& text)
{
    status_->setText(text);
    status_->setToolTip(text);
}

void DriverBrowser::LoadSelected()
{
    const std::vector<std::int64_t> ids = SelectedIds();
    if (!store_.isOpen() || ids.size() != 1)
        return;
    std::optional<database::StoredDriver> d;
    if (const FileResult r = store_.Get(ids.front(), d); !r.ok()) {
        Warn(r.message);
        return;
    }
    if (!d) {
        // Another program took it away since the table was filled.
        Warn("The driver is no longer in the driver database.");
        Refresh();
        return;
    }
    // As opening its driver file does: the design values follow the new driver and every view
    // of the project is updated.
    hooks_.loadTarget().LoadDriver(d->driver);
    QString text = QStringLiteral("Loaded %1 into the workbench.")
                       .arg(Name(d->driver.manufacturer, d->driver.model));
    // A value in the wrong unit designs a box of the wrong size: the user hears of it.
    QStringList suspects;
    for (const database::UnitFix& fix : database::LikelyUnitFixes(d->driver))
        suspects << QString::fromUtf8(fix.label);
    if (!suspects.isEmpty())
        text += QStringLiteral(" Its %1 %2 given in the wrong unit: Mend Units shows the values "
                               "meant.")
                    .arg(suspects.join(QStringLiteral(", ")),
                         suspects.size() == 1 ? QStringLiteral("looks") : QStringLiteral("look"));
    SetStatus(text);
    UpdateCommands();
}

void DriverBrowser::AddWorkbenchDriver()
{
    CSpkSysDoc* doc = hooks_.currentDoc ? hooks_.currentDoc() : nullptr;
    if (!doc || !store_.isOpen())
        return;
    database::ImportedDriver imported;
    imported.driver = doc->workbench().driver;
    imported.sourceFile = doc->path();
    imported.sourceFormat = database::kFormatWorkbench;
    database::AddReport report;
    if (const FileResult r = store_.Add({&imported, 1}, report); !r.ok()) {
        Warn(r.message);
        return;
    }
    const QString name = Name(imported.driver.manufacturer, imported.driver.model);
    Refresh();
    if (report.added.empty()) {
        SetStatus(QStringLiteral("%1 is in the driver database already.").arg(name));
        return;
    }
    Select(report.added.front());
    SetStatus(model_->RowOf(report.added.front()) >= 0
                  ? QStringLiteral("Added %1 to the driver database.").arg(name)
                  : QStringLiteral("Added %1 to the driver database; the search or the "
                                   "filters hide it.")
                        .arg(name));
}

void DriverBrowser::ImportFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Import Driver Files"), QString(), kImportFilter);
    std::vector<std::string> paths;
    for (const QString& f : files)
        paths.push_back(Local(f));
    if (!paths.empty())
        Import(paths);
}

void DriverBrowser::ImportFolder()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Import a Folder of Drivers"));
    if (!folder.isEmpty())
        Import({Local(folder)});
}

void DriverBrowser::Import(const std::vector<std::string>& paths)
{
    if (!store_.isOpen() || store_.readOnly())
        return;
    QProgressDialog progress(QStringLiteral("Reading driver files..."), QStringLiteral("&Stop"), 0,
                             0, this);
    progress.setWindowTitle(QStringLiteral("Import"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    std::size_t done = 0;
    std::size_t total = 0;
    bool stopped = false;
    database::ImportBatch batch;
    database::AddReport report;
    FileResult stored;
    try {
        batch = database::ReadDriverFiles(paths, [&](std::size_t n, std::size_t all) {
            done = n;
            total = all;
            progress.setMaximum(static_cast<int>(all));
            progress.setValue(static_cast<int>(n));
            stopped = progress.wasCanceled();
            return !stopped;
        });
        progress.setLabelText(QStringLiteral("Storing drivers..."));
        stored = store_.Add(batch.drivers, report);
    } catch (const std::bad_alloc&) {
        // The store's transaction was rolled back on the way out.
        batch = {};
        stored = {"There is not enough memory to import these files; nothing was added."};
    }
    progress.reset();
    if (!stored.ok()) {
        Warn(stored.message);
        return;
    }
    Refresh();
    if (!report.added.empty())
        Select(report.added.front());

    // "Imported 3 drivers from 2 files.", or with drivers stored before "Imported 1 of the 3
    // drivers read from 2 files; 2 were in the database already."
    const QString files = Count(batch.filesRead, "file", "files");
    QString text = report.duplicates.empty()
                       ? QStringLiteral("Imported %1 from %2.")
                             .arg(Count(report.added.size(), "driver", "drivers"), files)
                       : QStringLiteral("Imported %1 of the %2 read from %3; %4 in the database "
                                        "already.")
                             .arg(report.added.size())
                             .arg(Count(batch.drivers.size(), "driver", "drivers"), files,
                                  Count(report.duplicates.size(), "was", "were"));
    QStringList detail;
    for (const std::string& name : report.duplicates)
        detail << QStringLiteral("Already in the database: ") + QString::fromStdString(name);
    if (!batch.skipped.empty())
        text += ' ' + Count(batch.skipped.size(), "file was", "files were") +
                QStringLiteral(" skipped.");
    for (const database::SkippedFile& s : batch.skipped)
        detail << QStringLiteral("Skipped: ") + QString::fromStdString(s.reason);
    if (stopped)
        text +=
            QStringLiteral(" The import was stopped after %1 of %2 files.").arg(done).arg(total);
    SetStatus(text);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Import"), text, QMessageBox::Ok,
                    this);
    if (!detail.isEmpty())
        box.setDetailedText(detail.join('\n'));
    box.exec();
}

void DriverBrowser::ExportSelected()
{
    std::vector<database::StoredDriver> drivers;
    for (const std::int64_t id : SelectedIds()) {
        std::optional<database::StoredDriver> d;
        if (const FileResult r = store_.Get(id, d); !r.ok()) {
            Warn(r.message);
            return;
        }
        if (d)
            drivers.push_back(std::move(*d));
    }
    if (drivers.empty())
        return;
    if (drivers.size() == 1) {
        const database::StoredDriver& d = drivers.front();
        const QString name = Name(d.driver.manufacturer, d.driver.model);
        QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export Driver"),
                                                    FileNameFor(name) + ".dvr", kDriverFilter);
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".dvr");
        // The driver would take the place of every driver the window shows.
        if (const FileResult r = database::CheckNotDatabase(Local(path), store_.path()); !r.ok()) {
            Warn(r.message);
            return;
        }
        if (const FileResult r = WriteDriverFile(Local(path), d.driver); !r.ok()) {
            Warn(r.message);
            return;
        }
        SetStatus(QStringLiteral("Exported %1 to %2.").arg(name, path));
        return;
    }
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Export Drivers to a Folder"));
    if (folder.isEmpty())
        return;
    QStringList failures;
    std::size_t written = 0;
    for (const database::StoredDriver& d : drivers) {
        // A file already there is never overwritten: the name gets a number.
        const QString base = FileNameFor(Name(d.driver.manufacturer, d.driver.model));
        QString path = QDir(folder).filePath(base + ".dvr");
        for (int n = 2; QFileInfo::exists(path); ++n)
            path = QDir(folder).filePath(QStringLiteral("%1 (%2).dvr").arg(base).arg(n));
        if (const FileResult r = WriteDriverFile(Local(path), d.driver); !r.ok())
            failures << QString::fromStdString(r.message);
        else
            ++written;
    }
    SetStatus(
        QStringLiteral("Exported %1 to %2.").arg(Count(written, "driver", "drivers"), folder));
    if (!failures.isEmpty())
        Warn(failures.join('\n').toStdString());
}

void DriverBrowser::MendUnits()
{
    const std::vector<std::int64_t> ids = SelectedIds();
    if (ids.size() != 1 || !store_.isOpen() || store_.readOnly())
        return;
    std::optional<database::StoredDriver> d;
    if (const FileResult r = store_.Get(ids.front(), d); !r.ok() || !d) {
        Warn(r.ok() ? std::string("The driver is no longer in the driver database.") : r.message);
        return;
    }
    const std::vector<database::UnitFix> fixes = database::LikelyUnitFixes(d->driver);
    if (fixes.empty())
        return;
    QStringList changes;
    for (const database::UnitFix& fix : fixes)
        changes << QStringLiteral("Set %1.").arg(
            QString::fromStdString(database::DescribeFix(fix)));
    const QString name = Name(d->driver.manufacturer, d->driver.model);
    if (QMessageBox::question(this, kTitle,
                              QStringLiteral("Mend the units of %1?\n\n%2\n\nImporting its file "
                                             "again brings the values as they were back.")
                                  .arg(name, changes.join('\n')),
                              QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    if (const FileResult r = store_.Update(ids.front(), ApplyUnitFixes(d->driver, fixes));
        !r.ok()) {
        Warn(r.message);
        return;
    }
    Refresh();
    SetStatus(QStringLiteral("Mended %1: %2").arg(name, changes.join(' ')));
}

void DriverBrowser::DeleteSelected()
{
    const std::vector<std::int64_t> ids = SelectedIds();
    if (ids.empty() || !store_.isOpen() || store_.readOnly())
        return;
    QString question;
    if (ids.size() == 1) {
        const database::DriverSummary& d = model_->driver(model_->RowOf(ids.front()));
        question = QStringLiteral("Delete %1 from the driver database?")
                       .arg(Name(d.manufacturer, d.model));
    } else {
        question = QStringLiteral("Delete the %1 selected drivers from the driver database?")
                       .arg(ids.size());
    }
    if (QMessageBox::question(this, kTitle, question, QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    if (const FileResult r = store_.Remove(ids); !r.ok()) {
        Warn(r.message);
        return;
    }
    Refresh();
    SetStatus(QStringLiteral("Deleted %1.").arg(Count(ids.size(), "driver", "drivers")));
}

} // namespace cw::ui
