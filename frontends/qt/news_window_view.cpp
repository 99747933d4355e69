#include "frontends/qt/news_window_view.h"

#include "app/news_window.h"
#include "frontends/qt/control_binding.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace bt::qt {

NewsWindowView::NewsWindowView(NewsWindow& model, const Twips& twips)
    : model_(model), twips_(twips) {
    NewsWindowControls& c = model.controls();
    setObjectName(QString::fromStdString(c.window.name()));
    setMouseTracking(true);

    auto label = [this](Label& m, bool wrap) {
        auto* w = new QLabel(this);
        w->setWordWrap(wrap);
        w->setMouseTracking(true);
        bindLabel(m, w, twips_);
        return w;
    };
    label(c.newsText, true);
    label(c.connectingLabel, true);
    for (int k = 1; k <= kLinkCount; ++k) {
        links_[k - 1] = label(c.linkLabel(k), false);
        links_[k - 1]->installEventFilter(this);
        links_[k - 1]->setCursor(Qt::PointingHandCursor);
    }
    openLinkLabel_ = label(c.openLinkLabel, false);
    openLinkLabel_->installEventFilter(this);
    openLinkLabel_->setCursor(Qt::PointingHandCursor);
    probeLabel_ = label(c.probeLabel, false);
    probeLabel_->installEventFilter(this);
    bindCheck(c.declineBox, new QCheckBox(this), twips_);
    bindButton(c.exitButton, new QPushButton(this), twips_);

    id_ = new QLineEdit(this);
    id_->setObjectName(QString::fromStdString(c.newsIdBox.name()));
    auto syncId = [this, &c] {
        if (id_->text().toStdString() != c.newsIdBox.text())
            id_->setText(QString::fromStdString(c.newsIdBox.text()));
        applyGeometry(c.newsIdBox, id_, twips_);
    };
    c.newsIdBox.setObserver(syncId);
    syncId();
    connect(id_, &QLineEdit::textEdited, this,
            [&c](const QString& s) { c.newsIdBox.edit(s.toStdString()); });

    // The page area: a link to the page, opened in the browser on a click. It never loads
    // anything itself, so it can never block or run what a tampered feed points at.
    page_ = new QLabel(this);
    page_->setObjectName(QString::fromStdString(c.pageView.name()));
    page_->setWordWrap(true);
    page_->setTextFormat(Qt::RichText);
    page_->setAlignment(Qt::AlignCenter);
    page_->setFrameShape(QFrame::StyledPanel);
    connect(page_, &QLabel::linkActivated, this, [this](const QString&) { model_.pageClicked(); });
    c.pageView.setObserver([this] { syncPage(); });
    syncPage();

    c.window.setObserver([this] { syncWindow(); });
    syncWindow();
}

void NewsWindowView::syncPage() {
    const PageView& b = model_.controls().pageView;
    if (!b.link().empty()) {
        const QString u = QString::fromStdString(b.link()).toHtmlEscaped();
        page_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(u));
    } else {
        page_->clear();
    }
    applyGeometry(b, page_, twips_);
}

void NewsWindowView::syncWindow() {
    const Window& w = model_.controls().window;
    setWindowTitle(QString::fromStdString(w.caption()));
    const PixelSize frame{frameGeometry().width() - geometry().width(),
                          frameGeometry().height() - geometry().height()};
    const PixelSize outer = outerSizePx(w, twips_, frame);
    resize(outer.width - frame.width, outer.height - frame.height);
    fitChildrenToText(this); // the room beside each widget is known once the window has its size
    setVisible(w.visible());
}

namespace {
PointerButtons buttonsOf(const QMouseEvent* e) {
    return {(e->buttons() & Qt::LeftButton) != 0, (e->buttons() & Qt::RightButton) != 0,
            (e->buttons() & Qt::MiddleButton) != 0};
}
} // namespace

bool NewsWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease &&
        event->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(watched, event);
    auto* me = static_cast<QMouseEvent*>(event);
    auto* label = static_cast<QWidget*>(watched);
    const QPointF inWindow = label->mapTo(this, me->position().toPoint());
    const double x = twips_.toTwips(inWindow.x());
    const double y = twips_.toTwips(inWindow.y());
    const bool leftReleased =
        event->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton;
    for (int k = 1; k <= kLinkCount; ++k) {
        if (watched != links_[k - 1])
            continue;
        if (event->type() == QEvent::MouseMove)
            model_.links().pointerOverLink(k, buttonsOf(me), x, y);
        else if (leftReleased)
            model_.links().linkClicked(k);
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        model_.links().surfaceMoved(x, y);
        return true;
    }
    if (leftReleased) {
        if (watched == openLinkLabel_)
            model_.links().clickLabelClicked();
        else if (watched == probeLabel_)
            model_.links().probeClicked();
    }
    return true;
}

void NewsWindowView::mouseMoveEvent(QMouseEvent* event) {
    model_.links().surfaceMoved(twips_.toTwips(event->position().x()),
                                twips_.toTwips(event->position().y()));
}

void NewsWindowView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        model_.links().surfaceClicked();
}

void NewsWindowView::closeEvent(QCloseEvent* event) {
    event->accept();
    model_.close();
}

} // namespace bt::qt
