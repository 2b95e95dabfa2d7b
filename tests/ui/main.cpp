#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The window tests need a QApplication for their whole run.
int main(int argc, char** argv)
{
    // Never touch the user's settings or files.
    QStandardPaths::setTestModeEnabled(true);
    // nor the user's driver database, which lives in the data folder.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
