// The results window's Minimum cover: its check marks, texts, Stop, and Remove afterwards.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <random>

#include "ResultsTestSupport.h"
#include "engine/PrimeSearch.h"
#include "engine/Simplify.h"
#include "engine/TermBits.h"
#include "engine/cover/MinimumCover.h"
#include "tests/support/Reference.h"
#include "windows/Explain.h"
#include "windows/main_groups.h"

namespace {

// The minterms the terms cover together.
std::vector<bool> Function(const std::vector<std::string>& terms) {
    return OnSet(terms, ProgramState.VarCount);
}

// The fewest of the terms that cover every wanted minterm.
int FewestOf(const std::vector<std::string>& terms, const std::vector<bool>& wanted) {
    std::vector<TCube> cubes;
    for (const std::string& term : terms) {
        cubes.push_back(CubeOf(term, ProgramState.VarCount));
    }
    return SmallestCover(ProgramState.VarCount, cubes, wanted).first;
}

// The primes of a random function: far too many for any search to prove its cover at once.
TStringListAdv HardResult(int n) {
    TMintermBits on = MakeMintermBits(n);
    std::mt19937 random(7);
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (random() & 1u) {
            SetMinterm(on, m);
        }
    }
    TStringListAdv list;
    for (const TCube& cube : FindPrimeImplicants(n, on).Primes) {
        list.Add(CubeTerm(cube, ProgramState.VarCount));
    }
    RankTerms(list, ProgramState.VarCount, ProgramState.TruthTable);
    return list;
}

class ResultsCover : public ResultsTest {
  protected:
    void TearDown() override {
        W->CoverBudgetMs = 10000;
        ProgramState.DontCare.fill(0);
        ResultsTest::TearDown();
    }

    std::vector<std::string> UncheckedTerms() const {
        std::vector<std::string> terms;
        for (int r = 1; r < G->rowCountValue(); ++r) {
            if (G->cell(1, r) != "x" && !G->cell(2, r).trimmed().isEmpty()) {
                terms.push_back(G->cell(2, r).toStdString());
            }
        }
        return terms;
    }

    void ExpectIdle() const {
        EXPECT_FALSE(W->coverRunning());
        EXPECT_EQ(W->btnMinimumCover->text(), "Minimum cover");
        EXPECT_TRUE(W->mnuMinimumCover->isEnabled());
        EXPECT_TRUE(W->GaugeMinimumCover->isHidden());
    }
};

TEST(ResultsCoverStart, NewControlsSitBelowTheOthersWithoutOverlap) {
    TfrmResult fresh;
    fresh.show();
    EXPECT_EQ(fresh.lblMinimumCover->text(), "");
    EXPECT_TRUE(fresh.GaugeMinimumCover->isHidden());
    const QRect client = fresh.centralWidget()->rect();
    const QList<QWidget*> added = {fresh.btnMinimumCover, fresh.GaugeMinimumCover,
                                   fresh.lblMinimumCover};
    for (QWidget* control : added) {
        EXPECT_TRUE(client.contains(control->geometry())) << control->objectName().toStdString();
        for (QObject* child : fresh.centralWidget()->children()) {
            auto* other = qobject_cast<QWidget*>(child);
            if (other == nullptr || other == control) {
                continue;
            }
            EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                << control->objectName().toStdString() << " meets "
                << other->objectName().toStdString();
        }
    }
}

struct TextCase {
    const char* Name;
    int Terms;
    int Literals;
    int LowerBound;
    bool Proven;
    QString Text;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.Name;
}

class ResultsCoverText : public testing::TestWithParam<TextCase> {};

