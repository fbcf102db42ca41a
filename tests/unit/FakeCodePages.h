#pragma once
// System code pages for the language-file decoder, without a system to ask:
// shared by the unit tests and the language-file fuzz target.
#include <cstddef>
#include <string>
#include <string_view>

#include "settings/LanguageFile.h"

namespace fakecodepage {

// A double-byte code page as Wine decodes one: a lead byte (0x81..0x9F) takes
// the next byte whatever it is, even a CR, LF or NUL; a pair with a trail
// byte below 0x40, or a lead byte at the end, gives U+30FB.
inline std::wstring DoubleByte(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x81 || lead > 0x9F) {
            text += static_cast<wchar_t>(lead);
        } else if (i + 1 == bytes.size()) {
            text += wchar_t{0x30FB};
        } else {
            const auto trail = static_cast<unsigned char>(bytes[++i]);
            text += trail >= 0x40 ? static_cast<wchar_t>(0x4E00 + (lead - 0x81) * 0xC0 + (trail - 0x40)) : wchar_t{0x30FB};
        }
    }
    return text;
}

// The system code page being UTF-8, which can hold U+2028: it appears only
// after decoding.
inline std::wstring Utf8(std::string_view bytes) {
    return settings::DecodeLanguageText("\xEF\xBB\xBF" + std::string(bytes), {});
}

}  // namespace fakecodepage
