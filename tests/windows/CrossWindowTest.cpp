// Flows across the windows: calculator to map and results, results back to every window.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <set>

#include "KmapTestSupport.h"
#include "model/Minterms.h"
#include "model/Terms.h"
#include "tests/support/Reference.h"
#include "windows/FormBoolProjects.h"
#include "windows/KmapResult.h"

namespace {

using TTermSet = std::set<QString>;

// Minterm numbers (0 .. 2^n - 1) that a sum of products covers.
std::set<uint32_t> Covered(const QStringList& terms) {
    std::set<uint32_t> on;
    for (const QString& term : terms) {
        for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
            if (Covers(term.trimmed().toStdString(), m, ProgramState.VarCount)) {
                on.insert(m);
            }
        }
    }
    return on;
}

uint32_t MintermOf(const QString& letters) {
    return TermMasks(letters.toStdString()).Hi;
}

class CrossWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        UseVariables(4);
        frmKmap->ClearALLKMAP1Click();
        frmKmap->ClearAll2Click();
        frmKmap->Timer1Timer();
        frmResult->rgSort->setItemIndex(2);
        for (QLineEdit* edit : {frmBooleanClac->edtXinput, frmBooleanClac->edtYinput,
                                frmBooleanClac->edtZinput, frmBooleanClac->edtOptimized}) {
            edit->setEnabled(true);
            edit->clear();
        }
        prompter.messages.clear();
    }
    void TearDown() override {
        frmKmap->Timer1Timer();
        frmKmap->hide();
        frmResult->hide();
        frmBoolprojects->hide();
        UseVariables(6);
        WindowTest::TearDown();
    }

    static QStringList EditorTerms() {
        QStringList terms;
        for (int row = 1; row < frmKmap->inputgrid->rowCountValue(); ++row) {
            const QString term = frmKmap->inputgrid->cell(2, row).trimmed();
            if (!term.isEmpty()) {
                terms << term;
            }
        }
        return terms;
    }
    static QStringList ResultTerms() {
        QStringList terms;
        for (int row = 1; row < frmResult->Outputgrid->rowCountValue(); ++row) {
            terms << frmResult->Outputgrid->cell(2, row).trimmed();
        }
        return terms;
    }
    static std::set<uint32_t> MapOn() {
        std::set<uint32_t> on;
        TStringGrid* map = frmKmap->KmapGrid;
        for (int r = 0; r < map->rowCountValue(); ++r) {
            for (int c = 0; c < map->colCountValue(); ++c) {
                if (map->cell(c, r) == "x") {
                    on.insert(MintermOf(frmKmap->cellTerm(c, r)));
                }
            }
        }
        return on;
    }
    static void HandOver(const QStringList& terms) {
        TStringListAdv list;
        for (const QString& term : terms) {
            list.AddObject(term.toStdString(), 65536 + 1);
        }
        ShowResults(list);
    }
};

struct TZToResultsCase {
    const char* Name;
    int Vars;
    QString Z;
    TTermSet Primes;
};

class ZToResults : public CrossWindowTest, public testing::WithParamInterface<TZToResultsCase> {};

