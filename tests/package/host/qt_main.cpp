// Starts the Qt front end (on the offscreen platform) and names its font.
#include <qelt/qt/qt_dialogs.h>

#include <iostream>

int main(int argc, char** argv) {
    return qelt::qt::RunWithQt(argc, argv, [] {
        std::cout << "Qt front end, font " << qelt::qt::DialogFont().family().toStdString() << "\n";
        return 0;
    });
}
