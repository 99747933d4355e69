#include "behaviours/keys/keys_file.h"

#include "base/system/file_functions.h"
#include "base/system/trigger_input.h"

#include <charconv>
#include <limits>
#include <type_traits>

namespace bt {

namespace {

constexpr const char* kFileName = "keys";
constexpr std::string_view kKeypad = "keypad";
// Buttons are the same on every system, and no system's key codes are tagged so: builds that
// know only keys read such a line as the keypad key.
constexpr std::string_view kMouse = "mouse";
// The highest button number there is; a larger one in the file must not wrap round to a small one.
constexpr std::uint32_t kLastButton =
    std::numeric_limits<std::underlying_type_t<MouseButton>>::max();

std::optional<KeyCode> parseLine(std::string_view line, std::string_view system) {
    const std::size_t space = line.find(' ');
    const std::string_view tag = line.substr(0, space);
    if (space == std::string_view::npos || (tag != system && tag != kMouse))
        return std::nullopt;
    std::string_view code = line.substr(space + 1);
    code = code.substr(0, code.find(' '));
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(code.data(), code.data() + code.size(), value);
    if (error != std::errc() || end != code.data() + code.size() || code.empty())
        return std::nullopt;
    if (tag == kMouse)
        return value > kLastButton ? std::nullopt
                                   : std::optional(KeyCode::of(static_cast<MouseButton>(value)));
    return KeyCode{value};
}

} // namespace

void settleKeys(TriggerKeys& keys, const TriggerInput& input) {
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t s = 0; s < keys.chosen.size(); ++s) {
            if (!keys.chosen[s])
                continue;
            for (std::size_t t = 0; t < keys.chosen.size(); ++t) {
                const bool taken = t < s && keys.chosen[t] == keys.chosen[s];
                const bool keypadOfAnother =
                    t != s && !keys.chosen[t] &&
                    input.keypadKey(static_cast<int>(t)) == *keys.chosen[s];
                if (taken || keypadOfAnother) {
                    keys.chosen[s].reset();
                    changed = true;
                    break;
                }
            }
        }
    }
}

TriggerKeys parseKeys(std::string_view text, std::string_view system) {
    TriggerKeys keys;
    for (std::size_t slot = 0; slot < keys.chosen.size(); ++slot) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        keys.chosen[slot] = parseLine(line, system);
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    return keys;
}

TriggerKeys KeysFile::load() {
    const auto text = readSmallFile(files_, kFileName, kMaxKeysFileBytes);
    if (!text)
        return {};
    TriggerKeys keys = parseKeys(*text, input_.keyCodeSystem());
    for (const int slot : kSlots) {
        auto& chosen = keys.chosen[static_cast<std::size_t>(slot)];
        if (!chosen)
            continue;
        const auto key = input_.describe(*chosen);
        // A key this keyboard no longer has, or one that must not fire a slot, gives way.
        if (!key || key->kind != KeyKind::Ordinary || key->code == input_.keypadKey(slot))
            chosen.reset();
    }
    settleKeys(keys, input_);
    return keys;
}

void KeysFile::save(const TriggerKeys& keys) {
    std::string text;
    for (const auto& chosen : keys.chosen) {
        if (chosen) {
            const auto key = input_.describe(*chosen);
            text += std::string(chosen->isButton ? kMouse : input_.keyCodeSystem()) + " " +
                    std::to_string(chosen->value) + " " + (key ? key->name : std::string());
        } else {
            text += kKeypad;
        }
        text += "\r\n";
    }
    replaceFileOrTell(files_, dialogs_, kFileName, text, "keys",
                      "They work until the program ends; try choosing again.");
}

} // namespace bt
