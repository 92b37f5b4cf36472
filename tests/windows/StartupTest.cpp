// Start-up: the windows exist under their names and only the calculator is shown.
#include <QTableView>

#include "TestSupport.h"
#include "model/State.h"
#include "windows/FormBoolProjects.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/main.h"

TEST(Startup, WindowsInOrderAndOnlyCalculatorVisible) {
    ASSERT_NE(frmBooleanClac, nullptr);
    ASSERT_NE(frmKmap, nullptr);
    ASSERT_NE(frmResult, nullptr);
    ASSERT_NE(frmBoolprojects, nullptr);
    EXPECT_EQ(frmBooleanClac->objectName(), "frmBooleanClac");
    EXPECT_EQ(frmKmap->objectName(), "frmKmap");
    EXPECT_EQ(frmResult->objectName(), "frmResult");
    EXPECT_EQ(frmBoolprojects->objectName(), "frmBoolprojects");
    EXPECT_TRUE(StartState.CalcVisible);
    EXPECT_FALSE(StartState.KmapVisible);
    EXPECT_FALSE(StartState.ResultsVisible);
    EXPECT_FALSE(StartState.ProjectsVisible);
    // Showing the calculator applied its variable count.
    EXPECT_EQ(StartState.VarCount, 6);
}

TEST(StringGridModel, ReadsAndWritesThroughTheModel) {
    TStringGrid grid;
    grid.setColCount(3);
    grid.setRowCount(5);
    grid.setFixedRows(1);
    auto* model = grid.model();
    EXPECT_TRUE(model->setData(model->index(2, 1), "x", Qt::EditRole));
    EXPECT_EQ(grid.cell(1, 2), "x");
    EXPECT_EQ(model->data(model->index(2, 1)).toString(), "x");
    grid.setRowCount(3);
    EXPECT_EQ(grid.cell(1, 2), "x");  // resizing keeps what fits
    EXPECT_EQ(grid.cell(1, 7), "");   // outside reads as empty, never crashes
}
