#include "database/ui/DriverBrowser.h"

#include "AppFixture.h"
#include "app/AppCommandIds.h"
#include "app/CDrvrWnd.h"
#include "database/ui/DriverTableModel.h"
#include "driver/DriverFile.h"
#include "editors/ui/CDrvrView.h"
#include "model/CommandIds.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <memory>

namespace cw::test
{

namespace
{

using ui::DriverBrowser;
using ui::DriverTableModel;

DriverParams Driver(const std::string& manufacturer, const std::string& model, double fs,
                    double diameterMm)
{
    DriverParams d;
    d.manufacturer = manufacturer;
    d.model = model;
    d.fs = fs;
    d.nominalDiameterMm = diameterMm;
    d.qts = 0.4;
    d.vasLiters = 40;
    return d;
}

// Answers the next file dialog with path, or cancels it when path is empty.
ModalWatch AnswerNextFileDialog(const QString& path)
{
    ModalOptions options;
    // The dialog lists its folder in the background and may clear or refuse a name meanwhile:
    // it is answered again until it closes.
    options.untilClosed = true;
    return AnswerModal<QFileDialog>(
        [path](QFileDialog& dialog) {
            if (path.isEmpty()) {
                dialog.reject();
                return;
            }
            // As typing the name and pressing Open or Save does.
            const QFileInfo file(path);
            dialog.setDirectory(file.absolutePath());
            if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit"))
                name->setText(file.fileName());
            QMetaObject::invokeMethod(&dialog, "accept");
        },
        options);
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray Bytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// The application with the user's data folder in the test's own folder.
class DriverBrowserTest : public ActiveAppFixture
{
protected:
    void SetUp() override
    {
        previous_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
        ActiveAppFixture::SetUp();
    }
    void TearDown() override
    {
        ActiveAppFixture::TearDown();
        qputenv("XDG_DATA_HOME", previous_);
    }

    std::string DatabasePath() const
    {
        return dir.filePath("data/conewright/drivers.sqlite").toStdString();
    }
    void Store(const std::vector<DriverParams>& drivers)
    {
        database::DriverStore store;
        ASSERT_TRUE(
            database::OpenDatabase(store, {}, database::DriverStore::Access::ReadWrite).ok());
        std::vector<database::ImportedDriver> imported;
        for (const DriverParams& d : drivers)
            imported.push_back({d, "made by the test", database::kFormatDriverFile, {}});
        database::AddReport report;
        ASSERT_TRUE(store.Add(imported, report).ok());
    }
    // Opens the window as the user does, with Ctrl+D.
    DriverBrowser* Open()
    {
        QApplication::setActiveWindow(frame());
        QTest::keyClick(frame(), Qt::Key_D, Qt::ControlModifier);
        QApplication::processEvents();
        DriverBrowser* browser = app->driverBrowser();
        EXPECT_TRUE(browser && browser->isVisible());
        return browser;
    }
    static QStringList Column(const DriverBrowser& b, int column)
    {
        QStringList texts;
        for (int row = 0; row < b.model()->rowCount(); ++row)
            texts << b.model()->index(row, column).data().toString();
        return texts;
    }
    static QString Current(const DriverBrowser& b)
    {
        const QModelIndexList rows = b.table()->selectionModel()->selectedRows();
        return rows.size() == 1
                   ? b.model()->index(rows[0].row(), DriverTableModel::Model).data().toString()
                   : QString();
    }

    QByteArray previous_;
};

TEST_F(DriverBrowserTest, SearchNarrowsKeyByKeyAndTheRangesFilterInThePreferredUnits)
{
    Store({Driver("Acme", "W200", 41, 200), Driver("Acme", "T25", 900, 25),
           Driver("Borealis", "W200 Pro", 35, 203), Driver("Calder", "SUB12", 22, 300)});
    DriverBrowser* b = Open();
    ASSERT_TRUE(b);
    EXPECT_EQ(b->countLabel()->text(), "4 of 4 drivers");

    QLineEdit* search = b->searchField();
    search->setFocus();
    std::vector<int> rows;
    for (const char key : std::string("w2 bor")) {
        QTest::keyClick(search, key);
        rows.push_back(b->model()->rowCount());
    }
    EXPECT_EQ(rows, (std::vector<int>{2, 2, 2, 1, 1, 1}));
    EXPECT_EQ(Current(*b), "W200 Pro");
    // Enter takes the driver found.
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(doc().workbench().driver.model, "W200 Pro");
    search->clear();

    // English units: the diameter in inches. 7.9 in is 200.66 mm, which leaves 200 mm out.
    EXPECT_EQ(b->model()
                  ->headerData(DriverTableModel::Diameter, Qt::Horizontal, Qt::DisplayRole)
                  .toString(),
              "Diameter (in)");
    QTest::keyClicks(b->rangeField(DriverBrowser::DiameterRange, false), "7,9");
    EXPECT_EQ(Column(*b, DriverTableModel::Model), (QStringList{"W200 Pro", "SUB12"}));
    QTest::keyClicks(b->rangeField(DriverBrowser::FsRange, true), "30");
    EXPECT_EQ(Column(*b, DriverTableModel::Model), (QStringList{"SUB12"}));
    // A bound that is no number is marked and not used.
    QTest::keyClicks(b->rangeField(DriverBrowser::QtsRange, false), "abc");
    EXPECT_FALSE(b->rangeField(DriverBrowser::QtsRange, false)->styleSheet().isEmpty());
    EXPECT_EQ(b->model()->rowCount(), 1);

    // In metric units the bound keeps its meaning.
    app->settings().units = UnitsPreference::Metric;
    b->UnitsChanged();
    EXPECT_EQ(b->rangeField(DriverBrowser::DiameterRange, false)->text(), "200.66");
    EXPECT_EQ(b->rangeUnit(DriverBrowser::DiameterRange)->text(), "mm");
    EXPECT_EQ(Column(*b, DriverTableModel::Diameter), (QStringList{"300"}));
}

TEST_F(DriverBrowserTest, HeaderClicksSortNumbersAsNumbersAndTheSelectionFollows)
{
    Store({Driver("Acme", "A", 100, 0), Driver("Acme", "B", 9, 0), Driver("Acme", "C", 0, 0),
           Driver("Borealis", "D", 41, 0)});
    DriverBrowser* b = Open();
    ASSERT_TRUE(b);
    QTableView* table = b->table();
    QHeaderView* header = table->horizontalHeader();
    auto click = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    };
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(b->model()->index(3, 0)).center());
    ASSERT_EQ(Current(*b), "D");

