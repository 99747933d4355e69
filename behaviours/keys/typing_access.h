#pragma once

// Whether the program's keys reach the desktop. The desktop's leave is asked for once, at the
// start, before any press, offering what the last run was given ("grant"), so that a desktop that
// keeps its answers asks only the first time. Until leave is given a press types nothing and is
// not kept for later; once it is refused or taken back, nothing is typed for the rest of the run,
// the player is told once with the desktop's notification, and the next start asks again. A
// message the system would not type is told once a run too; the next press tries again.

#include "base/system/typing_permission.h"

namespace bt {

class Files;
class Notices;

class TypingAccess {
  public:
    TypingAccess(TypingPermission& permission, Notices& notices, Files& files)
        : permission_(permission), notices_(notices), files_(files) {}
    TypingAccess(const TypingAccess&) = delete;
    TypingAccess& operator=(const TypingAccess&) = delete;
    ~TypingAccess() { stop(); }

    void ask();
    // Nothing more is asked or heard (the main window closed).
    void stop();
    bool granted() const { return state_ == Permission::Granted; }
    // A key of a message was not typed.
    void keyFailed();

  private:
    void changed(const PermissionChange& change);

    TypingPermission& permission_;
    Notices& notices_;
    Files& files_;
    Permission state_ = Permission::Asking;
    bool asking_ = false;
    bool toldFailure_ = false;
};

} // namespace bt
