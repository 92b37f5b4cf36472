// Tests of the term line reader, the clipboard line split and the term plot.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/State.h"
#include "model/TextLines.h"

namespace {

struct TReadCase {
    const char* Name;
    std::string Bytes;
    std::vector<std::string> Lines;
};

class ReaderLines : public ::testing::TestWithParam<TReadCase> {};

// Fed whole and one byte at a time, a file gives the same lines.
TEST_P(ReaderLines, GivesTheTrimmedLinesWhateverTheChunks) {
    const TReadCase& c = GetParam();
    TTermLineReader whole;
    ASSERT_TRUE(whole.Feed(c.Bytes.data(), c.Bytes.size()));
    ASSERT_TRUE(whole.Finish());
    EXPECT_EQ(whole.Lines(), c.Lines);
    TTermLineReader bytewise;
    for (const char b : c.Bytes) {
        ASSERT_TRUE(bytewise.Feed(&b, 1));
    }
    ASSERT_TRUE(bytewise.Finish());
    EXPECT_EQ(bytewise.Lines(), c.Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderLines,
    ::testing::Values(TReadCase{"Empty", "", {}}, TReadCase{"CrLf", "AB\r\ncd\r\n", {"AB", "cd"}},
                      TReadCase{"LoneCr", "AB\rcd\r", {"AB", "cd"}},
                      TReadCase{"Mixed", "A\r\nB\rC\nD", {"A", "B", "C", "D"}},
                      TReadCase{"CrCrIsTwoLines", "A\r\rB", {"A", "", "B"}},
                      TReadCase{"LfCrIsTwoEndings", "A\n\rB", {"A", "", "B"}},
                      TReadCase{"BlanksTrimmed", " \t cD \x01\r\n", {"cD"}},
                      TReadCase{"BlankOnlyLast", "A\n   ", {"A", ""}},
                      TReadCase{"NulTrimmedAtEnds", std::string("\0AB\0\n", 5), {"AB"}},
                      TReadCase{"NulInsideIsBlank", std::string("A\0B", 3), {"A B"}},
                      TReadCase{"LongCutPastLimit", std::string(40, 'A'), {std::string(17, 'A')}},
                      TReadCase{"LongBlankRunCut",
                                std::string("A").append(40, ' ').append("B"),
                                {std::string("A").append(16, ' ')}}),
    [](const auto& info) { return std::string(info.param.Name); });

std::string Lines(size_t count, const char* ending) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += "Ab";
        text += ending;
    }
    return text;
}

TEST(TermLineReader, TakesTheLastLineThatFitsAndRefusesOneMore) {
    for (const char* ending : {"\r\n", "\n", "\r"}) {
        const std::string full = Lines(MaxTextLines, ending);
        TTermLineReader fits;
        EXPECT_TRUE(fits.Feed(full.data(), full.size()));
        EXPECT_TRUE(fits.Finish());
        EXPECT_FALSE(fits.TooMany());
        EXPECT_EQ(fits.Lines().size(), MaxTextLines);

        // One more line, with or without its ending, is too many.
        std::string more = full;
        more.append("Ab");
        for (int withEnding = 0; withEnding < 2; ++withEnding) {
            if (withEnding == 1) {
                more.append(ending);
            }
            TTermLineReader over;
            const bool fed = over.Feed(more.data(), more.size());
            const bool finished = over.Finish();
            EXPECT_FALSE(fed && finished);
            EXPECT_TRUE(over.TooMany());
            EXPECT_LE(over.Lines().size(), MaxTextLines);
        }
    }
}

TEST(TermLineReader, HugeLineCostsLittle) {
    TTermLineReader reader;
    const std::string chunk(1 << 20, 'a');
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(reader.Feed(chunk.data(), chunk.size()));
    }
    ASSERT_TRUE(reader.Finish());
    ASSERT_EQ(reader.Lines().size(), 1u);
    EXPECT_EQ(reader.Lines()[0].size(), 17u);
    EXPECT_FALSE(IsTermLine(reader.Lines()[0]));
}

struct TLineCase {
    const char* Name;
    std::string Line;
    bool Valid;
};

class TermLines : public ::testing::TestWithParam<TLineCase> {};

