#include "widgets/ColorComboBox.h"

#include <commctrl.h>

#include <array>
#include <exception>

#include "platform/Error.h"
#include "platform/Module.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

namespace widgets {

namespace {

ColorComboBox::DialogRunner& Runner() {
    static ColorComboBox::DialogRunner runner;
    return runner;
}

// Whether the shared colour dialog is up (for any picker).
bool& DialogOpen() {
    static bool open = false;
    return open;
}

// Sets a flag for one scope and clears it on every way out.
class FlagScope {
public:
    explicit FlagScope(bool& flag) noexcept : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

void Line(HDC dc, int fromX, int fromY, int toX, int toY) {
    MoveToEx(dc, fromX, fromY, nullptr);
    LineTo(dc, toX, toY);
}

// A corner line: (x1, y1) to (x2, y2) to (x3, y3), end points exclusive.
void Corner(HDC dc, int sysColor, int x1, int y1, int x2, int y2, int x3, int y3) {
    const platform::PenHandle pen(CreatePen(PS_SOLID, 1, GetSysColor(sysColor)));
    const platform::ScopedSelect use(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    LineTo(dc, x3, y3);
}

void Dots(HDC dc, int firstX, int top) {
    const platform::ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
    const platform::ScopedSelect brush(dc, GetStockObject(BLACK_BRUSH));
    for (int x = firstX; x <= firstX + 8; x += 4) Rectangle(dc, x, top, x + 2, top + 2);
}

}  // namespace

// ------------------------------------------------------------ custom button

void ColorCustomButton::Create(ColorComboBox& owner) {
    owner_ = &owner;
    static const platform::WindowClass windowClass(OwnClass(L"TColorComboButton", CS_HREDRAW | CS_VREDRAW));
    CreateParams params;
    params.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    params.pixels = {-ui::Scale(19), ui::Scale(2), ui::Scale(19), 1};
    params.parent = owner.Handle();
    CreateOwnWindow(windowClass, params);
}

void ColorCustomButton::ShowPressed(bool sunken) {
    if (sunken_ == sunken) return;
    sunken_ = sunken;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void ColorCustomButton::Paint(HDC dc) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int w = client.right;
    const int h = client.bottom;
    {
        // The seam towards the field.
        const platform::PenHandle pen(
            CreatePen(PS_SOLID, 1, ui::ToColorRef(owner_ ? owner_->Color() : ui::kColorWindow)));
        const platform::ScopedSelect use(dc, pen.get());
        Line(dc, 0, 0, 0, h);
    }
    if (!sunken_) {
        Corner(dc, COLOR_3DLIGHT, w, 0, 1, 0, 1, h);
        Corner(dc, COLOR_3DDKSHADOW, w - 1, 0, w - 1, h - 1, 0, h - 1);
        Corner(dc, COLOR_BTNHIGHLIGHT, w - 2, 1, 2, 1, 2, h - 2);
        Corner(dc, COLOR_BTNSHADOW, w - 2, 1, w - 2, h - 2, 1, h - 2);
        const RECT face{3, 2, w - 2, h - 2};
        FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
        Dots(dc, 5, h / 2 - 1);
    } else {
        const RECT frame{1, 0, w, h};
        FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
        const RECT face{2, 1, w - 1, h - 1};
        FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
        Dots(dc, 6, h / 2);
    }
}

LRESULT ColorCustomButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const platform::PaintDC paint(Handle());
            Paint(paint.Get());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        // Any mouse button presses it.
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            pressed_ = true;
            SetCapture(Handle());
            ShowPressed(true);
            return 0;
        case WM_MOUSEMOVE:
            if (pressed_) {
                RECT client{};
                GetClientRect(Handle(), &client);
                const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                ShowPressed(PtInRect(&client, at) != FALSE);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (!pressed_) return 0;
            RECT client{};
            GetClientRect(Handle(), &client);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const bool click = PtInRect(&client, at) != FALSE;
            pressed_ = false;
            ReleaseCapture();
            ShowPressed(false);
            UpdateWindow(Handle());
            if (click && owner_) owner_->RunCustomColorDialog();
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Capture taken away mid-press (a dialog, Alt+Tab): the press is over.
            if (pressed_ && reinterpret_cast<HWND>(lParam) != Handle()) {
                pressed_ = false;
                ShowPressed(false);
            }
            return 0;
        default:
            break;
    }
    return Window::WndProc(message, wParam, lParam);
}

// ------------------------------------------------------------------ picker

ColorComboBox::ColorComboBox() : model_(*this) {}

ColorComboBox::~ColorComboBox() = default;

void ColorComboBox::Create(ui::Window& parent, const PickerParams& params) {
    CreatePicker(parent, params);
    // The button is a child; the field must not paint over it.
    SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
    button_.Create(*this);
    FontChanged();
    tooltip_.reset();  // one made for an earlier window holds no tool for this one
    ApplyHint();  // one given before the window existed
    model_.WindowCreated();
}

void ColorComboBox::SetHint(const std::wstring& text) {
    if (hint_ == text) return;
    hint_ = text;
    ApplyHint();
}

void ColorComboBox::ApplyHint() {
    if (!HandleAllocated()) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(Handle());
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = hint_.data();
    if (!tooltip_) {
        if (hint_.empty()) return;
        tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                       GetAncestor(Handle(), GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr));
        if (!tooltip_) return;  // no tooltip is no reason to fail the selection
        SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ColorComboBox::LoadList(const std::vector<ColorItem>& items) {
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const ColorItem& item : items) {
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    }
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    ApplyDropDownHeight();
    Invalidate();
}

void ColorComboBox::PlaceCustomButton() {
    if (!HandleAllocated() || !button_.HandleAllocated()) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const CustomButtonMetrics metrics{ui::Scale(19), ui::Scale(21), ui::Scale(2)};
    const PixelRect place = CustomButtonBounds(model_.IsCustomEntry(ItemIndex()), client.right, client.bottom,
                                               GetSystemMetrics(SM_CXVSCROLL), metrics);
    SetWindowPos(button_.Handle(), HWND_TOP, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOACTIVATE);
    InvalidateRect(button_.Handle(), nullptr, FALSE);
}

void ColorComboBox::RaiseChange() {
    if (OnChange) OnChange(*this);
}

void ColorComboBox::RaiseClick() {
    if (OnClick) OnClick(*this);
}

void ColorComboBox::Change() { model_.UserSelected(); }

LRESULT ColorComboBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = OwnerDrawCombo::WndProc(message, wParam, lParam);
    switch (message) {
        case WM_SIZE:
        // However the selection moves (ItemIndex from code too), the button follows.
        case CB_SETCURSEL:
        case CB_SELECTSTRING:
        case CB_RESETCONTENT:
            PlaceCustomButton();
            break;
        default:
            break;
    }
    return result;
}

void ColorComboBox::DrawEntry(HDC dc, const RECT& area, int index) {
    if (index >= static_cast<int>(List().size())) return;
    ui::ColorValue color = model_.EntryColor(index);
    if (color == ui::kColorDefault) color = DefaultColor();
    const ColorItemLayout layout = LayoutItem({area.left, area.top, area.right, area.bottom}, ShowText(), ItemHeight(),
                                              FontPixelHeight(), color == ui::kColorDefault);
    if (layout.swatch) {
        const RECT swatch{layout.swatchRect.left, layout.swatchRect.top, layout.swatchRect.right,
                          layout.swatchRect.bottom};
        // A custom colour of "none" has nothing to show: the frame stays empty.
        if (color != ui::kColorNone) {
            const platform::BrushHandle fill(CreateSolidBrush(ui::ToColorRef(color)));
            FillRect(dc, &swatch, fill.get());
        }
        if (layout.outline) FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    if (ShowText()) {
        const std::wstring& text = List()[static_cast<std::size_t>(index)].text;
        TextOutW(dc, layout.textLeft, layout.textTop, text.c_str(), static_cast<int>(text.size()));
    }
}

void ColorComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
    OwnerDrawCombo::DrawItem(item);
    if (item.itemState != 0 && !SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) && button_.HandleAllocated()) {
        InvalidateRect(button_.Handle(), nullptr, FALSE);
    }
}

