// Product of sums in the windows: the label, groups on the zeros, exports of the product and
// hand-overs of the function itself.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ResultsTestSupport.h"
#include "engine/Simplify.h"
#include "model/UnitWriters.h"
#include "tests/support/Reference.h"
#include "windows/main_groups.h"

namespace {

// F = AB + aBd with abcd free, over 4 variables.
const std::vector<std::string> Editor = {"AB", "aBd", "-abcd"};
bool On(uint32_t m) {
    return (m & 0b1100) == 0b1100 || (m & 0b1101) == 0b0100;
}

class ProductOfSumsWindow : public ResultsTest {
  protected:
    void SetUp() override {
        ResultsTest::SetUp();
        SetEditor(Editor);
        frmKmap->mnuProductOfSumsClick();
    }
    void TearDown() override {
        frmKmap->hide();
        frmBooleanClac->edtZinput->clear();
        ProgramState.DontCare.fill(0);
        ResultsTest::TearDown();
    }
    // The function the rows stand for: 1 where no row covers the minterm.
    static bool RowsFunction(const std::vector<std::string>& rows, uint32_t m) {
        return !OnSet(rows, 4)[m];
    }
    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void AnswerSave(const QString& path, int filter) {
        prompter.fileAnswers.push_back(TFileDialogResult{true, path, filter});
    }
    QTemporaryDir dir;
};

TEST_F(ProductOfSumsWindow, RowsAreTheZerosPrimesAndTheLabelSaysEachIsASum) {
    const TSimplifyOutcome zeros =
        SimplifyTerms({"abcD", "abC", "aBD", "Ab", "-abcd"}, StateTables());
    ASSERT_EQ(zeros.Kind, TSimplifyKind::Ranked);
    const std::vector<std::string> primes = Items(zeros.Result);
    EXPECT_EQ(Terms(), primes);
    EXPECT_EQ(W->resultForm(), TUnitForm::ProductOfSums);
    EXPECT_TRUE(W->lblResultForm->isVisible());
    const QLabel* label = W->lblResultForm;
    EXPECT_TRUE(label->text().contains("aBc = (A+b+C)"));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    EXPECT_FALSE(label->geometry().intersects(W->SpeedButton1->geometry()));
    EXPECT_FALSE(label->geometry().intersects(W->SpeedButton2->geometry()));
    for (uint32_t m = 0; m < 16; ++m) {
        if (m != 0) {
            EXPECT_EQ(RowsFunction(primes, m), On(m)) << m;
        }
    }
    W->btnTestNewDataClick();
    EXPECT_EQ(prompter.messages, QStringList{"New boolean strings ok"});
    Trigger(frmKmap, "Simplify");
    EXPECT_EQ(W->resultForm(), TUnitForm::SumOfProducts);
    EXPECT_FALSE(W->lblResultForm->isVisible());
    EXPECT_TRUE(W->findChild<QLabel*>("Panel2Caption")->isVisible());
}

TEST_F(ProductOfSumsWindow, GroupsLieOnTheZerosOverTheFunction) {
    W->btnShowGroupsClick();
    TStringGrid* map = frmKmap->KmapGrid;
    const TKmapLayout layout = frmKmap->layout();
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const uint32_t m = CellMinterm(layout, TMapCell{r, c});
            EXPECT_EQ(map->cell(c, r), On(m) ? "x" : m == 0 ? "-" : "") << m;
            const bool grouped = !frmKmap->Groups->groupsAt(TMapCell{r, c}).empty();
            if (m != 0) {
                EXPECT_EQ(grouped, !On(m)) << m;
            }
        }
    }
    EXPECT_EQ(frmKmap->Groups->groups()[0].Name.front(), '(');
}

// While groups are shown each row's number takes its group's colour, and a column its sum.
TEST_F(ProductOfSumsWindow, LegendShowsEachRowsGroupColourAndSum) {
    G->setCell(1, 1, "x");  // a checked row has no group
    W->btnShowGroupsClick();
    QApplication::processEvents();
    ASSERT_EQ(G->colCountValue(), 6);
    const QImage shot = G->viewport()->grab().toImage();
    auto numberColour = [&](int row) {
        return QColor(shot.pixel(G->cellRect(0, row).bottomRight() - QPoint(1, 1)));
    };
    for (const TMapGroup& group : frmKmap->Groups->groups()) {
        EXPECT_EQ(numberColour(group.Source), group.Colour) << group.Source;
    }
    EXPECT_EQ(numberColour(1), W->palette().color(QPalette::Button));
    EXPECT_EQ(G->cell(5, 1), "(A + D')");  // row aD
    EXPECT_EQ(G->cell(5, 2), "(B)");       // row b
    G->setCell(1, 2, "x");                 // a changed result: groups and legend leave
    QApplication::processEvents();
    EXPECT_EQ(G->colCountValue(), 5);
    EXPECT_EQ(G->colWidth(2), 140);
}

