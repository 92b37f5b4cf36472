// The Outputs window: reached from the PLA import and the projects window, its shared cover,
// Stop, one output into the editor, and Export as… read back.
#include <QTimer>

#include "KmapTestSupport.h"
#include "model/FunctionSet.h"
#include "tests/support/Reference.h"
#include "windows/FormBoolProjects.h"
#include "windows/Outputs.h"
#include "windows/controls/SearchRun.h"
#include "windows/main_groups.h"

namespace {

class OutputsWindowTest : public KmapFileTest {
  protected:
    void TearDown() override {
        frmOutputs->hide();
        frmKmap->mnuNewBoolClick();
        KmapTest::TearDown();
    }

    static TStringGrid* list() { return frmOutputs->OutputList; }
    static TStringGrid* grid() { return frmOutputs->CoverGrid; }

    // Output i's ON minterms as the cover grid states them: each row's term where it has an x.
    static TMintermBits GridFunction(int output) {
        const TFunctionSet& set = frmOutputs->functionSet();
        TMintermBits on = MakeMintermBits(set.Inputs);
        for (int row = 1; row < grid()->rowCountValue(); ++row) {
            if (grid()->cell(output + 1, row) != "x") {
                continue;
            }
            const std::string term = grid()->cell(0, row).toStdString();
            for (uint32_t m = 0; m < (1u << set.Inputs); ++m) {
                if (Covers(term, m, set.Inputs)) {
                    SetMinterm(on, m);
                }
            }
        }
        return on;
    }
};

const QByteArray Adder =
    ".i 3\n.o 2\n.ilb a b cin\n.ob sum cout\n.type fd\n"
    "001 10\n010 10\n100 10\n111 11\n011 01\n101 01\n110 01\n000 0-\n.e\n";

TEST_F(OutputsWindowTest, ImportAllShowsTheOutputsAndOpensOneInTheEditor) {
    prompter.inputAnswers.push_back("all");
    prompter.fileAnswers.push_back({true, WriteFile("adder.pla", Adder), 1});
    Trigger(frmKmap, "Import PLA File…");
    ASSERT_TRUE(frmOutputs->isVisible());
    EXPECT_EQ(list()->rowCountValue(), 3);
    EXPECT_EQ(list()->cell(0, 2), "cout");
    EXPECT_EQ(list()->cell(1, 2), "4");
    EXPECT_EQ(list()->cell(2, 2), "1");
    EXPECT_EQ(frmOutputs->lblFunction->text(), "3 inputs, 2 outputs");
    EXPECT_EQ(frmOutputs->lblInputNames->text(), "A = a, B = b, C = cin");
    EXPECT_EQ(grid()->rowCountValue(), 1);  // no cover until asked for

    // The same rows as importing cout alone, and the map shows them. The row chosen is the one
    // that shows it.
    list()->setRow(2);
    const QImage shot = list()->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(list()->cellRect(1, 2).center())),
              list()->palette().color(QPalette::Highlight));
    EXPECT_EQ(QColor(shot.pixel(list()->cellRect(1, 1).center())), QColor(Qt::white));
    frmOutputs->btnOpenOutputClick();
    EXPECT_EQ(EditorTerms(), (QStringList{"ABC", "aBC", "AbC", "ABc", "-abc"}));
    EXPECT_EQ(frmKmap->plaOutputName(), "cout");
    EXPECT_EQ(OnCells(), (QStringList{"aBC", "AbC", "ABC", "ABc"}));
    // Opening takes the groups and the cell name of before away; File / New its groups and note.
    frmKmap->mnuNewSimplifyClick();
    frmResult->btnShowGroupsClick();
    frmKmap->StatusBar->setPanelText(3, "abcdefghijkl");
    frmOutputs->btnOpenOutputClick();
    EXPECT_FALSE(frmKmap->Groups->hasGroups());
    frmResult->btnShowGroupsClick();
    frmKmap->mnuNewBoolClick();
    EXPECT_FALSE(frmKmap->Groups->hasGroups());
    EXPECT_EQ(frmKmap->StatusBar->panelText(1) + frmKmap->StatusBar->panelText(3), "");
}

TEST_F(OutputsWindowTest, MultiplierFromTheProjectsWindowGetsItsProvenSharedCover) {
    frmBoolprojects->btnMultiplierOutputsClick();
    const TFunctionSet& set = frmOutputs->functionSet();
    ASSERT_EQ(set.Outputs.size(), 8u);
    EXPECT_EQ(list()->cell(0, 1), "P7");
    frmOutputs->btnSharedCoverClick();
    EXPECT_EQ(grid()->rowCountValue(), 122);
    int letters = 0;
    int connections = 0;
    for (int row = 1; row < grid()->rowCountValue(); ++row) {
        letters += static_cast<int>(grid()->cell(0, row).size());
        for (int col = 1; col < grid()->colCountValue(); ++col) {
            connections += grid()->cell(col, row) == "x" ? 1 : 0;
        }
    }
    EXPECT_EQ(frmOutputs->lblSharedCover->text(),
              QString("Minimum: 121 terms, %1 literals, %2 connections (proven)")
                  .arg(Thousands(letters), Thousands(connections)));
    EXPECT_EQ(frmOutputs->btnSharedCover->text(), "Minimum shared cover");
    // What the grid shows is each bit of the product, as the projects window's BIN command
    // computes it.
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(GridFunction(i), set.Outputs[static_cast<size_t>(i)].On) << "output " << i;
        for (uint32_t m = 0; m < 256; ++m) {
            const bool bit = (((m >> 4) * (m & 15u)) >> (7 - i) & 1u) != 0;
            ASSERT_EQ(TestMinterm(set.Outputs[static_cast<size_t>(i)].On, m), bit);
        }
    }
}

