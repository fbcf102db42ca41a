#include "widgets/FontNameComboBox.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "ui/Dpi.h"
#include "ui/Graphics.h"
#include "ui/Memo.h"
#include "widgets/FontTable.h"

namespace widgets {

namespace {

LOGFONTW FontOf(HFONT font) {
    LOGFONTW description{};
    if (!font || !GetObjectW(font, sizeof description, &description)) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    }
    return description;
}

std::wstring FaceName(const LOGFONTW& font) {
    const wchar_t* const end = std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, L'\0');
    return std::wstring(font.lfFaceName, end);
}

void SetFaceName(LOGFONTW& font, std::wstring_view name) {
    const size_t length = std::min(name.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    std::copy_n(name.begin(), length, font.lfFaceName);
}

// The character height (cell height less internal leading) in pixels.
int CharacterHeight(HWND window, HFONT font) {
    const platform::WindowDC dc(window);
    if (!dc.Get()) return 0;
    const platform::ScopedSelect select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metric{};
    if (!GetTextMetricsW(dc.Get(), &metric)) return 0;
    return metric.tmHeight - metric.tmInternalLeading;
}

// Fonts made for linked controls that are not ours to own: each stays for
// the process, as the control may use it after this picker is gone. Only a
// few distinct ones arise, one per family the user tries.
HFONT SharedLinkedFont(const LOGFONTW& font) {
    static std::vector<std::pair<LOGFONTW, platform::FontHandle>> made;
    for (const auto& [description, handle] : made) {
        if (std::memcmp(&description, &font, sizeof font) == 0) return handle.get();
    }
    platform::FontHandle handle(CreateFontIndirectW(&font));
    if (!handle) return nullptr;
    made.emplace_back(font, std::move(handle));
    return made.back().second.get();
}

void DrawMark(HDC dc, HBITMAP mark, int x, int y) {
    if (!mark) return;
    BITMAP size{};
    if (!GetObjectW(mark, sizeof size, &size)) return;
    const platform::DcHandle source(CreateCompatibleDC(dc));
    if (!source) return;
    const platform::ScopedSelect select(source.get(), mark);
    // The black ground leaves the background as it is.
    BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCINVERT);
}

int MarkHeight(HBITMAP mark) {
    BITMAP size{};
    return mark && GetObjectW(mark, sizeof size, &size) ? size.bmHeight : 16;
}

}  // namespace

FontNameComboBox::FontNameComboBox() : FontNameComboBox(FontTable::Instance().Entries()) {}

FontNameComboBox::FontNameComboBox(const std::vector<FontEntry>& table)
    : model_(table, &CompareFontNames, *this) {}

FontNameComboBox::~FontNameComboBox() { Unlink(); }

void FontNameComboBox::Create(ui::Window& parent, const ui::Bounds& design) {
    FontTable::Instance();  // the marks, and the table before the first window
    ReadLinkedName();  // before the window: kept as the value it applies
    const int height = ItemHeightForControlHeight(ui::Scale(design.height), ItemHeight());
    OwnerDrawCombo::Create(parent, design, height);
    model_.WindowCreated();
}

void FontNameComboBox::EndLoading() {
    ReadLinkedName();
    model_.EndLoading();
}

void FontNameComboBox::SetColor(ui::ColorValue color) {
    if (color_ == color) return;
    color_ = color;
    Invalidate();
}

// ------------------------------------------------------------------ linking

void FontNameComboBox::SetChangeControl(ui::Window* control) {
    if (control == linked_) return;
    Unlink();
    if (!control) return;
    // The object's end, not its window's: a window may be made again.
    linkWatch_ = control->WatchDestroy([this] {
        linked_ = nullptr;
        linkedNameUnread_ = false;
    });
    linked_ = control;
    linkedNameUnread_ = true;
    ReadLinkedName();
}

void FontNameComboBox::Unlink() noexcept {
    if (linked_) linked_->UnwatchDestroy(linkWatch_);
    linked_ = nullptr;
    linkedNameUnread_ = false;
}

void FontNameComboBox::ReadLinkedName() {
    if (!linkedNameUnread_ || !linked_) return;
    std::wstring name;
    if (const auto* memo = dynamic_cast<const ui::Memo*>(linked_)) {
        // A memo keeps its font's description, with or without a window.
        name = memo->GetFontInfo().name;
    } else if (linked_->HandleAllocated()) {
        name = FaceName(FontOf(reinterpret_cast<HFONT>(SendMessageW(linked_->Handle(), WM_GETFONT, 0, 0))));
    } else {
        return;
    }
    linkedNameUnread_ = false;
    SetValue(name);
}

