#include "app/Unit1.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "clipwindow/ClipWindowRules.h"
#include "platform/Clipboard.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

namespace app {

namespace {

constexpr int kDesignWidth = 288;
constexpr int kDesignHeight = 363;
// The edit control's frame around the text lines of a clip window.
constexpr int kClipFrameHeight = 8;

ui::FontInfo MenuFontInfo() {
    ui::FontInfo menu;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        menu.name = metrics.lfMenuFont.lfFaceName;
        const int height = metrics.lfMenuFont.lfHeight < 0 ? -metrics.lfMenuFont.lfHeight : metrics.lfMenuFont.lfHeight;
        menu.size = MulDiv(height, 72, ui::ScreenDpi());
        menu.charset = metrics.lfMenuFont.lfCharSet;
    }
    return menu;
}

}  // namespace

TVelmor::TVelmor() {
    ui::FormOptions options;
    options.className = L"TVelmor";
    options.caption = L"Velmor";
    options.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, kDesignWidth, kDesignHeight};
    options.border = ui::BorderStyle::Sizeable;
    options.maximizeBox = false;
    options.stayOnTop = true;
    options.minWidth = kDesignWidth;
    options.minHeight = kDesignHeight;
    options.dialogKeys = true;
    CreateForm(options);
    // The sample memo previews the clip font; the settings pages place it.
    MemoSample.Create(*this, {8, 160, 257, 73}, ui::MemoOptions{true, false, ui::ScrollBars::None});
    MemoSample.SetVisible(false);
    MemoSample.SetText(L"MemoSample");
    BottomPanel.Create(*this, {0, 268, 280, 41});
    BottomPanel.AlignBottom(41);
    BTaskTray.Create(BottomPanel, {191, 8, 83, 25}, L"Task Tray");
    BTaskTray.OnClick = [this](ui::Button&) { BTaskTrayClick(); };
    // The button keeps to the strip's right edge.
    BottomPanel.OnResize = [this](ui::Panel& strip) {
        const SIZE size = strip.ClientSize();
        const ui::Bounds button = BTaskTray.PixelBounds();
        BTaskTray.SetPixelBounds({size.cx - ui::Scale(6) - button.width, button.top, button.width, button.height});
    };
    CreateMenus();
    OnCloseQuery = [this](ui::Form&, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](ui::Form&, ui::CloseAction& action) { FormClose(action); };
    FormCreate();
}

TVelmor::~TVelmor() {
    RemoveTrayIcon();
    // Leave the viewer chain first, then release the clip windows.
    clipDetector_.reset();
    for (auto& clip : clips_) clip.reset();
    spare_.reset();
}

void TVelmor::CreateMenus() {
    MFile = &MainMenu1.Add(L"&File");
    MCloseAllClips = &MFile->Add(L"&Close All Clips");
    MCloseAllClips->OnClick = [this](ui::MenuItem&) { CloseAllClips1Click(); };
    MTaskTray = &MFile->Add(L"&Task Tray");
    MTaskTray->OnClick = [this](ui::MenuItem&) { MTaskTrayClick(); };
    MSuspend = &MFile->Add(L"&Suspend");
    MSuspend->OnClick = [this](ui::MenuItem&) { PSuspendClick(); };
    MResume = &MFile->Add(L"&Resume");
    MResume->SetVisible(false);
    MResume->OnClick = [this](ui::MenuItem&) { PResumeClick(); };
    MFile->AddSeparator();
    MQuit = &MFile->Add(L"&Quit", ui::ShortCut::Ctrl('Q'));
    MQuit->OnClick = [this](ui::MenuItem&) { MQuitClick(); };
    MHelp = &MainMenu1.Add(L"&Help");
    MVersion = &MHelp->Add(L"&Version");
    MVersion->OnClick = [this](ui::MenuItem&) { MVersionClick(); };
    SetMenu(&MainMenu1);

    yo1 = &PopupMenu1.Add(L"&Property");
    yo1->OnClick = [this](ui::MenuItem&) { yo1Click(); };
    CloseAllClips1 = &PopupMenu1.Add(L"&Close All Clips");
    CloseAllClips1->OnClick = [this](ui::MenuItem&) { CloseAllClips1Click(); };
    PSuspend = &PopupMenu1.Add(L"&Suspend");
    PSuspend->OnClick = [this](ui::MenuItem&) { PSuspendClick(); };
    PResume = &PopupMenu1.Add(L"&Resume");
    PResume->SetVisible(false);
    PResume->OnClick = [this](ui::MenuItem&) { PResumeClick(); };
    PopupMenu1.AddSeparator();
    Quit1 = &PopupMenu1.Add(L"&Quit");
    Quit1->OnClick = [this](ui::MenuItem&) { Quit1Click(); };
}

