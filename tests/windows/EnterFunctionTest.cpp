// "Enter function…" in the K-map window and the calculator: what the dialog shows, what it fills.

#include "KmapTestSupport.h"

namespace {

class EnterFunctionTest : public KmapTest {
  protected:
    void TearDown() override {
        frmKmap->mnuNewBoolClick();
        frmBooleanClac->edtYinput->clear();
        frmBooleanClac->edtZinput->clear();
        KmapTest::TearDown();
    }
};

TEST_F(EnterFunctionTest, KmapEditorGetsTheTermsThenTheDontCareRows) {
    UseVariables(6);
    prompter.functionAnswers.push_back({"F(A,B,C,D) = Σm(0,1,2,3,15) + d(7)", 0});
    Trigger(frmKmap, "Enter function…");
    EXPECT_EQ(prompter.previews,
              QStringList{"F = ab+ABCD\nDon't cares: aBCD\n4 variables: 5 ON and 1 don't-care "
                          "minterms"});
    EXPECT_EQ(ProgramState.VarCount, 4);
    EXPECT_EQ(EditorTerms(), (QStringList{"ab", "ABCD", "-aBCD"}));
    EXPECT_EQ(map()->cell(0, 0), "x");  // abcd, shown on the map
}

// Fewer than three variables are read at three, keeping their letters; a fault changes nothing.
TEST_F(EnterFunctionTest, TwoVariablesReadAtThreeAndAFaultChangesNothing) {
    prompter.functionAnswers.push_back({"a'b + 1·0", 0});
    prompter.functionAnswers.push_back({"A + (B", 0});
    Trigger(frmKmap, "Enter function…");
    Trigger(frmKmap, "Enter function…");
    EXPECT_EQ(prompter.previews[0],
              "F = aB\n2 variables: 1 ON and 0 don't-care minterms; read at 3 variables, the "
              "others free");
    EXPECT_EQ(prompter.messages, QStringList{"Column 5: this ( is never closed"});
    EXPECT_EQ(ProgramState.VarCount, 3);
    EXPECT_EQ(EditorTerms(), QStringList{"aB"});
}

// The calculator's count grows to hold a function and never shrinks; it takes no don't cares.
TEST_F(EnterFunctionTest, CalculatorFillsTheInputChosen) {
    prompter.functionAnswers.push_back({"m(1,2) + d(3)", 1});
    prompter.functionAnswers.push_back({"F(A,B,C,D,E) = 1", 2});
    Trigger(frmBooleanClac, "Enter function…");
    Trigger(frmBooleanClac, "Enter function…");
    EXPECT_TRUE(
        prompter.previews[0].endsWith("\nThe calculator holds no don't cares: they are left out."));
    EXPECT_EQ(frmBooleanClac->edtYinput->text(), "aB+Ab");
    EXPECT_EQ(frmBooleanClac->edtZinput->text(), "A+a");
    EXPECT_EQ(ProgramState.VarCount, 5);
}

}  // namespace
