#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "qelt/qt/qt_dialogs.h"

// One QApplication for every test, on the offscreen platform unless the
// environment names another.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setFont(qelt::qt::DialogFont());
    return RUN_ALL_TESTS();
}