void TVelmor::FormCreate() {
    lastChangeTime_ = 0;
    texts_ = LocalisedTexts{};
    SetFormFont(ui::CreateMenuFont());
    clipCounter_ = 0;
    // TODO(settings file): LoadSettings replaces these built values.
    ui::FontInfo clipFont = MenuFontInfo();
    clipFont.color = settings_.standardTextColor;
    MemoSample.SetFontInfo(clipFont);
    MemoSample.SetColor(settings_.standardColor);
    clipDetector_ = std::make_unique<clipboard::TVxClipDetector>();
    AttachClipboardChanged();
    // TODO(language files): ListLanguageFiles, then the chosen file or Default.lng.
    ui::Application::Get().SetTitle(texts_.titleText);
    GoToTray();
}

clipwindow::TForm2* TVelmor::Clip(int slot) const noexcept {
    return slot >= 0 && slot < clipboard::kClipSlots ? clips_[static_cast<size_t>(slot)].get() : nullptr;
}

bool TVelmor::SlotFlag(int slot) const noexcept {
    return slot >= 0 && slot < clipboard::kClipSlots && slotFlags_[static_cast<size_t>(slot)];
}

int TVelmor::ClipWindowCount() const noexcept {
    int count = 0;
    for (const auto& clip : clips_) count += clip ? 1 : 0;
    return count;
}

void TVelmor::ClipboardChanged(clipboard::TVxClipDetector&) {
    // A clipboard call can let another change notification in (Wine sends two
    // per X copy, the second while the first is still reading). Handle it
    // after the current one instead of inside it.
    if (inClipboardChange_) {
        changeWhileBusy_ = true;
        return;
    }
    inClipboardChange_ = true;
    do {
        changeWhileBusy_ = false;
        try {
            ReadClipboard();
            if (settings_.doubleCopy) {
                if (clipboard::DoubleCopyDue(GetTickCount(), lastChangeTime_)) {
                    ShowClip();
                    TrimClips();
                }
            } else if (!pendingText_.empty()) {
                ShowClip();
                TrimClips();
            }
        } catch (...) {
            // A failed clipboard read or window never reaches the user.
        }
        lastChangeTime_ = GetTickCount();
    } while (changeWhileBusy_);
    inClipboardChange_ = false;
}

void TVelmor::ReadClipboard() {
    clipboardText_.clear();
    const platform::ClipboardSnapshot snapshot = platform::ReadClipboardSnapshot(Handle());
    if (snapshot.excluded) return;
    if (snapshot.wideText) clipboardText_ = *snapshot.wideText;
    if (snapshot.text && !snapshot.text->empty()) pendingText_ = *snapshot.text;
}

void TVelmor::ShowClip() {
    struct ClearPending {
        std::string& text;
        ~ClearPending() { text.clear(); }
    } clearPending{pendingText_};
    if (pendingText_.empty()) return;

    clipboard::IntakeInput intake;
    intake.textBytes = pendingText_.size();
    intake.ignoreLarge = settings_.ignoreLargeText;
    intake.sizeLimit = settings_.maxTextSize;
    intake.newestOpen = slotFlags_[static_cast<size_t>(lastSlot_)];
    clipwindow::TForm2* const newest = Clip(lastSlot_);
    if (intake.newestOpen && newest) {
        MemoSample.SetText(platform::AnsiToWide(pendingText_));
        intake.equalsNewest = MemoSample.Text() == newest->Memo1.Text();
    }
    const clipboard::IntakeDecision decision = clipboard::DecideIntake(intake);
    if (decision.focusNewest && newest && newest->CanFocus()) newest->SetFocus();
    if (!decision.accept) return;

    const std::optional<int> free = clipboard::FirstFreeSlot(slotFlags_);
    if (!free) return;
    const int slot = *free;
    // TODO(settings pages): switch the page control to "Property".
    ++clipCounter_;
    auto created = NewClipWindow();
    clipwindow::TForm2& window = *created;
    SetClip(slot, std::move(created));
    slotFlags_[static_cast<size_t>(slot)] = true;
    lastSlot_ = slot;
    window.SlotIndex = slot;
    MemoSample.SetText(platform::AnsiToWide(pendingText_));
    const POINT origin = ClipOrigin();
    window.SetPosition(origin.x, origin.y);
    LayoutClipWindow(window);
    window.ShowNoActivate();
    window.Serial = clipCounter_;
    window.CountDown = settings_.countDown;
    window.Elapsed = 0;
    window.Timer1.SetEnabled(settings_.countDownEnabled);
    PostMessageW(Handle(), kMakeSpareClip, 0, 0);
}

