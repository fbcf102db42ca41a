// Reading the clipboard as the clip manager does.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "WinTestSupport.h"
#include "platform/Clipboard.h"

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

TEST(ClipboardRead, GivesEightBitTextWhicheverTextFormatWasPlaced) {
    ASSERT_TRUE(testsupport::SetClipboardText(L"unicode text"));
    auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    ASSERT_TRUE(snapshot.text);
    EXPECT_EQ(*snapshot.text, "unicode text");
    EXPECT_FALSE(snapshot.excluded);

    ASSERT_TRUE(testsupport::SetClipboardAnsiText("ansi text"));
    snapshot = platform::ReadClipboardSnapshot(nullptr);
    ASSERT_TRUE(snapshot.text);
    EXPECT_EQ(*snapshot.text, "ansi text");
}

TEST(ClipboardRead, CharactersTheCodePageLacksBecomeItsDefaultCharacter) {
    // U+3042 (hiragana A) has no place in the Western code page the tests run with.
    ASSERT_EQ(GetACP(), 1252u);
    ASSERT_TRUE(testsupport::SetClipboardText(L"caf\u00E9 \u3042"));
    const auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    ASSERT_TRUE(snapshot.text);
    EXPECT_EQ(*snapshot.text, "caf\xE9 ?");
}

TEST(ClipboardRead, TextWithoutATerminatorIsReadOnlyToTheEndOfItsBlock) {
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    ASSERT_TRUE(PutRaw(CF_TEXT, unterminated, sizeof unterminated));
    const auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    ASSERT_TRUE(snapshot.text);
    // Nothing past the block is read. (Wine stores text formats with a
    // terminator in their last byte; Windows keeps all four letters.)
    EXPECT_FALSE(snapshot.text->empty());
    EXPECT_TRUE(std::string("abcd").starts_with(*snapshot.text)) << *snapshot.text;
}

TEST(ClipboardRead, AnEmptyClipboardHasNoText) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    const auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    EXPECT_FALSE(snapshot.text);
    EXPECT_FALSE(snapshot.excluded);
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
    const auto held = platform::ReadClipboardSnapshot(reader);
    EXPECT_LT(GetTickCount() - start, 50u) << "the caller is the GUI thread: it never waits for the holder";
    SetEvent(release);
    WaitForSingleObject(holder, 2000);
    for (HANDLE handle : {holder, opened, release}) CloseHandle(handle);
    EXPECT_TRUE(held.held);
    EXPECT_FALSE(held.text);
    const auto snapshot = platform::ReadClipboardSnapshot(reader);
    DestroyWindow(reader);
    EXPECT_FALSE(snapshot.held);
    ASSERT_TRUE(snapshot.text);
    EXPECT_EQ(*snapshot.text, "held");
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
        const auto snapshot = platform::ReadClipboardSnapshot(nullptr);
        EXPECT_EQ(snapshot.excluded, c.excluded) << c.what;
        EXPECT_EQ(snapshot.text.has_value(), !c.excluded) << c.what;
    }
    DestroyWindow(owner);
}

}  // namespace
