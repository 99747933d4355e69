#include "base/voice_menu.h"

#include <array>

namespace bt {

namespace {

constexpr auto kMenuNames = std::to_array<std::string_view>(
    {"Commands", "Statements", "Responses", "Requests", "Vehicles"});

// United Offensive's table; Call of Duty 1 / 2 has a prefix of each of its first three menus,
// with its own texts for Statements 7 and 8.
constexpr std::array<std::array<std::string_view, 9>, 5> kUnitedOffensive = {{
    {"Follow me!", "Move in!", "Fall back!", "Suppressing fire!", "Attack left flank!",
     "Attack right flank!", "Hold this position!", "Regroup!", "Redeploy forward!"},
    {"Enemy spotted!", "Enemy down!", "I'm in position!", "Area secure!", "Grenade!", "Sniper!",
     "Smoke out!", "Enemy spotted ahead!", "Enemy behind us!"},
    {"Yes sir!", "No sir!", "I'm on my way!", "Sorry!", "Great shot!", "Took long enough!",
     "Are you crazy?", "Thank you!", ""},
    {"Hold your fire!", "Need reinforcements!", "Need bazooka support!", "Need armor support!",
     "Need artilery support!", "", "", "", ""},
    {"Need a ride!", "Get in the jeep!", "Jeep full!", "Get on that machine gun!",
     "Enemy jeep spotted!", "Enemy tank spotted!", "Enemy heavy tank spotted?", "Incoming armor!",
     ""},
}};

constexpr auto kCountsUnitedOffensive = std::to_array({9, 9, 8, 5, 8});
constexpr auto kCountsCallOfDuty = std::to_array({8, 8, 7});

} // namespace

int menuCount(Game game) {
    return game == Game::CallOfDuty ? 3 : 5;
}

int messageCount(Game game, int menu) {
    if (menu < 1 || menu > menuCount(game))
        return 0;
    const auto i = static_cast<std::size_t>(menu - 1);
    return game == Game::CallOfDuty ? kCountsCallOfDuty[i] : kCountsUnitedOffensive[i];
}

std::string_view menuName(int menu) {
    if (menu < 1 || static_cast<std::size_t>(menu) > kMenuNames.size())
        return {};
    return kMenuNames[static_cast<std::size_t>(menu - 1)];
}

std::string_view messageText(Game game, int menu, int message) {
    if (message < 1 || message > messageCount(game, menu))
        return {};
    if (game == Game::CallOfDuty && menu == 2 && message == 7)
        return "Need reinforcements!";
    if (game == Game::CallOfDuty && menu == 2 && message == 8)
        return "Hold your fire!";
    return kUnitedOffensive[static_cast<std::size_t>(menu - 1)]
                           [static_cast<std::size_t>(message - 1)];
}

namespace {

std::vector<std::string> listMenus(Game game) {
    std::vector<std::string> items;
    for (int menu = 1; menu <= menuCount(game); ++menu)
        items.push_back(std::to_string(menu) + " " + std::string(menuName(menu)));
    return items;
}

std::vector<std::string> listMessages(Game game, int menu) {
    std::vector<std::string> items;
    for (int message = 1; message <= messageCount(game, menu); ++message)
        items.push_back(std::to_string(message) + " " +
                        std::string(messageText(game, menu, message)));
    return items;
}

std::vector<std::vector<std::string>> listAllMessages(Game game) {
    std::vector<std::vector<std::string>> menus{{}}; // menu 0 and those past the last: nothing
    for (int menu = 1; menu <= menuCount(game); ++menu)
        menus.push_back(listMessages(game, menu));
    return menus;
}

} // namespace

// Each game's lists are made once: the window shows them again at every change.
const std::vector<std::string>& menuItems(Game game) {
    static const std::array lists{listMenus(Game::CallOfDuty), listMenus(Game::UnitedOffensive)};
    return lists[game == Game::CallOfDuty ? 0 : 1];
}

const std::vector<std::string>& messageItems(Game game, int menu) {
    static const std::array lists{listAllMessages(Game::CallOfDuty),
                                  listAllMessages(Game::UnitedOffensive)};
    const auto& menus = lists[game == Game::CallOfDuty ? 0 : 1];
    return menu >= 1 && static_cast<std::size_t>(menu) < menus.size()
               ? menus[static_cast<std::size_t>(menu)]
               : menus.front();
}

} // namespace bt
