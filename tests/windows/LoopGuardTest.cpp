// Commands of every window fired while a loop that processes events runs (the K-map window's
// table conversion, the calculator's products): the loop's outcome stays what it would be.
#include <QClipboard>
#include <QTimer>
#include <functional>

#include "CalculatorSupport.h"
#include "KmapTestSupport.h"
#include "model/Minterms.h"
#include "windows/FormBoolProjects.h"
#include "windows/KmapResult.h"

namespace {

// What a user could start from any window but Minimum cover, which is also its own Stop.
std::vector<std::function<void()>> EveryOtherCommand() {
    return {
        [] { frmKmap->ClearALLKMAP1Click(); },
        [] { frmKmap->mnuRandomdataClick(); },
        [] { frmKmap->GetClipbrd1Click(); },
        [] { frmKmap->ImportFromKmpapGridClick(); },
        [] { frmKmap->ShowdatainKMAPGrid1Click(); },
        [] { frmKmap->mnuInvertBINdataClick(); },
        [] { frmKmap->mnuNewSimplifyClick(); },
        [] { frmKmap->mnuSimplifyKMAPGridClick(); },
        [] { frmKmap->Open1Click(); },
        [] { frmKmap->Setallchecks1Click(); },
        [] { frmKmap->DropTerms("ABC"); },
        [] { frmKmap->TableToEditor(); },
        [] { frmResult->CopytoMain1Click(); },
        [] { frmResult->btnTestRemovingClick(); },
        [] { frmResult->btnTestNewDataClick(); },
        [] { frmResult->btnOptimizeClick(); },
        [] { frmResult->btnquickoptimizeClick(); },
        [] { frmResult->btnRemoveCheckedClick(); },
        [] { frmResult->btnundolastClick(); },
        [] { frmResult->Button1Click(); },
        [] { frmResult->rgSortClick(); },
        [] { frmBooleanClac->lblboolOrClick(); },
        [] { frmBooleanClac->lblBooAndClick(); },
        [] { frmBooleanClac->lblboolxorClick(); },
        [] { frmBooleanClac->lblNotClick(); },
        [] { frmBooleanClac->mnuInvertXClick(); },
        [] { frmBooleanClac->mnuInvertZClick(); },
        [] { frmBoolprojects->btn4bitadderstringClick(); },
        [] { frmBoolprojects->btn4bitadderBINClick(); },
        [] { frmBoolprojects->btnMODClick(); },
        [] { frmBoolprojects->btn4bitmultiplyClick(); },
    };
}

// What a user could start from any window; dialogs are answered "cancel".
std::vector<std::function<void()>> EveryCommand() {
    auto commands = EveryOtherCommand();
    commands.push_back([] { frmResult->btnMinimumCoverClick(); });
    return commands;
}

// Fires every command at each turn of the event loop while it lives.
class CommandStorm {
  public:
    explicit CommandStorm(std::vector<std::function<void()>> commands = EveryCommand())
        : FCommands(std::move(commands)) {
        FTimer.setInterval(0);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            ++FTicks;
            for (const auto& command : FCommands) {
                command();
            }
        });
        FTimer.start();
    }
    ~CommandStorm() { FTimer.stop(); }
    CommandStorm(const CommandStorm&) = delete;
    CommandStorm& operator=(const CommandStorm&) = delete;
    void stop() { FTimer.stop(); }
    int ticks() const { return FTicks; }

  private:
    std::vector<std::function<void()>> FCommands;
    QTimer FTimer;
    int FTicks = 0;
};

class LoopGuardKmap : public KmapTest {};

TEST_F(LoopGuardKmap, TableConversionIsNotDisturbed) {
    UseVariables(16);
    // Something in the results window, so that its commands would have work to do.
    SetTerms({"AB", "aB"});
    Trigger(frmKmap, "Simplify");
    frmResult->hide();
    const int sortChoice = frmResult->rgSort->itemIndex();
    frmResult->rgSort->setItemIndex(2);  // by term, which ranks the terms on the table again
    frmKmap->ClearALLKMAP1Click();
    QGuiApplication::clipboard()->setText("q\r\n");

    std::vector<uint32_t> on;
    for (uint32_t m = 0; m < 65536; ++m) {
        ProgramState.TruthTable[m] = ((m * 2654435761u) >> 31) != 0 ? 1 : 0;
        if (ProgramState.TruthTable[m] != 0) {
            on.push_back(m);
        }
    }
    const auto table = ProgramState.TruthTable;
    {
        CommandStorm storm;
        frmKmap->TableToEditor();
        storm.stop();
        EXPECT_GT(storm.ticks(), 10) << "the conversion let the storm in";
    }
    frmResult->rgSort->setItemIndex(sortChoice);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('|').toStdString();
    EXPECT_EQ(ProgramState.VarCount, 16);
    EXPECT_TRUE(ProgramState.TruthTable == table);
    const int count = static_cast<int>(on.size());
    EXPECT_EQ(frmKmap->StatusBar->panelText(2), QString::number(count) + " Bool strings imported");
    ASSERT_GE(editor()->rowCountValue(), count + 1);
    for (int i = 0; i < count; ++i) {
        const std::string want = MintermToLetters(on[static_cast<size_t>(count - 1 - i)], 16, 'A');
        ASSERT_EQ(editor()->cell(2, i + 1).toStdString(), want) << "row " << i + 1;
    }
    for (int row = count + 1; row < editor()->rowCountValue(); ++row) {
        ASSERT_TRUE(editor()->cell(2, row).trimmed().isEmpty()) << "row " << row;
    }
    EXPECT_FALSE(frmKmap->isBusy());
}

