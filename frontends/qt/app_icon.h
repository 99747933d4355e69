#pragma once

#include <QIcon>

namespace bt::qt {
// The program's icon, drawn at run time: a keypad key with a speech mark.
QIcon appIcon();
} // namespace bt::qt
