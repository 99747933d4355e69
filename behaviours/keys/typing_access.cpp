#include "behaviours/keys/typing_access.h"

#include "base/system/notices.h"
#include "behaviours/keys/grant_file.h"

namespace bt {

void TypingAccess::ask() {
    asking_ = true;
    state_ = permission_.ask(readGrant(files_),
                             [this](const PermissionChange& change) { changed(change); });
}

void TypingAccess::stop() {
    if (!asking_)
        return;
    asking_ = false;
    permission_.withdraw();
}

void TypingAccess::changed(const PermissionChange& change) {
    if (!asking_)
        return;
    if (!change.grant.empty())
        writeGrant(files_, change.grant);
    const Permission before = state_;
    state_ = change.now;
    if (state_ == before)
        return;
    if (state_ == Permission::Refused)
        notices_.notify(Notice::TypingRefused);
    else if (state_ == Permission::Failed)
        notices_.notify(Notice::TypingUnavailable);
    else if (state_ == Permission::TakenBack)
        notices_.notify(Notice::TypingTakenBack);
}

void TypingAccess::keyFailed() {
    if (toldFailure_)
        return;
    toldFailure_ = true;
    notices_.notify(Notice::KeysNotTyped);
}

} // namespace bt
