// Groups on the K-map: colours in their cells, wrap-around pieces, tints, emphasis, names, life.
#include <QHelpEvent>
#include <QToolTip>
#include <set>

#include "ResultsTestSupport.h"
#include "windows/main_groups.h"

namespace {

class MapGroups : public ResultsTest {
  protected:
    void TearDown() override {
        frmKmap->Timer1Timer();
        frmKmap->hide();
        ResultsTest::TearDown();
    }
    static TStringGrid* map() { return frmKmap->KmapGrid; }
    static TGroupsLayer* layer() { return frmKmap->Groups; }

    // The terms as rows, the listed ones checked, then Show groups.
    void ShowGroups(const std::vector<std::string>& terms, const std::vector<int>& checked = {}) {
        ShowTerms(terms);
        Check(checked);
        W->btnShowGroupsClick();
        QApplication::processEvents();
    }
    static QImage Shot() { return map()->viewport()->grab().toImage(); }
    static void MoveOver(TStringGrid* grid, const QPoint& at) {
        QMouseEvent move(QEvent::MouseMove, at, grid->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &move);
    }

    // The pixels of a group's blocks on the shot.
    static QRegion GroupArea(size_t group) {
        QRegion area;
        const TMapGroup& g = layer()->groups()[group];
        for (const TMapRect& r : CubeRects(frmKmap->layout(), g.Cube)) {
            const QRect first = map()->cellRect(r.Col, r.Row);
            const QRect last = map()->cellRect(r.Col + r.Cols - 1, r.Row + r.Rows - 1);
            area += first.united(last);
        }
        return area;
    }
    static int CountColour(const QImage& shot, const QRect& rect, const QColor& colour) {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                count += QColor(shot.pixel(x, y)) == colour ? 1 : 0;
            }
        }
        return count;
    }
};

struct OutlineCase {
    const char* name;
    int vars;
    std::vector<std::string> terms;
};

class MapGroupOutlines : public MapGroups, public testing::WithParamInterface<OutlineCase> {};

TEST_P(MapGroupOutlines, EachGroupsColourLiesInItsCellsAndOnEveryPiece) {
    const OutlineCase& c = GetParam();
    SetVars(c.vars);
    ShowGroups(c.terms);
    ASSERT_EQ(layer()->groups().size(), c.terms.size());
    const QImage shot = Shot();
    for (size_t g = 0; g < c.terms.size(); ++g) {
        SCOPED_TRACE(c.terms[g]);
        const QColor colour = layer()->groups()[g].Colour;
        const QRegion area = GroupArea(g);
        for (const QRect& piece : area) {
            EXPECT_GT(CountColour(shot, piece, colour), 0);
        }
        int outside = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                outside += QColor(shot.pixel(x, y)) == colour && !area.contains(QPoint(x, y));
            }
        }
        EXPECT_EQ(outside, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Maps, MapGroupOutlines,
    testing::Values(OutlineCase{"FourVarsOverlapping", 4, {"bd", "AC", "aBD", "ABCD"}},
                    OutlineCase{"ThreeVars", 3, {"a", "BC"}},
                    OutlineCase{"SixVarsMirror", 6, {"acD", "BEF", "ABCDEF"}},
                    OutlineCase{"EightVars", 8, {"aH", "BCdeF", "abcdefgh"}}),
    [](const testing::TestParamInfo<OutlineCase>& info) { return info.param.name; });