std::unique_ptr<clipwindow::TForm2> TVelmor::NewClipWindow() {
    if (!spare_) return std::make_unique<clipwindow::TForm2>(*this);
    std::unique_ptr<clipwindow::TForm2> window = std::move(spare_);
    window->RenewTitleStamp();
    window->Timer1.SetEnabled(true);
    return window;
}

void TVelmor::MakeSpareClip() {
    // The spare counts against the 51 windows that may exist.
    if (spare_ || ClipWindowCount() >= clipboard::kClipSlots) return;
    spare_ = std::make_unique<clipwindow::TForm2>(*this);
    // Idle and in no slot: its timer must not close anything.
    spare_->Timer1.SetEnabled(false);
    spare_->SlotIndex = -1;
}

clipboard::ClipTable TVelmor::TableView() const {
    clipboard::ClipTable table;
    for (int slot = 0; slot < clipboard::kClipSlots; ++slot) {
        if (const clipwindow::TForm2* clip = Clip(slot)) {
            table[static_cast<size_t>(slot)] = {true, clip->Pinned, clip->Serial};
        }
    }
    return table;
}

void TVelmor::SetClip(int slot, std::unique_ptr<clipwindow::TForm2> window) {
    // The old window goes with its entry, so that at most one window per slot exists.
    std::unique_ptr<clipwindow::TForm2> old = std::move(clips_[static_cast<size_t>(slot)]);
    clips_[static_cast<size_t>(slot)] = std::move(window);
    old.reset();
}

void TVelmor::TrimClips() {
    for (const int slot : clipboard::TrimClips(TableView(), clipCounter_, settings_.maxClipCount)) {
        if (clipwindow::TForm2* clip = Clip(slot)) clip->Close();
        SetClip(slot, nullptr);
    }
}

POINT TVelmor::ClipOrigin() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return POINT{0, 0};
    return cursor;
}

void TVelmor::CloseAllClips1Click() {
    for (const int slot : clipboard::CloseAllSelection(TableView())) {
        if (clipwindow::TForm2* clip = Clip(slot)) clip->Close();
        SetClip(slot, nullptr);
    }
}

void TVelmor::LayoutClipWindow(clipwindow::TForm2& window) {
    const int width = ui::Scale(settings_.maxWidth);
    int height = window.ClientSize().cy;
    // The memo takes the final width before the text goes in, so that it
    // wraps as it will be shown; the window itself is sized once, at the end.
    window.Memo1.SetPixelBounds({0, 0, width, height});
    window.Memo1.Clear();
    // What the edit control's paste would insert, taken by the read of this
    // change: reading the clipboard once more could find another program
    // holding it, and every read costs memory under Wine.
    window.Memo1.ReplaceSelection(clipboardText_);
    window.Memo1.SetFontInfo(MemoSample.GetFontInfo());
    // The point size gives the character height; a font whose lines are
    // taller (internal leading) needs its real line height, or the edit
    // control, which shows whole lines only, would hide the last lines.
    const int charHeight =
        std::max(ui::FontPixelHeight(window.Memo1.GetFontInfo().size, ui::ScreenDpi()), window.Memo1.LineHeight());
    const HWND memo = window.Memo1.Handle();
    if (GetWindowTextLengthW(memo) > 0) {
        const int lines = window.Memo1.LineCount();
        const auto lastLineStart = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0);
        const bool lastLineEmpty = SendMessageW(memo, EM_LINELENGTH, static_cast<WPARAM>(lastLineStart), 0) == 0;
        const clipwindow::LayoutOutcome layout = clipwindow::LayoutHeight(
            {lines, lastLineEmpty, false, charHeight, ui::Scale(settings_.maxHeight), settings_.scrollBarsVertical});
        // The frame allowance is a 96-dpi figure like the others.
        if (layout.clientHeight) height = *layout.clientHeight - kClipFrameHeight + ui::Scale(kClipFrameHeight);
        window.Memo1.SetScrollBars(layout.verticalScrollBar ? ui::ScrollBars::Vertical : ui::ScrollBars::None);
    }
    window.SetClientSize(width, height);
    window.Memo1.SetMargins(ui::Scale(settings_.leftMargin), ui::Scale(settings_.rightMargin));
    window.Memo1.SetColor(settings_.standardColor);
    window.Memo1.SetFontColor(settings_.standardTextColor);
    window.MDontHideClip->SetCaption(texts_.pinCaption);
    window.MClose->SetCaption(texts_.closeCaption);
}

