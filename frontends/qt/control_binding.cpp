#include "frontends/qt/control_binding.h"

#include "base/controls/text_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace bt::qt {

namespace {

QColor colorOf(SysColor c, const QPalette& palette) {
    switch (c) {
    case SysColor::Highlight:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case SysColor::Desktop:
        // The desktop colour of the system the program was drawn for: a dark one.
        return palette.color(QPalette::Active, QPalette::Shadow);
    case SysColor::WindowText:
        break;
    }
    return palette.color(QPalette::Active, QPalette::WindowText);
}

// A widget's width as its model places it, before its text widened it.
constexpr const char* kDesignedWidth = "brontekDesignedWidth";

QString text(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

} // namespace

QFont toQFont(const Font& f, const QFont& base) {
    QFont q = base;
    // "MS Sans Serif" is not on Linux: the system's sans serif stands in for it.
    q.setFamilies({text(f.name), QStringLiteral("Sans Serif")});
    q.setStyleHint(QFont::SansSerif);
    q.setPointSizeF(f.size);
    q.setBold(f.bold);
    q.setUnderline(f.underline);
    return q;
}

void applyGeometry(const Control& model, QWidget* widget, const Twips& t) {
    const Rect& r = model.rect();
    widget->setGeometry(t.px(r.left), t.px(r.top), t.px(r.width), t.px(r.height));
    widget->setVisible(model.visible());
    widget->setEnabled(model.enabled());
    widget->setProperty(kDesignedWidth, widget->width());
    fitToText(widget);
}

int textWidth(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->wordWrap() || label->textFormat() == Qt::RichText
                   ? 0 // its lines break at its width
                   : label->fontMetrics().horizontalAdvance(label->text());
    if (const auto* button = qobject_cast<const QPushButton*>(w)) {
        // The text and the button's own margins and frame, without the least width the style
        // gives a button with text, which a short caption does not need.
        QStyleOptionButton option;
        option.initFrom(button);
        const QStyle* style = button->style();
        return button->fontMetrics().horizontalAdvance(button->text()) +
               style->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    }
    if (const auto* list = qobject_cast<const QComboBox*>(w)) {
        // The longest entry and the list's frame and arrow, as the list works out its own size
        // (which it does only once, before the window shows, not for the entries it gets later).
        int longest = 0;
        for (int i = 0; i < list->count(); ++i)
            longest =
                std::max(longest, list->fontMetrics().boundingRect(list->itemText(i)).width());
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = false;
        option.frame = list->hasFrame();
        return list->style()
            ->sizeFromContents(QStyle::CT_ComboBox, &option,
                               QSize(longest, list->fontMetrics().height()), list)
            .width();
    }
    if (qobject_cast<const QAbstractButton*>(w))
        return w->sizeHint().width(); // the box and the text
    return 0;
}

void fitToText(QWidget* w) {
    const QWidget* parent = w->parentWidget();
    if (!parent || w->isWindow())
        return;
    const auto rect = [](const QRect& g) { return Rect{g.x(), g.y(), g.width(), g.height()}; };
    std::vector<Rect> others;
    for (const QObject* child : parent->children())
        if (const auto* sibling = qobject_cast<const QWidget*>(child);
            sibling && sibling != w && !sibling->isWindow() && !sibling->isHidden())
            others.push_back(rect(sibling->geometry()));
    Rect own = rect(w->geometry());
    if (const QVariant designed = w->property(kDesignedWidth); designed.isValid())
        own.width = designed.toInt();
    const int width = fittedWidth(own, textWidth(w), others, parent->width());
    if (width != w->width())
        w->resize(width, w->height());
}

void fitChildrenToText(QWidget* window) {
    for (QObject* child : window->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            fitToText(w);
}

void bindLabel(Label& model, QLabel* w, const Twips& t) {
    w->setObjectName(text(model.name()));
    const QFont base = w->font();
    auto sync = [&model, w, t, base] {
        w->setText(text(model.caption()));
        w->setFont(toQFont(model.font(), base));
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, colorOf(model.foreColor(), w->palette()));
        w->setPalette(p);
        applyGeometry(model, w, t);
    };
    w->setTextFormat(Qt::PlainText);
    w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    model.setObserver(sync);
    sync();
}

void bindList(DropDownList& model, QComboBox* w, const Twips& t) {
    w->setObjectName(text(model.name()));
    auto sync = [&model, w, t] {
        const QSignalBlocker block(w);
        QStringList items;
        for (const auto& item : model.items())
            items << text(item);
        QStringList current;
        for (int i = 0; i < w->count(); ++i)
            current << w->itemText(i);
        if (current != items) {
            w->clear();
            w->addItems(items);
        }
        w->setCurrentIndex(model.index());
        applyGeometry(model, w, t);
        // A drop-down list keeps its own height, as on the system it was drawn for.
        w->resize(w->width(), w->sizeHint().height());
    };
    w->setEditable(false);
    model.setObserver(sync);
    sync();
    // The pick goes to the window; the list then shows what the window made of it.
    QObject::connect(w, &QComboBox::activated, w, [&model, sync](int index) {
        model.choose(index);
        sync();
    });
}

void bindButton(Button& model, QPushButton* w, const Twips& t) {
    w->setObjectName(text(model.name()));
    auto sync = [&model, w, t] {
        w->setText(text(model.caption()));
        applyGeometry(model, w, t);
    };
    model.setObserver(sync);
    sync();
    QObject::connect(w, &QPushButton::clicked, w, [&model] { model.click(); });
}

void bindOption(OptionButton& model, QRadioButton* w, const Twips& t) {
    w->setObjectName(text(model.name()));
    w->setAutoExclusive(false);
    auto sync = [&model, w, t] {
        const QSignalBlocker block(w);
        w->setText(text(model.caption()));
        w->setChecked(model.value());
        applyGeometry(model, w, t);
    };
    model.setObserver(sync);
    sync();
    QObject::connect(w, &QRadioButton::clicked, w, [&model, sync] {
        model.click();
        sync(); // Qt toggled the button itself; the window decides
    });
}

void bindCheck(CheckBox& model, QCheckBox* w, const Twips& t) {
    w->setObjectName(text(model.name()));
    const QFont base = w->font();
    auto sync = [&model, w, t, base] {
        const QSignalBlocker block(w);
        w->setText(text(model.caption()));
        w->setChecked(model.checked());
        w->setFont(toQFont(model.font(), base));
        applyGeometry(model, w, t);
    };
    model.setObserver(sync);
    sync();
    QObject::connect(w, &QCheckBox::toggled, w, [&model, sync](bool on) {
        // Qt ticked the box itself; the window decides, and until it has (a box may tell of a
        // failure meanwhile) the box shows what it did before.
        sync();
        model.toggle(on);
        sync();
    });
}

} // namespace bt::qt
