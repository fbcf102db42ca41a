// Counts the About box's frames as the X server sees them: velmor.exe runs
// under Wine on $DISPLAY, and each frame it draws reaches the box's X window
// as damage (XDamage). Waits for the box (WM_CLASS "velmor.exe", title
// "Version") to show, lets it settle as the rest measure does, counts for the
// given seconds and prints one line of bench/results.md (Markdown).
// Usage: velmor_about_frames [seconds (9)] [minutes to wait for the box (60)]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <strings.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr double kSettleMs = 1000;  // the rest measure starts 500 ms after opening the box
// One frame's drawing reaches the server as one or a few images in a row;
// damage this close to the last belongs to the same frame.
constexpr Time kSameFrameMs = 5;

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

int IgnoreError(Display*, XErrorEvent*) { return 0; }

bool IsAboutBox(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return false;
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) return false;
    const bool velmor = hint.res_name && strcasecmp(hint.res_name, "velmor.exe") == 0;
    XFree(hint.res_name);
    XFree(hint.res_class);
    char* name = nullptr;
    const bool version = velmor && XFetchName(display, window, &name) && name && std::strcmp(name, "Version") == 0;
    if (name) XFree(name);
    return version;
}

Window FindAboutBox(Display* display, Window window) {
    if (IsAboutBox(display, window)) return window;
    Window root;
    Window parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = FindAboutBox(display, children[i]);
    if (children) XFree(children);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 9;
    const double waitMinutes = argc > 2 ? std::atof(argv[2]) : 60;
    Display* display = XOpenDisplay(nullptr);
    int eventBase = 0;
    int errorBase = 0;
    if (!display || !XDamageQueryExtension(display, &eventBase, &errorBase)) {
        std::printf("- About box frames: not counted (no X display with XDamage).\n\n");
        return 1;
    }
    XSetErrorHandler(IgnoreError);
    Window box = 0;
    for (const double deadline = NowMs() + waitMinutes * 60000; !box && NowMs() < deadline; usleep(100000))
        box = FindAboutBox(display, DefaultRootWindow(display));
    if (!box) {
        std::printf("- About box frames: not counted (the About box did not show).\n\n");
        return 1;
    }
    usleep(static_cast<useconds_t>(kSettleMs * 1000));
    const Damage damage = XDamageCreate(display, box, XDamageReportRawRectangles);
    XSync(display, False);
    const double start = NowMs();
    long frames = 0;
    Time last = 0;
    bool any = false;
    for (double left = seconds * 1000; left > 0; left = start + seconds * 1000 - NowMs()) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != eventBase + XDamageNotify) continue;
            const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (!any || notify.timestamp - last >= kSameFrameMs) ++frames;
            any = true;
            last = notify.timestamp;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left) + 1);
    }
    const double wall = (NowMs() - start) / 1000;
    XDamageDestroy(display, damage);
    XCloseDisplay(display);
    const double rate = frames / wall;
    std::printf("- About box frames: %.1f a second (%ld frames in %.1f s, counted as the bursts of drawing that "
                "reach the box's X window, XDamage) (goal 55 to 65 a second: %s).\n\n",
                rate, frames, wall, rate >= 55 && rate <= 65 ? "**met**" : "**missed**");
    return 0;
}
