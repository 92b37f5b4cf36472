// Fuzzes the term file reader and the line split: the same lines and verdicts as a plain
// reference, whatever chunks the file arrives in.
#include "fuzz/FuzzSupport.h"
#include "model/TextLines.h"

namespace {

// Lines end at CR LF, a lone CR or a lone LF; a last line without an ending counts.
std::vector<std::string> ReferenceLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        line += c;
        open = true;
    }
    if (open) {
        lines.push_back(line);
    }
    return lines;
}

bool ReferenceValid(const std::string& line) {
    if (line.empty() || line.size() > 16) {
        return false;
    }
    for (const char c : line) {
        if (!fuzz::IsUpper(c) && !fuzz::IsLower(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const uint8_t chunk = static_cast<uint8_t>(data[0] % 64 + 1);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<std::string> want = ReferenceLines(text);

    TTermLineReader reader;
    for (size_t at = 0; at < text.size(); at += chunk) {
        fuzz::Require(reader.Feed(text.data() + at, std::min<size_t>(chunk, text.size() - at)),
                      "a short file is never too many lines");
    }
    fuzz::Require(reader.Finish() && !reader.TooMany(), "a short file ends well");
    const std::vector<std::string>& got = reader.Lines();
    fuzz::Require(got.size() == want.size(), "the reader counts every line",
                  std::to_string(got.size()) + " " + std::to_string(want.size()));
    for (size_t i = 0; i < want.size(); ++i) {
        const std::string trimmed = fuzz::Trim(want[i]);
        const bool valid = ReferenceValid(trimmed);
        fuzz::Require(IsTermLine(got[i]) == valid, "the reader's verdict on a line", want[i]);
        fuzz::Require(got[i].size() <= 17, "a read line costs at most 17 characters", got[i]);
        if (valid) {
            fuzz::Require(got[i] == trimmed, "a valid line arrives trimmed", want[i]);
        }
    }

    std::vector<TLineSpan> spans;
    const size_t keep = data[0] % 8;
    const size_t count = SplitLineSpans(text.data(), text.size(), keep, spans);
    fuzz::Require(count == want.size(), "the split counts every line");
    fuzz::Require(spans.size() == std::min(keep, want.size()), "the split keeps the first lines");
    for (size_t i = 0; i < spans.size(); ++i) {
        fuzz::Require(spans[i].Start + spans[i].Length <= text.size() &&
                          text.substr(spans[i].Start, spans[i].Length) == want[i],
                      "the split's lines", want[i]);
    }
    return 0;
}
