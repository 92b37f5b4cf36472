// The K-map window's text files, clipboard, BIN images and truth-table conversion.
#include <QClipboard>
#include <QDir>

#include "KmapTestSupport.h"

namespace {

class KmapFilesTest : public KmapFileTest {
  protected:
    void AnswerFile(const QString& path, int filterIndex) {
        prompter.fileAnswers.push_back({true, path, filterIndex});
    }
    void Open(const QByteArray& bytes) {
        AnswerFile(WriteFile("terms.txt", bytes), 1);
        Trigger(frmKmap, "&Open Boolean Text File");
    }
    static void SetOnMinterms(std::initializer_list<uint32_t> minterms) {
        ProgramState.TruthTable.fill(0);
        for (const uint32_t m : minterms) {
            ProgramState.TruthTable[m] = 1;
        }
    }
};

TEST_F(KmapFilesTest, OpenTrimsTheLinesAndSizesTheEditor) {
    SetTerms({"x", "y", "z", "w"});
    Open("AB\r\n  cD  \r\nABCDEFGHIJKLMNOP\r\n");
    EXPECT_EQ(prompter.messages, QStringList{"3 Boolean strings were read"});
    EXPECT_EQ(editor()->cell(2, 1), "AB");
    EXPECT_EQ(editor()->cell(2, 2), "cD");
    EXPECT_EQ(editor()->cell(2, 3), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(editor()->cell(2, 4), "");
    EXPECT_EQ(editor()->rowCountValue(), 10001);
    ASSERT_EQ(prompter.fileRequests.size(), 1u);
    EXPECT_EQ(prompter.fileRequests[0].Filter,
              "Boolean Ascii Text Files|*.TXT|Any Files(as binary)|*.*");
    EXPECT_EQ(prompter.fileRequests[0].FilterIndex, 1);
    EXPECT_EQ(prompter.fileRequests[0].DefaultExt, "TXT");
}

struct LineEndCase {
    const char* name;
    QByteArray bytes;
};

class OpenLineEnds : public KmapFilesTest, public testing::WithParamInterface<LineEndCase> {};

TEST_P(OpenLineEnds, EveryLineEndingSplitsTheSameWay) {
    Open(GetParam().bytes);
    EXPECT_EQ(prompter.messages, QStringList{"3 Boolean strings were read"});
    EXPECT_EQ(EditorTerms(), (QStringList{"AB", "c", "D"}));
}

INSTANTIATE_TEST_SUITE_P(
    Endings, OpenLineEnds,
    testing::Values(LineEndCase{"CrLf", "AB\r\nc\r\nD\r\n"}, LineEndCase{"Cr", "AB\rc\rD\r"},
                    LineEndCase{"Lf", "AB\nc\nD\n"}, LineEndCase{"Mixed", "AB\rc\nD\r\n"},
                    LineEndCase{"NoLastEnding", "AB\r\nc\r\nD"},
                    LineEndCase{"TabsAndBlanksAround", "\tAB \r\n c\t\r\n   D"}),
    [](const testing::TestParamInfo<LineEndCase>& info) { return info.param.name; });

struct FormatCase {
    const char* name;
    QByteArray bytes;
    int badLine;
};

class OpenFormatErrors : public KmapFilesTest, public testing::WithParamInterface<FormatCase> {};

TEST_P(OpenFormatErrors, StopAtTheBadLineKeepingTheLinesBefore) {
    Open(GetParam().bytes);
    EXPECT_EQ(prompter.messages,
              QStringList{"Format error in string line no " + QString::number(GetParam().badLine)});
    EXPECT_EQ(EditorTerms().size(), GetParam().badLine - 1);
    EXPECT_EQ(editor()->cell(2, GetParam().badLine), "");
    EXPECT_EQ(editor()->rowCountValue(), 10001);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OpenFormatErrors,
    testing::Values(FormatCase{"EmptyThirdLine", "AB\r\ncd\r\n\r\nA\r\n", 3},
                    FormatCase{"BlankLine", "AB\r\n   \r\n", 2},
                    FormatCase{"SeventeenLetters", "ABCDEFGHIJKLMNOPA\r\n", 1},
                    FormatCase{"Digit", "AB\r\nA1\r\n", 2}, FormatCase{"Plus", "AB+cd\r\n", 1},
                    FormatCase{"LetterQ", "a\r\nb\r\nQ\r\n", 3},
                    FormatCase{"BlankInside", "A B\r\n", 1},
                    FormatCase{"LongBlankRun", "A" + QByteArray(5000, ' ') + "B\r\n", 1}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST_F(KmapFilesTest, ManyLinesMakeTheEditorLonger) {
    QByteArray bytes;
    for (int i = 0; i < 10001; ++i) {
        bytes += "aB\r\n";
    }
    Open(bytes + "ABC" + QByteArray(3000, ' '));
    EXPECT_EQ(prompter.messages, QStringList{"10002 Boolean strings were read"});
    EXPECT_EQ(editor()->rowCountValue(), 10003);
    EXPECT_EQ(editor()->cell(2, 10002), "ABC");
}

TEST_F(KmapFilesTest, RefusedFilesLeaveTheEditorAlone) {
    SetTerms({"AB"});
    QByteArray tooMany;
    for (int i = 0; i < 65537; ++i) {
        tooMany += "A\n";
    }
    Open(tooMany);
    Open("");
    AnswerFile(WriteFile("other.txt", "AB\r\n"), 2);
    Trigger(frmKmap, "&Open Boolean Text File");
    AnswerFile(dir.filePath("missing.txt"), 1);
    Trigger(frmKmap, "&Open Boolean Text File");
    Trigger(frmKmap, "&Open Boolean Text File");  // cancelled
    ASSERT_EQ(prompter.messages.size(), 4);
    EXPECT_EQ(prompter.messages[0], "TOO many lines");
    EXPECT_EQ(prompter.messages[1], "Blank File/lines not allowed");
    EXPECT_EQ(prompter.messages[2], "You must select Text files only");
    EXPECT_TRUE(prompter.messages[3].startsWith("Cannot open " + dir.filePath("missing.txt")));
    EXPECT_EQ(EditorTerms(), QStringList{"AB"});
    EXPECT_EQ(editor()->rowCountValue(), 40001);
}

TEST_F(KmapFilesTest, SaveWritesTheTermsWithoutGaps) {
    editor()->setCell(2, 1, Padded("AB"));
    editor()->setCell(2, 5, "cD");
    editor()->setCell(2, 9, "ABCDEFGHIJKLMNOPQR");
    editor()->setCell(2, 12, "   ");
    const QString path = dir.filePath("saved.txt");
    AnswerFile(path, 1);
    Trigger(frmKmap, "&Save as Text File");
    EXPECT_EQ(prompter.messages, QStringList{"3 Lines was saved"});
    EXPECT_EQ(ReadFile(path), "AB              \r\ncD\r\nABCDEFGHIJKLMNOP\r\n");
    ASSERT_EQ(prompter.fileRequests.size(), 1u);
    EXPECT_EQ(prompter.fileRequests[0].Title, "Save Boolean Terms");
    EXPECT_EQ(prompter.fileRequests[0].Filter, "Ascii Text Files|*.TXT|Binary Image Files|*.BIN");
}

TEST_F(KmapFilesTest, SavedFileReadsBackToTheSameTerms) {
    UseVariables(16);
    SetTerms({"AbC", "p", "ABCDEFGHIJKLMNOP", "aBcDeFgHiJkLmNoP"});
    const QString path = dir.filePath("round.TXT");
    AnswerFile(path, 2);  // the filter does not matter for text
    Trigger(frmKmap, "&Save as Text File");
    frmKmap->ClearALLKMAP1Click();
    AnswerFile(path, 1);
    Trigger(frmKmap, "&Open Boolean Text File");
    EXPECT_EQ(prompter.messages, (QStringList{"4 Lines was saved", "4 Boolean strings were read"}));
    EXPECT_EQ(EditorTerms(), (QStringList{"AbC", "p", "ABCDEFGHIJKLMNOP", "aBcDeFgHiJkLmNoP"}));
}

TEST_F(KmapFilesTest, FailedSaveReportsAndReplacesNothing) {
    SetTerms({"AB"});
    AnswerFile(dir.filePath("no/such/dir/x.txt"), 1);
    Trigger(frmKmap, "&Save as Text File");
    AnswerFile(dir.path(), 1);  // a folder cannot be replaced by a file
    Trigger(frmKmap, "&Save as Text File");
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot save "));
    EXPECT_TRUE(prompter.messages[1].startsWith("Cannot save "));
    EXPECT_TRUE(QDir(dir.path()).exists());
}

TEST_F(KmapFilesTest, ClipboardRoundTrip) {
    SetTerms({" AB ", "", "ABCDEFGHIJKLMNOPQ", "cd"});
    Trigger(frmKmap, "Save All  to Clipboard");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "AB\r\nABCDEFGHIJKLMNOP\r\ncd\r\n");
    EXPECT_TRUE(prompter.messages.isEmpty());
    frmKmap->ClearALLKMAP1Click();
    Trigger(frmKmap, "Save All  to Clipboard");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST_F(KmapFilesTest, ClipboardImportTakesLinesAsTheyAre) {
    SetTerms({"q", "q", "q", "q", "q", "q", "q", "q", "q", "q", "q", "q"});
    map()->setCell(0, 0, "x");
    QGuiApplication::clipboard()->setText(
        "AB+cd\r\n a \rB\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\nABCDEFGHIJKLMNOPQRS\r\n");
    Trigger(frmKmap, "Get Clipbrd");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "10 Strs imported");
    EXPECT_EQ(editor()->cell(2, 1), "AB+cd");
    EXPECT_EQ(editor()->cell(2, 2), " a ");
    EXPECT_EQ(editor()->cell(2, 3), "B");
    EXPECT_EQ(editor()->cell(2, 10), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(editor()->cell(2, 11), "");
    EXPECT_EQ(map()->cell(0, 0), " ");
    EXPECT_EQ(editor()->row(), 1);
    EXPECT_EQ(editor()->topRow(), 1);
}

TEST_F(KmapFilesTest, ClipboardImportLongerThanTheEditorKeepsEveryLine) {
    editor()->setRowCount(10001);
    QString text;
    for (int i = 0; i < 12000; ++i) {
        text += "Ab\r\n";
    }
    QGuiApplication::clipboard()->setText(text + "CD");
    Trigger(frmKmap, "Get from clipboard");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "12001 Strs imported");
    EXPECT_EQ(editor()->cell(2, 12001), "CD");
}

struct BinCase {
    const char* name;
    int vars;
    QString chosen;
    QString written;
    int bytes;
};

class BinSave : public KmapFilesTest, public testing::WithParamInterface<BinCase> {};

TEST_P(BinSave, WritesOneBitPerMintermUnderTheRightName) {
    const BinCase& c = GetParam();
    UseVariables(c.vars);
    SetOnMinterms({0, 2, uint32_t(1u << c.vars) - 1});
    AnswerFile(dir.filePath(c.chosen), 2);
    frmKmap->SaveasBin1Click();
    const QString path = dir.filePath(c.written);
    EXPECT_EQ(prompter.messages, QStringList{path + " was saved"});
    const QByteArray bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), c.bytes);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]) & 0x07, 0x05);
    EXPECT_EQ(static_cast<uint8_t>(bytes[c.bytes - 1]) & 0x80, 0x80);
    ASSERT_EQ(prompter.fileRequests.size(), 1u);
    EXPECT_EQ(prompter.fileRequests[0].FilterIndex, 2);
}

