// Reading the clipboard as the clip manager does.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "WinTestSupport.h"
#include "platform/Clipboard.h"
#include "platform/Text.h"

namespace {

bool PutRaw(UINT format, const void* bytes, size_t size) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(format, memory) != nullptr;
    CloseClipboard();
    return placed;
}

// The text as the sample memo takes it: its 8-bit form read back.
std::wstring AsMemoTakesIt(const platform::ClipboardText& text) {
    std::wstring memo;
    platform::ForEachMemoPiece(text, [&](std::wstring_view piece) {
        memo += piece;
        return true;
    });
    return memo;
}

TEST(ClipboardRead, GivesBothFormsWhicheverTextFormatWasPlaced) {
    ASSERT_TRUE(testsupport::SetClipboardText(L"unicode text"));
    auto read = platform::ReadClipboard(nullptr);
    ASSERT_TRUE(read.text);
    EXPECT_EQ(read.text->text, std::wstring_view(L"unicode text"));
    EXPECT_EQ(read.text->ansiBytes, 12u);
    EXPECT_FALSE(read.excluded);
    EXPECT_NE(read.sequence, 0u);

    ASSERT_TRUE(testsupport::SetClipboardAnsiText("ansi text"));
    read = platform::ReadClipboard(nullptr);
    ASSERT_TRUE(read.text);
    EXPECT_EQ(read.text->ansi, "ansi text");
    EXPECT_EQ(read.text->text, std::wstring_view(L"ansi text"));
}

TEST(ClipboardRead, CharactersTheCodePageLacksBecomeItsDefaultCharacterInTheEightBitForm) {
    // U+3042 (hiragana A) has no place in the Western code page the tests run with.
    ASSERT_EQ(GetACP(), 1252u);
    ASSERT_TRUE(testsupport::SetClipboardText(L"caf\u00E9 \u3042"));
    const auto read = platform::ReadClipboard(nullptr);
    ASSERT_TRUE(read.text);
    EXPECT_EQ(read.text->text, std::wstring_view(L"caf\u00E9 \u3042"));
    EXPECT_EQ(AsMemoTakesIt(*read.text), L"caf\u00E9 ?");
    // Long enough to be converted in many pieces, none cut inside a character.
    std::wstring many;
    for (int i = 0; i < 40000; ++i) many += L"\u00E9\u3042\U0001F600";
    ASSERT_TRUE(testsupport::SetClipboardText(many));
    const auto long_ = platform::ReadClipboard(nullptr);
    ASSERT_TRUE(long_.text);
    // Piece by piece exactly as the whole would convert.
    const std::string whole = platform::WideToAnsi(many);
    EXPECT_EQ(long_.text->ansiBytes, whole.size());
    EXPECT_EQ(AsMemoTakesIt(*long_.text), platform::AnsiToWide(whole));
}

TEST(ClipboardRead, TextWithoutATerminatorIsReadOnlyToTheEndOfItsBlock) {
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    ASSERT_TRUE(PutRaw(CF_TEXT, unterminated, sizeof unterminated));
    const auto read = platform::ReadClipboard(nullptr);
    ASSERT_TRUE(read.text && read.text->ansi);
    // Nothing past the block is read. (Wine stores text formats with a
    // terminator in their last byte; Windows keeps all four letters.)
    EXPECT_FALSE(read.text->ansi->empty());
    EXPECT_TRUE(std::string("abcd").starts_with(*read.text->ansi)) << *read.text->ansi;
}

TEST(ClipboardRead, AnEmptyClipboardHasNoText) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    const auto read = platform::ReadClipboard(nullptr);
    EXPECT_FALSE(read.text);
    EXPECT_FALSE(read.excluded);
}

TEST(ClipboardRead, AClipboardHeldByAnotherThreadIsReportedHeldNotWaitedFor) {
    ASSERT_TRUE(testsupport::SetClipboardText(L"held"));
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE events[] = {opened, release};
    HANDLE holder = CreateThread(
        nullptr, 0,
        [](void* signals) -> DWORD {
            OpenClipboard(nullptr);
            SetEvent(static_cast<HANDLE*>(signals)[0]);
            WaitForSingleObject(static_cast<HANDLE*>(signals)[1], 2000);
            CloseClipboard();
            return 0;
        },
        events, 0, nullptr);
    WaitForSingleObject(opened, 2000);
    // A window of its own, as the program reads with: the holder's (none) is another.
    const HWND reader = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const DWORD start = GetTickCount();
    const auto held = platform::ReadClipboard(reader);
    EXPECT_LT(GetTickCount() - start, 50u) << "the caller is the GUI thread: it never waits for the holder";
    SetEvent(release);
    WaitForSingleObject(holder, 2000);
    for (HANDLE handle : {holder, opened, release}) CloseHandle(handle);
    EXPECT_EQ(held.status, platform::ReadStatus::Held);
    EXPECT_FALSE(held.text);
    const auto read = platform::ReadClipboard(reader);
    DestroyWindow(reader);
    EXPECT_EQ(read.status, platform::ReadStatus::Read);
    ASSERT_TRUE(read.text);
    EXPECT_EQ(read.text->text, std::wstring_view(L"held"));
}

// A privacy mark that is listed but cannot be read, or is cut short, keeps
// the text out as a readable one does; only a mark that plainly allows it lets it in.
TEST(ClipboardRead, PrivacyMarksThatCannotBeReadFailClosed) {
    const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
    const UINT hint = RegisterClipboardFormatA("x-kde-passwordManagerHint");
    // An owner that never renders what it promised: the mark's data stays NULL.
    const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    struct Case {
        const char* what;
        UINT format;
        std::optional<std::string> bytes;  // none: promised, never rendered
        bool excluded;
    };
    const Case cases[] = {
        {"history mark with no data", history, std::nullopt, true},
        {"history mark shorter than a DWORD", history, std::string(2, '\1'), true},
        {"history mark that allows", history, std::string("\1\0\0\0", 4), false},
        {"password hint with no data", hint, std::nullopt, true},
        {"empty password hint", hint, std::string(1, '\0'), true},
        {"password hint cut short", hint, std::string("sec"), true},
        {"password hint of another kind", hint, std::string("public"), false},
    };
    const std::wstring text = L"maybe a password";
    for (const Case& c : cases) {
        ASSERT_TRUE(OpenClipboard(owner));
        EmptyClipboard();
        HGLOBAL textMemory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(textMemory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(textMemory);
        SetClipboardData(CF_UNICODETEXT, textMemory);
        HGLOBAL mark = nullptr;
        if (c.bytes) {
            mark = GlobalAlloc(GMEM_MOVEABLE, c.bytes->size());
            std::memcpy(GlobalLock(mark), c.bytes->data(), c.bytes->size());
            GlobalUnlock(mark);
        }
        SetClipboardData(c.format, mark);
        CloseClipboard();
        const auto read = platform::ReadClipboard(nullptr);
        EXPECT_EQ(read.excluded, c.excluded) << c.what;
        EXPECT_EQ(read.text.has_value(), !c.excluded) << c.what;
    }
    DestroyWindow(owner);
}

}  // namespace
