#include <QApplication>

#include <gtest/gtest.h>

// One QApplication for every test; widgets render offscreen unless a display is asked for.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Nodex");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
