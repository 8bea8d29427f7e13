// GoogleTest under a QApplication, for tests of widgets, dialogs and
// printing (the font database, the printer dialog).

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
