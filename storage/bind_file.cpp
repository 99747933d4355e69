#include "storage/bind_file.h"

#include "platform/platform.h"
#include "storage/bind_text.h"
#include "storage/file_functions.h"
#include "ui/form1_controls.h"

namespace bt {

namespace {
constexpr const char* kSentinel = "Text1";
constexpr int kLoadPasses = 5;
} // namespace

void BindFile::wire(std::function<void()> beforeApply) {
    beforeApply_ = std::move(beforeApply);
    f_.command(1).setOnClick([this] { save(); });
    f_.command(3).setOnClick([this] { load(); });
    f_.timer(3).setOnTick([this] { timer3Tick(); });
}

void BindFile::startupRead() {
    const std::string& name = f_.commonDialogFileName;
    if (FileExists(platform_, name) == 1) {
        f_.text(1).setText(FileText(platform_, name, kMaxBindFileBytes));
        // A file holding just the sentinel is never applied, which would leave every list
        // without a selection and every key typing a bare v. That is the state of a missing
        // file, so it gets a missing file's defaults.
        if (f_.text(1).text() != kSentinel)
            return;
    }
    for (int n = 1; n <= 20; ++n)
        f_.combo(n).setListIndex(0);
}

void BindFile::save() {
    std::array<int, 20> indices{};
    for (int n = 1; n <= 20; ++n)
        indices[static_cast<std::size_t>(n - 1)] = f_.combo(n).listIndex();
    f_.text(1).setText(buildBindText(f_.text(3).text(), indices));

    // The file is replaced as a whole, so a crash or a full disk never leaves half a file, and a
    // failure is told to the player: the bindings stay set in the window either way.
    const FileWriteResult result =
        platform_.replaceFile(f_.commonDialogFileName, f_.text(1).text() + "\r\n");
    if (!result.ok) {
        platform_.messageBox("Your bindings could not be saved to the file \"" +
                                 f_.commonDialogFileName + "\": " + result.error +
                                 ".\r\nThey are still set in this window; try Save again.",
                             "Brontek tarnlow");
    }
}

void BindFile::load() {
    const BindValues values = parseBindText(f_.text(1).text());
    f_.text(3).setText(values.variant);
    if (f_.text(3).text() == "1")
        f_.option1.select();
    else if (f_.text(3).text() == "2")
        f_.option2.select();
    // A line that is missing, not a number, or not an index of its list at this moment is skipped:
    // that list keeps what it has.
    for (int n = 1; n <= 20; ++n) {
        if (const auto& index = values.indices[static_cast<std::size_t>(n - 1)])
            f_.combo(n).setListIndex(*index);
    }
}

void BindFile::timer3Tick() {
    if (f_.text(1).text() == kSentinel)
        return;
    if (beforeApply_)
        beforeApply_();
    // Within one pass a slot's message is applied before its menu (Numpad 1..9), and a changed menu
    // resets the message; the second pass sets those messages. Five passes, as always.
    for (int pass = 0; pass < kLoadPasses; ++pass)
        f_.command(3).click();
    selectFirstWhereUnselected();
    f_.timer(3).setEnabled(false);
}

void BindFile::selectFirstWhereUnselected() {
    // A damaged file can leave a list without a selection; a key that typed v alone would leave
    // the game's menu open, so such a list takes its first entry through its own behaviour.
    for (int n = 1; n <= 20; ++n) {
        if (f_.combo(n).listIndex() == -1)
            f_.combo(n).setListIndex(0);
    }
}

} // namespace bt
