#include "app/application.h"

namespace bt {

Application::Application(const System& system, std::optional<std::string> serverUrl)
    : system_(system), main_(system, std::move(serverUrl)) {
    main_.setOnClosing([this] { mainWindowClosing(); });
    main_.setOnClosed([this] { windowGone(); });
}

void Application::start(Millis now, bool intoTray) {
    main_.open(now, intoTray);
}

void Application::anotherCopyStarted() {
    if (main_.isOpen())
        main_.showAsked();
    else if (news_ && news_->isOpen())
        system_.desktop.bringToFront(WindowId::News);
}

void Application::mainWindowClosing() {
    const auto news = main_.newsDecision();
    if (!news)
        return;
    news_ = std::make_unique<NewsWindow>(system_.files, system_.dialogs, system_.http,
                                         system_.clock, system_.desktop);
    news_->setOnClosed([this] { windowGone(); });
    if (onNewsWindowCreated_)
        onNewsWindowCreated_(*news_);
    news_->open(news->serverUrl, news->newsId);
    // The window the program opens at its end comes forward once; its layout later does not.
    system_.desktop.bringToFront(WindowId::News);
}

void Application::windowGone() {
    if (main_.isOpen() || (news_ && news_->isOpen()))
        return;
    system_.desktop.endProcess();
}

} // namespace bt