struct TExportCase {
    const char* Name;
    int Filter;
    const char* File;
    TExportFormat Format;
};

class ProductOfSumsExport : public ProductOfSumsWindow,
                            public testing::WithParamInterface<TExportCase> {};

// The window hands the exports the product of its unchecked rows' sums; the writers themselves
// are compiled and run on every input, and their PLA read back, by the model's tests.
TEST_P(ProductOfSumsExport, WritesTheProductOfTheUncheckedRows) {
    const TExportCase& c = GetParam();
    Check({1});
    std::vector<TCube> kept;
    for (size_t i = 1; i < Terms().size(); ++i) {
        kept.push_back(TermMasks(Terms()[i]));
    }
    const QString path = dir.filePath(c.File);
    AnswerSave(path, c.Filter);
    Trigger(W, "Export as…");
    EXPECT_EQ(prompter.messages.value(0), QString("%1 sums were exported").arg(kept.size()));
    std::vector<TCube> dontCares;
    if (c.Format == TExportFormat::Pla) {
        dontCares = {{0b1111, 0}};
    }
    const TDesignUnit unit =
        SingleOutputUnit(UnitNameOfFile(path.toStdString()), 4, kept, frmKmap->plaInputNames(),
                         frmKmap->plaOutputName(), TUnitForm::ProductOfSums, dontCares);
    EXPECT_EQ(ReadFile(path).toStdString(), WriteUnit(c.Format, unit));
}

INSTANTIATE_TEST_SUITE_P(Formats, ProductOfSumsExport,
                         testing::Values(TExportCase{"Verilog", 1, "f.v", TExportFormat::Verilog},
                                         TExportCase{"Vhdl", 2, "f.vhd", TExportFormat::Vhdl},
                                         TExportCase{"C", 3, "f.c", TExportFormat::C},
                                         TExportCase{"Text", 4, "f.txt", TExportFormat::Text},
                                         TExportCase{"Pla", 5, "f.pla", TExportFormat::Pla}),
                         [](const testing::TestParamInfo<TExportCase>& info) {
                             return info.param.Name;
                         });

// What goes to the editor, the calculator and the BIN image is the function, not its zeros;
// what goes to the clipboard and text files is written as sums.
TEST_F(ProductOfSumsWindow, HandOversCarryTheFunctionAndListsCarrySums) {
    // Rows that Remove and Undo last hand back are sums still.
    Check({1});
    W->btnRemoveCheckedClick();
    W->btnundolastClick();
    const std::vector<std::string> rows = Terms();
    Trigger(W, "Copy to Main KMAP");
    std::vector<std::string> editor;
    for (int r = 1; !frmKmap->inputgrid->cell(2, r).trimmed().isEmpty(); ++r) {
        editor.push_back(frmKmap->inputgrid->cell(2, r).trimmed().toStdString());
    }
    Trigger(W, "Copy to Z input of calculator");
    const std::string z = frmBooleanClac->edtZinput->text().toStdString();
    for (uint32_t m = 0; m < 16; ++m) {
        EXPECT_EQ(OnSet(editor, 4)[m], RowsFunction(rows, m)) << m;
        EXPECT_EQ(EvalSum(z, m, 4), RowsFunction(rows, m)) << m;
    }

    const QString bin = dir.filePath("f.bin");
    AnswerSave(bin, 2);
    Trigger(W, "Save as BIN Image File");
    const QByteArray image = ReadFile(bin);
    ASSERT_EQ(image.size(), 2);
    for (uint32_t m = 0; m < 16; ++m) {
        EXPECT_EQ(((static_cast<uint8_t>(image[m / 8]) >> (m % 8)) & 1) != 0, RowsFunction(rows, m))
            << m;
    }

    QString sums;
    QString product;
    for (const std::string& row : rows) {
        const QString sum = QString::fromStdString(SumTerm(TermMasks(row), 4));
        sums += sum + "\r\n";
        product += "(" + sum + ")";
    }
    Trigger(W, "Save  ALL to Clipboard");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), sums);
    Trigger(W, "Save to clip AS long Line");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), product);
    const QString text = dir.filePath("f.txt");
    AnswerSave(text, 1);
    Trigger(W, "Save as Text File");
    EXPECT_EQ(ReadFile(text), sums.toLatin1());
}

}  // namespace
