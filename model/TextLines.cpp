// The line reader of term files and the term plot of the maps.
#include "model/TextLines.h"

#include <algorithm>
#include <charconv>

#include "model/Letters.h"
#include "model/Minterms.h"
#include "model/Terms.h"

namespace {

constexpr size_t KeptLimit = TermCapacity + 1;

}  // namespace

bool TTermLineReader::Feed(const char* data, size_t size) {
    if (FTooMany) {
        return false;
    }
    for (size_t i = 0; i < size; ++i) {
        const TLineEnds::TKind kind = FEnds.Step(data[i]);
        if (kind == TLineEnds::Text) {
            AddChar(data[i]);
        } else if (kind == TLineEnds::End && !EndLine()) {
            return false;
        }
    }
    return true;
}

bool TTermLineReader::Finish() {
    if (FTooMany) {
        return false;
    }
    if (FStarted || FLeadingBlanks) {
        return EndLine();
    }
    return true;
}

void TTermLineReader::AddChar(char byte) {
    if (static_cast<unsigned char>(byte) <= 32) {
        if (FStarted) {
            ++FInnerBlanks;
        } else {
            FLeadingBlanks = true;
        }
        return;
    }
    if (FInnerBlanks > 0) {
        FLine.append(std::min(FInnerBlanks, KeptLimit), ' ');
        FInnerBlanks = 0;
    }
    FStarted = true;
    FLine += byte;
    if (FLine.size() > KeptLimit && DontCareMarkEnd(FLine) == 1) {
        // Too long even for a don't-care term: without its mark it still reads as too long.
        FLine.erase(0, 1);
    }
    if (FLine.size() > KeptLimit) {
        FLine.resize(KeptLimit);
    }
}

bool TTermLineReader::EndLine() {
    if (FLines.size() >= MaxTextLines) {
        FTooMany = true;
        return false;
    }
    FLines.push_back(FLine);
    FLine.clear();
    FInnerBlanks = 0;
    FStarted = false;
    FLeadingBlanks = false;
    return true;
}

bool IsTermLine(const std::string& line) {
    if (line.empty() || line.size() > TermCapacity) {
        return false;
    }
    return std::all_of(line.begin(), line.end(), [](char c) {
        const char up = UpCase(c);
        return up >= 'A' && up <= 'P';
    });
}

bool IsTermFileLine(const std::string& line) {
    std::string term = line;
    return TakeDontCareMark(term) ? IsTermLine(term) : IsTermLine(line);
}

TPlotOutcome PlotTerms(const std::string& text, int n) {
    const uint32_t highMinterm = HighMintermOf(n);
    TPlotOutcome out;
    std::string piece;
    for (size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '+';
        if (c == '+' || c == '\r' || c == '\n') {
            if (!piece.empty()) {
                out.Pieces.push_back(piece);
            }
            piece.clear();
        } else {
            piece += c;
        }
    }
    // One flag per minterm so that a large map is marked in linear time.
    std::vector<bool> marked(size_t{highMinterm} + 1, false);
    bool beyond = false;
    for (const auto& p : out.Pieces) {
        if (beyond) {
            out.OutOfRange = true;
            return out;
        }
        std::string term = CutTerm(p);
        if (CheckTerm(term, n) != TermValid) {
            continue;
        }
        const TCube masks = TermMasks(term, n);
        if (masks.Care > highMinterm || masks.Hi > highMinterm) {
            beyond = true;
            continue;
        }
        ForEachCubeMinterm(masks, highMinterm, [&](uint32_t m) {
            if (!marked[m]) {
                marked[m] = true;
                out.Marked.push_back(m);
            }
            return true;
        });
    }
    return out;
}

std::string Excerpt(std::string_view text) {
    constexpr size_t Shown = 40;
    if (text.size() <= Shown) {
        return std::string(text);
    }
    return std::string(text.substr(0, Shown)) + "... (" + std::to_string(text.size()) +
           " characters)";
}

void SkipByteOrderMark(std::string_view& firstLine) {
    constexpr std::string_view Mark = "\xEF\xBB\xBF";
    if (firstLine.substr(0, Mark.size()) == Mark) {
        firstLine.remove_prefix(Mark.size());
    }
}

bool ParseCount(std::string_view word, uint64_t& value) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    const auto [end, fault] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (fault == std::errc::result_out_of_range) {
        value = UINT64_MAX;
    }
    return true;
}
