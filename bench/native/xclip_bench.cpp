// Measures a copy through the X clipboard as a Linux program makes it: from
// starting `xclip -selection clipboard` with a new text to a window of
// velmor.exe (WM_CLASS "velmor.exe") being mapped on the X server. velmor.exe
// runs under Wine on $DISPLAY already. Prints its section of bench/results.md
// (Markdown), with the floor's figures beside its own.
// Usage: velmor_xclip_bench [copies (200)] [file with the floor's figures]
//        velmor_xclip_bench copies --floor <velmor_xclip_floor>: measures the
//        floor (bench/native/xclip_floor.cpp) instead, with no velmor.exe
//        running, and prints its median, 95th percentile, max and missed.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kWarmUpCopies = 5;
constexpr double kSettleMs = 300;  // after each clip: the second notification of a copy, the next spare window

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Windows come and go while we look at them; their errors are no concern here.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

// WM_CLASS of the windows that count: velmor.exe's, or the floor's.
const char* programClass = "velmor.exe";

bool IsVelmor(Display* display, Window window) {
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) return false;
    const bool velmor = hint.res_name && strcasecmp(hint.res_name, programClass) == 0;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return velmor;
}

// Hears of maps of every window: the root's children through the root, and
// windows a window manager reparents into frames through themselves.
void Watch(Display* display, Window window) {
    XSelectInput(display, window, StructureNotifyMask);
    Window root;
    Window parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) Watch(display, children[i]);
    if (children) XFree(children);
}

// The time at which the next map of a velmor.exe window is seen, or -1 at the deadline.
double NextVelmorMap(Display* display, double deadline) {
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify) {
                XSelectInput(display, event.xcreatewindow.window, StructureNotifyMask);
            } else if (event.type == MapNotify && event.xmap.event == event.xmap.window &&
                       IsVelmor(display, event.xmap.window)) {
                return NowMs();
            }
        }
        const double left = deadline - NowMs();
        if (left <= 0) return -1;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left) + 1);
    }
}

// Starts xclip with the text on its input; it keeps the selection in a child
// of its own and the process started here ends at once.
bool StartXclip(const std::string& text) {
    int input[2];
    if (pipe(input) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_addclose(&actions, input[0]);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    // Its child lives on until the next copy: it must hold no pipe of whoever reads our output.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>("xclip"), const_cast<char*>("-selection"), const_cast<char*>("clipboard"),
                    nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "xclip", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    const bool written = spawned == 0 && write(input[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(input[1]);
    if (spawned == 0) waitpid(pid, nullptr, 0);
    return written;
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())))];
}

}  // namespace

int main(int argc, char** argv) {
    const int copies = argc > 1 ? std::atoi(argv[1]) : 200;
    const bool floor = argc > 3 && std::strcmp(argv[2], "--floor") == 0;
    pid_t floorPid = 0;
    if (floor) {
        programClass = "xclip_floor";
        char* floorArgv[] = {argv[3], nullptr};
        if (posix_spawn(&floorPid, argv[3], nullptr, nullptr, floorArgv, environ) != 0) {
            std::printf("the floor did not start\n");
            return 1;
        }
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::printf("no X display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreError);
    const Window root = DefaultRootWindow(display);
    Watch(display, root);
    XSelectInput(display, root, SubstructureNotifyMask | StructureNotifyMask);

    // Velmor may still be starting: copy until a clip shows, for at most 30 s.
    bool ready = false;
    for (int attempt = 0; attempt < 15 && !ready; ++attempt) {
        if (!StartXclip("first copy " + std::to_string(attempt))) {
            std::printf("xclip did not start\n");
            return 1;
        }
        ready = NextVelmorMap(display, NowMs() + 2000) >= 0;
    }
    if (!ready) {
        std::printf("no clip window of velmor.exe was mapped\n");
        return 1;
    }

    std::vector<double> times;
    int missed = 0;
    int extraMaps = 0;
    for (int i = 0; i < kWarmUpCopies + copies; ++i) {
        const double start = NowMs();
        if (!StartXclip("xclip copy " + std::to_string(i))) {
            std::printf("xclip did not start\n");
            return 1;
        }
        const double mapped = NextVelmorMap(display, start + 5000);
        if (i >= kWarmUpCopies) {
            if (mapped < 0) ++missed;
            else times.push_back(mapped - start);
        }
        // One copy, one clip: a second map now would be a second clip window.
        const double settleEnd = NowMs() + kSettleMs;
        while (NextVelmorMap(display, settleEnd) >= 0) {
            if (i >= kWarmUpCopies) ++extraMaps;
        }
    }
    XCloseDisplay(display);
    if (floor) {
        kill(floorPid, SIGTERM);
        waitpid(floorPid, nullptr, 0);
        std::printf("%.2f %.2f %.2f %d %zu\n", Percentile(times, 0.5), Percentile(times, 0.95), Percentile(times, 1.0),
                    missed, times.size());
        return times.empty() ? 1 : 0;
    }
    double floorMedian = 0;
    double floorP95 = 0;
    double floorMax = 0;
    int floorMissed = 0;
    size_t floorCopies = 0;
    if (argc > 2) std::ifstream(argv[2]) >> floorMedian >> floorP95 >> floorMax >> floorMissed >> floorCopies;

    std::printf("## Copy through the X clipboard (xclip on the Linux side)\n\n");
    std::printf(
        "openbox manages the display. For each copy `xclip -selection clipboard` is started with a new text on its "
        "input; the time runs from starting it to the MapNotify of a window of velmor.exe (WM_CLASS \"velmor.exe\") "
        "on the X server. After each clip the measure waits %.0f ms more and counts any further map, which would be "
        "a second clip window for one copy. %d warm-up copies are not counted; velmor.exe runs with default "
        "settings from a fresh folder. The floor is `xclip_floor` (bench/native/xclip_floor.cpp), a plain Xlib "
        "client with no Wine and no toolkit that waits for a new CLIPBOARD owner (XFixes), reads the text as "
        "UTF8_STRING and maps one window; it is timed the same way to the map of its window, before velmor.exe "
        "starts.\n\n",
        kSettleMs, kWarmUpCopies);
    std::printf("| program | copies | median | 95th percentile | max | missed (no map in 5 s) | further maps |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    std::printf("| velmor.exe | %zu | %.2f ms | %.2f ms | %.2f ms | %d | %d |\n", times.size(), Percentile(times, 0.5),
                Percentile(times, 0.95), Percentile(times, 1.0), missed, extraMaps);
    if (floorCopies > 0) {
        std::printf("| floor (xclip_floor) | %zu | %.2f ms | %.2f ms | %.2f ms | %d | |\n", floorCopies, floorMedian,
                    floorP95, floorMax, floorMissed);
    }
    std::printf("\n- Copy through the X clipboard to a mapped clip window: median %.2f ms, 95th percentile %.2f ms over "
                "%zu copies; %d missed, %d further maps",
                Percentile(times, 0.5), Percentile(times, 0.95), times.size(), missed, extraMaps);
    if (floorCopies > 0 && floorMedian > 0 && floorP95 > 0) {
        std::printf("; against the plain Xlib floor's median %.2f ms and 95th percentile %.2f ms: %.2fx and %.2fx",
                    floorMedian, floorP95, Percentile(times, 0.5) / floorMedian, Percentile(times, 0.95) / floorP95);
    } else {
        std::printf("; the floor was not measured");
    }
    std::printf(" (no goal set).\n\n");
    return times.empty() ? 1 : 0;
}
