// The largest inputs the K-map window takes: each finishes and leaves the windows usable.
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>

#include "KmapTestSupport.h"
#include "windows/KmapResult.h"

namespace {

class LargeInputTest : public KmapTest {
  protected:
    void SetUp() override {
        KmapTest::SetUp();
        UseVariables(16);
    }
    // A small command still works afterwards: the window is not left busy or broken.
    void ExpectStillUsable() {
        EXPECT_FALSE(frmKmap->isBusy());
        frmKmap->ClearALLKMAP1Click();
        SetTerms({"aB"});
        Trigger(frmKmap, "Save All  to Clipboard");
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "aB\r\n");
    }
    static int OnCount() {
        int on = 0;
        for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
            on += ProgramState.TruthTable[m] != 0 ? 1 : 0;
        }
        return on;
    }
};

TEST_F(LargeInputTest, RandomDataOfSixteenVariablesListsEveryOnMinterm) {
    Trigger(frmKmap, "Random data");
    const int on = OnCount();
    EXPECT_GT(on, 30000);
    EXPECT_LT(on, 35500);
    EXPECT_GE(editor()->rowCountValue(), on + 1);
    const QStringList terms = EditorTerms();
    ASSERT_EQ(terms.size(), on);
    for (const int row : {0, on / 2, on - 1}) {
        ASSERT_EQ(terms[row].size(), 16);
        uint32_t m = 0;
        for (const QChar c : terms[row]) {
            m = 2 * m + (c.isUpper() ? 1 : 0);
        }
        EXPECT_NE(ProgramState.TruthTable[m], 0) << terms[row].toStdString();
    }
    ExpectStillUsable();
}

TEST_F(LargeInputTest, FullMapComesIntoTheEditor) {
    frmKmap->ClearAll2Click();
    frmKmap->InvertKmapdataClick();  // every cell marked
    Trigger(frmKmap, "Show KMAP grid in  Editor");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "65536 Terms were imported");
    EXPECT_EQ(editor()->rowCountValue(), 65537);
    const QStringList terms = EditorTerms();
    ASSERT_EQ(terms.size(), 65536);
    EXPECT_EQ(QSet<QString>(terms.begin(), terms.end()).size(), 65536);
    ExpectStillUsable();
}

TEST_F(LargeInputTest, ConstantHiOfSixteenVariablesIsRecognised) {
    SetTerms({"A", "a"});
    Trigger(frmKmap, "Simplify");
    EXPECT_EQ(prompter.messages, QStringList{"Simplification result is HI"});
    EXPECT_EQ(OnCount(), 65536);
    ExpectStillUsable();
}

TEST_F(LargeInputTest, TextFileOfTheMostLinesIsSimplified) {
    // Every minterm with A and B HI, four times over: 65,536 lines that simplify to AB.
    QByteArray bytes;
    for (int copy = 0; copy < 4; ++copy) {
        for (uint32_t m = 0; m < 16384; ++m) {
            QByteArray line = "AB";
            for (int k = 13; k >= 0; --k) {
                line += static_cast<char>(((m >> k) & 1) != 0 ? 'C' + (13 - k) : 'c' + (13 - k));
            }
            bytes += line + "\r\n";
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("most.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    prompter.fileAnswers.push_back({true, path, 1});
    Trigger(frmKmap, "&Open Boolean Text File");
    ASSERT_EQ(prompter.messages, QStringList{"65536 Boolean strings were read"});
    Trigger(frmKmap, "Simplify");
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(OnCount(), 16384);
    TStringGrid* results = frmResult->Outputgrid;
    ASSERT_EQ(results->rowCountValue(), 2);
    EXPECT_EQ(results->cell(2, 1).trimmed(), "AB");
    frmResult->hide();
    ExpectStillUsable();
}

}  // namespace