    click(DriverTableModel::Fs);
    // f(s) not given stays last in both directions.
    EXPECT_EQ(Column(*b, DriverTableModel::Model), (QStringList{"B", "D", "A", "C"}));
    EXPECT_EQ(Current(*b), "D");
    click(DriverTableModel::Fs);
    EXPECT_EQ(Column(*b, DriverTableModel::Model), (QStringList{"A", "D", "B", "C"}));
    click(DriverTableModel::Manufacturer);
    EXPECT_EQ(Column(*b, DriverTableModel::Manufacturer).last(), "Borealis");
    click(DriverTableModel::Manufacturer);
    EXPECT_EQ(Column(*b, DriverTableModel::Manufacturer).first(), "Borealis");
    EXPECT_EQ(Current(*b), "D");
}

TEST_F(DriverBrowserTest, ImportedFileLoadsIntoTheWorkbenchAsItsDriverFileWould)
{
    DriverBrowser* b = Open();
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->notice()->text().startsWith("The driver database is empty."));
    // WinISD units and decimal commas; no X(max), so loading estimates it with a NOTE.
    const QString file = dir.filePath("w8.wdr");
    WriteFile(file, "[Driver]\r\nBrand=Acme\r\nModel=W8\r\nfs=39,8\r\nQms=4\r\nQes=0,498\r\n"
                    "Qts=0.443\r\nVas=0.0514\r\nRe=5.6\r\nSd=0.0214\r\nMms=0.02\r\nBL=7.5 N/A\r\n");

    QString summary;
    const ModalWatch fileDialog = AnswerNextFileDialog(file);
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Ok, &summary);
    QTest::mouseClick(b->importButton(), Qt::LeftButton);
    EXPECT_EQ(summary, "Imported 1 driver from 1 file.");
    // A second time, nothing is stored twice.
    const ModalWatch fileDialog2 = AnswerNextFileDialog(file);
    const ModalWatch box2 = AnswerNextMessageBox(QMessageBox::Ok, &summary);
    QTest::mouseClick(b->importButton(), Qt::LeftButton);
    EXPECT_EQ(summary,
              "Imported 0 of the 1 driver read from 1 file; 1 was in the database already.");
    ASSERT_EQ(b->model()->rowCount(), 1);
    EXPECT_FALSE(b->notice()->isVisible());
    // The guessed BL is kept as a finding, marked in the table and told in full below it.
    const QModelIndex mark = b->model()->index(0, DriverTableModel::Findings);
    EXPECT_TRUE(mark.data(Qt::ToolTipRole).toString().contains("BL"));
    EXPECT_TRUE(b->details()->toPlainText().contains("w8.wdr (wdr)"));

    // The reference: the same driver loaded by the document itself.
    std::optional<database::StoredDriver> stored;
    ASSERT_TRUE(b->store().Get(b->model()->driver(0).id, stored).ok() && stored);
    CSpkSysDoc reference;
    reference.workbench() = doc().workbench();
    reference.LoadDriver(stored->driver);

    b->table()->setFocus();
    QTest::keyClick(b->table(), Qt::Key_Return);
    const CSpkSys& wb = doc().workbench();
    EXPECT_EQ(wb.driver, reference.workbench().driver);
    EXPECT_EQ(wb.closed2, reference.workbench().closed2);
    EXPECT_DOUBLE_EQ(wb.driver.vasLiters, 51.4);
    EXPECT_NE(wb.driver.description.find("NOTE: X(max) was estimated"), std::string::npos);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(app->currentProject()->driverPanel()->view()->shownField(0)->text(), "39.8");
}

