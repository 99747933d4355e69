#include "app/application.h"

namespace bt {

Application::Application(Platform& platform, std::string serverUrl)
    : platform_(platform), main_(platform, std::move(serverUrl)) {
    main_.setUnloadStep([this] { mainWindowUnloading(); });
    main_.setOnUnloaded([this] { windowGone(); });
}

void Application::start() {
    main_.load();
}

void Application::anotherCopyStarted() {
    if (main_.loaded()) {
        main_.lifecycle().show();
        platform_.bringToFront(WindowId::Main);
    } else if (news_ && news_->loaded()) {
        platform_.bringToFront(WindowId::News);
    }
}

void Application::mainWindowUnloading() {
    const auto news = main_.status().newsDecision();
    if (!news)
        return;
    news_ = std::make_unique<NewsWindow>(platform_);
    news_->setOnUnloaded([this] { windowGone(); });
    if (onNewsWindowCreated_)
        onNewsWindowCreated_(*news_);
    news_->open(news->serverUrl, news->newsId);
}

void Application::windowGone() {
    if (main_.loaded() || (news_ && news_->loaded()))
        return;
    platform_.endProcess();
}

} // namespace bt
