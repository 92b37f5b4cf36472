// The results window's Minimum cover: check marks on every row outside a smallest cover.
#include <algorithm>

#include "engine/cover/MinimumCover.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/BusyCursor.h"
#include "windows/controls/SearchRun.h"

QString MinimumCoverText(const TMinimumCover& cover) {
    return CoverOutcomeText(static_cast<int64_t>(cover.Chosen.size()), cover.Literals,
                            cover.LowerBound, cover.Proven);
}

void TfrmResult::btnMinimumCoverClick() {
    if (FCoverRunning) {
        FCoverStopRequested = true;
        return;
    }
    if (CommandLoopRunning()) {
        return;
    }
    RunMinimumCover();
}

void TfrmResult::RunMinimumCover() {
    const TSearchRunning running(btnMinimumCover, lblMinimumCover, mnuMinimumCover,
                                 GaugeMinimumCover, FCoverRunning, FCoverStopRequested);
    TBusyCursor busy;
    TEventPump pump;
    TCoverProgress progress(GaugeMinimumCover, CoverBudgetMs);

    const int n = ProgramState.VarCount;
    // The function is what the rows cover together, as the removal tests take it.
    std::vector<int> rows;
    std::vector<TCube> cubes;
    TMintermBits on = MakeMintermBits(n);
    for (int r = 1; r < RowCount(); ++r) {
        TCube cube;
        if (RowHasTerm(r) && TermCube(RowTerm(r), n, cube)) {
            rows.push_back(r);
            cubes.push_back(cube);
            AddCubeMinterms(on, n, cube);
        }
        if (r % 4096 == 0) {
            progress.Show();
            pump.Poll();
        }
    }
    const TMintermBits dc = DontCareBits(ProgramState.DontCare, n);
    for (size_t w = 0; w < on.size(); ++w) {
        on[w] &= ~dc[w];
    }

    const TCoverOptions options =
        WindowCoverOptions(progress, pump, CoverBudgetMs, FCoverStopRequested);
    const TMinimumCover cover = FindMinimumCover(n, on, dc, cubes, options);

    std::vector<bool> inCover(static_cast<size_t>(RowCount()), false);
    for (const int i : cover.Chosen) {
        inCover[static_cast<size_t>(rows[static_cast<size_t>(i)])] = true;
    }
    Outputgrid->beginUpdate();
    for (int r = 1; r < RowCount(); ++r) {
        SetChecked(r, RowHasTerm(r) && !inCover[static_cast<size_t>(r)]);
    }
    Outputgrid->endUpdate();
    lblMinimumCover->setText(MinimumCoverText(cover));
}
