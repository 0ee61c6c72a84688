#include <QCoreApplication>
#include <gtest/gtest.h>

// One QCoreApplication for the tests of the libraries that have no windows.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Nodex");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