// Z text -> clipboard -> editor rows -> map -> Simplify -> results grid.
TEST_P(ZToResults, CopyZEditToKmapGridEndsInTheResultsGrid) {
    const TZToResultsCase& c = GetParam();
    UseVariables(c.Vars);
    frmBooleanClac->edtZinput->setText(c.Z);
    Trigger(frmBooleanClac, "Copy Z edit to KMAP grid");
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('|').toStdString();

    const QStringList pieces = c.Z.split('+', Qt::SkipEmptyParts);
    EXPECT_EQ(QApplication::clipboard()->text(), pieces.join("\r\n") + "\r\n");
    EXPECT_EQ(EditorTerms(), pieces);
    EXPECT_EQ(MapOn(), Covered(pieces));
    EXPECT_TRUE(frmKmap->isVisible());
    ASSERT_TRUE(frmResult->isVisible());
    const QStringList results = ResultTerms();
    EXPECT_EQ(TTermSet(results.begin(), results.end()), c.Primes);
    EXPECT_EQ(results.size(), static_cast<qsizetype>(c.Primes.size()));  // no repeats
    // The table the search left behind holds the coverage of the results.
    for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
        EXPECT_EQ(ProgramState.TruthTable[m] != 0, Covered(pieces).count(m) == 1) << m;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flows, ZToResults,
    testing::Values(
        TZToResultsCase{"TwoOverlappingPrimes", 4, "aBc+ABc+ABC", {"Bc", "AB"}},
        TZToResultsCase{"WholeHalf", 4, "ABcd+ABcD+ABCd+ABCD+Abcd+AbcD+AbCd+AbCD", {"A"}},
        TZToResultsCase{"TrailingPlus", 4, "ab+", {"ab"}},
        TZToResultsCase{
            "FiveVariablesCyclic", 5, "abcde+aBcde+aBCde+abCde+ABCDE", {"ade", "ABCDE"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// The optimized form the calculator shows must be the same function as what arrived.
TEST_F(CrossWindowTest, ResultSentToZComesBackWithItsOptimizedForm) {
    HandOver({"ABc", "ABC", "aB"});
    Trigger(frmResult, "Copy to Z input of calculator");
    EXPECT_EQ(frmBooleanClac->edtZinput->text(), "ABc+ABC+aB");
    const QString oz = frmBooleanClac->edtOptimized->text();
    EXPECT_EQ(oz, "B");
    EXPECT_EQ(Covered(oz.split('+')), Covered({"ABc", "ABC", "aB"}));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

// A flow round trip: Z to results and back to Z gives the primes, and OZ their sum.
TEST_F(CrossWindowTest, RoundTripThroughTheResultsKeepsTheFunction) {
    frmBooleanClac->edtZinput->setText("abcd+abcD+abCd+abCD+Abcd");
    Trigger(frmBooleanClac, "Copy Z edit to KMAP grid");
    Trigger(frmResult, "Copy to Z input of calculator");
    const QStringList back = frmBooleanClac->edtZinput->text().split('+');
    EXPECT_EQ(TTermSet(back.begin(), back.end()), (TTermSet{"ab", "bcd"}));
    const QString oz = frmBooleanClac->edtOptimized->text();
    EXPECT_FALSE(oz.isEmpty());
    EXPECT_EQ(Covered(oz.split('+')), Covered({"ab", "Abcd"}));
}

struct THiliteCase {
    const char* Name;
    QStringList Results;
    std::vector<int> CheckedRows;
};

class Hilite : public CrossWindowTest, public testing::WithParamInterface<THiliteCase> {};

// Yellow is looked for on screen, in the middle of every map cell.
TEST_P(Hilite, ResultHiLitePaintsExactlyTheCoveredCells) {
    const THiliteCase& c = GetParam();
    frmKmap->show();
    HandOver(c.Results);
    QStringList lit;
    for (const int row : c.CheckedRows) {
        frmResult->Outputgrid->setCell(1, row, "x");
        lit << frmResult->Outputgrid->cell(2, row);
    }
    frmResult->Button1Click();
    const std::set<uint32_t> expected = Covered(lit);
    TStringGrid* map = frmKmap->KmapGrid;
    const QImage shot = map->viewport()->grab().toImage();
    const QColor yellow(255, 255, 0);
    int yellowCells = 0;
    for (int r = 0; r < map->rowCountValue(); ++r) {
        for (int col = 0; col < map->colCountValue(); ++col) {
            const QRect cell = map->cellRect(col, r);
            const bool isYellow = shot.pixelColor(cell.center()) == yellow;
            yellowCells += isYellow ? 1 : 0;
            EXPECT_EQ(isYellow, expected.count(MintermOf(frmKmap->cellTerm(col, r))) == 1)
                << frmKmap->cellTerm(col, r).toStdString();
        }
    }
    EXPECT_EQ(yellowCells, static_cast<int>(expected.size()));
    EXPECT_EQ(frmKmap->Timer1->isActive(), !lit.isEmpty());
    // The timer's tick ends the highlight.
    frmKmap->Timer1Timer();
    const QImage after = map->viewport()->grab().toImage();
    for (int r = 0; r < map->rowCountValue(); ++r) {
        for (int col = 0; col < map->colCountValue(); ++col) {
            EXPECT_NE(after.pixelColor(map->cellRect(col, r).center()), yellow);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Flows, Hilite,
                         testing::Values(THiliteCase{"OneTerm", {"Bc", "AB"}, {1}},
                                         THiliteCase{"TwoTerms", {"Bc", "AB", "abcd"}, {1, 3}},
                                         THiliteCase{"Minterm", {"aBcD"}, {1}},
                                         THiliteCase{"NothingChecked", {"Bc", "AB"}, {}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CrossWindowTest, CopyToMainKmapReplacesEveryEditorTerm) {
    const QStringList old{"abcd", "ABCD", "aBcD", "AbCd", "abCD"};
    for (int i = 0; i < old.size(); ++i) {
        frmKmap->inputgrid->setCell(2, i + 1, old[i]);
    }
    frmKmap->inputgrid->setCell(1, 4, "x");
    HandOver({"Bc", "AB"});
    Trigger(frmResult, "Copy to Main KMAP");
    EXPECT_EQ(EditorTerms(), (QStringList{"Bc", "AB"}));
    // The old rows' check marks went with their terms.
    EXPECT_EQ(frmKmap->inputgrid->cell(1, 4), "");
}

struct TBinCase {
    const char* Name;
    int Vars;
    QStringList Editor;
};

class ResultBin : public CrossWindowTest, public testing::WithParamInterface<TBinCase> {};

TEST_P(ResultBin, SaveAsBinFromTheResultsWritesTheResultsTruthTable) {
    const TBinCase& c = GetParam();
    UseVariables(c.Vars);
    for (int i = 0; i < c.Editor.size(); ++i) {
        frmKmap->inputgrid->setCell(2, i + 1, c.Editor[i]);
    }
    Trigger(frmKmap, "Simplify");
    ASSERT_TRUE(frmResult->isVisible());
    const std::set<uint32_t> on = Covered(ResultTerms());
    ASSERT_EQ(on, Covered(c.Editor));

    QTemporaryDir dir;
    const QString name = dir.filePath("result.BIN");
    prompter.fileAnswers.push_back({true, name, 2});
    Trigger(frmResult, "Save as BIN Image File");
    EXPECT_EQ(prompter.messages, (QStringList{name + " was saved"}));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), (1 << c.Vars) / 8);
    for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
        const bool bit = (static_cast<uint8_t>(bytes[static_cast<int>(m / 8)]) >> (m % 8)) & 1;
        EXPECT_EQ(bit, on.count(m) == 1) << m;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flows, ResultBin,
    testing::Values(TBinCase{"FourVariables", 4, {"aBc", "ABc", "ABC"}},
                    TBinCase{"SixVariablesSpread", 6, {"Af", "bCdE", "abcdef"}},
                    TBinCase{"EightVariables", 8, {"AbcdefgH", "aBcDeFgH", "CdE"}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TProjectsMenuCase {
    const char* Name;
    QWidget* (*Window)();
};

class ProjectsMenu : public CrossWindowTest,
                     public testing::WithParamInterface<TProjectsMenuCase> {};

TEST_P(ProjectsMenu, ProjectsItemShowsTheProjectsAndTheKmapWindows) {
    frmKmap->hide();
    frmBoolprojects->hide();
    Trigger(GetParam().Window(), "Projects");
    EXPECT_TRUE(frmBoolprojects->isVisible());
    EXPECT_TRUE(frmKmap->isVisible());
    EXPECT_TRUE(frmBooleanClac->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Flows, ProjectsMenu,
    testing::Values(TProjectsMenuCase{"FromCalculator",
                                      []() -> QWidget* { return frmBooleanClac; }},
                    TProjectsMenuCase{"FromKmap", []() -> QWidget* { return frmKmap; }}),
    [](const auto& info) { return std::string(info.param.Name); });

// Closing a window other than the calculator only hides it; its data waits for the next showing.
TEST_F(CrossWindowTest, ClosingSecondaryWindowsHidesThemAndKeepsTheirData) {
    frmKmap->inputgrid->setCell(2, 1, "aBc");
    frmKmap->KmapGrid->setCell(1, 1, "x");
    HandOver({"Bc", "AB"});
    frmKmap->show();
    frmBoolprojects->show();
    for (QWidget* w : std::initializer_list<QWidget*>{frmKmap, frmResult, frmBoolprojects}) {
        EXPECT_TRUE(w->close()) << w->objectName().toStdString();
        EXPECT_FALSE(w->isVisible());
    }
    EXPECT_TRUE(frmBooleanClac->isVisible());
    frmKmap->show();
    EXPECT_EQ(frmKmap->frameGeometry().size(), QSize(500, 500));
    EXPECT_EQ(frmKmap->inputgrid->cell(2, 1).trimmed(), "aBc");
    EXPECT_EQ(frmKmap->KmapGrid->cell(1, 1), "x");
    frmResult->show();
    EXPECT_EQ(ResultTerms(), (QStringList{"Bc", "AB"}));
}

// Showing the K-map window while the results window has the focus brings it to the front.
TEST_F(CrossWindowTest, ShowingTheKmapWindowBringsItToTheFront) {
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"ShowKmap", [] { frmBooleanClac->ShowKmap1Click(); }},
        {"N MOD 3", [] { frmBoolprojects->btnMODClick(); }},
    };
    for (const auto& [name, command] : commands) {
        frmKmap->show();
        HandOver({"A"});
        frmResult->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frmResult)) << name;
        command();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frmKmap)) << name;
    }
}

// Every hand-off shows the results window again, restored when the user had minimized it.
TEST_F(CrossWindowTest, HandOffShowsAndRestoresTheResultsWindow) {
    HandOver({"A"});
    frmResult->showMinimized();
    frmKmap->inputgrid->setCell(2, 1, "AB");
    Trigger(frmKmap, "Simplify");
    EXPECT_TRUE(frmResult->isVisible());
    EXPECT_FALSE(frmResult->isMinimized());
    EXPECT_EQ(ResultTerms(), (QStringList{"AB"}));
}

// Commands of every window that remove absorbed terms move the K-map window's gauge.
struct TKmapGaugeCase {
    const char* Name;
    std::function<void()> Arrange;
    std::function<void()> Act;
    const char* Moves;  // "position/maximum" at every change of the position, comma-separated
};

void PrintTo(const TKmapGaugeCase& c, std::ostream* out) {
    *out << c.Name;
}

class KmapGaugeMoves : public CrossWindowTest,
                       public testing::WithParamInterface<TKmapGaugeCase> {};

TEST_P(KmapGaugeMoves, MovesAsTheCommandRemovesAbsorbedTerms) {
    const TKmapGaugeCase& c = GetParam();
    c.Arrange();
    TGauge* gauge = frmKmap->Gauge;
    gauge->setMax(1);
    gauge->setPosition(1);
    QStringList moves;
    const auto watch = QObject::connect(gauge, &QProgressBar::valueChanged, [&](int position) {
        moves << QString("%1/%2").arg(position).arg(gauge->maximum());
    });
    c.Act();
    QObject::disconnect(watch);
    EXPECT_EQ(moves.join(", "), c.Moves);
}

void SetCalculator(const QString& x, const QString& y, const QString& z = {}) {
    frmBooleanClac->edtXinput->setText(x);
    frmBooleanClac->edtYinput->setText(y);
    frmBooleanClac->edtZinput->setText(z);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, KmapGaugeMoves,
    testing::Values(
        TKmapGaugeCase{"Simplify",
                       [] {
                           frmKmap->inputgrid->setCell(2, 1, "AB");
                           frmKmap->inputgrid->setCell(2, 2, "Ab");
                       },
                       [] { frmKmap->mnuNewSimplifyClick(); }, "0/20, 20/20"},
        TKmapGaugeCase{"CalculatorOr", [] { SetCalculator("AB+aB", "Ab+c"); },
                       [] { frmBooleanClac->lblboolOrClick(); }, "0/4, 4/4, 0/4, 4/4"},
        TKmapGaugeCase{"CalculatorAnd", [] { SetCalculator("A+B+C", "c+D"); },
                       [] { frmBooleanClac->lblBooAndClick(); }, "0/5, 5/5, 0/5, 5/5"},
        TKmapGaugeCase{"CalculatorXor", [] { SetCalculator("AB", "aC"); },
                       [] { frmBooleanClac->lblboolxorClick(); },
                       "0/2, 2/2, 0/2, 2/2, 0/2, 2/2, 0/2, 2/2"},
        TKmapGaugeCase{"CalculatorNot", [] { SetCalculator("", "", "ABc+aBd+CD"); },
                       [] { frmBooleanClac->lblNotClick(); }, "0/8, 8/8, 0/4, 4/4, 0/4, 4/4"},
        TKmapGaugeCase{"OptimizedZ", [] { SetCalculator("", ""); },
                       [] { frmBooleanClac->edtZinput->setText("AB+Ab+aB+abc"); }, "0/4, 4/4"},
        TKmapGaugeCase{
            "ProjectsAdder", [] {}, [] { frmBoolprojects->btn4bitadderstringClick(); },
            "0/2, 2/2, 0/2, 2/2, 0/4, 4/4, 0/2, 2/2, 0/7, 7/7, 0/8, 8/8, 0/2, 2/2, 0/6, 6/6, 0/10, "
            "10/10, 0/6, 6/6, 0/11, 11/11, 0/19, 10/19, 0/19, 10/19, 19/19, 0/39, 39/39, 0/37, "
            "10/37, 0/37, 10/37, 37/37, 0/24, 10/24, 20/24, 0/24, 10/24, 20/24, 24/24, 0/24, "
            "20/24, 0/24, 20/24, 24/24, 0/2, 2/2, 0/14, 10/14, 14/14, 0/22, 10/22, 20/22, 22/22, "
            "0/14, 10/14, 14/14, 0/2, 2/2, 0/6, 6/6, 0/3, 3/3, 0/16, 10/16, 16/16, 0/7, 7/7, 0/36, "
            "10/36, 20/36, 30/36, 36/36, 0/15, 10/15, 15/15"}),
    [](const auto& info) { return std::string(info.param.Name); });

// The variable count belongs to the calculator; a change lays out the K-map window's map too.
TEST_F(CrossWindowTest, VariableCountFromTheCalculatorLaysOutTheKmap) {
    for (const auto& [n, rows, cols] : {std::tuple{3, 2, 4}, {5, 4, 8}, {8, 16, 16}}) {
        UseVariables(n);
        EXPECT_EQ(ProgramState.HighMinterm, (1u << n) - 1);
        EXPECT_EQ(frmKmap->KmapGrid->rowCountValue(), rows) << n;
        EXPECT_EQ(frmKmap->KmapGrid->colCountValue(), cols) << n;
    }
}

}  // namespace