// Runs the conversion of a 10-variable table (512 ON minterms, so it lets events through) with
// the given user action arriving while it runs.
void ConvertWith(const std::function<void()>& during) {
    UseVariables(10);
    ProgramState.TruthTable.fill(0);
    for (uint32_t m = 0; m < 1024; m += 2) {
        ProgramState.TruthTable[m] = 1;
    }
    bool ran = false;
    QTimer::singleShot(0, frmKmap, [&] {
        ran = frmKmap->isBusy();
        during();
    });
    frmKmap->TableToEditor();
    EXPECT_TRUE(ran) << "the action came after the conversion";
}

// A sort refused during the conversion leaves the radio group on the order the rows are in.
TEST_F(LoopGuardKmap, RefusedSortShowsTheOrderInForce) {
    SetTerms({"AB", "c"});
    Trigger(frmKmap, "Simplify");
    frmResult->rgSort->setItemIndex(2);
    const QString first = frmResult->Outputgrid->cell(2, 1);
    ASSERT_EQ(first.trimmed(), "AB");
    ConvertWith([] { frmResult->rgSort->button(3)->click(); });
    EXPECT_EQ(frmResult->rgSort->itemIndex(), 2);
    EXPECT_EQ(frmResult->Outputgrid->cell(2, 1), first);
    // The refusal is not remembered as a choice: choosing Length afterwards sorts.
    frmResult->rgSort->button(3)->click();
    EXPECT_EQ(frmResult->rgSort->itemIndex(), 3);
    EXPECT_EQ(frmResult->Outputgrid->cell(2, 1).trimmed(), "c");
    frmResult->rgSort->setItemIndex(2);
}

// A new variable count chosen during the conversion waits for it, then applies.
TEST_F(LoopGuardKmap, VariableCountChangeWaitsForTheConversion) {
    int countInside = 0;
    ConvertWith([&] {
        frmBooleanClac->SpinEdit->setValue(5);
        countInside = ProgramState.VarCount;
    });
    EXPECT_EQ(countInside, 10);
    EXPECT_EQ(editor()->cell(2, 1), "ABCDEFGHIj");
    EXPECT_EQ(editor()->cell(2, 512), "abcdefghij");
    EXPECT_EQ(ProgramState.VarCount, 5);
    EXPECT_EQ(map()->rowCountValue() * map()->colCountValue(), 32);
}

class LoopGuardCalculator : public CalculatorTest {};

TEST_F(LoopGuardCalculator, ProductsInsideTheComplementAreNotDisturbed) {
    SetVars(8);
    Calc->edtXinput->setText("AbC+dEf+GhA+BcD+eFg+HaB+CdE+fGh");
    Calc->edtYinput->setText("aBc+DeF+gHa+bCd+EfG+hAb+cDe+FgH");
    Calc->lblboolxorClick();
    const QString z = Calc->edtZinput->text();
    const QString count = Panel(1);
    ASSERT_FALSE(z.isEmpty());

    frmKmap->ClearALLKMAP1Click();
    frmKmap->inputgrid->setCell(2, 1, "AB");
    ProgramState.TruthTable.fill(0);
    Calc->edtZinput->clear();
    {
        CommandStorm storm;
        Calc->lblboolxorClick();
        storm.stop();
        EXPECT_GT(storm.ticks(), 0) << "the products let the storm in";
    }
    EXPECT_EQ(Calc->edtZinput->text(), z);
    EXPECT_EQ(Panel(1), count);
    EXPECT_EQ(ProgramState.VarCount, 8);
    // Nothing else started inside the operation.
    EXPECT_EQ(frmKmap->inputgrid->cell(2, 1), "AB");
    EXPECT_TRUE(std::all_of(ProgramState.TruthTable.begin(), ProgramState.TruthTable.end(),
                            [](uint8_t v) { return v == 0; }));
    EXPECT_FALSE(Calc->Busy());
    frmKmap->hide();
    frmBoolprojects->hide();
}

class LoopGuardResults : public KmapTest {};

std::vector<QString> ResultTerms() {
    std::vector<QString> terms;
    for (int r = 1; r < frmResult->Outputgrid->rowCountValue(); ++r) {
        terms.push_back(frmResult->Outputgrid->cell(2, r));
    }
    return terms;
}

TEST_F(LoopGuardResults, MinimumCoverIsNotDisturbed) {
    UseVariables(13);
    // A result no search proves at once, so the storm meets the command running.
    QStringList terms;
    for (uint32_t m = 0; m < 8192; ++m) {
        if (((m * 2654435761u) >> 29) % 3 != 0) {
            terms << QString::fromStdString(MintermToLetters(m, 13, 'A'));
        }
    }
    SetTerms(terms);
    Trigger(frmKmap, "Simplify");
    const std::vector<QString> before = ResultTerms();
    ASSERT_GT(before.size(), 100u);
    const auto table = ProgramState.TruthTable;
    QGuiApplication::clipboard()->setText("q\r\n");
    frmResult->CoverBudgetMs = 500;
    {
        CommandStorm storm(EveryOtherCommand());
        frmResult->btnMinimumCoverClick();
        storm.stop();
        EXPECT_GT(storm.ticks(), 0) << "the cover let the storm in";
    }
    frmResult->CoverBudgetMs = 10000;
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('|').toStdString();
    EXPECT_EQ(ResultTerms(), before);
    EXPECT_TRUE(ProgramState.TruthTable == table);
    EXPECT_EQ(ProgramState.VarCount, 13);
    EXPECT_FALSE(frmResult->lblMinimumCover->text().isEmpty());
    EXPECT_FALSE(frmResult->coverRunning());
    frmKmap->ClearALLKMAP1Click();  // 13-letter terms would stop later suites' Simplify
}

}  // namespace
