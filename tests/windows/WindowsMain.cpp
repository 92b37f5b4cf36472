// Runs the window tests inside one application with the five windows, as the program has them.
#include <gtest/gtest.h>

#include <QApplication>

#include "TestSupport.h"
#include "model/State.h"
#include "windows/FormBoolProjects.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/main.h"

TStartState StartState;

int main(int argc, char* argv[]) {
    // Window tests always run off screen, also when listed for discovery.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("QUILLON");
    CreateApplicationWindows();
    frmBooleanClac->show();
    QApplication::processEvents();
    StartState = {frmBooleanClac->isVisible(), frmKmap->isVisible(), frmResult->isVisible(),
                  frmBoolprojects->isVisible(), ProgramState.VarCount};
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
