// Measures what velmor.exe costs while nobody copies, from another process:
// CPU time and wake-ups over a quiet stretch with no clip window, then with
// three clip windows counting down, then while the About box is open and
// after it is closed. Prints its section of bench/results.md (Markdown).
// VELMOR_BENCH_IDLE_SECONDS (60) sets the quiet stretches,
// VELMOR_BENCH_ABOUT_SECONDS (10) the stretch with the About box open;
// VELMOR_BENCH_BASELINE names a velmor.exe (a build from before a change)
// whose About box is measured the same way, for comparison.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <set>
#include <string>

#include "BenchSupport.h"
#include "VelmorProcess.h"
#include "WinTestSupport.h"

namespace {

// Each stretch starts this long after the last action.
constexpr DWORD kSettleMs = 2000;

struct Usage {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    long long waits = -1;  // voluntary context switches
    int bursts = -1;       // stretches of activity between quiet polls
    double serverCpuSeconds = -1;
};

// Reads the process's counters before and after; in between it polls the
// wait count every 20 ms and counts the bursts of activity (a poll that sees
// new waits after one that saw none): a one-second tick is one burst.
Usage Measure(const bench::ProcessMeter& meter, int seconds) {
    constexpr DWORD kPollMs = 20;
    // Every message and window call of a Wine program is work for wineserver too.
    static const bench::ProcessMeter server(nullptr, L"wineserver");
    const double start = bench::NowMs();
    const double serverCpu = server.FromProc() ? server.CpuSeconds() : -1;
    const double cpu = meter.CpuSeconds();
    const long long waits = meter.Waits();
    Usage usage;
    long long last = waits;
    bool wasActive = false;
    if (waits >= 0) usage.bursts = 0;
    while (bench::NowMs() - start < seconds * 1000.0) {
        Sleep(kPollMs);
        if (waits < 0) continue;
        const long long now = meter.Waits();
        const bool active = now != last;
        if (active && !wasActive) ++usage.bursts;
        wasActive = active;
        last = now;
    }
    usage.wallSeconds = (bench::NowMs() - start) / 1000.0;
    usage.cpuSeconds = meter.CpuSeconds() - cpu;
    if (serverCpu >= 0) usage.serverCpuSeconds = server.CpuSeconds() - serverCpu;
    if (waits >= 0) usage.waits = meter.Waits() - waits;
    return usage;
}

std::string PerSecond(long long count, double seconds) {
    if (count < 0) return "not known";
    return std::to_string(count) + " (" + bench::Fixed(static_cast<double>(count) / seconds) + " a second)";
}

void PrintRow(const char* state, const Usage& usage) {
    const std::string server =
        usage.serverCpuSeconds < 0 ? "not known" : bench::Fixed(usage.serverCpuSeconds) + " s";
    std::printf("| %s | %s s | %s s | %s s | %s | %s | %s |\n", state, bench::Fixed(usage.wallSeconds, 1).c_str(),
                bench::Fixed(usage.cpuSeconds).c_str(), bench::Fixed(usage.cpuSeconds / usage.wallSeconds, 4).c_str(),
                PerSecond(usage.waits, usage.wallSeconds).c_str(), PerSecond(usage.bursts, usage.wallSeconds).c_str(),
                server.c_str());
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Ends Velmor as its Quit does, so that the next start finds no instance.
void Quit(e2e::VelmorProcess& velmor) {
    PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
    velmor.WaitForExit(std::chrono::seconds(10));
}

// The About box opened as a user does (tray menu, Property, Help, Version) and
// measured after half a second; nullopt when it did not open. closed, when
// given, is measured after the box is closed again by its close box.
std::optional<Usage> MeasureAboutBox(int seconds, std::optional<Usage>* closed = nullptr) {
    e2e::VelmorProcess velmor;
    if (!bench::Started(velmor)) return std::nullopt;
    const bench::ProcessMeter meter = bench::MeterOf(velmor);
    const HWND box = velmor.ShowAbout();
    std::optional<Usage> open;
    if (box) {
        Sleep(500);
        open = Measure(meter, seconds);
        if (closed) {
            PostMessageW(box, WM_CLOSE, 0, 0);
            testsupport::PumpUntil([&] { return !IsWindowVisible(box); }, std::chrono::seconds(3));
            Sleep(kSettleMs);
            *closed = Measure(meter, seconds);
        }
    }
    Quit(velmor);
    return open;
}

std::string PerWallSecond(const Usage& usage) {
    std::string text = bench::Fixed(usage.cpuSeconds / usage.wallSeconds, 3) + " s of CPU per wall second";
    if (usage.serverCpuSeconds >= 0) {
        text += ", and wineserver " + bench::Fixed(usage.serverCpuSeconds / usage.wallSeconds, 3) +
                " s per wall second beside it";
    }
    return text;
}

}  // namespace

int main() {
    const int idleSeconds = bench::EnvInt("VELMOR_BENCH_IDLE_SECONDS", 60);
    const int aboutSeconds = bench::EnvInt("VELMOR_BENCH_ABOUT_SECONDS", 10);

    std::printf("## At rest\n\n");
    std::printf(
        "CPU time (user and system) of the velmor.exe process, read from /proc of its Unix process before and "
        "after each stretch. Waits are its threads' voluntary context switches: "
        "each sleep, and under Wine each wineserver round trip. Bursts are the moments of activity: the wait count "
        "is polled every 20 ms, and a poll that sees new waits after one that saw none starts a burst, so a "
        "one-second tick is one burst. The last column is the CPU time of the prefix's wineserver in the same "
        "stretch; it includes the polls' own file reads, which the row with no clip window shows. Each stretch "
        "starts %u ms after the last action.\n\n",
        static_cast<unsigned>(kSettleMs));
    std::printf("| state | wall time | CPU time | CPU per wall second | waits | bursts | wineserver CPU time |\n"
                "|---|---|---|---|---|---|---|\n");

    // No clip window: nothing should run at all.
    Usage quiet;
    Usage counting;
    size_t countingAtEnd = 0;
    std::string titlesBefore;
    std::string titlesAfter;
    {
        e2e::VelmorProcess velmor;
        if (!bench::Started(velmor)) return 1;
        const bench::ProcessMeter meter = bench::MeterOf(velmor);
        Sleep(kSettleMs);
        quiet = Measure(meter, idleSeconds);
        PrintRow("no clip window", quiet);
        if (!meter.FromProc()) std::printf("\n(No /proc: CPU time from GetProcessTimes.)\n");
        Quit(velmor);
    }

    // Three clips counting down a long count-down: only their one-second ticks should run.
    {
        e2e::VelmorProcess velmor;
        velmor.PutFile(L"property.ini", "[property]\r\nCloseClipTimer=1\r\nCountDown=3600\r\n");
        if (!bench::Started(velmor)) return 1;
        const bench::ProcessMeter meter = bench::MeterOf(velmor);
        std::set<HWND> seen = e2e::VisibleWindowsOf(velmor.Pid(), e2e::kClipWindowClass);
        // A third of a second apart, so that each clip's tick is a burst of its own.
        for (int i = 0; i < 3; ++i) {
            bench::CopyUntilNewWindow(velmor.Pid(), e2e::kClipWindowClass, L"counting clip " + std::to_wstring(i), seen);
            Sleep(333);
        }
        Sleep(kSettleMs);
        for (HWND clip : e2e::VisibleWindowsOf(velmor.Pid(), e2e::kClipWindowClass)) {
            titlesBefore += " \"" + Narrow(e2e::WindowTitle(clip)) + "\"";
        }
        counting = Measure(meter, idleSeconds);
        const std::set<HWND> shown = e2e::VisibleWindowsOf(velmor.Pid(), e2e::kClipWindowClass);
        countingAtEnd = shown.size();
        for (HWND clip : shown) titlesAfter += " \"" + Narrow(e2e::WindowTitle(clip)) + "\"";
        PrintRow("three clips counting down", counting);
        Quit(velmor);
    }

    // The About box, then closed again with the settings window open behind it.
    std::optional<Usage> closed;
    const std::optional<Usage> about = MeasureAboutBox(aboutSeconds, &closed);
    if (about) PrintRow("About box open", *about);
    if (closed) PrintRow("About box closed again (settings window open)", *closed);
    std::optional<Usage> aboutBefore;
    wchar_t baseline[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"VELMOR_BENCH_BASELINE", baseline, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        SetEnvironmentVariableW(L"VELMOR_EXE", baseline);
        aboutBefore = MeasureAboutBox(aboutSeconds);
        SetEnvironmentVariableW(L"VELMOR_EXE", nullptr);
        if (aboutBefore) PrintRow("About box open, before the change", *aboutBefore);
    }

    std::printf("\n- No clip window: %s s of CPU over %s s (goal 0.00 s: %s).\n",
                bench::Fixed(quiet.cpuSeconds).c_str(), bench::Fixed(quiet.wallSeconds, 1).c_str(),
                quiet.cpuSeconds < 0.005 ? "**met**" : "**missed**");
    // Three clips tick once a second each, at their own phases.
    const double ticks = 3.0 * counting.wallSeconds;
    std::printf("- Three counting clips (CloseClipTimer=1, CountDown=3600 in property.ini): %zu still shown at the "
                "end; titles before%s, after%s. About %.0f one-second ticks fell in the stretch: %s ms of CPU per tick",
                countingAtEnd, titlesBefore.c_str(), titlesAfter.c_str(), ticks,
                bench::Fixed(counting.cpuSeconds * 1000.0 / ticks).c_str());
    if (counting.bursts >= 0) {
        // Ticks that fall into one 20 ms poll count as one burst; a burst beyond the ticks is other work.
        const bool onlyTicks = counting.bursts <= ticks + 2;
        std::printf(", %d bursts of activity (goal: only the ticks: %s)", counting.bursts,
                    onlyTicks ? "**met**" : "**missed**");
    }
    std::printf(".\n");
    if (about) {
        // The frames are paced to about 60 a second: what is left is their drawing and hand-off.
        const double perSecond = about->cpuSeconds / about->wallSeconds;
        std::printf("- About box open: %s (the no-clip row shows the measure's own share) (goal <= 0.03 s: %s)",
                    PerWallSecond(*about).c_str(), perSecond <= 0.03 ? "**met**" : "**missed**");
        if (aboutBefore) std::printf("; before the change: %s", PerWallSecond(*aboutBefore).c_str());
        std::printf(".\n\n");
    } else {
        std::printf("- **The About box did not open**; no figure for it.\n\n");
    }
    return 0;
}
