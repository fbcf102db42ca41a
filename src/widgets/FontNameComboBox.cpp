#include "widgets/FontNameComboBox.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "ui/Memo.h"
#include "widgets/FontTable.h"

namespace widgets {

namespace {

std::wstring FaceName(const LOGFONTW& font) {
    const wchar_t* const end = std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, L'\0');
    return std::wstring(font.lfFaceName, end);
}

void SetFaceName(LOGFONTW& font, std::wstring_view name) {
    const size_t length = std::min(name.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    std::copy_n(name.begin(), length, font.lfFaceName);
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

namespace {
const std::vector<FontEntry> kNoFonts;
}  // namespace

// The process-wide table is enumerated when the first picker's window is
// made, not when the picker is constructed: the program's start does not wait for it.
FontNameComboBox::FontNameComboBox() : model_(kNoFonts, &CompareFontNames, *this), sharedTable_(true) {}

FontNameComboBox::FontNameComboBox(const std::vector<FontEntry>& table)
    : model_(table, &CompareFontNames, *this) {}

void FontNameComboBox::Create(ui::Window& parent, const PickerParams& params) {
    const FontTable& table = FontTable::Instance();  // the marks, and the table before the first window
    if (sharedTable_) model_.SetTable(table.Entries());
    ReadLinkedName();  // before the window: kept as the value it applies
    CreatePicker(parent, params);
    model_.WindowCreated();
}

void FontNameComboBox::EndLoading() {
    ReadLinkedName();
    model_.EndLoading();
}

// ------------------------------------------------------------------ linking

void FontNameComboBox::SetChangeControl(ui::Window* control) {
    if (control == ChangeControl()) return;
    Link(control);
    linkedNameUnread_ = control != nullptr;
    ReadLinkedName();
}

void FontNameComboBox::ReadLinkedName() {
    ui::Window* const linked = ChangeControl();
    if (!linkedNameUnread_ || !linked) return;
    std::wstring name;
    if (const auto* memo = dynamic_cast<const ui::Memo*>(linked)) {
        // A memo keeps its font's description, with or without a window.
        name = memo->GetFontInfo().name;
    } else if (linked->HandleAllocated()) {
        name = FaceName(Describe(reinterpret_cast<HFONT>(SendMessageW(linked->Handle(), WM_GETFONT, 0, 0))));
    } else {
        return;
    }
    linkedNameUnread_ = false;
    SetValue(name);
}

void FontNameComboBox::PushToLinked(const std::wstring& name) {
    ui::Window* const linked = ChangeControl();
    if (!linked) return;
    // A name chosen after linking wins over the one the control had.
    linkedNameUnread_ = false;
    if (auto* memo = dynamic_cast<ui::Memo*>(linked)) {
        // The memo owns its font and makes it again from its description.
        ui::FontInfo params = memo->GetFontInfo();
        if (params.name == name) return;
        params.name = name;
        memo->SetFontInfo(params);
        return;
    }
    if (!linked->HandleAllocated()) return;
    LOGFONTW font = Describe(reinterpret_cast<HFONT>(SendMessageW(linked->Handle(), WM_GETFONT, 0, 0)));
    if (FaceName(font) == name) return;
    SetFaceName(font, name);
    if (const HFONT made = SharedLinkedFont(font)) linked->SetFont(made);
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

// ------------------------------------------------------------------ drawing

void FontNameComboBox::DrawEntry(HDC dc, const RECT& area, int index) {
    const auto& items = model_.Items();
    if (static_cast<size_t>(index) >= items.size()) return;
    const FontEntry& entry = items[static_cast<size_t>(index)];
    platform::FontHandle faceFont;
    if (TextFontFace()) {
        LOGFONTW font = Describe(CurrentFont());
        SetFaceName(font, entry.name);
        font.lfCharSet = DEFAULT_CHARSET;
        faceFont.reset(CreateFontIndirectW(&font));
    }
    // The DC holds the control's font already; the name's own face goes over it.
    const platform::ScopedSelect selectFont(dc, faceFont ? faceFont.get() : GetCurrentObject(dc, OBJ_FONT));

    const FontMark mark = model_.MarkFor(index);
    const FontTable& table = FontTable::Instance();
    const HBITMAP image = mark == FontMark::TrueType  ? table.TrueTypeIcon()
                          : mark == FontMark::Printer ? table.DeviceTypeIcon()
                                                      : nullptr;
    const FontItemLayout layout = LayoutFontItem(area.left, area.top, area.bottom, MarkHeight(image), IconVisible(), mark);
    if (layout.mark != FontMark::None) DrawMark(dc, image, layout.markX, layout.markY);

    RECT text{layout.textLeft, area.top, area.right, area.bottom};
    DrawTextW(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace widgets
