#pragma once

// Everything the program needs from the operating system, in the program's own terms: keys to
// type, trigger keys going down and up, tray events, HTTP results. The core calls only this; each
// backend (fake, X11/Qt, Win32) converts to and from its own system's numbers and strings.

#include "base/bind_profile.h"
#include "base/system/http.h"
#include "base/system/keyboard.h"
#include "base/time/timer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bt {

enum class WindowId { Main, News };

struct FileWriteResult {
    bool ok = true;
    std::string error; // why it failed, in words for the user
};

class Platform : public TimerService, public Keyboard {
  public:
    // Types one key into the focused window. Does not wait for it to be processed.
    virtual void typeKey(TypedKey key) = 0;

    // Dialogs (modal; timers keep ticking while they are open). The input box returns the
    // entered text, empty on Cancel. The message box has an OK button only and no icon.
    virtual std::string inputBox(std::string_view prompt, std::string_view title,
                                 std::string_view defaultText, int leftTwips, int topTwips) = 0;
    virtual void messageBox(std::string_view prompt, std::string_view title) = 0;
    // The user's decimal separator, for numbers typed into dialogs.
    virtual char decimalSeparator() const = 0;

    // Notification area. trayAvailable() is false where there is no tray host at all. The icon
    // is the main window's own, with the tip given. Its events come back to the main window from
    // the event loop, never from inside the icon's own event handler, since what they start may
    // delete the icon.
    virtual bool trayAvailable() const = 0;
    virtual void trayAdd(std::string_view tip) = 0;
    virtual void trayDelete() = 0;
    // Opens the icon's menu ("&Show", "&Exit") at the pointer and returns the choice.
    virtual PopupChoice popupMenu() = 0;

    // Raises the window above the others and gives it the focus, where the desktop allows. Only
    // for what the player or the program's design asks for (Show, a second start, the news
    // window opening): views never bring a window forward when its state changes.
    virtual void bringToFront(WindowId window) = 0;

    // Ends the process at once; no unload step runs.
    virtual void endProcess() = 0;

    // Files in the working directory. fileLength is -1 when the length cannot be read.
    virtual std::int64_t fileLength(std::string_view name) = 0;
    // Reads at most maxBytes from the start of the file; nullopt when it cannot be read.
    virtual std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) = 0;
    // Replaces the file as a whole: afterwards it holds either the old or the new content.
    virtual FileWriteResult replaceFile(std::string_view name, std::string_view contents) = 0;

    // HTTP GET, asynchronous: returns at once; done runs later on the UI thread, unless the
    // request is cancelled first. A request nobody waits for (done empty) is still made.
    virtual HttpRequestId httpGet(std::string url, std::function<void(HttpResult)> done) = 0;
    virtual void httpCancel(HttpRequestId id) = 0;

    // Opens a web address with the system's default handler; the result is not reported.
    virtual void openLink(std::string_view url) = 0;
};

} // namespace bt
