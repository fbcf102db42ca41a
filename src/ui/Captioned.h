#pragma once
// Anything with a caption a language file may replace: forms, controls and
// menu items. Each carries a stable key by which a form finds it.
#include <string>
#include <string_view>

namespace ui {

class Captioned {
public:
    virtual std::wstring Caption() const = 0;
    virtual void SetCaption(std::wstring_view caption) = 0;

    const std::wstring& CaptionKey() const noexcept { return captionKey_; }
    void SetCaptionKey(std::wstring_view key) { captionKey_ = key; }

protected:
    Captioned() = default;
    ~Captioned() = default;
    Captioned(const Captioned&) = default;
    Captioned& operator=(const Captioned&) = default;

private:
    std::wstring captionKey_;
};

}  // namespace ui
