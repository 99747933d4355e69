#pragma once

// Texts the player sees in more than one place, each written once.

namespace bt {

// The title of every message and input box, and the tray icon's tip.
constexpr const char* kBoxTitle = "Brontek tarnlow";
// The main window's caption.
constexpr const char* kMainCaption = "Brontek Tarnlow";

} // namespace bt
