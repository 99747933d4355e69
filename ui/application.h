#pragma once

// The program: the main window from start, the news window at its end, and the end of the process
// with the last window.

#include "ui/form1.h"
#include "ui/form2.h"

#include <functional>
#include <memory>
#include <string>

namespace bt {

class Application {
  public:
    Application(Platform& platform, std::string serverBaseUrl);

    void start();

    Form1& form1() { return form1_; }
    Form2* form2() { return form2_.get(); }

    // The front end learns here that Form2 exists, to build its window.
    void setOnForm2Created(std::function<void(Form2&)> f) { onForm2Created_ = std::move(f); }

  private:
    void form1Unloading();
    void windowGone();

    Platform& platform_;
    Form1 form1_;
    std::unique_ptr<Form2> form2_;
    std::function<void(Form2&)> onForm2Created_;
};

} // namespace bt