void FontNameComboBox::PushToLinked(const std::wstring& name) {
    if (!linked_) return;
    // A name chosen after linking wins over the one the control had.
    linkedNameUnread_ = false;
    if (auto* memo = dynamic_cast<ui::Memo*>(linked_)) {
        // The memo owns its font and makes it again from its description.
        ui::FontInfo params = memo->GetFontInfo();
        if (params.name == name) return;
        params.name = name;
        memo->SetFontInfo(params);
        return;
    }
    if (!linked_->HandleAllocated()) return;
    LOGFONTW font = FontOf(reinterpret_cast<HFONT>(SendMessageW(linked_->Handle(), WM_GETFONT, 0, 0)));
    if (FaceName(font) == name) return;
    SetFaceName(font, name);
    if (const HFONT made = SharedLinkedFont(font)) linked_->SetFont(made);
}

// ------------------------------------------------------------------- events

void FontNameComboBox::Change() { model_.UserSelected(); }

void FontNameComboBox::RaiseChange() {
    if (OnChange) OnChange(*this);
}

void FontNameComboBox::RaiseClick() {
    if (OnClick) OnClick(*this);
}

// -------------------------------------------------------------------- items

void FontNameComboBox::ReplaceItems(const std::vector<FontEntry>& items) {
    if (!HandleAllocated()) return;
    const HWND combo = Handle();
    SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    size_t characters = 0;
    for (const FontEntry& entry : items) characters += entry.name.size() + 1;
    SendMessageW(combo, CB_INITSTORAGE, items.size(), static_cast<LPARAM>(characters * sizeof(wchar_t)));
    for (const FontEntry& entry : items) {
        const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
        if (index >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), entry.flags);
    }
    SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
    ApplyDropDownHeight();
    Invalidate();
}

std::uint32_t FontNameComboBox::ItemFlags(int index) const {
    const auto& items = model_.Items();
    if (index < 0 || static_cast<size_t>(index) >= items.size()) return 0;
    return items[static_cast<size_t>(index)].flags;
}

// -------------------------------------------------------------- item height

void FontNameComboBox::SetItemHeight(int height) {
    if (height < 1) height = 1;
    if (height == ItemHeight()) return;
    const std::wstring remembered = Value();
    OwnerDrawCombo::SetItemHeight(height);
    if (!HandleAllocated()) return;
    const HFONT current = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    const int fontHeight = CharacterHeight(Handle(), current);
    const int wanted = FontHeightForItemHeight(fontHeight, height);
    if (fontHeight > 0 && wanted != fontHeight) {
        LOGFONTW font = FontOf(current);
        font.lfHeight = -wanted;
        if (platform::FontHandle made{CreateFontIndirectW(&font)}) {
            SetFont(made.get());
            ownFont_ = std::move(made);
        }
    }
    SetValue(remembered);
}

void FontNameComboBox::SetPixelBounds(const ui::Bounds& pixels) {
    if (!HandleAllocated()) return;
    SetItemHeight(ItemHeightForControlHeight(pixels.height, ItemHeight()));
    // The field's height follows the item height; the window's height also
    // holds the dropped list.
    SetWindowPos(Handle(), nullptr, pixels.left, pixels.top, pixels.width, PixelBounds().height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDropDownHeight();
}

void FontNameComboBox::FontChanged() {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    const int fontHeight = CharacterHeight(Handle(), font);
    const int height = ItemHeightForFont(ItemHeight(), fontHeight);
    if (height != ItemHeight()) OwnerDrawCombo::SetItemHeight(height);
}

// ------------------------------------------------------------------ drawing

void FontNameComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0 || !IsWindowEnabled(Handle());
    {
        const platform::BrushHandle background(
            CreateSolidBrush(selected ? GetSysColor(COLOR_HIGHLIGHT) : ui::ToColorRef(color_)));
        FillRect(dc, &area, background.get());
    }

    const int index = static_cast<int>(item.itemID);
    const auto& items = model_.Items();
    if (index >= 0 && static_cast<size_t>(index) < items.size()) {
        const FontEntry& entry = items[static_cast<size_t>(index)];
        const HFONT controlFont = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
        platform::FontHandle faceFont;
        if (TextFontFace()) {
            LOGFONTW font = FontOf(controlFont);
            SetFaceName(font, entry.name);
            font.lfCharSet = DEFAULT_CHARSET;
            faceFont.reset(CreateFontIndirectW(&font));
        }
        const HFONT drawFont = faceFont ? faceFont.get() : controlFont;
        const platform::ScopedSelect selectFont(dc, drawFont ? static_cast<HGDIOBJ>(drawFont)
                                                             : GetStockObject(DEFAULT_GUI_FONT));

        const FontMark mark = model_.MarkFor(index);
        const FontTable& table = FontTable::Instance();
        const HBITMAP image = mark == FontMark::TrueType  ? table.TrueTypeIcon()
                              : mark == FontMark::Printer ? table.DeviceTypeIcon()
                                                          : nullptr;
        const FontItemLayout layout =
            LayoutFontItem(area.left, area.top, area.bottom, MarkHeight(image), IconVisible(), mark);
        if (layout.mark != FontMark::None) DrawMark(dc, image, layout.markX, layout.markY);

        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(
            dc, GetSysColor(disabled ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT)));
        RECT text{layout.textLeft, area.top, area.right, area.bottom};
        DrawTextW(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &area);
}

}  // namespace widgets
