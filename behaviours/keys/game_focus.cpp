#include "behaviours/keys/game_focus.h"

#include "base/system/focus.h"
#include "base/system/notices.h"
#include "base/text_lines.h"
#include "behaviours/options/options_file.h"

#include <algorithm>

namespace bt {

namespace {

constexpr const char* kLearnCaption = "Add the game's window";
constexpr const char* kLearningCaption = "Press a key in the game\u2026";

bool named(std::string_view name, std::string_view program) {
    return equalsIgnoringCase(name, program);
}

} // namespace

GameFocus::GameFocus(Focus& focus, Notices& notices, OptionsFile& file, Options& options,
                     std::function<void()> onChange)
    : focus_(focus), notices_(notices), file_(file), options_(options),
      onChange_(std::move(onChange)) {}

void GameFocus::load() {
    options_ = file_.load();
    focus_.watchMoves([this] { frontMoved(); });
    onChange_();
}

void GameFocus::frontMoved() {
    if (toldElevated_)
        return;
    // Only a game: a tool of the system run as administrator (Task Manager, say) is nobody's
    // concern here.
    const FocusedWindow window = focus_.focusedWindow();
    if (!window.aboveUs || !isGame(window))
        return;
    toldElevated_ = true;
    notices_.notify(Notice::GameRunsElevated);
}

void GameFocus::setOnlyInGame(bool on) {
    if (options_.onlyInGame == on)
        return;
    options_.onlyInGame = on;
    onChange_();
    file_.save(options_);
}

void GameFocus::learnClicked() {
    learning_ = !learning_;
    note_.clear();
    onChange_();
}

void GameFocus::stop() {
    focus_.watchMoves(nullptr);
    if (!learning_)
        return;
    learning_ = false;
    onChange_();
}

std::string GameFocus::buttonCaption() const {
    if (!note_.empty())
        return note_;
    return learning_ ? kLearningCaption : kLearnCaption;
}

bool GameFocus::isGameProgram(std::string_view name) const {
    const auto same = [name](std::string_view program) { return named(name, program); };
    return std::any_of(std::begin(kGamePrograms), std::end(kGamePrograms), same) ||
           std::any_of(options_.gamePrograms.begin(), options_.gamePrograms.end(), same);
}

bool GameFocus::isGame(const FocusedWindow& window) const {
    return !window.ours &&
           std::any_of(window.programNames.begin(), window.programNames.end(),
                       [this](const std::string& name) { return isGameProgram(name); });
}

bool GameFocus::pressAllowed() {
    if (!learning_ && !options_.onlyInGame)
        return true; // nothing to ask the system
    const FocusedWindow window = focus_.focusedWindow();
    if (learning_)
        learnFrom(window);
    return !options_.onlyInGame || isGame(window);
}

bool GameFocus::keyAllowed() {
    return !options_.onlyInGame || isGame(focus_.focusedWindow());
}

void GameFocus::learnFrom(const FocusedWindow& window) {
    if (window.ours)
        return; // a press in the main window itself teaches nothing
    if (window.programNames.empty()) {
        // The player sees it on the button once back in the main window; no box comes up over
        // the game.
        note_ = "Cannot tell that window";
        onChange_();
        return;
    }
    const std::string& name = window.programNames.front();
    learning_ = false;
    if (isGame(window)) {
        note_ = "Already a game: " + name;
        onChange_();
        return;
    }
    options_.gamePrograms.push_back(name);
    note_ = "Added: " + name;
    onChange_();
    file_.save(options_);
}

} // namespace bt
