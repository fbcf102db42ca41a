#include "app/TrayLogic.h"

namespace app {

std::string CutToBytes(std::string_view text, std::size_t maxBytes,
                       const std::function<bool(unsigned char)>& isLeadByte) {
    std::size_t end = 0;
    while (end < text.size()) {
        const bool pair = isLeadByte && isLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
        const std::size_t width = pair ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
    }
    return std::string(text.substr(0, end));
}

bool TrayPresence::Add() noexcept {
    if (present_) return false;
    present_ = true;
    return true;
}

bool TrayPresence::Remove() noexcept {
    if (!present_) return false;
    present_ = false;
    return true;
}

}  // namespace app
