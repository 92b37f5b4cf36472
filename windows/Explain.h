// TfrmExplain: the steps of a minimum cover of the results' function, each drawn on the map.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <atomic>
#include <thread>
#include <vector>

#include "engine/cover/CoverSteps.h"
#include "model/Cube.h"
#include "windows/controls/StringGrid.h"

// What Explain reasons on: the function the rows cover (for sums, the zeros), its primes, and
// the function the map shows.
struct TExplainInput {
    int N = 3;
    TMintermBits On, Dc, MapOn;
    std::vector<TCube> Primes;
    bool ProductOfSums = false;
    bool RowsDiffer = false;  // the rows are not the function's primes
};

// Next minimum's place among the minimum covers of the rows it last counted.
struct TMinimaCycle {
    std::vector<TCube> Rows;
    std::vector<TCube> Primes;
    TMinimumCovers Covers;
    size_t Next = 0;
};

class TfrmExplain : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmExplain(QWidget* parent = nullptr);
    ~TfrmExplain() override;

    QListWidget* lstSteps = nullptr;
    QPlainTextEdit* memoStep = nullptr;
    TStringGrid* ChartGrid = nullptr;  // the chart, shown for its step only

    void Explain(TExplainInput input);

  protected:
    void hideEvent(QHideEvent* event) override;

  public slots:
    // Shows the current step and draws its groups on the map.
    void lstStepsClick();

  private:
    struct TStep {
        QString Title;
        QString Text;
        std::vector<int> Primes;         // groups to draw
        std::vector<uint32_t> Minterms;  // single cells to draw
        bool Chart = false;
    };

    QString Name(int prime) const;
    QString Names(const std::vector<int>& primes) const;
    QString MintermList(const std::vector<uint32_t>& minterms) const;
    void AddChartSteps(const TCoverSteps& steps);
    void AddReductions(const TCoverSteps& steps);
    void AddCoreSteps(const TCoverSteps& steps);
    void AddResult(const TCoverSteps& steps, const TMinimumCover& cover);
    void FillChart(const TCoverSteps& steps);
    // The count runs on its own thread so the steps show at once; its line fills in at the end.
    void StartCount();
    void StopCount();
    void ShowCount(const TMinimumCovers& minima);
    bool Detailed() const { return FIn.N <= 8; }

    TExplainInput FIn;
    std::vector<TStep> FSteps;
    TCoverSteps FCoverSteps;
    TMinimumCover FCover;
    std::thread FCounter;
    std::atomic<bool> FCancel{false};
    int FGeneration = 0;  // which Explain the count belongs to
};
