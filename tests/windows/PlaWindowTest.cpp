// PLA import and export in the K-map window and "Export as…" in the results window.

#include "KmapTestSupport.h"

namespace {

class PlaWindowTest : public KmapFileTest {
  protected:
    void Import(const QByteArray& bytes) {
        prompter.fileAnswers.push_back({true, WriteFile("in.pla", bytes), 1});
        Trigger(frmKmap, "Import PLA File…");
    }
    void TearDown() override {
        frmKmap->mnuNewBoolClick();
        KmapTest::TearDown();
    }
};

const QByteArray Adder =
    ".i 3\n.o 2\n.ilb a b cin\n.ob sum cout\n.type fd\n"
    "001 10\n010 10\n100 10\n111 11\n011 01\n101 01\n110 01\n000 0-\n.e\n";

TEST_F(PlaWindowTest, SeveralOutputsAskWhichAndLoadItsTermsAndDontCares) {
    UseVariables(6);
    prompter.inputAnswers.push_back("cout");
    Import(Adder);
    EXPECT_EQ(ProgramState.VarCount, 3);
    EXPECT_EQ(EditorTerms(), (QStringList{"ABC", "aBC", "AbC", "ABc", "-abc"}));
    EXPECT_EQ(
        prompter.messages,
        QStringList{"4 terms and 1 don't-care terms (1 don't cares) of output cout were read"});
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), prompter.messages.value(0));
    EXPECT_EQ(frmKmap->plaInputNames(), (std::vector<std::string>{"a", "b", "cin"}));
    EXPECT_EQ(frmKmap->plaOutputName(), "cout");
}

// Another tool's spelling: a title line, "|" between fields, 4 for 1 and 2 for -; the answer
// names the output in another case.
TEST_F(PlaWindowTest, AnotherToolsFileLoadsAndTheSkippedTitleIsSaid) {
    prompter.inputAnswers.push_back("COUT");
    Import(
        "Full adder\n.i 3\n.o 2\n.ob sum cout\n001|1 0\n010|1 0\n100|1 0\n111|4 4\n011|0 1\n"
        "101|0 1\n110|0 1\n000|0 2\n");
    EXPECT_EQ(EditorTerms(), (QStringList{"ABC", "aBC", "AbC", "ABc", "-abc"}));
    const QString read = "4 terms and 1 don't-care terms (1 don't cares) of output cout were read";
    EXPECT_EQ(prompter.messages,
              QStringList{read + ";\nline 1: skipped \"Full adder\" before .i as a title"});
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), read);
}

TEST_F(PlaWindowTest, AnUnknownOrCancelledOutputChangesNothing) {
    SetTerms({"AB", "cd"});
    prompter.inputAnswers.push_back("carry");
    Import(Adder);
    EXPECT_EQ(prompter.messages,
              QStringList{"The file has no output carry; its outputs are sum, cout"});
    Import(Adder);  // no answer queued: the input box is cancelled
    EXPECT_EQ(EditorTerms(), (QStringList{"AB", "cd"}));
    EXPECT_EQ(ProgramState.VarCount, 4);
}

TEST_F(PlaWindowTest, ABadLineIsNamedAndTheEditorKept) {
    SetTerms({"AB", "cd"});
    Import(".i 4\n.o 1\n1010 1\n10x0 1\n");
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot read the PLA file "));
    EXPECT_TRUE(prompter.messages[0].endsWith(": line 4: input 3 is \"x\"; an input is 0, 1 or -"))
        << prompter.messages[0].toStdString();
    EXPECT_EQ(EditorTerms(), (QStringList{"AB", "cd"}));
}

TEST_F(PlaWindowTest, ExportWritesTheEditorAsSingleOutputPla) {
    SetTerms({"AbC", "  ", "-abcD", "d"});
    const QString path = dir.filePath("out.pla");
    prompter.fileAnswers.push_back({true, path, 1});
    Trigger(frmKmap, "Export as PLA File…");
    EXPECT_EQ(prompter.messages, QStringList{"3 terms were saved as PLA"});
    EXPECT_EQ(ReadFile(path),
              ".i 4\n.o 1\n.ilb A B C D\n.ob F\n.type fd\n.p 3\n101- 1\n---0 1\n0001 -\n.e\n");
}

// In the editor an ON row wins over a don't-care row, in a PLA the don't care would: the file
// leaves out what the ON rows take, so it reads back as the same function.
TEST_F(PlaWindowTest, ExportLeavesOutDontCaresThatOnRowsTake) {
    SetTerms({"AbC", "-abcd", "-ab", "d"});
    const QString path = dir.filePath("out.pla");
    prompter.fileAnswers.push_back({true, path, 1});
    Trigger(frmKmap, "Export as PLA File…");
    EXPECT_EQ(prompter.messages, QStringList{"4 terms were saved as PLA"});
    EXPECT_EQ(ReadFile(path),
              ".i 4\n.o 1\n.ilb A B C D\n.ob F\n.type fd\n.p 4\n101- 1\n---0 1\n0001 -\n"
              "0011 -\n.e\n");
}

TEST_F(PlaWindowTest, ExportRefusesAnInvalidTermBeforeAskingForAFile) {
    SetTerms({"AB", "AbE"});
    Trigger(frmKmap, "Export as PLA File…");
    EXPECT_EQ(prompter.messages, QStringList{"Boolean string AbE is invalid"});
    EXPECT_TRUE(prompter.fileRequests.empty());
}

// Export as…: the unchecked rows, in the language of the chosen filter, with the PLA's names.
TEST_F(PlaWindowTest, ResultsExportTheUncheckedRowsByFilter) {
    prompter.inputAnswers.push_back("cout");
    Import(QByteArray(Adder).replace("000 0-\n", ""));
    prompter.messages.clear();
    frmKmap->mnuNewSimplifyClick();
    ASSERT_EQ(frmResult->Outputgrid->cell(2, 1), "AB");
    frmResult->Outputgrid->setCell(1, 2, "x");
    const struct {
        int Filter;
        QByteArray Text;
    } cases[] = {
        {1, "assign cout = (a & b)\n    | (b & cin);\n"},
        {2, "cout <= (a and b)\n    or (b and cin);\n"},
        {3, "(a && b)\n    || (b && cin)\n"},
        {4, "a*b + b*cin\n"},
        {5, ".i 3\n.o 1\n.ilb a b cin\n.ob cout\n.type f\n.p 2\n11- 1\n-11 1\n.e\n"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString("export%1").arg(c.Filter));
        prompter.fileAnswers.push_back({true, path, c.Filter});
        Trigger(frmResult, "Export as…");
        EXPECT_EQ(ReadFile(path), c.Text) << c.Filter;
    }
    EXPECT_EQ(prompter.messages.value(0), "2 terms were exported");
    // The dialog offers the type chosen last.
    EXPECT_EQ(prompter.fileRequests.back().FilterIndex, 4);
    EXPECT_TRUE(prompter.fileRequests.back().SuffixFollowsFilter);
}

}  // namespace