std::int32_t TVelmor::TouchClipCounter() { return ++clipCounter_; }

void TVelmor::ClipClosed(int slot) {
    if (slot >= 0 && slot < clipboard::kClipSlots) slotFlags_[static_cast<size_t>(slot)] = false;
}

LRESULT TVelmor::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == kMakeSpareClip) {
        MakeSpareClip();
        return 0;
    }
    if (message == kTrayMessage) {
        // Both buttons open the menu on the press, where the cursor is as it
        // arrives; releases and double clicks do nothing.
        if (lParam == WM_LBUTTONDOWN || lParam == WM_RBUTTONDOWN) {
            POINT cursor{};
            GetCursorPos(&cursor);
            ShowTrayMenu(cursor);
        }
        return 0;
    }
    if (message == taskbarCreated && taskbarCreated != 0) {
        // Explorer restarted and forgot every icon; ours must come back.
        if (tray_.TaskbarRecreated()) {
            NOTIFYICONDATAA data = TrayRecord();
            Shell_NotifyIconA(NIM_ADD, &data);
        }
        return 0;
    }
    if (message == WM_SYSCOMMAND) {
        switch (wParam) {
            case SC_MINIMIZE:
                GoToTray();
                return 0;
            case SC_RESTORE:
                ui::Application::Get().Restore();
                break;
            default:
                break;
        }
    }
    return Form::WndProc(message, wParam, lParam);
}

void TVelmor::ShowTrayMenu(POINT at) {
    ui::Application& application = ui::Application::Get();
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(application.Handle());
    application.ProcessMessages();
    PopupMenu1.Popup(application.Handle(), at.x, at.y);
}

NOTIFYICONDATAA TVelmor::TrayRecord() {
    NOTIFYICONDATAA data{};
    // The first, smallest form of the record; 88 bytes in a 32-bit process.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = Handle();
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    if (!trayIcon_) {
        trayIcon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    }
    data.hIcon = trayIcon_.get();
    const std::string tip = CutToBytes(platform::WideToAnsi(texts_.titleText), kTrayTipBytes,
                                       [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; });
    memcpy(data.szTip, tip.c_str(), tip.size() + 1);
    return data;
}

void TVelmor::AddTrayIcon() {
    if (!tray_.Add()) return;
    NOTIFYICONDATAA data = TrayRecord();
    Shell_NotifyIconA(NIM_ADD, &data);
}

void TVelmor::RemoveTrayIcon() {
    if (!tray_.Remove()) return;
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = Handle();
    data.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void TVelmor::yo1Click() {
    RemoveTrayIcon();
    Show();
    SetForegroundWindow(Handle());
    SetFocus();
}

void TVelmor::PSuspendClick() {
    MSuspend->SetVisible(false);
    MResume->SetVisible(true);
    PSuspend->SetVisible(false);
    PResume->SetVisible(true);
    watching_ = false;
    clipDetector_->SetOnClipChange(nullptr);
}

void TVelmor::PResumeClick() {
    MSuspend->SetVisible(true);
    MResume->SetVisible(false);
    PSuspend->SetVisible(true);
    PResume->SetVisible(false);
    watching_ = true;
    AttachClipboardChanged();
}

void TVelmor::Quit1Click() {
    RemoveTrayIcon();
    Close();
}

void TVelmor::MQuitClick() { Close(); }

void TVelmor::MTaskTrayClick() { GoToTray(); }

void TVelmor::BTaskTrayClick() {
    Hide();
    GoToTray();
}

void TVelmor::MVersionClick() {
    // TODO(about box): give the About box the version caption and show it modeless.
}

void TVelmor::AttachClipboardChanged() {
    clipDetector_->SetOnClipChange([this](clipboard::TVxClipDetector& sender) { ClipboardChanged(sender); });
}

void TVelmor::BeginOwnCopy() { clipDetector_->SetOnClipChange(nullptr); }

void TVelmor::EndOwnCopy() {
    // A copy back while suspended leaves the watcher suspended.
    if (watching_) AttachClipboardChanged();
}

void TVelmor::GoToTray() {
    AddTrayIcon();
    Hide();
}

void TVelmor::FormCloseQuery(bool& canClose) { canClose = true; }

void TVelmor::FormClose(ui::CloseAction&) {
    // TODO(settings file): SaveSettings.
}

}  // namespace app