TEST_F(OutputsWindowTest, StopEndsTheSearchWithAValidCover) {
    // Eight random outputs of 12 inputs: no proof comes within the test, only Stop ends it.
    TPla pla;
    pla.Inputs = 12;
    pla.Outputs = 8;
    pla.Type = "f";
    uint32_t seed = 12345;
    for (uint32_t m = 0; m < 4096; ++m) {
        pla.Rows.push_back({TCube{4095, m}, m + 1});
        for (int i = 0; i < 8; ++i) {
            seed = seed * 1103515245u + 12345u;
            pla.OutputPlane += (seed >> 16 & 1u) != 0 ? '1' : '0';
        }
    }
    TFunctionSet set;
    TPlaError error;
    ASSERT_TRUE(PlaFunctionSet(pla, {}, set, error));
    frmOutputs->ReceiveFunctionSet(pla, set);
    frmOutputs->CoverBudgetMs = 600000;
    bool wasRunning = false;
    QTimer::singleShot(300, [&wasRunning] {
        wasRunning = frmOutputs->coverRunning();
        if (wasRunning) {
            EXPECT_EQ(frmOutputs->btnSharedCover->text(), "Stop");
            frmOutputs->btnSharedCoverClick();
        }
    });
    frmOutputs->btnSharedCoverClick();
    frmOutputs->CoverBudgetMs = 10000;
    EXPECT_TRUE(wasRunning);
    EXPECT_FALSE(frmOutputs->coverRunning());
    EXPECT_TRUE(frmOutputs->lblSharedCover->text().startsWith("Best: "));
    for (size_t i = 0; i < set.Outputs.size(); ++i) {
        EXPECT_EQ(GridFunction(static_cast<int>(i)), set.Outputs[i].On) << "output " << i;
    }
}

TEST_F(OutputsWindowTest, ExportAsWritesTheWholeSetThatReadsBack) {
    prompter.inputAnswers.push_back("all");
    prompter.fileAnswers.push_back({true, WriteFile("adder.pla", Adder), 1});
    Trigger(frmKmap, "Import PLA File…");
    // No cover yet: Export as… finds it first. The typed extension beats the filter.
    prompter.fileAnswers.push_back({true, dir.filePath("out.pla"), 2});
    frmOutputs->btnExportAsClick();
    const QByteArray bytes = ReadFile(dir.filePath("out.pla"));
    TPla pla;
    TPlaError error;
    ASSERT_TRUE(ReadPla(bytes.toStdString(), pla, error)) << error.Message();
    TFunctionSet back;
    ASSERT_TRUE(PlaFunctionSet(pla, {}, back, error));
    const TFunctionSet& set = frmOutputs->functionSet();
    ASSERT_EQ(back.Outputs.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back.Outputs[i].Name, set.Outputs[i].Name);
        EXPECT_EQ(back.Outputs[i].On, set.Outputs[i].On);
        EXPECT_EQ(back.Outputs[i].Dc, set.Outputs[i].Dc);
    }
    EXPECT_EQ(prompter.messages.back(), "7 terms of 2 outputs were exported");
    prompter.fileAnswers.push_back({true, dir.filePath("adder_out.v"), 1});
    frmOutputs->btnExportAsClick();
    EXPECT_TRUE(ReadFile(dir.filePath("adder_out.v")).startsWith("module adder_out (\n"));
}

TEST_F(OutputsWindowTest, ImportOfSeventeenInputsOpensTheOutputsWindowWithCubes) {
    const QByteArray wide =
        ".i 17\n.o 2\n10000000000000000 10\n11--------------- 10\n"
        "10--------------- 10\n----------------1 01\n.e\n";
    prompter.fileAnswers.push_back({true, WriteFile("wide.pla", wide), 1});
    Trigger(frmKmap, "Import PLA File…");
    ASSERT_TRUE(frmOutputs->isVisible());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(frmOutputs->lblFunction->text(), "17 inputs, 2 outputs");
    EXPECT_FALSE(frmOutputs->btnOpenOutput->isEnabled());
    EXPECT_FALSE(frmOutputs->btnOpenOutput->toolTip().isEmpty());
    frmOutputs->btnSharedCoverClick();
    QStringList rows;
    for (int row = 1; row < grid()->rowCountValue(); ++row) {
        rows << grid()->cell(0, row) + " " + (grid()->cell(1, row) == "x" ? "1" : "0") +
                    (grid()->cell(2, row) == "x" ? "1" : "0");
    }
    rows.sort();
    EXPECT_EQ(rows, (QStringList{"----------------1 01", "1---------------- 10"}));
    // Export as… writes the cover as the command line does.
    prompter.fileAnswers.push_back({true, dir.filePath("wide_out.pla"), 1});
    Trigger(frmOutputs, "Export as…");
    const QByteArray pla = ReadFile(dir.filePath("wide_out.pla"));
    EXPECT_TRUE(pla.startsWith(".i 17\n.o 2\n.ob F1 F2\n.type f\n.p 2\n")) << pla.data();
    EXPECT_TRUE(pla.contains("\n----------------1 01\n")) << pla.data();
    EXPECT_EQ(prompter.messages.back(), "2 terms of 2 outputs were exported");
    // A file of 16 inputs or fewer gets the K-map back.
    prompter.inputAnswers.push_back("all");
    prompter.fileAnswers.push_back({true, WriteFile("adder.pla", Adder), 1});
    Trigger(frmKmap, "Import PLA File…");
    EXPECT_TRUE(frmOutputs->btnOpenOutput->isEnabled());
}

}  // namespace
