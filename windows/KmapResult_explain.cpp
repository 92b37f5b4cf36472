// The results window's Explain and Next minimum: the rows' function handed to the cover steps.
#include <algorithm>

#include "engine/PrimeSearch.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "windows/Explain.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/BusyCursor.h"
#include "windows/controls/Placement.h"

std::vector<TCube> TfrmResult::TermCubes() const {
    std::vector<TCube> cubes;
    for (int r = 1; r < RowCount(); ++r) {
        TCube cube;
        if (RowHasTerm(r) && TermCube(RowTerm(r), ProgramState.VarCount, cube)) {
            cubes.push_back(cube);
        }
    }
    return cubes;
}

namespace {

// The function the rows cover (the zeros, for sums), as Minimum cover takes it, with its primes.
TExplainInput RowsFunction(const std::vector<TCube>& rows, TUnitForm form) {
    TExplainInput in;
    in.N = ProgramState.VarCount;
    in.ProductOfSums = form == TUnitForm::ProductOfSums;
    in.On = MakeMintermBits(in.N);
    for (const TCube cube : rows) {
        AddCubeMinterms(in.On, in.N, cube);
    }
    in.Dc = DontCareBits(ProgramState.DontCare, in.N);
    in.MapOn = in.ProductOfSums ? Zeros(in.On, in.Dc, in.N) : in.On;
    for (size_t w = 0; w < in.On.size(); ++w) {
        in.On[w] &= ~in.Dc[w];
        in.MapOn[w] &= ~in.Dc[w];
    }
    in.Primes = CoveringPrimes(in.N, in.On, in.Dc).Primes;
    SortCodeOrder(in.Primes, in.N);
    std::vector<TCube> sorted = rows;
    SortCodeOrder(sorted, in.N);
    in.RowsDiffer = sorted != in.Primes;
    return in;
}

}  // namespace

void TfrmResult::btnExplainClick() {
    if (FCoverRunning || CommandLoopRunning()) {
        return;
    }
    TBusyCursor busy;
    auto* view = findChild<TfrmExplain*>();
    if (view == nullptr) {
        view = new TfrmExplain(this);
    }
    view->Explain(RowsFunction(TermCubes(), FForm));
    view->show();
    BringToFront(view);
}

void TfrmResult::btnNextMinimumClick() {
    if (FCoverRunning || CommandLoopRunning()) {
        return;
    }
    if (ProgramState.VarCount > MaxCountedVars) {
        lblMinimumCover->setText("Minimum covers are counted up to 8 variables");
        return;
    }
    TBusyCursor busy;
    std::vector<TCube> rows = TermCubes();
    if (FMinima == nullptr || FMinima->Rows != rows) {
        const TExplainInput in = RowsFunction(rows, FForm);
        FMinima = std::make_shared<TMinimaCycle>(TMinimaCycle{
            std::move(rows), in.Primes,
            CountMinimumCovers(in.N, in.On, in.Dc, in.Primes, 1000, NextMinimumNodes), 0});
    }
    TMinimaCycle& cycle = *FMinima;
    if (cycle.Covers.Covers.empty()) {
        lblMinimumCover->setText("Minimum covers could not be counted");
        return;
    }
    const size_t at = cycle.Next++ % cycle.Covers.Covers.size();
    std::vector<TCube> chosen;
    for (const int p : cycle.Covers.Covers[at]) {
        chosen.push_back(cycle.Primes[static_cast<size_t>(p)]);
    }
    Outputgrid->beginUpdate();
    for (int r = 1; r < RowCount(); ++r) {
        TCube cube;
        const bool term = RowHasTerm(r) && TermCube(RowTerm(r), ProgramState.VarCount, cube);
        SetChecked(r, term && std::find(chosen.begin(), chosen.end(), cube) == chosen.end());
    }
    Outputgrid->endUpdate();
    int literals = 0;
    for (const TCube cube : chosen) {
        literals += std::popcount(cube.Care & ((1u << ProgramState.VarCount) - 1));
    }
    lblMinimumCover->setText(QString("Minimum %1 of %2: %3 terms, %4 literals")
                                 .arg(at + 1)
                                 .arg(cycle.Covers.Count)
                                 .arg(chosen.size())
                                 .arg(literals));
}
