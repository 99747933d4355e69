#include "frontends/qt/control_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

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

// The stand-in sans font is wider than the one the window was drawn with: a caption may take the
// width it needs, up to the window's edge.
static void growToText(QWidget* w) {
    const int room = w->parentWidget() ? w->parentWidget()->width() - w->x() : w->width();
    const int want = std::min(w->sizeHint().width(), room);
    if (want > w->width())
        w->resize(want, w->height());
}

void bindOption(OptionButton& model, QRadioButton* w, const Twips& t) {
    w->setObjectName(text(model.name()));
    w->setAutoExclusive(false);
    auto sync = [&model, w, t] {
        const QSignalBlocker block(w);
        w->setText(text(model.caption()));
        w->setChecked(model.value());
        applyGeometry(model, w, t);
        growToText(w);
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
        growToText(w);
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
