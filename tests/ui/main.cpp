#include <QApplication>
#include <gtest/gtest.h>

// The window tests need a QApplication for their whole run.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