// bd at 4 variables: the four corners, each open towards the two map edges it touches.
TEST_F(MapGroups, WrappingGroupIsFourPiecesOpenAtTheMapsEdges) {
    ShowGroups({"bd"});
    const QImage shot = Shot();
    const QColor colour = layer()->groups()[0].Colour;
    const QRect all = map()->cellRect(0, 0).united(map()->cellRect(3, 3));
    const int pitch = map()->cellRect(1, 0).left();
    for (const int row : {0, 3}) {
        for (const int col : {0, 3}) {
            SCOPED_TRACE(std::to_string(row) + "," + std::to_string(col));
            const QRect cell = map()->cellRect(col, row);
            // The outline meets the map's outer edges and stays off the inner ones.
            const int outerY = row == 0 ? all.top() : cell.bottom();
            const int outerX = col == 0 ? all.left() : cell.right();
            const int innerY = row == 0 ? cell.bottom() : cell.top();
            const int innerX = col == 0 ? cell.right() : cell.left();
            EXPECT_GT(CountColour(shot, QRect(cell.left(), outerY, cell.width(), 1), colour), 0);
            EXPECT_GT(CountColour(shot, QRect(outerX, cell.top(), 1, cell.height()), colour), 0);
            EXPECT_EQ(CountColour(shot, QRect(cell.left(), innerY, cell.width(), 1), colour), 0);
            EXPECT_EQ(CountColour(shot, QRect(innerX, cell.top(), 1, cell.height()), colour), 0);
        }
    }
    EXPECT_EQ(CountColour(shot, QRect(pitch, pitch, 2 * pitch, 2 * pitch), colour), 0);
}

struct TintCase {
    int vars;
    std::string term;
    std::string off;  // a minterm outside the group
};

class MapGroupTints : public MapGroups, public testing::WithParamInterface<TintCase> {};

TEST_P(MapGroupTints, CellsOfAGroupAreTintedInItsColour) {
    const TintCase& c = GetParam();
    SetVars(c.vars);
    ShowGroups({c.term});
    const QImage shot = Shot();
    const QColor colour = layer()->groups()[0].Colour;
    const TKmapLayout layout = frmKmap->layout();
    TCube cube;
    ASSERT_TRUE(TermCube(c.term, ProgramState.VarCount, cube));
    const uint32_t free = ProgramState.HighMinterm & ~cube.Care;
    uint32_t sub = 0;
    do {
        const TMapCell cell = MintermCell(layout, cube.Hi | sub);
        const QColor want = TGroupsLayer::Tint(colour, Qt::black, false);
        const QColor got(shot.pixel(map()->cellRect(cell.Col, cell.Row).center()));
        ASSERT_LE(std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                      std::abs(got.blue() - want.blue()),
                  6)
            << cell.Row << "," << cell.Col;
        sub = (sub - free) & free;
    } while (sub != 0);
    TCube off;
    ASSERT_TRUE(TermCube(c.off, ProgramState.VarCount, off));
    const TMapCell outside = MintermCell(layout, off.Hi);
    EXPECT_EQ(QColor(shot.pixel(map()->cellRect(outside.Col, outside.Row).center())),
              QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(Maps, MapGroupTints,
                         testing::Values(TintCase{9, "aBcDeF", "ABCDEFGHI"},
                                         TintCase{10, "bcdefghiJ", "abcdefghij"},
                                         TintCase{12, "AbcdefgHiJk", "abcdefghijkl"}),
                         [](const testing::TestParamInfo<TintCase>& info) {
                             return std::to_string(info.param.vars) + "Vars";
                         });

TEST_F(MapGroups, ACellOfTwoTintedGroupsShowsBothColours) {
    SetVars(9);
    ShowGroups({"aB", "aC"});
    const QImage shot = Shot();
    const TMapCell both = MintermCell(frmKmap->layout(), 0b011000000);  // aBC
    const QRect cell = map()->cellRect(both.Col, both.Row);
    for (const TMapGroup& group : layer()->groups()) {
        const QColor want = TGroupsLayer::Tint(group.Colour, Qt::black, false);
        int near = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor got(shot.pixel(x, y));
                near += std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                            std::abs(got.blue() - want.blue()) <=
                        6;
            }
        }
        EXPECT_GT(near, 0) << group.Name.toStdString();
    }
}