TEST_P(ResultsCoverText, SaysWhatWasFound) {
    const TextCase& c = GetParam();
    TMinimumCover cover;
    cover.Chosen.resize(static_cast<size_t>(c.Terms));
    cover.Literals = c.Literals;
    cover.LowerBound = c.LowerBound;
    cover.Proven = c.Proven;
    EXPECT_EQ(MinimumCoverText(cover), c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ResultsCoverText,
    testing::Values(TextCase{"Proven", 7, 19, 7, true, "Minimum: 7 terms, 19 literals (proven)"},
                    TextCase{"Best", 8120, 90000, 7904, false,
                             "Best: 8,120 terms; at least 7,904 needed"},
                    TextCase{"One", 1, 1, 1, true, "Minimum: 1 term, 1 literal (proven)"},
                    TextCase{"Nothing", 0, 0, 0, true, "Minimum: 0 terms, 0 literals (proven)"},
                    TextCase{"Millions", 1234567, 12345678, 999, false,
                             "Best: 1,234,567 terms; at least 999 needed"},
                    TextCase{"ThousandLiterals", 100, 1000, 100, true,
                             "Minimum: 100 terms, 1,000 literals (proven)"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ResultsCover, ExplainShowsTheStepsAndNextMinimumTurnsThroughBoth) {
    SetVars(3);
    ShowTerms({"ab", "ac", "bC", "Bc", "AC", "AB"});
    ASSERT_TRUE(W->mnuExplain->isEnabled());
    W->mnuExplain->trigger();
    auto* view = W->findChild<TfrmExplain*>("frmExplain");
    ASSERT_NE(view, nullptr);
    // Primes, chart, cyclic core, Petrick's product, result.
    ASSERT_EQ(view->lstSteps->count(), 5);
    view->lstSteps->setCurrentRow(4);
    EXPECT_EQ(frmKmap->mapGroups()->groups().size(), 3u);
    // The count fills in the line it leaves, off the window's thread.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return view->memoStep->toPlainText().contains("Minimum covers: 2"); }));
    view->close();
    W->btnNextMinimumClick();
    const std::vector<std::string> first = UncheckedTerms();
    EXPECT_EQ(W->lblMinimumCover->text(), "Minimum 1 of 2: 3 terms, 6 literals");
    W->btnNextMinimumClick();
    EXPECT_EQ(UncheckedTerms().size(), 3u);
    EXPECT_NE(UncheckedTerms(), first);
    W->btnNextMinimumClick();
    EXPECT_EQ(UncheckedTerms(), first);
}

TEST_F(ResultsCover, CyclicFunctionKeepsThreeTermsAndRemoveLeavesThem) {
    SetVars(3);
    // Minterms 0, 1, 2, 5, 6, 7: six primes, no essential one, two covers of three.
    const std::vector<std::string> primes = {"ab", "ac", "bC", "Bc", "AC", "AB"};
    ShowTerms(primes);
    W->btnMinimumCoverClick();
    ExpectIdle();
    const std::vector<std::string> kept = UncheckedTerms();
    EXPECT_EQ(kept.size(), 3u);
    EXPECT_EQ(Function(kept), Function(primes));
    EXPECT_EQ(W->lblMinimumCover->text(), "Minimum: 3 terms, 6 literals (proven)");

    W->btnRemoveCheckedClick();
    std::vector<std::string> left = Terms();
    std::vector<std::string> want = kept;
    std::sort(left.begin(), left.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(left, want);
    EXPECT_TRUE(W->btnundolast->isEnabled());
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('|').toStdString();
    // The rows it spoke of are gone with the hand-off.
    EXPECT_EQ(W->lblMinimumCover->text(), "");
}

struct SmallCase {
    const char* Name;
    std::vector<std::string> Rows;
};

void PrintTo(const SmallCase& c, std::ostream* out) {
    *out << c.Name;
}

class ResultsCoverSmall : public ResultsCover, public testing::WithParamInterface<SmallCase> {};

// The rows left unchecked give the rows' function with as few terms as any subset can.
TEST_P(ResultsCoverSmall, UncheckedRowsAreASmallestCover) {
    const std::vector<std::string>& rows = GetParam().Rows;
    ShowTerms(rows);
    Check({1});  // old marks go
    W->btnMinimumCoverClick();
    const std::vector<std::string> kept = UncheckedTerms();
    const std::vector<bool> on = Function(rows);
    EXPECT_EQ(Function(kept), on);
    EXPECT_EQ(static_cast<int>(kept.size()), FewestOf(rows, on));
    EXPECT_TRUE(W->lblMinimumCover->text().startsWith("Minimum: "))
        << W->lblMinimumCover->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Functions, ResultsCoverSmall,
    testing::Values(
        SmallCase{"AllEssential", {"AB", "ab", "Cd"}},
        SmallCase{"OneRowCoversAll", {"A", "AB", "Ab", "ABC"}},
        SmallCase{"RepeatedRow", {"aB", "aB", "Ab", "AB"}},
        SmallCase{"FourCycle", {"ab", "bc", "cd", "da", "AB", "BC", "CD", "DA", "AC", "bd"}},
        SmallCase{"Overlapping", {"abc", "aBd", "AbD", "bCd", "ACD", "Bcd", "abD", "ABc"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ResultsCover, EmptyAndForeignRowsAreSkipped) {
    ShowTerms({"AB", "b", "A", "Ab", "Ab"});
    G->setCell(2, 2, "  ");   // no term: left unchecked, as Remove skips it anyway
    G->setCell(2, 4, "AbQ");  // a letter beyond D: covers nothing, so it may go
    W->btnMinimumCoverClick();
    EXPECT_EQ(Checked(), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(W->lblMinimumCover->text(), "Minimum: 1 term, 1 literal (proven)");
}

TEST_F(ResultsCover, DontCaresNeedNoCover) {
    SetVars(3);
    ShowTerms({"ab", "aB", "AB"});
    ProgramState.DontCare[2] = 1;  // aBc and aBC: the only minterms of aB no other row has
    ProgramState.DontCare[3] = 1;
    W->btnMinimumCoverClick();
    EXPECT_EQ(UncheckedTerms(), (std::vector<std::string>{"ab", "AB"}));
}

TEST_F(ResultsCover, MenuItemRunsTheCommand) {
    SetVars(3);
    ShowTerms({"ab", "ac", "bC", "Bc", "AC", "AB"});
    Trigger(W, "Minimum cover");
    EXPECT_EQ(UncheckedTerms().size(), 3u);
    EXPECT_EQ(W->lblMinimumCover->text(), "Minimum: 3 terms, 6 literals (proven)");
}

// While it runs: busy cursor, a moving gauge, the menu item off; all back when it ends.
TEST_F(ResultsCover, ShowsItIsBusyWhileRunning) {
    SetVars(14);
    ShowResults(HardResult(14));
    W->CoverBudgetMs = 1500;
    bool busyCursor = true;
    bool gaugeShown = true;
    bool menuOff = true;
    int samples = 0;
    int first = -1;
    int last = -1;
    QTimer sampler;
    sampler.setInterval(0);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (!W->coverRunning()) {
            return;
        }
        ++samples;
        const QCursor* cursor = QApplication::overrideCursor();
        busyCursor = busyCursor && cursor != nullptr && cursor->shape() == Qt::WaitCursor;
        gaugeShown = gaugeShown && W->GaugeMinimumCover->isVisible();
        menuOff = menuOff && !W->mnuMinimumCover->isEnabled();
        last = W->GaugeMinimumCover->value();
        first = first < 0 ? last : first;
    });
    sampler.start();
    W->btnMinimumCoverClick();
    sampler.stop();
    ASSERT_GT(samples, 2);
    EXPECT_TRUE(busyCursor);
    EXPECT_TRUE(gaugeShown);
    EXPECT_TRUE(menuOff);
    EXPECT_GT(last, first);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ExpectIdle();
}

// Pressed while it runs, the button reads "Stop" and ends the search with its best cover.
TEST_F(ResultsCover, StopKeepsTheBestCoverFound) {
    SetVars(14);
    const TStringListAdv result = HardResult(14);
    ShowResults(result);
    W->CoverBudgetMs = 600000;  // only Stop can end it early
    QString caption;
    bool running = false;
    QTimer::singleShot(200, [&] {
        caption = W->btnMinimumCover->text();
        running = W->coverRunning();
        W->btnMinimumCover->click();
    });
    W->btnMinimumCoverClick();
    EXPECT_EQ(caption, "Stop");
    EXPECT_TRUE(running);
    ExpectIdle();
    const QString text = W->lblMinimumCover->text();
    EXPECT_TRUE(text.startsWith("Best: ")) << text.toStdString();
    // Still a cover: every minterm of the rows stays covered by the unchecked ones.
    const std::vector<std::string> kept = UncheckedTerms();
    EXPECT_LT(kept.size(), static_cast<size_t>(result.Count()));
    TMintermBits covered = MakeMintermBits(14);
    for (const std::string& term : kept) {
        ForEachCubeMinterm(TermMasks(term), ProgramState.HighMinterm, [&](uint32_t m) {
            SetMinterm(covered, m);
            return true;
        });
    }
    for (int i = 0; i < result.Count(); ++i) {
        ForEachCubeMinterm(TermMasks(result.Strings(i)), ProgramState.HighMinterm, [&](uint32_t m) {
            EXPECT_TRUE(TestMinterm(covered, m)) << m;
            return TestMinterm(covered, m);
        });
    }
}

}  // namespace
