// The windows' program, which `quillon` hands to: the application, its five windows, the loop.
#include <QApplication>

#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QUILLON");
    CreateApplicationWindows();
    frmBooleanClac->show();
    return QApplication::exec();
}
