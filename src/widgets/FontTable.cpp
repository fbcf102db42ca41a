#include "widgets/FontTable.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/Module.h"
#include "platform/Text.h"
#include "platform/Trace.h"

namespace widgets {

namespace {

// Called from inside gdi32, which an exception must not cross: a failure
// ends the enumeration, and the families collected so far make the pass.
int CALLBACK CollectFamily(const LOGFONTA* font, const TEXTMETRICA* metric, DWORD fontType, LPARAM context) noexcept {
    try {
        auto& pass = *reinterpret_cast<FontPass*>(context);
        // The face name field need not hold a terminating zero within its size.
        const char* const face = font->lfFaceName;
        const char* const end = std::find(face, face + LF_FACESIZE, '\0');
        pass.Add(platform::AnsiToWide(std::string_view(face, static_cast<size_t>(end - face))),
                 FontFlags(fontType, metric->tmPitchAndFamily, metric->tmCharSet));
        return 1;
    } catch (...) {
        // The list goes on without the families not yet seen.
        platform::TraceCurrentException(L"the font list stopped early");
        return 0;
    }
}

bool AnyPrinterInstalled() {
    const auto enumPrinters = platform::SystemFunction<decltype(EnumPrintersA)>(L"winspool.drv", "EnumPrintersA");
    if (!enumPrinters) return false;
    DWORD needed = 0;
    DWORD returned = 0;
    constexpr DWORD kWhere = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    enumPrinters(kWhere, nullptr, 4, nullptr, 0, &needed, &returned);
    if (needed == 0) return false;
    std::vector<BYTE> buffer(needed);
    if (!enumPrinters(kWhere, nullptr, 4, buffer.data(), needed, &needed, &returned)) return false;
    return returned > 0;
}

// An information context of the default printer, or nullptr when there is
// none (no default printer, or its driver cannot make one).
platform::DcHandle DefaultPrinterContext() {
    const auto defaultPrinter =
        platform::SystemFunction<decltype(GetDefaultPrinterA)>(L"winspool.drv", "GetDefaultPrinterA");
    if (!defaultPrinter) return nullptr;
    DWORD size = 0;
    defaultPrinter(nullptr, &size);
    if (size == 0) return nullptr;
    std::string name(size, '\0');
    if (!defaultPrinter(name.data(), &size)) return nullptr;
    name.resize(std::strlen(name.c_str()));
    return platform::DcHandle(CreateICA("WINSPOOL", name.c_str(), nullptr, nullptr));
}

platform::BitmapHandle LoadMark(const wchar_t* name) {
    return platform::BitmapHandle(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

}  // namespace

int CompareFontNames(std::wstring_view a, std::wstring_view b) {
    const int length1 = static_cast<int>(a.size());
    const int length2 = static_cast<int>(b.size());
    int order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), length1, b.data(), length2);
    if (order == CSTR_EQUAL || order == 0) order = CompareStringOrdinal(a.data(), length1, b.data(), length2, TRUE);
    if (order == 0) return CompareNamesAscii(a, b);
    return order - CSTR_EQUAL;
}

std::vector<FontEntry> EnumerateFontFamilies(HDC dc) {
    FontPass pass(&CompareFontNames);
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;  // every family once per character set
    EnumFontFamiliesExA(dc, &all, &CollectFamily, reinterpret_cast<LPARAM>(&pass), 0);
    return std::move(pass).Finish();
}

const FontTable& FontTable::Instance() {
    static const FontTable table;
    return table;
}

FontTable::FontTable() {
    if (const platform::DcHandle screen{CreateCompatibleDC(nullptr)}) entries_ = EnumerateFontFamilies(screen.get());
    // Without an information context for the default printer the screen's
    // families are all there is.
    if (AnyPrinterInstalled()) {
        if (const platform::DcHandle printer = DefaultPrinterContext()) {
            MergePrinterFamilies(entries_, EnumerateFontFamilies(printer.get()), &CompareFontNames);
            printerPass_ = true;
        }
    }
    trueTypeIcon_ = LoadMark(L"TrueTypeIcon");
    deviceTypeIcon_ = LoadMark(L"DeviceTypeIcon");
}

}  // namespace widgets
