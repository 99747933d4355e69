#include "ui/application.h"

namespace bt {

Application::Application(Platform& platform, std::string serverBaseUrl)
    : platform_(platform), form1_(platform, std::move(serverBaseUrl)) {
    form1_.setUnloadStep([this] { form1Unloading(); });
    form1_.setOnUnloaded([this] { windowGone(); });
}

void Application::start() {
    form1_.load();
}

void Application::form1Unloading() {
    const auto news = form1_.status().newsDecision();
    if (!news)
        return;
    form2_ = std::make_unique<Form2>(platform_);
    form2_->setOnUnloaded([this] { windowGone(); });
    if (onForm2Created_)
        onForm2Created_(*form2_);
    form2_->open(news->serverBaseUrl, news->newsId);
}

void Application::windowGone() {
    if (form1_.loaded() || (form2_ && form2_->loaded()))
        return;
    platform_.endProcess();
}

} // namespace bt
