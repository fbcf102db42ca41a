#pragma once
// Rules of the tray icon that need no window: the tip's byte limit and
// whether the icon is wanted, apart from the calls that show it.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace app {

// The tray tip holds 63 bytes of system-code-page text and a terminator.
constexpr std::size_t kTrayTipBytes = 63;

// Cuts text to at most maxBytes without splitting a double-byte character
// (isLeadByte tells lead bytes; empty: a single-byte code page).
std::string CutToBytes(std::string_view text, std::size_t maxBytes,
                       const std::function<bool(unsigned char)>& isLeadByte = {});

// Whether the icon is meant to be in the tray. Adding twice adds once and
// removing twice removes once; the flag follows the calls, not their results.
class TrayPresence {
public:
    bool Present() const noexcept { return present_; }
    // True when NIM_ADD is to be called now.
    bool Add() noexcept;
    // True when NIM_DELETE is to be called now.
    bool Remove() noexcept;
    // Explorer restarted and dropped every icon: true when ours must come back.
    bool TaskbarRecreated() const noexcept { return present_; }

private:
    bool present_ = false;
};

}  // namespace app
