#pragma once

#include <functional>
#include <string>
#include <utility>

namespace bt {

// Positions and sizes are twips, as the window layout is specified; front ends convert.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool contains(double x, double y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Colours the windows use are system colours; the front end maps them to its palette.
enum class SysColor { WindowText, Highlight, Desktop };

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// Base of every control model. State lives here; a front end mirrors it by setting an observer,
// which is told after every change (never during one), so it can copy the new state to its widget.
class Control {
  public:
    explicit Control(std::string name, Rect rect = {}) : name_(std::move(name)), rect_(rect) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }

    const Rect& rect() const { return rect_; }
    void setLeft(int v) { assign(rect_.left, v); }
    void setTop(int v) { assign(rect_.top, v); }
    void setWidth(int v) { assign(rect_.width, v); }
    void setHeight(int v) { assign(rect_.height, v); }

    bool visible() const { return visible_; }
    void setVisible(bool v) { assign(visible_, v); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v) { assign(enabled_, v); }

    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }

  protected:
    void changed() {
        if (observer_)
            observer_();
    }
    template <typename T, typename U>
    void assign(T& field, U&& value) {
        if (field == value)
            return;
        field = std::forward<U>(value);
        changed();
    }

  private:
    std::string name_;
    Rect rect_;
    bool visible_ = true;
    bool enabled_ = true;
    std::function<void()> observer_;
};

} // namespace bt
