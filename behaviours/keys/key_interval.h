#pragma once

// The key interval: the milliseconds between the three typed keys, 100 after every start and never
// stored. The Interval button asks for it.

namespace bt {

class Dialogs;

constexpr int kDefaultKeyInterval = 100;
constexpr int kMinKeyInterval = 100;
constexpr int kMaxKeyInterval = 1000;

// The Interval button. The box always proposes 100, whatever the interval in force; Cancel or an
// empty answer keeps it. An answer is read with the user's decimal separator and rounded to whole
// milliseconds, halves to the even neighbour (250.5 is 250). An answer outside 100..1000, or no
// number at all, gives 100 and the message "Enter 100 - 1000"; the interval is set before the
// message box opens, so the keys typed meanwhile use it.
void askKeyInterval(Dialogs& dialogs, int& intervalMs);

} // namespace bt
