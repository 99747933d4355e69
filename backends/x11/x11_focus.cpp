#include "backends/x11/x11_focus.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace bt::x11 {

namespace {

// A window may be gone by the time it is asked about: that is no reason to end the program,
// which Xlib's own handler would do.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

class ErrorsIgnored {
  public:
    explicit ErrorsIgnored(Display* d) : display_(d), previous_(XSetErrorHandler(ignoreError)) {}
    ~ErrorsIgnored() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    ErrorsIgnored(const ErrorsIgnored&) = delete;
    ErrorsIgnored& operator=(const ErrorsIgnored&) = delete;

  private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

std::string fileName(std::string path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string readProc(long pid, const char* what) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + what, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    return text.substr(0, 4096);
}

void addName(std::vector<std::string>& names, std::string name) {
    while (!name.empty() && (name.back() == '\n' || name.back() == '\0'))
        name.pop_back();
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(std::move(name));
}

} // namespace

std::vector<std::string> processNames(long pid) {
    std::vector<std::string> names;
    if (pid <= 0)
        return names;
    const std::string command = readProc(pid, "cmdline");
    addName(names, fileName(command.substr(0, command.find('\0'))));
    addName(names, readProc(pid, "comm"));
    return names;
}

X11Focus::X11Focus(const char* displayName) : display_(XOpenDisplay(displayName)) {
    if (!display_)
        return;
    activeWindow_ = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    wmPid_ = XInternAtom(display_, "_NET_WM_PID", False);
}

X11Focus::~X11Focus() {
    if (display_)
        XCloseDisplay(display_);
}

FocusedWindow X11Focus::focusedWindow() {
    if (!display_)
        return {};
    ErrorsIgnored errors(display_);
    const Window focus = focusWindow();
    return focus == None ? FocusedWindow{} : describe(clientOf(focus));
}

long X11Focus::cardinal(Window w, Atom property, bool& found) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    found = false;
    long value = 0;
    if (XGetWindowProperty(display_, w, property, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success &&
        type != None && format == 32 && count == 1) {
        found = true;
        value = *reinterpret_cast<const long*>(data); // Xlib hands 32-bit items over as longs
    }
    if (data)
        XFree(data);
    return value;
}

Window X11Focus::focusWindow() {
    const Window root = DefaultRootWindow(display_);
    bool managed = false;
    const auto active = static_cast<Window>(cardinal(root, activeWindow_, managed));
    if (managed)
        return active; // None while no X window is active (a native Wayland window has it)
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == PointerRoot) {
        Window rootReturn = None, child = None;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        XQueryPointer(display_, root, &rootReturn, &child, &rx, &ry, &wx, &wy, &mask);
        focus = child;
    }
    return focus == root ? None : focus;
}

bool X11Focus::hasClass(Window w) {
    XClassHint hint{};
    if (!XGetClassHint(display_, w, &hint))
        return false;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return true;
}

Window X11Focus::clientOf(Window w) {
    const Window root = DefaultRootWindow(display_);
    Window topLevel = w;
    for (Window at = w; at != None && at != root;) {
        if (hasClass(at))
            return at;
        topLevel = at;
        Window rootReturn = None, parent = None, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, at, &rootReturn, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        at = parent;
    }
    // A window manager's frame: the client is one of its children, or theirs.
    for (int depth = 0; depth < 2; ++depth) {
        Window rootReturn = None, parent = None, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, topLevel, &rootReturn, &parent, &children, &count) || !count) {
            if (children)
                XFree(children);
            break;
        }
        Window found = None;
        for (unsigned i = 0; i < count && found == None; ++i)
            if (hasClass(children[i]))
                found = children[i];
        const Window first = children[count - 1];
        XFree(children);
        if (found != None)
            return found;
        topLevel = first;
    }
    return w;
}

FocusedWindow X11Focus::describe(Window w) {
    FocusedWindow window;
    XClassHint hint{};
    if (XGetClassHint(display_, w, &hint)) {
        for (const char* name : {hint.res_name, hint.res_class})
            if (name)
                addName(window.programNames, name);
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    bool hasPid = false;
    const long pid = cardinal(w, wmPid_, hasPid);
    if (hasPid) {
        window.ours = pid == static_cast<long>(getpid());
        for (std::string& name : processNames(pid))
            addName(window.programNames, std::move(name));
    }
    return window;
}

} // namespace bt::x11