TEST_F(DriverBrowserTest, WorkbenchDriverGoesInOnceComesOutByteForByteAndGoesAfterAsking)
{
    DriverBrowser* b = Open();
    ASSERT_TRUE(b);
    doc().workbench().driver.manufacturer = "Sample";
    doc().workbench().driver.model = "W8/2";
    QTest::mouseClick(b->addButton(), Qt::LeftButton);
    ASSERT_EQ(b->model()->rowCount(), 1);
    EXPECT_TRUE(b->details()->toPlainText().startsWith("Added from a workbench"));
    QTest::mouseClick(b->addButton(), Qt::LeftButton);
    EXPECT_EQ(b->model()->rowCount(), 1);

    const QString exported = dir.filePath("Sample W8-2.dvr");
    const ModalWatch fileDialog = AnswerNextFileDialog(exported);
    b->ExportSelected();
    const DriverParams& d = doc().workbench().driver;
    EXPECT_EQ(Bytes(exported.toStdString()).toStdString(), EncodeDriver(d));

    QApplication::setActiveWindow(b);
    b->table()->setFocus();
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Cancel);
    QTest::keyClick(b->table(), Qt::Key_Delete);
    EXPECT_EQ(b->model()->rowCount(), 1);
    QString question;
    const ModalWatch box2 = AnswerNextMessageBox(QMessageBox::Ok, &question);
    QTest::mouseClick(b->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(question, "Delete Sample W8/2 from the driver database?");
    EXPECT_EQ(b->model()->rowCount(), 0);
}

TEST_F(DriverBrowserTest, ALongFindingOrALargeStoreNeverHoldsUpTheTyping)
{
    // A finding quoting a value of a megabyte, as an earlier version stored it.
    {
        database::DriverStore store;
        ASSERT_TRUE(
            database::OpenDatabase(store, {}, database::DriverStore::Access::ReadWrite).ok());
        database::ImportedDriver long_{Driver("Acme", "Long", 40, 200), "long.wdr", "wdr", {}};
        long_.findings = {"f(s): \"" + std::string(1 << 20, '7') + "\" is not a number.", "second"};
        database::AddReport report;
        ASSERT_TRUE(store.Add({&long_, 1}, report).ok());
    }
    DriverBrowser* b = Open();
    ASSERT_TRUE(b);
    ASSERT_EQ(Current(*b), "Long");
    const QString details = b->details()->toPlainText();
    EXPECT_LT(details.size(), 2000);
    EXPECT_TRUE(details.contains("\u2022 f(s): \"777")) << details.toStdString();
    EXPECT_TRUE(details.contains("\u2022 second"));

    // Up to 20,000 drivers each key searches at once; beyond, the search waits for a pause.
    std::vector<DriverParams> many;
    for (int i = 0; i < 20000; ++i)
        many.push_back(Driver("Bulk", "B" + std::to_string(i), 30, 200));
    Store(many);
    QLineEdit* search = b->searchField();
    search->setFocus();
    QTest::keyClick(search, 'b');
    EXPECT_EQ(b->model()->rowCount(), 20000);
    QTest::keyClicks(search, "19999");
    EXPECT_TRUE(b->searchPending());
    EXPECT_EQ(b->model()->rowCount(), 20000);
    for (int i = 0; i < 50 && b->searchPending(); ++i)
        QTest::qWait(100);
    EXPECT_EQ(b->model()->rowCount(), 1);
    // Enter takes what the whole search finds, even before the pause.
    search->setText("bulk b123");
    search->setText("bulk b1234");
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(doc().workbench().driver.model, "B1234");
}

