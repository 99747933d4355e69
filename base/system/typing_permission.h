#pragma once

// The desktop's leave for the program to type. A Wayland desktop lets a program type into other
// programs' windows only once the player has allowed it, in a question of the desktop's own; the
// answer can take minutes or never come, and the desktop can take it back. Where the system asks
// nothing (X11, Windows, the wlroots desktops) leave is given at the start.

#include <functional>
#include <string>
#include <string_view>

namespace bt {

enum class Permission {
    Granted,
    Asking,    // the desktop's question is open
    Refused,   // the player said no
    Failed,    // the desktop could not ask, or gave no keyboard; it may work at the next start
    TakenBack, // the desktop ended a grant it had given, or went away after giving it
};

struct PermissionChange {
    Permission now = Permission::Granted;
    // What to offer the desktop at the next start so that it need not ask again ("" for
    // nothing new): the desktop's own token, kept as it is.
    std::string grant;
};

class TypingPermission {
  public:
    virtual ~TypingPermission() = default;
    // Asks for leave, once, offering the grant kept from the last run ("" for none). Returns what
    // holds now; each later change comes to changed from the event loop, never within this call.
    virtual Permission ask(std::string_view lastGrant,
                           std::function<void(const PermissionChange&)> changed) = 0;
    // Nothing is asked or reported any more (the program ends): an open question is withdrawn.
    virtual void withdraw() = 0;
};

// For a system that asks nothing.
class GrantedFromTheStart : public TypingPermission {
  public:
    Permission ask(std::string_view, std::function<void(const PermissionChange&)>) override {
        return Permission::Granted;
    }
    void withdraw() override {}
};

} // namespace bt
