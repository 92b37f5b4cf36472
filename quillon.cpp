// The program: the application, its four windows, the event loop.
#include <QApplication>
#include <cstdio>

#include "windows/Windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CreateApplicationWindows();
    std::puts("QUILLON: the windows are not built yet.");
    return 0;
}
