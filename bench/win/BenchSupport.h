#pragma once
// What the benchmarks of the real program share: a clock, statistics, copies
// timed to a new window, and the CPU time, wake-ups and memory of another
// process.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "VelmorProcess.h"

namespace bench {

// Milliseconds on the performance counter.
double NowMs();
// The value at `share` of the sorted values (nearest rank); 0 for none.
double Percentile(std::vector<double> values, double share);
// A whole number from the environment, or the fallback.
int EnvInt(const char* name, int fallback);
// "12.34" with the given decimals.
std::string Fixed(double value, int decimals = 2);

// All windows of a process, top-level and child: what USER objects it holds
// that can be counted from outside.
int WindowCount(DWORD pid);

// Copies text from this process and waits until a shown window of the class
// that was not shown before the copy appears, then (at most 50 ms more) until
// it shows no more windows than before; `seen` holds the windows found. Returns the
// milliseconds from the copy's CloseClipboard to the window, or -1 after
// timeoutMs.
double CopyUntilNewWindow(DWORD pid, const wchar_t* className, const std::wstring& text, std::set<HWND>& seen,
                          double timeoutMs = 3000);

// The anonymous memory of a Wine process, split: the Unix heap ([heap]: what
// Wine's Unix side, its X11 driver and Xlib allocate) and the rest (the
// Windows heaps, where the program's own allocations live, and stacks).
struct AnonymousMemory {
    bool known = false;
    double unixHeapMb = 0;
    double otherMb = 0;
};

// CPU time and waits of another process. Wine's GetProcessTimes reports
// nothing true for another process, so under Wine they come from /proc of
// its Unix process, found by a part of its command line (its own folder).
class ProcessMeter {
public:
    ProcessMeter(HANDLE process, const std::wstring& commandLinePart);
    bool FromProc() const noexcept { return unixPid_ != 0; }
    double CpuSeconds() const;
    // Voluntary context switches of its live threads: each sleep and, under
    // Wine, each wineserver round trip; -1 where /proc is not at hand.
    long long Waits() const;
    AnonymousMemory Anonymous() const;

private:
    HANDLE process_;
    unsigned unixPid_ = 0;
};

ProcessMeter MeterOf(const e2e::VelmorProcess& velmor);

// Starts velmor.exe, or says that it did not start.
bool Started(e2e::VelmorProcess& velmor);
// Ends Velmor as its Quit does, so that the next start finds no instance.
void Quit(e2e::VelmorProcess& velmor);

// The class of the bare viewer's clip windows.
inline constexpr wchar_t kBareClip[] = L"VelmorBareClip";

// bare_viewer.exe from this program's folder, keeping so many windows shown;
// ended with the object.
class BareViewer {
public:
    explicit BareViewer(int windowsKept = 1);
    ~BareViewer();
    BareViewer(const BareViewer&) = delete;
    BareViewer& operator=(const BareViewer&) = delete;

    bool Started() const noexcept { return window_ != nullptr; }
    DWORD Pid() const noexcept { return info_.dwProcessId; }
    HANDLE Process() const noexcept { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

// Private memory in bytes (Wine reports the resident anonymous memory).
SIZE_T PrivateBytes(HANDLE process);
SIZE_T WorkingSet(HANDLE process);

// GetGuiResources as text: the count, or why there is none.
std::string GuiResources(HANDLE process, DWORD kind);
// The GDI objects of a process, counted in its GDI handle table (the PEB's
// GdiSharedHandleTable, stock objects left out), as GetGuiResources counts
// them on Windows; -1 when the table cannot be read.
int GdiHandleTableCount(HANDLE process);

}  // namespace bench