INSTANTIATE_TEST_SUITE_P(Names, BinSave,
                         testing::Values(BinCase{"ThreeVars", 3, "t.bin", "t.bin", 1},
                                         BinCase{"NoExtension", 4, "four", "four.Bin", 2},
                                         BinCase{"BinInside", 4, "my.bin.txt", "my.bin.txt", 2},
                                         BinCase{"SixteenVars", 16, "all.BIN", "all.BIN", 8192},
                                         BinCase{"WideName", 4, "Kärnten Ω", "Kärnten Ω.Bin", 2}),
                         [](const testing::TestParamInfo<BinCase>& info) {
                             return info.param.name;
                         });

TEST_F(KmapFilesTest, BinForFourVariablesHoldsExactlyTheOnMinterms) {
    SetOnMinterms({0, 2, 15});
    const QString path = dir.filePath("exact.bin");
    AnswerFile(path, 2);
    frmKmap->SaveasBin1Click();
    EXPECT_EQ(ReadFile(path), QByteArray("\x05\x80", 2));
}

TEST_F(KmapFilesTest, BinNeedsTheBinFilter) {
    SetOnMinterms({1});
    AnswerFile(dir.filePath("wrong.bin"), 1);
    frmKmap->SaveasBin1Click();
    frmKmap->SaveasBin1Click();  // cancelled
    EXPECT_EQ(prompter.messages, QStringList{"Select BIN from the dropdown box"});
    EXPECT_FALSE(QFile::exists(dir.filePath("wrong.bin")));
}

