#pragma once

// Keeping the messages to the game. With "only in the game" on, a trigger press types its message
// only when the window that has the keyboard focus at that moment belongs to a game, and each key
// of the message is typed only while it still does: a press anywhere else fires nothing, now or
// later, and a message whose window loses the focus stops there. A window the system cannot tell
// apart is no game. With the option off nothing is asked and every window gets its messages.
//
// The player can also make a program count as the game without typing its name: after a click on
// the game button, the next trigger press made in a window of another program teaches its name.
//
// A game that runs with more rights than the program (as administrator, on Windows) gets none of
// its messages and sends none of its keys: the player is told so once, as it comes to the front.

#include "base/options.h"

#include <functional>
#include <string>
#include <string_view>

namespace bt {

class Focus;
class Notices;
class OptionsFile;
struct FocusedWindow;

// The games' programs, by file name (compared without regard to case).
inline constexpr std::string_view kGamePrograms[] = {"CoDMP.exe",   "CoDSP.exe",    "CoDUOMP.exe",
                                                     "CoDUOSP.exe", "CoD2MP_s.exe", "CoD2SP_s.exe"};

class GameFocus {
  public:
    // onChange runs after every change of the options or of what the game button says.
    GameFocus(Focus& focus, Notices& notices, OptionsFile& file, Options& options,
              std::function<void()> onChange);

    // Restores the options from "options", and from now on watches for a game that runs with
    // more rights.
    void load();
    // The player ticked or cleared "only in the game"; the file is written at once.
    void setOnlyInGame(bool on);

    // The game button: the next trigger press in another program's window teaches its name; a
    // second click before that cancels.
    void learnClicked();
    // Nothing is learned or watched any more (the main window closed).
    void stop();
    bool learning() const { return learning_; }
    std::string buttonCaption() const;

    // A trigger press was made just now: may its message be typed? Teaches the focused program
    // first when one is being learned.
    bool pressAllowed();
    // The next key of a message is due: is the game still in front?
    bool keyAllowed();

    bool isGame(const FocusedWindow& window) const;

  private:
    bool isGameProgram(std::string_view name) const;
    void learnFrom(const FocusedWindow& window);
    void frontMoved();

    Focus& focus_;
    Notices& notices_;
    OptionsFile& file_;
    Options& options_;
    std::function<void()> onChange_;
    bool learning_ = false;
    std::string note_; // what the button says once a press taught it something, or failed to
    bool toldElevated_ = false;
};

} // namespace bt
