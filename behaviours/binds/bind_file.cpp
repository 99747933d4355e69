#include "behaviours/binds/bind_file.h"

#include "base/main_window_controls.h"
#include "behaviours/binds/bind_text.h"
#include "behaviours/binds/file_functions.h"

namespace bt {

namespace {
constexpr const char* kSentinel = "Text1";
constexpr int kLoadPasses = 5;
} // namespace

BindFile::BindFile(MainWindowControls& w, Platform& platform, std::function<void()> beforeApply)
    : w_(w), platform_(platform), beforeApply_(std::move(beforeApply)) {
    w_.saveButton.setOnClick([this] { save(); });
    w_.bindApplyTimer.setOnTick([this] { applyTick(); });
}

void BindFile::startupRead() {
    if (fileState(platform_, w_.bindFileName) == FileState::HasContent) {
        w_.bindText = fileText(platform_, w_.bindFileName, kMaxBindFileBytes);
        // A file holding just the sentinel would never be applied, leaving every list without a
        // selection and every key typing a bare v. That is a missing file's state, so it gets a
        // missing file's defaults.
        if (w_.bindText != kSentinel)
            return;
    }
    for (const SlotListRef& ref : kFileOrder)
        w_.slotList(ref).setIndex(0);
}

void BindFile::save() {
    std::array<int, kFileOrder.size()> indices{};
    for (std::size_t i = 0; i < kFileOrder.size(); ++i)
        indices[i] = w_.slotList(kFileOrder[i]).index();
    w_.bindText = buildBindText(w_.variant, indices);
    // Without a bind file at start the first Save's text is applied once, as a file's would be.
    if (!applied_)
        w_.bindApplyTimer.setEnabled(true);

    // The file is replaced as a whole, so a crash or a full disk never leaves half a file, and a
    // failure is told to the player: the bindings stay set in the window either way.
    const FileWriteResult result = platform_.replaceFile(w_.bindFileName, w_.bindText + "\r\n");
    if (!result.ok) {
        platform_.messageBox("Your bindings could not be saved to the file \"" + w_.bindFileName +
                                 "\": " + result.error +
                                 ".\r\nThey are still set in this window; try Save again.",
                             "Brontek tarnlow");
    }
}

void BindFile::loadPass() {
    const BindValues values = parseBindText(w_.bindText);
    w_.variant = values.variant;
    if (w_.variant == "1")
        w_.callOfDutyOption.select();
    else if (w_.variant == "2")
        w_.unitedOffensiveOption.select();
    // A line that is missing, not a number, or not an index of its list at this moment is skipped:
    // that list keeps what it has.
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        if (const auto& index = values.indices[i])
            w_.slotList(kFileOrder[i]).setIndex(*index);
    }
}

void BindFile::applyTick() {
    // No bind text yet (no usable file): nothing to apply until a Save writes one, so the timer
    // stops rather than wake the program ten times a second for nothing.
    if (w_.bindText == kSentinel) {
        w_.bindApplyTimer.setEnabled(false);
        return;
    }
    if (beforeApply_)
        beforeApply_();
    // Within one pass a slot's message is applied before its menu (Numpad 1..9), and a changed menu
    // resets the message; the second pass sets those messages. Five passes, as always.
    for (int pass = 0; pass < kLoadPasses; ++pass)
        loadPass();
    selectFirstWhereUnselected();
    applied_ = true;
    w_.bindApplyTimer.setEnabled(false);
}

void BindFile::selectFirstWhereUnselected() {
    // A damaged file can leave a list without a selection; a key that typed v alone would leave
    // the game's menu open, so such a list takes its first entry through its own behaviour.
    for (const SlotListRef& ref : kFileOrder) {
        if (w_.slotList(ref).index() == -1)
            w_.slotList(ref).setIndex(0);
    }
}

} // namespace bt
