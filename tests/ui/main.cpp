#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The window tests need a QApplication for their whole run.
int main(int argc, char** argv)
{
    // Never touch the user's settings or files.
    QStandardPaths::setTestModeEnabled(true);
    // Nor the user's driver database, which lives in the data folder.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    // No screen needed, whether ctest lists and runs the tests or someone runs them by hand.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
