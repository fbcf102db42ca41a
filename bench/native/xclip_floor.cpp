// The floor that a copy through the X clipboard is compared with: a plain
// Xlib client (no Wine, no toolkit) that waits for a new CLIPBOARD owner
// (XFixes), reads the text as UTF8_STRING, and maps one new window for it,
// unmapping the one before. Its windows have WM_CLASS "xclip_floor".
// Runs until it is killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    int eventBase = 0;
    int errorBase = 0;
    if (!display || !XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "no X display with XFixes\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom property = XInternAtom(display, "XCLIP_FLOOR_TEXT", False);
    // Receives the converted text; never mapped.
    const Window receiver = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    XFixesSelectSelectionInput(display, receiver, clipboard, XFixesSetSelectionOwnerNotifyMask);
    Window shown = 0;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == eventBase + XFixesSelectionNotify) {
            const auto& notify = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
            if (notify.owner != None && notify.owner != receiver)
                XConvertSelection(display, clipboard, utf8, property, receiver, notify.selection_timestamp);
        } else if (event.type == SelectionNotify && event.xselection.property == property) {
            Atom type = None;
            int format = 0;
            unsigned long items = 0;
            unsigned long left = 0;
            unsigned char* text = nullptr;
            XGetWindowProperty(display, receiver, property, 0, 1 << 24, True, AnyPropertyType, &type, &format, &items,
                               &left, &text);
            if (text) XFree(text);
            // One window per copy, as a clip window: made, named and mapped.
            const Window window = XCreateSimpleWindow(display, root, 40, 40, 123, 134, 1, 0, 0xFFFFFF);
            XClassHint hint{const_cast<char*>("xclip_floor"), const_cast<char*>("xclip_floor")};
            XSetClassHint(display, window, &hint);
            XMapWindow(display, window);
            if (shown) XDestroyWindow(display, shown);
            shown = window;
            XFlush(display);
        }
    }
}
