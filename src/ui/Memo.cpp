#include "ui/Memo.h"

#include <utility>

#include "ui/Graphics.h"

namespace ui {

namespace {
DWORD ScrollStyle(ScrollBars scrollBars) {
    switch (scrollBars) {
        case ScrollBars::Vertical:
            return WS_VSCROLL;
        case ScrollBars::None:
            break;
    }
    return 0;
}
}  // namespace

void Memo::Create(Window& parent, const MemoParams& params) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_NOHIDESEL | ScrollStyle(params.scrollBars);
    if (!params.wordWrap) style |= ES_AUTOHSCROLL;
    style |= ES_AUTOVSCROLL;
    if (params.readOnly) style |= ES_READONLY;
    CreateControl(parent, L"EDIT", style, WS_EX_CLIENTEDGE, params.bounds);
    scrollBars_ = params.scrollBars;
    // The whole clipboard text must fit, whatever its length.
    SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
}

void Memo::SetText(std::wstring_view text) { Window::SetText(text); }

void Memo::Clear() {
    // Already empty (a window laid out ahead): setting it is another layout.
    if (GetWindowTextLengthW(Handle()) > 0) SetWindowTextW(Handle(), L"");
}

int Memo::LineCount() const { return static_cast<int>(SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0)); }

const TEXTMETRICW& Memo::Metrics() const {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    if (font && font == measuredFont_) return metrics_;
    platform::WindowDC dc(Handle());
    platform::ScopedSelect select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    metrics_ = TEXTMETRICW{};
    GetTextMetricsW(dc.Get(), &metrics_);
    measuredFont_ = font;
    return metrics_;
}

int Memo::LineHeight() const { return Metrics().tmHeight; }

int Memo::AverageCharWidth() const { return Metrics().tmAveCharWidth; }

void Memo::SetReadOnly(bool readOnly) {
    const bool now = (GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY) != 0;
    if (now != readOnly) SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

void Memo::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

void Memo::CopyToClipboard() { SendMessageW(Handle(), WM_COPY, 0, 0); }


void Memo::ReplaceSelection(std::wstring_view text) {
    const std::wstring terminated(text);
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(terminated.c_str()));
}

void Memo::SetMargins(int left, int right) {
    margins_.emplace(left, right);
    const LPARAM margins = MAKELONG(static_cast<WORD>(left), static_cast<WORD>(right));
    // The same already: setting them lays the text out again.
    if (SendMessageW(Handle(), EM_GETMARGINS, 0, 0) == margins) return;
    SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, margins);
}

void Memo::SetScrollBars(ScrollBars scrollBars) {
    if (scrollBars_ == scrollBars) return;
    scrollBars_ = scrollBars;
    LONG style = GetWindowLongW(Handle(), GWL_STYLE);
    style = (style & ~static_cast<LONG>(WS_HSCROLL | WS_VSCROLL)) | static_cast<LONG>(ScrollStyle(scrollBars));
    SetWindowLongW(Handle(), GWL_STYLE, style);
    ShowScrollBar(Handle(), SB_VERT, scrollBars == ScrollBars::Vertical);
    ShowScrollBar(Handle(), SB_HORZ, FALSE);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Memo::SetFontInfo(const FontInfo& font) {
    // The same face again: making it anew would only lay the text out again.
    FontInfo face = font;
    face.color = font_.color;
    if (fontHandle_ && face == font_) return SetFontColor(font.color);
    // Its own font first, so that the WM_SETFONT below is taken; the old
    // font goes once the control has let go of it.
    platform::FontHandle old = std::exchange(fontHandle_, CreateFontFrom(font));
    measuredFont_ = nullptr;  // the old handle's value may come back for another font
    SetFont(fontHandle_.get());
    font_ = font;
    if (margins_) SetMargins(margins_->first, margins_->second);
    Invalidate();
}

void Memo::SetFontColor(ColorValue color) {
    if (font_.color == color) return;
    font_.color = color;
    Invalidate();
}

void Memo::SetColor(ColorValue background) {
    if (color_ == background && brush_) return;
    color_ = background;
    brush_.reset(CreateSolidBrush(ToColorRef(color_)));
    Invalidate();
}

LRESULT Memo::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFONT && fontHandle_ && reinterpret_cast<HFONT>(wParam) != fontHandle_.get()) return 0;
    return Control::WndProc(message, wParam, lParam);
}

bool Memo::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE && OnChange) OnChange(*this);
            result = 0;
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ToColorRef(font_.color, GetSysColor(COLOR_WINDOWTEXT)));
            if (!brush_) brush_.reset(CreateSolidBrush(ToColorRef(color_)));
            SetBkColor(dc, ToColorRef(color_));
            result = reinterpret_cast<LRESULT>(brush_.get());
            return true;
        }
        default:
            return false;
    }
}

}  // namespace ui