// ---------------------------------------------------------- linked control

void ColorComboBox::SetChangeControl(ui::Window* control) {
    if (ChangeControl() == control) return;
    ui::ColorTarget* target = nullptr;
    if (control) {
        target = dynamic_cast<ui::ColorTarget*>(control);
        if (!target) throw platform::Error(L"The linked control cannot take colours");
    }
    Link(control);
    model_.SetChangeControl(target);
}

// ---------------------------------------------------------- custom dialog

CustomColorList& ColorComboBox::SharedCustomColors() {
    static CustomColorList list;
    return list;
}

void ColorComboBox::SetDialogRunner(DialogRunner runner) { Runner() = std::move(runner); }

void ColorComboBox::RunCustomColorDialog() {
    // The dialog and its custom colours are shared: a second one would have
    // the one closed last overwrite the other's custom colours.
    if (DialogOpen()) return;
    CustomColorList& list = SharedCustomColors();
    const bool useStore = customColorSave_ && !saveOption_.Section.empty();
    if (useStore) LoadCustomColors(saveOption_, list);

    const ui::ColorValue old = Value();
    std::array<std::uint32_t, kCustomColorSlots> slots{};
    try {
        slots = list.Slots();
    } catch (const std::exception& error) {
        ui::ReportError(error);
        return;
    }
    std::array<COLORREF, kCustomColorSlots> custom{};
    for (std::size_t i = 0; i < custom.size(); ++i) custom[i] = slots[i];

    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    // Modal to the picker's form, which stays disabled while it is up.
    dialog.hwndOwner = HandleAllocated() ? GetAncestor(Handle(), GA_ROOT) : ui::Application::Get().Handle();
    // "None" and "default" are no colours to start from: black and DefaultColor stand in.
    dialog.rgbResult = old == ui::kColorNone ? RGB(0, 0, 0)
                       : old == ui::kColorDefault ? ui::ToColorRef(DefaultColor(), RGB(0, 0, 0))
                                                  : ui::ToColorRef(old, RGB(0, 0, 0));
    dialog.lpCustColors = custom.data();
    dialog.Flags = CC_RGBINIT;
    bool confirmed = false;
    {
        const FlagScope open(DialogOpen());
        const auto choose = platform::SystemFunction<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
        confirmed = Runner() ? Runner()(dialog) : choose && choose(&dialog) != FALSE;
    }
    if (!confirmed) return;

    for (std::size_t i = 0; i < custom.size(); ++i) slots[i] = custom[i];
    list.SetSlots(slots);
    model_.SetCustomColor(static_cast<ui::ColorValue>(dialog.rgbResult & 0xFFFFFFu));
    Invalidate();
    if (useStore) SaveCustomColors(saveOption_, list);
    model_.CustomDialogConfirmed(old);
}

}  // namespace widgets
