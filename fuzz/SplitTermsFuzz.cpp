// Fuzzes SplitTerms: the rewritten text holds exactly the list and splits again to the same list.
#include <algorithm>

#include "fuzz/FuzzSupport.h"

namespace {

void CheckPiece(const std::string& piece) {
    fuzz::Require(!piece.empty() && piece.size() <= 16, "a kept piece has 1 to 16 characters",
                  piece);
    fuzz::Require(!fuzz::Blank(piece.front()) && !fuzz::Blank(piece.back()),
                  "a kept piece is trimmed", piece);
    fuzz::Require(piece.find_first_of("+\r\n") == std::string::npos,
                  "a kept piece has no separator", piece);
    std::string again = piece;
    const int code = CheckTerm(again);
    fuzz::Require(code != TermContradiction && code != TermEmpty && again == piece,
                  "a kept piece survives its check unchanged", piece);
}

// The pieces between separators ("+" and line breaks), empty ones left out.
std::vector<std::string> Pieces(const std::string& text) {
    std::vector<std::string> pieces(1);
    for (const char c : text) {
        if (c == '+' || c == '\r' || c == '\n') {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    std::erase_if(pieces, [](const std::string& p) { return p.empty(); });
    return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TInput input = fuzz::Decode(data, size, 3, 16);
    SetVarCount(input.n);
    std::string text = input.text;
    TStringListAdv list;
    int errorIndex = -7;
    const int code = SplitTerms(text, list, errorIndex);

    if (input.text.empty()) {
        fuzz::Require(code == -1 && text.empty() && list.Count() == 0 && errorIndex == -7,
                      "an empty text gives -1 and changes nothing");
        return 0;
    }

    // Each piece is checked on its own: the survivors are kept trimmed, and the last piece that
    // the check empties gives the code and the index.
    std::vector<std::string> survivors;
    int lastCode = 0;
    int lastIndex = -7;
    const std::vector<std::string> pieces = Pieces(input.text);
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::string piece = pieces[i];
        const int pieceCode = CheckTerm(piece);
        if (piece.empty()) {
            lastCode = pieceCode;
            lastIndex = static_cast<int>(i);
        } else {
            survivors.push_back(piece);
        }
    }
    fuzz::Require(code == lastCode && errorIndex == lastIndex, "code and index of the last drop",
                  std::to_string(code) + " " + std::to_string(errorIndex));
    const std::vector<std::string> items = Items(list);
    fuzz::Require(items == survivors, "the list holds the surviving pieces in text order");
    for (const auto& piece : items) {
        CheckPiece(piece);
    }
    fuzz::Require(text == fuzz::Join(items), "the text is the list joined by +", text);
    fuzz::Require(CountTerms(text) == static_cast<int>(items.size()), "CountTerms of the text");

    // Splitting the rewritten text again gives the same list and text, and drops nothing.
    std::string again = text;
    TStringListAdv second;
    int secondIndex = -7;
    const int secondCode = SplitTerms(again, second, secondIndex);
    fuzz::Require(secondCode == (text.empty() ? -1 : 0) && secondIndex == -7,
                  "the rewritten text splits without drops");
    fuzz::Require(Items(second) == items && again == text,
                  "the rewritten text splits to the same list", again);

    // A sorted set as the caller's list ends up with the same terms, distinct and in code order.
    std::string sortedText = input.text;
    TStringListAdv sortedList(true);
    int sortedIndex = -7;
    SplitTerms(sortedText, sortedList, sortedIndex);
    std::vector<std::string> distinct = items;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    fuzz::Require(Items(sortedList) == distinct, "a sorted caller list holds the set");
    return 0;
}