TEST_F(KmapFilesTest, TableBecomesMintermRowsHighestFirstAndInvertGivesTheRest) {
    SetTerms({"q", "q", "q", "q"});
    editor()->setCell(1, 2, "x");
    SetOnMinterms({0, 2, 15});
    frmKmap->TableToEditor();
    EXPECT_EQ(EditorTerms(), (QStringList{"ABCD", "abCd", "abcd"}));
    EXPECT_EQ(editor()->cell(2, 4), "");
    EXPECT_EQ(editor()->cell(1, 2), "");
    EXPECT_EQ(frmKmap->StatusBar->panelText(2), "3 Bool strings imported");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "Ready");
    EXPECT_EQ(frmKmap->Gauge->value(), 0);

    Trigger(frmKmap, "Invert BIN data");
    const QStringList rest = EditorTerms();
    ASSERT_EQ(rest.size(), 13);
    EXPECT_EQ(rest.first(), "ABCd");
    EXPECT_EQ(rest.last(), "abcD");
    EXPECT_FALSE(rest.contains("abCd"));
    EXPECT_EQ(frmKmap->StatusBar->panelText(2), "13 Bool strings imported");
}

TEST_F(KmapFilesTest, FullSixteenVariableTableFillsAGrownEditor) {
    UseVariables(16);
    ProgramState.TruthTable.fill(1);
    frmKmap->TableToEditor();
    EXPECT_EQ(frmKmap->StatusBar->panelText(2), "65536 Bool strings imported");
    ASSERT_EQ(editor()->rowCountValue(), 65537);
    EXPECT_EQ(editor()->cell(2, 1), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(editor()->cell(2, 65536), "abcdefghijklmnop");
}

}  // namespace
