// Every menu item of every window, chosen once as a new user would: nothing hangs or crashes,
// every dialog goes through the prompter, and the windows open centred.
#include <QDir>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include "KmapTestSupport.h"
#include "windows/FormBoolProjects.h"
#include "windows/KmapResult.h"
#include "windows/TruthTable.h"

namespace {

// Items that end the program; the walk keeps it running.
bool EndsTheProgram(QWidget* window, const QString& caption) {
    return window == frmBooleanClac && caption == "Exit";
}

// Menu items with a caption, in menu order, without sub-menu titles and separators.
QList<QAction*> MenuItems(QWidget* window) {
    QList<QAction*> items;
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->menu() == nullptr && !items.contains(action)) {
                items << action;
            }
        }
    }
    if (auto* main = qobject_cast<QMainWindow*>(window); main && main->menuBar()) {
        for (QAction* action : main->menuBar()->actions()) {
            if (action->menu() == nullptr && !items.contains(action)) {
                items << action;
            }
        }
    }
    return items;
}

class MenuWalk : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        UseVariables(5);
        // A real modal dialog would block the walk; a watcher closes it and notes it.
        QObject::connect(&watcher, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalDialogs << modal->windowTitle();
                modal->close();
            }
        });
        watcher.start(20);
    }
    void TearDown() override {
        watcher.stop();
        frmKmap->Timer1Timer();
        frmKmap->hide();
        frmResult->hide();
        frmBoolprojects->hide();
        frmTruthTable->hide();
        frmBooleanClac->show();
        // The walk toggled the automatic calculation on; other suites expect it off.
        frmBooleanClac->mnuConversion->setChecked(false);
        UseVariables(6);
        WindowTest::TearDown();
    }
    QTimer watcher;
    QStringList modalDialogs;
};

// Some data everywhere first, so that each command has something to work on.
void FillWindows() {
    frmBooleanClac->edtXinput->setText("AB+cD");
    frmBooleanClac->edtYinput->setText("aBc+E");
    frmBooleanClac->edtZinput->setText("Ab+bC");
    frmKmap->inputgrid->setCell(2, 1, "aBc");
    frmKmap->inputgrid->setCell(2, 2, "ABCde");
    frmKmap->inputgrid->setCell(1, 1, "x");
    frmKmap->mnuNewSimplifyClick();
    frmResult->Outputgrid->setCell(1, 1, "x");
}

TEST_F(MenuWalk, EveryMenuItemOfEveryWindowRunsWithoutDialogsOrHangs) {
    FillWindows();
    ASSERT_TRUE(frmResult->isVisible());
    const QString shots = qEnvironmentVariable("QUILLON_MENU_SHOTS");
    int walked = 0;
    for (QWidget* window :
         std::initializer_list<QWidget*>{frmBooleanClac, frmKmap, frmResult, frmBoolprojects}) {
        for (QAction* action : MenuItems(window)) {
            if (!action->isEnabled() || EndsTheProgram(window, action->text())) {
                continue;
            }
            SCOPED_TRACE(window->objectName().toStdString() + " / " + action->text().toStdString());
            window->show();
            prompter.messages.clear();
            action->trigger();
            QApplication::processEvents();
            ++walked;
            // The calculator is the one window nothing but its own Exit may close.
            EXPECT_TRUE(frmBooleanClac->isVisible());
            if (!shots.isEmpty()) {
                QString name = window->objectName() + "-" + action->text();
                name.remove('&').replace(QRegularExpression("[^A-Za-z0-9-]+"), "_");
                window->grab().save(QDir(shots).filePath(name + ".png"));
            }
        }
    }
    EXPECT_GT(walked, 60);
    EXPECT_TRUE(modalDialogs.isEmpty()) << modalDialogs.join('|').toStdString();
    // File dialogs were asked through the prompter, which cancelled them.
    EXPECT_FALSE(prompter.fileRequests.empty());
}

// The calculator's Exit ends the program by closing the main window.
TEST_F(MenuWalk, CalculatorExitClosesTheMainWindow) {
    QAction* exit = FindAction(frmBooleanClac, "Exit");
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    EXPECT_FALSE(frmBooleanClac->isVisible());
}

QPoint Offset(QWidget* window) {
    return window->frameGeometry().center() - window->screen()->availableGeometry().center();
}

// Every window says it opens at the screen centre; a shown window that was never moved is
// there, give or take the few pixels a window's minimum size may add to its designed width.
TEST_F(MenuWalk, WindowsOpenCentredOnTheScreen) {
    for (QWidget* window :
         std::initializer_list<QWidget*>{frmBooleanClac, frmKmap, frmResult, frmBoolprojects}) {
        window->show();
        QApplication::processEvents();
        const QPoint offset = Offset(window);
        EXPECT_LE(std::abs(offset.x()), 8) << window->objectName().toStdString();
        EXPECT_LE(std::abs(offset.y()), 8) << window->objectName().toStdString();
    }
}

}  // namespace