TEST_P(TermLines, AcceptsOneToSixteenLettersAToP) {
    EXPECT_EQ(IsTermLine(GetParam().Line), GetParam().Valid);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TermLines,
    ::testing::Values(TLineCase{"Empty", "", false}, TLineCase{"One", "a", true},
                      TLineCase{"Sixteen", "ABCDEFGHIJKLMNOP", true},
                      TLineCase{"Seventeen", "ABCDEFGHIJKLMNOPA", false},
                      TLineCase{"LetterQ", "AQ", false}, TLineCase{"Digit", "A1", false},
                      TLineCase{"Plus", "A+b", false}, TLineCase{"Blank", "A b", false},
                      TLineCase{"HighByte", "A\xE1", false},
                      TLineCase{"Nul", std::string(1, '\0'), false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SplitLineSpans, CountsEveryLineAndKeepsTheFirst) {
    const std::string text = "AB\r\ncd\rE\n\nF";
    std::vector<TLineSpan> spans;
    EXPECT_EQ(SplitLineSpans(text.data(), text.size(), 100, spans), 5u);
    std::vector<std::string> lines;
    for (const auto& s : spans) {
        lines.push_back(text.substr(s.Start, s.Length));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"AB", "cd", "E", "", "F"}));
    EXPECT_EQ(SplitLineSpans(text.data(), text.size(), 2, spans), 5u);
    EXPECT_EQ(spans.size(), 2u);
    EXPECT_EQ(SplitLineSpans(text.data(), 0, 2, spans), 0u);
    EXPECT_TRUE(spans.empty());
    const std::u16string wide = u"A\r\n\r\nB\r";
    EXPECT_EQ(SplitLineSpans(wide.data(), wide.size(), 10, spans), 3u);
}

// The chunk-fed splitter gives the lines of the whole-text split, wherever the chunks break,
// also between the CR and the LF of a line end.
TEST(LineSplitter, SameLinesAsTheWholeTextWhateverTheChunks) {
    const std::string texts[] = {"",         "A",        "AB\r\ncd\rE\n\nF",        "A\r\rB\r",
                                 "A\n\rB\n", "\r\n\r\n", std::string("x\0y\r\n", 5)};
    for (const std::string& text : texts) {
        std::vector<TLineSpan> spans;
        SplitLineSpans(text.data(), text.size(), SIZE_MAX, spans);
        std::vector<std::string> expected;
        for (const TLineSpan& span : spans) {
            expected.push_back(text.substr(span.Start, span.Length));
        }
        for (size_t chunk = 1; chunk <= text.size() + 1; ++chunk) {
            TLineSplitter splitter;
            std::vector<std::string> lines;
            const auto take = [&](std::string_view line) {
                lines.emplace_back(line);
                return true;
            };
            for (size_t at = 0; at < text.size(); at += chunk) {
                ASSERT_TRUE(splitter.Feed(std::string_view(text).substr(at, chunk), take));
            }
            ASSERT_TRUE(splitter.Finish(take));
            EXPECT_EQ(lines, expected) << "chunks of " << chunk;
        }
    }
}

TEST(LineSplitter, StopsWhenTheCallbackSaysSo) {
    std::vector<std::string> lines;
    EXPECT_FALSE(ForEachLine("A\nB\nC", [&](std::string_view line) {
        lines.emplace_back(line);
        return line != "B";
    }));
    EXPECT_EQ(lines, (std::vector<std::string>{"A", "B"}));
}

class PlotTermsTest : public ::testing::Test {
  protected:
    void SetUp() override { SetVarCount(4); }
    void TearDown() override { SetVarCount(4); }
};

TEST_F(PlotTermsTest, MarksEachMintermOnceInOrder) {
    const TPlotOutcome plot = PlotTerms("AB+ABc+\r\nq+abcd", ProgramState.VarCount);
    EXPECT_EQ(plot.Pieces, (std::vector<std::string>{"AB", "ABc", "q", "abcd"}));
    EXPECT_EQ(plot.Marked, (std::vector<uint32_t>{12, 13, 14, 15, 0}));
    EXPECT_FALSE(plot.OutOfRange);
}

TEST_F(PlotTermsTest, SkipsTermsTheCheckRefuses) {
    const TPlotOutcome plot = PlotTerms("abcd+E+Aa+1+ABCD", ProgramState.VarCount);
    EXPECT_FALSE(plot.OutOfRange);
    EXPECT_EQ(plot.Marked, (std::vector<uint32_t>{0, 15}));
}

TEST_F(PlotTermsTest, CutsPiecesToSixteenCharacters) {
    SetVarCount(16);
    const TPlotOutcome plot =
        PlotTerms(std::string("ABCDEFGHIJKLMNOPq+A").append(100000, 'a'), ProgramState.VarCount);
    EXPECT_EQ(plot.Marked, (std::vector<uint32_t>{65535}));
}

}  // namespace
