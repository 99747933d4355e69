#include "app/application.h"

namespace bt {

Application::Application(Platform& platform, std::string serverUrl)
    : platform_(platform), main_(platform, std::move(serverUrl)) {
    main_.setUnloadStep([this] { mainWindowUnloading(); });
    main_.setOnUnloaded([this] { windowGone(); });
}

void Application::start(Millis now) {
    main_.load(now);
}

void Application::anotherCopyStarted() {
    if (main_.loaded())
        main_.showAsked();
    else if (news_ && news_->loaded())
        platform_.bringToFront(WindowId::News);
}

void Application::mainWindowUnloading() {
    const auto news = main_.newsDecision();
    if (!news)
        return;
    news_ = std::make_unique<NewsWindow>(platform_);
    news_->setOnUnloaded([this] { windowGone(); });
    if (onNewsWindowCreated_)
        onNewsWindowCreated_(*news_);
    news_->open(news->serverUrl, news->newsId);
    // The window the program opens at its end comes forward once; its layout later does not.
    platform_.bringToFront(WindowId::News);
}

void Application::windowGone() {
    if (main_.loaded() || (news_ && news_->loaded()))
        return;
    platform_.endProcess();
}

} // namespace bt
