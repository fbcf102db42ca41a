// Feeds arbitrary bytes as a language file: decoding, line splitting and key
// lookup must return for every input, and the display name a listing reads
// from the first line alone must be the first line of the whole text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FakeCodePages.h"
#include "settings/LanguageFile.h"

namespace {

bool HasLineEnd(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c == L'\0' || c == L'\r' || c == L'\n' || c == wchar_t{0x2028}) return true;
    }
    return false;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    settings::AnsiDecoder decoder;  // empty: ISO 8859-1
    switch (input.ConsumeIntegralInRange(0, 2)) {  // taken from the end, so a file's mark stays first
        case 1: decoder = fakecodepage::DoubleByte; break;
        case 2: decoder = fakecodepage::Utf8; break;
        default: break;
    }
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const std::wstring decoded = settings::DecodeLanguageText(bytes, decoder);
    const std::vector<std::wstring> lines = settings::SplitLanguageLines(decoded);
    for (const std::wstring& line : lines) Check(!HasLineEnd(line));

    const settings::LanguageText text(decoded);
    const std::optional<std::wstring> name = text.DisplayName();
    Check(name == (lines.empty() ? std::nullopt : std::optional<std::wstring>(lines.front())));
    Check(settings::LanguageDisplayName(bytes, decoder) == name);

    for (const std::wstring_view key : {std::wstring_view(L"[All]title"), std::wstring_view(L"[all]FONTSIZE"),
                                        std::wstring_view(L""), std::wstring_view(L"=")}) {
        const std::optional<std::wstring> value = text.Value(key);
        Check(!value || (!value->empty() && !HasLineEnd(*value)));
    }
    // The first line is the first to carry its own key.
    if (name && name->find(L'=') != std::wstring::npos) {
        const std::size_t equals = name->find(L'=');
        const std::wstring firstValue = name->substr(equals + 1);
        Check(text.Value(name->substr(0, equals)) ==
              (firstValue.empty() ? std::nullopt : std::optional<std::wstring>(firstValue)));
    }
    return 0;
}
