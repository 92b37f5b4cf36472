// The windows as the user sees them: outer sizes, and status panels that sit side by side at
// their widths and never print over each other, at the designed sizes and resized.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <functional>

#include "TestSupport.h"
#include "windows/FormBoolProjects.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/controls/Placement.h"
#include "windows/main.h"

namespace {

struct TPanelCase {
    const char* Name;
    std::function<QMainWindow*()> Window;
    std::function<TStatusBar*()> Bar;
    std::vector<int> Widths;
    int Width;  // the window's width for the case; 0 keeps the size it is shown at
};

void PrintTo(const TPanelCase& row, std::ostream* out) {
    *out << row.Name;
}

QLabel* PanelOf(TStatusBar* bar, int i) {
    return bar->findChild<QLabel*>(QString("Panel%1").arg(i));
}

class StatusPanels : public WindowTest, public testing::WithParamInterface<TPanelCase> {
  protected:
    void TearDown() override {
        TStatusBar* bar = GetParam().Bar();
        for (size_t i = 0; i < GetParam().Widths.size(); ++i) {
            bar->setPanelText(static_cast<int>(i), QString());
        }
        if (GetParam().Window() != frmBooleanClac) {
            GetParam().Window()->hide();
        } else {
            frmBooleanClac->resize(891, 634);
        }
        WindowTest::TearDown();
    }
};

// Panel i's inside, without its frame, as far as the bar shows it.
QRect Inside(TStatusBar* bar, int i) {
    return PanelOf(bar, i)->geometry().adjusted(2, 2, -2, -2).intersected(bar->rect());
}

// True when every pixel of the area has the panel's own background colour.
bool Blank(const QImage& shot, const QRect& area, const QColor& ground) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (QColor(shot.pixel(x, y)) != ground) {
                return false;
            }
        }
    }
    return true;
}

TEST_P(StatusPanels, SideBySideAtTheirWidthsEachTextInItsOwnPanel) {
    const TPanelCase& c = GetParam();
    QMainWindow* window = c.Window();
    window->show();
    if (c.Width != 0) {
        window->resize(c.Width, window->height());
    }
    QApplication::processEvents();
    TStatusBar* bar = c.Bar();
    ASSERT_EQ(bar->width(), window->centralWidget()->width()) << "the bar ends at the window edge";

    const int count = static_cast<int>(c.Widths.size());
    int left = 0;
    for (int i = 0; i < count; ++i) {
        const QLabel* panel = PanelOf(bar, i);
        ASSERT_NE(panel, nullptr);
        const int width = i + 1 < count ? c.Widths[static_cast<size_t>(i)]
                                        : std::max(c.Widths.back(), bar->width() - left);
        EXPECT_EQ(panel->geometry(), QRect(left, 0, width, bar->height())) << "panel " << i;
        EXPECT_TRUE(panel->autoFillBackground()) << "panel " << i;
        left += c.Widths[static_cast<size_t>(i)];
    }

    // A long text in one panel leaves its neighbours' insides blank, either way round. Panel 0
    // holds the gauge, so only its neighbour is looked at.
    const QString wide(80, QChar('W'));
    for (int i = 0; i + 1 < count; ++i) {
        if (Inside(bar, i + 1).isEmpty()) {
            break;
        }
        for (const int written : {i, i + 1}) {
            const int other = written == i ? i + 1 : i;
            if (other == 0) {
                continue;
            }
            for (int k = 0; k < count; ++k) {
                bar->setPanelText(k, k == written ? wide : QString());
            }
            const QImage shot = bar->grab().toImage();
            const QColor ground = PanelOf(bar, other)->palette().color(QPalette::Window);
            EXPECT_TRUE(Blank(shot, Inside(bar, other), ground))
                << "text of panel " << written << " shows in panel " << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, StatusPanels,
    testing::Values(TPanelCase{"KmapAsShown",
                               [] { return static_cast<QMainWindow*>(frmKmap); },
                               [] { return frmKmap->StatusBar; },
                               {100, 200, 200, 50},
                               0},
                    TPanelCase{"KmapWide",
                               [] { return static_cast<QMainWindow*>(frmKmap); },
                               [] { return frmKmap->StatusBar; },
                               {100, 200, 200, 50},
                               900},
                    TPanelCase{"KmapNarrow",
                               [] { return static_cast<QMainWindow*>(frmKmap); },
                               [] { return frmKmap->StatusBar; },
                               {100, 200, 200, 50},
                               350},
                    TPanelCase{"CalculatorAsDesigned",
                               [] { return static_cast<QMainWindow*>(frmBooleanClac); },
                               [] { return frmBooleanClac->StatusBar; },
                               {120, 200, 200, 50},
                               0},
                    TPanelCase{"CalculatorNarrow",
                               [] { return static_cast<QMainWindow*>(frmBooleanClac); },
                               [] { return frmBooleanClac->StatusBar; },
                               {120, 200, 200, 50},
                               450}),
    [](const auto& info) { return std::string(info.param.Name); });

using WindowSizes = WindowTest;

// The K-map window's outer size is set each time it is shown, whatever the user made of it.
TEST_F(WindowSizes, KmapWindowIsShownAtItsOuterSize) {
    frmKmap->show();
    frmKmap->resize(640, 420);
    frmKmap->hide();
    frmKmap->show();
    QApplication::processEvents();
    EXPECT_EQ(frmKmap->frameGeometry().size(), QSize(500, 500));
    frmKmap->hide();
}

TEST_F(WindowSizes, ProjectsWindowOpensAtItsOuterSize) {
    TfrmBoolprojects projects;
    projects.show();
    QApplication::processEvents();
    EXPECT_EQ(projects.frameGeometry().size(), QSize(785, 498));
    projects.hide();
    frmKmap->hide();
}

// The controls that keep to the right edge never move over the grid, however narrow the window.
TEST_F(WindowSizes, ResultsControlsStayRightOfTheGrid) {
    frmResult->show();
    frmResult->resize(250, 400);
    QApplication::processEvents();
    EXPECT_GE(frmResult->BitBtn1->x(), frmResult->Panel1->geometry().right());
    EXPECT_GE(frmResult->Label1->x(), frmResult->Panel1->geometry().right());
    frmResult->hide();
}

// Set before the frame is known, the outer size is right once the window shows; a size the
// user chose afterwards stays.
TEST_F(WindowSizes, OuterSizeSetBeforeShowingHoldsUntilTheUserResizes) {
    QMainWindow window;
    SetOuterSize(&window, QSize(420, 300));
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.frameGeometry().size(), QSize(420, 300));
    window.resize(333, 222);
    window.hide();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(333, 222));
}

}  // namespace
