// The clipboard's bytes as the reader takes them apart: a block of any size
// and content, the large-text filter's measure of it, the terminator search,
// the locale and privacy-mark data, and the pieces a long text is converted
// in. Nothing may read past the block; pieces must cover the text exactly,
// each ending between characters of the code page; a compact copy must give
// the units back as they were; what a clip window shows must be a part of it.
//
// Input: the block; its last bytes (as FuzzedDataProvider takes integers from
// the end) pick the code page (bit 0: UTF-8; the rest seed its lead bytes)
// and the size limit.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "clipwindow/ClipWindowRules.h"
#include "platform/ClipboardBytes.h"
#include "platform/CompactText.h"
#include "platform/TextSize.h"

namespace {

void Check(bool ok, int line = __builtin_LINE()) {
    if (ok) return;
    std::fprintf(stderr, "check failed at line %d\n", line);
    std::abort();
}

platform::CodePageFacts CodePage(std::uint8_t pick) {
    platform::CodePageFacts facts;
    facts.utf8 = (pick & 1) != 0;
    // A double-byte page leads with a range of high bytes, as 932, 936, 949 and 950 do.
    if (!facts.utf8 && (pick & 2)) {
        for (unsigned byte = 0x81; byte <= 0x80u + (pick >> 2); ++byte) facts.leadByte[byte] = true;
    }
    return facts;
}

void CheckAnsiPieces(std::string_view text, std::size_t limit, const platform::CodePageFacts& facts) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = platform::AnsiPieceEnd(text.substr(at), limit, facts);
        Check(end > 0 && end <= text.size() - at);
        Check(end <= std::max<std::size_t>(limit, 2));
        // A double-byte character is never cut: the walk from the start agrees.
        if (!facts.utf8 && at + end < text.size()) {
            std::size_t walk = 0;
            while (walk < at + end) walk += facts.leadByte[static_cast<unsigned char>(text[walk])] ? 2 : 1;
            Check(walk == at + end);
        }
        at += end;
    }
    Check(at == text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const platform::CodePageFacts facts = CodePage(input.ConsumeIntegral<std::uint8_t>());
    const long long limit = input.ConsumeIntegralInRange<long long>(-2, 1 << 16);
    const std::string block = input.ConsumeRemainingBytesAsString();

    // The block as 8-bit text and as UTF-16 units.
    const std::string_view ansi = platform::TextInBlock(std::string_view(block));
    Check(ansi.size() <= block.size());
    Check(ansi.find('\0') == std::string_view::npos);
    std::wstring units;
    for (std::size_t i = 0; i + 1 < block.size(); i += 2) {
        units += static_cast<wchar_t>(static_cast<unsigned char>(block[i]) | static_cast<unsigned char>(block[i + 1]) << 8);
    }
    const std::wstring_view wide = platform::TextInBlock(std::wstring_view(units));

    const platform::TextSize ansiSize = platform::MeasureAnsiText(block, limit);
    Check(ansiSize.verdict != platform::SizeVerdict::Unsettled);
    if (limit >= 0) Check((ansiSize.verdict == platform::SizeVerdict::Over) == (ansi.size() > static_cast<std::size_t>(limit)));
    for (const unsigned widest : {1u, 2u, 4u}) {
        const platform::TextSize wideSize = platform::MeasureWideText(units, widest, limit);
        if (wideSize.verdict == platform::SizeVerdict::Unsettled) Check(wideSize.units == wide.size());
        if (wideSize.verdict == platform::SizeVerdict::Within && limit >= 0) {
            Check(wide.size() * widest <= static_cast<std::size_t>(limit) || wide.size() <= static_cast<std::size_t>(limit) / widest);
        }
    }

    // Locale and privacy marks: any bytes, never past them.
    if (const auto locale = platform::LocaleInBlock(block)) Check(block.size() >= 4);
    (void)platform::HintMarksSecret(std::string_view(block));
    Check(platform::HistoryForbidden(std::nullopt) && platform::HintMarksSecret(std::nullopt));
    if (block.size() < 4) Check(platform::HistoryForbidden(std::string_view(block)));

    // Pieces of a conversion.
    const std::size_t pieceLimit = static_cast<std::size_t>(limit < 1 ? 1 : limit % 97 + 1);
    CheckAnsiPieces(ansi, pieceLimit, facts);
    for (std::size_t at = 0; at < wide.size();) {
        const std::size_t end = platform::WidePieceEnd(wide.substr(at), pieceLimit);
        Check(end > 0 && end <= wide.size() - at);
        // Never between the halves of a pair.
        const auto last = static_cast<unsigned>(wide[at + end - 1]);
        if (at + end < wide.size() && end > 1 && last >= 0xD800 && last <= 0xDBFF) {
            const auto next = static_cast<unsigned>(wide[at + end]);
            Check(next < 0xDC00 || next > 0xDFFF);
        }
        at += end;
    }

    // A compact copy, built whole and in pieces, gives the units back.
    platform::CompactText compact(wide);
    Check(compact == wide);
    platform::CompactText pieces;
    for (std::size_t at = 0; at < wide.size(); at += pieceLimit) pieces.Append(wide.substr(at, pieceLimit));
    Check(pieces == wide && pieces.ToWide() == wide);
    if (!wide.empty()) Check(compact.MatchesAt(wide.size() / 2, wide.substr(wide.size() / 2)));

    // What a clip shows is a part of its text, within the budget.
    clipwindow::ShowBudget budget;
    budget.units = static_cast<std::size_t>(limit < 0 ? 0 : limit % 5000);
    budget.lines = pieceLimit;
    budget.unitsPerLine = static_cast<std::size_t>(ansi.size() % 50 + 1);
    const std::size_t shown = clipwindow::ShownPart(compact, budget);
    Check(shown <= wide.size() && shown <= std::max<std::size_t>(budget.units, 0));
    Check(shown <= budget.lines * budget.unitsPerLine + std::count(wide.begin(), wide.end(), L'\n'));
    return 0;
}
