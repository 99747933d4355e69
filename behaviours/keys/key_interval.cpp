#include "behaviours/keys/key_interval.h"

#include "base/numbers.h"
#include "base/system/dialogs.h"
#include "base/texts.h"

#include <string>

namespace bt {

void askKeyInterval(Dialogs& dialogs, int& intervalMs) {
    const std::string answer = dialogs.inputBox("Key interval (ms)", kBoxTitle, "100", 2500, 2700);
    if (answer.empty())
        return;
    const auto value = parseNumber(answer, dialogs.decimalSeparator());
    if (!value || *value < kMinKeyInterval || *value > kMaxKeyInterval) {
        intervalMs = kDefaultKeyInterval;
        dialogs.messageBox("Enter 100 - 1000", kBoxTitle);
        return;
    }
    intervalMs = roundHalfEven32(*value).value_or(kDefaultKeyInterval);
}

} // namespace bt