TEST_F(MapGroups, MapShowsTheRowsFunctionAndOnlyTheUncheckedRowsAsGroups) {
    ProgramState.DontCare.fill(0);
    ProgramState.DontCare[15] = 1;
    ShowGroups({"AB", "Bd", "abcd"}, {2});
    ProgramState.DontCare.fill(0);
    std::vector<int> sources;
    for (const TMapGroup& g : layer()->groups()) {
        sources.push_back(g.Source);
    }
    EXPECT_EQ(sources, (std::vector<int>{1, 3}));
    EXPECT_NE(layer()->groups()[0].Colour, layer()->groups()[1].Colour);
    std::set<uint32_t> on;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const uint32_t m = CellMinterm(frmKmap->layout(), TMapCell{r, c});
            if (map()->cell(c, r) == "x") {
                on.insert(m);
            }
            EXPECT_EQ(map()->cell(c, r) == "-", m == 15) << m;
        }
    }
    EXPECT_EQ(on, (std::set<uint32_t>{0, 4, 6, 12, 13, 14}));
    EXPECT_TRUE(frmKmap->isVisible());
}

TEST_F(MapGroups, TheSelectedOrHoveredRowIsDrawnBolderAndTheCellPanelNamesGroups) {
    G->setCol(2);
    ShowGroups({"AB", "Bd"});
    const QColor first = layer()->groups()[0].Colour;
    ClickCell(2, G->row());  // the current cell: a click picks it all the same
    EXPECT_EQ(layer()->emphasis(), 1);
    G->setRow(2);
    EXPECT_EQ(layer()->emphasis(), 2);
    const int plain = CountColour(Shot(), Shot().rect(), first);
    MoveOver(G, G->cellRect(2, 1).center());
    EXPECT_EQ(layer()->emphasis(), 1);
    EXPECT_GT(CountColour(Shot(), Shot().rect(), first), plain);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(G->viewport(), &leave);
    EXPECT_EQ(layer()->emphasis(), 2);

    const TMapCell both = MintermCell(frmKmap->layout(), 12);  // ABcd
    MoveOver(map(), map()->cellRect(both.Col, both.Row).center());
    EXPECT_EQ(frmKmap->StatusBar->panelText(3), "ABcd in AB, Bd");
    // The panel lies beyond the window's first width; the tooltip says it too.
    const QPoint at = map()->cellRect(both.Col, both.Row).center();
    QHelpEvent help(QEvent::ToolTip, at, map()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(map()->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), "ABcd in AB, Bd");
    QToolTip::hideText();
    const TMapCell none = MintermCell(frmKmap->layout(), 1);
    MoveOver(map(), map()->cellRect(none.Col, none.Row).center());
    EXPECT_EQ(frmKmap->StatusBar->panelText(3), "abcD");
}

TEST_F(MapGroups, GroupsLeaveWhenTheMapOrTheResultChangesAndHiliteStillWorks) {
    ShowGroups({"AB"});
    W->Button1Click();  // HiLite with nothing checked: the map keeps its groups
    EXPECT_TRUE(layer()->isVisible());
    Check({1});
    EXPECT_FALSE(layer()->hasGroups());

    ShowGroups({"AB"});
    frmKmap->HiliteTerm("cd");
    EXPECT_TRUE(layer()->hasGroups());
    EXPECT_TRUE(frmKmap->isHighlighted(0, 0));
    frmKmap->Timer1Timer();
    map()->setCell(0, 0, "x");
    EXPECT_FALSE(layer()->hasGroups());
    EXPECT_FALSE(layer()->isVisible());
}

TEST_F(MapGroups, AfterMinimumCoverTheGroupsAreExactlyTheMinimum) {
    SetVars(4);
    // Primes of a function with a redundant consensus term: the minimum needs 2 of the 3.
    ShowTerms({"aB", "BC", "AC"});
    W->btnMinimumCoverClick();
    ASSERT_EQ(Checked(), (std::vector<int>{2}));
    W->btnShowGroupsClick();
    std::vector<std::string> names;
    for (const TMapGroup& g : layer()->groups()) {
        names.push_back(g.Name.toStdString());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"aB", "AC"}));
}

}  // namespace
