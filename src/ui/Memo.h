#pragma once
// A multi-line edit control with its own font and colours.
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/Handles.h"
#include "ui/ColorTarget.h"
#include "ui/Control.h"
#include "ui/FontInfo.h"

namespace ui {

enum class ScrollBars { None, Vertical };

struct MemoParams {
    Bounds bounds;  // 96-dpi figures
    bool wordWrap = true;
    bool readOnly = false;
    ScrollBars scrollBars = ScrollBars::None;
};

class Memo : public Control, public ColorTarget {
public:
    void Create(Window& parent, const MemoParams& params);

    void SetText(std::wstring_view text);
    std::wstring Text() const { return Window::Text(); }
    void Clear();
    int LineCount() const;
    // The height of one text line in the current font (its tmHeight), in pixels.
    int LineHeight() const;
    // The current font's average character width (its tmAveCharWidth), in pixels.
    int AverageCharWidth() const;
    void SetReadOnly(bool readOnly);
    void SelectAll();
    void CopyToClipboard();
    // Inserts text at the selection, as typing or a paste does.
    void ReplaceSelection(std::wstring_view text);
    // Pixels; kept through later font changes, which reset an edit control's margins.
    void SetMargins(int left, int right);
    void SetScrollBars(ScrollBars scrollBars);
    void SetFontInfo(const FontInfo& font);
    const FontInfo& GetFontInfo() const noexcept { return font_; }
    // The text colour alone, without making the font again.
    void SetFontColor(ColorValue color) override;
    ColorValue FontColor() const noexcept override { return font_.color; }
    void SetColor(ColorValue background) override;
    ColorValue Color() const noexcept override { return color_; }

    std::function<void(Memo& sender)> OnChange;

protected:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Once given a font of its own, it keeps it when its form's font changes.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    FontInfo font_;
    std::optional<std::pair<int, int>> margins_;  // as last set, left and right
    platform::FontHandle fontHandle_;
    // The metrics of the font last measured: measuring takes a device context.
    const TEXTMETRICW& Metrics() const;
    mutable HFONT measuredFont_ = nullptr;
    mutable TEXTMETRICW metrics_{};
    ColorValue color_ = kColorWindow;
    platform::BrushHandle brush_;
    ScrollBars scrollBars_ = ScrollBars::None;
};

}  // namespace ui
