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
    const QLabel* panel = frmKmap->StatusBar->findChild<QLabel*>("Panel1");
    EXPECT_EQ(panel->text(), "cout: 4 terms, 1 don't-care");
    EXPECT_LE(panel->sizeHint().width(), panel->width());
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
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "cout: 4 terms, 1 don't-care");
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

// Export as…: the unchecked rows as a whole unit named after the file, in the language of the
// typed extension or else of the chosen filter, with the PLA's names.
TEST_F(PlaWindowTest, ResultsExportTheUncheckedRowsByExtensionOrFilter) {
    prompter.inputAnswers.push_back("cout");
    Import(QByteArray(Adder).replace("000 0-\n", ""));
    prompter.messages.clear();
    frmKmap->mnuNewSimplifyClick();
    ASSERT_EQ(frmResult->Outputgrid->cell(2, 1), "AB");
    frmResult->Outputgrid->setCell(1, 2, "x");
    const struct {
        int Filter;
        const char* File;
        QByteArray Text;
    } cases[] = {
        {1, "export1",
         "module export1 (\n    input wire a,\n    input wire b,\n    input wire cin,\n"
         "    output wire cout\n);\n    assign cout = (a & b)\n        | (b & cin);\n"
         "endmodule\n"},
        {2, "export2",
         "library ieee;\nuse ieee.std_logic_1164.all;\n\nentity export2 is\n    port (\n"
         "        a : in std_logic;\n        b : in std_logic;\n        cin : in std_logic;\n"
         "        cout : out std_logic\n    );\nend entity export2;\n\n"
         "architecture rtl of export2 is\nbegin\n    cout <= (a and b)\n        or (b and cin);\n"
         "end architecture rtl;\n"},
        {3, "export3",
         "#ifndef EXPORT3_H\n#define EXPORT3_H\n\nstatic inline int export3(int a, int b, int cin)"
         "\n{\n    return (a && b)\n        || (b && cin);\n}\n\n#endif\n"},
        {4, "export4", "a*b + b*cin\n"},
        {5, "export5", ".i 3\n.o 1\n.ilb a b cin\n.ob cout\n.type f\n.p 2\n11- 1\n-11 1\n.e\n"},
        // A typed extension wins over the filter.
        {4, "leak.v",
         "module leak (\n    input wire a,\n    input wire b,\n    input wire cin,\n"
         "    output wire cout\n);\n    assign cout = (a & b)\n        | (b & cin);\n"
         "endmodule\n"},
        {1, "carry.PLA", ".i 3\n.o 1\n.ilb a b cin\n.ob cout\n.type f\n.p 2\n11- 1\n-11 1\n.e\n"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.File);
        prompter.fileAnswers.push_back({true, path, c.Filter});
        Trigger(frmResult, "Export as…");
        EXPECT_EQ(ReadFile(path), c.Text) << c.File;
    }
    EXPECT_EQ(prompter.messages.value(0), "2 terms were exported");
    // The dialog offers the type written last.
    EXPECT_EQ(prompter.fileRequests.back().FilterIndex, 1);
    prompter.fileAnswers.push_back({false, "", 1});
    Trigger(frmResult, "Export as…");
    EXPECT_EQ(prompter.fileRequests.back().FilterIndex, 5);
    EXPECT_EQ(prompter.fileRequests.back().DefaultExt, "pla");
    EXPECT_TRUE(prompter.fileRequests.back().SuffixFollowsFilter);
    // A port written under another name is named, as a harness would look for the given one.
    prompter.inputAnswers.push_back("cout");
    Import(QByteArray(Adder).replace("cin", "out"));
    frmKmap->mnuNewSimplifyClick();
    prompter.messages.clear();
    prompter.fileAnswers.push_back({true, dir.filePath("renamed.v"), 1});
    Trigger(frmResult, "Export as…");
    EXPECT_TRUE(
        prompter.messages.value(0).endsWith(" exported\nRenamed in the export: out to out_v"))
        << prompter.messages.value(0).toStdString();
}

// The PLA keeps the don't cares of the function simplified.
TEST_F(PlaWindowTest, ResultsExportAsPlaKeepsTheDontCares) {
    UseVariables(3);
    SetTerms({"abC", "-abc"});
    frmKmap->mnuNewSimplifyClick();
    ASSERT_EQ(frmResult->Outputgrid->cell(2, 1), "ab");
    const QString path = dir.filePath("dc.pla");
    prompter.fileAnswers.push_back({true, path, 5});
    Trigger(frmResult, "Export as…");
    EXPECT_EQ(ReadFile(path), ".i 3\n.o 1\n.ilb A B C\n.ob F\n.type fd\n.p 2\n00- 1\n000 -\n.e\n");
}

}  // namespace