TEST_F(DriverBrowserTest, AValueInTheWrongUnitIsMendedAfterShowingBeforeAndAfter)
{
    DriverParams big = Driver("Acme", "W10", 30, 254);
    big.vasLiters = 45000; // cubic metres typed where liters belong
    Store({big, Driver("Acme", "W8", 40, 200)});
    DriverBrowser* b = Open();
    ASSERT_TRUE(b);
    ASSERT_EQ(Current(*b), "W10");
    EXPECT_TRUE(b->details()->toPlainText().contains(
        "Mend Units sets V(as) from 45000 liters to 45 liters."));
    EXPECT_TRUE(b->mendButton()->isEnabled());
    b->LoadSelected();
    EXPECT_EQ(b->statusLabel()->text(),
              "Loaded Acme W10 into the workbench. Its V(as) looks given in the wrong unit: Mend "
              "Units shows the values meant.");
    EXPECT_EQ(doc().workbench().driver.vasLiters, 45000);

    // Cancel changes nothing; OK sets the one value.
    {
        const ModalWatch cancel = AnswerNextMessageBox(QMessageBox::Cancel);
        QTest::mouseClick(b->mendButton(), Qt::LeftButton);
    }
    QString question;
    {
        const ModalWatch ok = AnswerNextMessageBox(QMessageBox::Ok, &question);
        QTest::mouseClick(b->mendButton(), Qt::LeftButton);
    }
    EXPECT_TRUE(question.contains("Set V(as) from 45000 liters to 45 liters."))
        << question.toStdString();
    std::optional<database::StoredDriver> stored;
    ASSERT_TRUE(b->store().Get(b->model()->driver(0).id, stored).ok());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->driver.vasLiters, 45);
    EXPECT_EQ(stored->driver.fs, 30);
    EXPECT_TRUE(stored->checkFindings.empty());
    EXPECT_FALSE(b->mendButton()->isEnabled());
}

TEST_F(DriverBrowserTest, WithNoProjectOpenALoadMakesOne)
{
    Store({Driver("Acme", "W200", 41, 200)});
    DriverBrowser* b = Open();
    ASSERT_TRUE(b);
    app->CloseProject(*app->currentProject());
    Settle();
    EXPECT_FALSE(b->addButton()->isEnabled());
    EXPECT_TRUE(b->loadButton()->isEnabled());
    QTest::mouseClick(b->loadButton(), Qt::LeftButton);
    ASSERT_EQ(app->projects().size(), 1u);
    EXPECT_EQ(doc().workbench().driver.model, "W200");
    EXPECT_TRUE(b->addButton()->isEnabled());
}

TEST_F(DriverBrowserTest, UnusableDatabaseIsNamedLeftAsItWasAndTheProgramGoesOn)
{
    // A real database cut short, and a file of another kind.
    Store({Driver("Acme", "W200", 41, 200)});
    const std::string path = DatabasePath();
    std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
    for (const auto& [bytes, message] :
         {std::pair{Bytes(path), std::string("is damaged and cannot be used.")},
          std::pair{QByteArray(4096, 'x'), std::string("is not a Conewright driver database.")}}) {
        WriteFile(QString::fromStdString(path), bytes);
        DriverBrowser* b = Open();
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->notice()->text().contains(QString::fromStdString(path + " " + message)))
            << b->notice()->text().toStdString();
        EXPECT_EQ(b->model()->rowCount(), 0);
        EXPECT_FALSE(b->importButton()->isEnabled());
        EXPECT_FALSE(b->addButton()->isEnabled());
        QTest::mouseClick(b->retryButton(), Qt::LeftButton);
        EXPECT_EQ(Bytes(path), bytes);
        b->close();
        Settle();
    }
    // The workbench still calculates.
    EXPECT_TRUE(app->OnCommand(cmd::CalculateResponse));
    EXPECT_EQ(doc().workbench().hasSpl, 1);
}

TEST_F(DriverBrowserTest, InstalledListIsOfferedByNameAndImported)
{
    const QString xml = dir.filePath("list.xml");
    WriteFile(xml, "<speakers><speaker vendor=\"Acme\" model=\"X1\" fs=\"30\" vas=\"20\"/>"
                   "<speaker vendor=\"Acme\" model=\"X2\" fs=\"31\"/></speakers>");
    DriverBrowser::Hooks hooks{[this] { return &doc(); },
                               [this]() -> CSpkSysDoc& { return doc(); }};
    DriverBrowser b({}, app->settings(), hooks, {{"other program's list", xml.toStdString()}},
                    nullptr);
    b.show();
    ASSERT_EQ(b.offeredButtons().size(), 1u);
    EXPECT_EQ(b.offeredButtons()[0]->text(), "Import the other program's list");
    EXPECT_TRUE(b.notice()->text().contains("The other program's list is installed"));
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Ok);
    QTest::mouseClick(b.offeredButtons()[0], Qt::LeftButton);
    EXPECT_EQ(Column(b, DriverTableModel::Model), (QStringList{"X1", "X2"}));
}

} // namespace

} // namespace cw::test
