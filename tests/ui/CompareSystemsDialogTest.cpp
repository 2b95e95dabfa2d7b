#include "reports/ui/CompareSystemsDialog.h"

#include "engine/CalculateResponse.h"
#include "reports/ui/ReportPrinter.h"
#include "support/RecordingWindows.h"

#include <QFile>
#include <QHeaderView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace cw::ui
{
namespace
{

struct CompareSystemsDialogTest : ::testing::Test {
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    test::RecordingWindows windows;
    ReportPrinter printer;

    // A family of closed boxes: the workbench and ten memories, every one shown.
    CompareSystemsDialogTest()
    {
        doc->SetWindows(&windows);
        doc->workbench().closed2.vbLiters = doc->workbench().closed2.vbCuFt = 0;
        engine::CalculateResponse(*doc);
        for (CSpkSys& s : doc->systems)
            s.responseShown = 1;
    }
    ~CompareSystemsDialogTest() override { doc->SetWindows(nullptr); }

    int Column(const QTableWidget& t, const QString& title)
    {
        for (int c = 0; c < t.columnCount(); ++c) {
            if (t.horizontalHeaderItem(c)->text() == title)
                return c;
        }
        return -1;
    }
};

TEST_F(CompareSystemsDialogTest, SortsNumbersByValueAndShowsAClickedSystemAlone)
{
    CompareSystemsDialog dialog(*doc, true, 17, printer);
    QTableWidget& t = *dialog.table();
    ASSERT_EQ(t.rowCount(), 11);
    const int f3 = Column(t, "F3 (Hz)");
    ASSERT_GE(f3, 0);
    t.sortItems(f3, Qt::DescendingOrder);
    for (int r = 1; r < t.rowCount(); ++r)
        EXPECT_GE(t.item(r - 1, f3)->text().toDouble(), t.item(r, f3)->text().toDouble());

    // The system of the sorted table's third row, alone on the plot.
    const QString system = t.item(2, 0)->text();
    ASSERT_TRUE(system.startsWith("Sys ")) << system.toStdString();
    const int n = system.mid(4).toInt();
    dialog.ShowAlone(2);
    for (int k = 0; k < kSystemCount; ++k)
        EXPECT_EQ(doc->systems[k].responseShown, k == n ? 1 : 0) << k;
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(CompareSystemsDialogTest, ExportsTheTableAsCsvAndNamesAFailure)
{
    CompareSystemsDialog dialog(*doc, false, 17, printer);
    QTemporaryDir dir;
    const QString path = dir.filePath("table.csv");
    EXPECT_TRUE(dialog.ExportCsv(path).isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 13); // the header, 11 rows and the last line's end
    EXPECT_TRUE(lines[0].startsWith("system,name,box_type,f3_hz,"));
    EXPECT_FALSE(dialog.ExportCsv(dir.filePath("no/such/folder/table.csv")).isEmpty());
}

} // namespace
} // namespace cw::ui
