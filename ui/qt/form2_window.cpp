#include "ui/qt/form2_window.h"

#include "net/link_policy.h"
#include "net/news_links.h"
#include "ui/form2.h"
#include "ui/qt/control_binding.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace bt::qt {

Form2Window::Form2Window(Form2& form, const Twips& twips) : form_(form), twips_(twips) {
    Form2Controls& c = form.controls();
    setObjectName(QStringLiteral("Form2"));
    setMouseTracking(true);
    resize(twips_.px(c.form.clientWidth()), twips_.px(c.form.clientHeight()));

    for (int n : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11}) {
        auto* w = new QLabel(this);
        w->setObjectName(QString::fromStdString(c.label(n).name()));
        w->setWordWrap(n == 1 || n == 11);
        w->setMouseTracking(true);
        bindLabel(c.label(n), w, twips_);
        if (n >= 2 && n <= 7) {
            links_[n - 2] = w;
            w->installEventFilter(this);
            w->setCursor(Qt::PointingHandCursor);
        }
        if (n == 9) {
            clickLabel_ = w;
            w->installEventFilter(this);
            w->setCursor(Qt::PointingHandCursor);
        }
        if (n == 10) {
            probeLabel_ = w;
            w->installEventFilter(this);
        }
    }
    auto* check = new QCheckBox(this);
    check->setObjectName(QStringLiteral("Check1"));
    bindCheck(c.check1, check, twips_);
    auto* exit = new QPushButton(this);
    exit->setObjectName(QStringLiteral("Command1"));
    bindButton(c.command1, exit, twips_);

    // The identifier box lies below the design area, as it always did; the closing step writes
    // whatever it holds.
    id_ = new QLineEdit(this);
    id_->setObjectName(QStringLiteral("Text4"));
    auto syncId = [this, &c] {
        if (id_->text().toStdString() != c.text(4).text())
            id_->setText(QString::fromStdString(c.text(4).text()));
        applyGeometry(c.text(4), id_, twips_);
    };
    c.text(4).setObserver(syncId);
    syncId();
    connect(id_, &QLineEdit::textEdited, this,
            [&c](const QString& s) { c.text(4).setText(s.toStdString()); });

    // The page area: a link to the page, opened in the browser on a click. It never loads
    // anything itself, so it can never block or run what a tampered feed points at.
    page_ = new QLabel(this);
    page_->setObjectName(QStringLiteral("WebBrowser1"));
    page_->setWordWrap(true);
    page_->setTextFormat(Qt::RichText);
    page_->setAlignment(Qt::AlignCenter);
    page_->setFrameShape(QFrame::StyledPanel);
    connect(page_, &QLabel::linkActivated, this,
            [this](const QString&) { form_.links().open(form_.controls().webBrowser1.url()); });
    c.webBrowser1.setObserver([this] { syncPage(); });
    syncPage();

    c.form.setObserver([this] { syncWindow(); });
    syncWindow();
}

void Form2Window::syncPage() {
    const WebBrowser& b = form_.controls().webBrowser1;
    const std::string& url = b.url();
    if (isWebLink(url)) {
        const QString u = QString::fromStdString(url).toHtmlEscaped();
        page_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(u));
    } else {
        page_->clear();
    }
    applyGeometry(b, page_, twips_);
}

void Form2Window::syncWindow() {
    const Window& w = form_.controls().form;
    setWindowTitle(QString::fromStdString(w.caption()));
    const int frameW = frameGeometry().width() - geometry().width();
    const int frameH = frameGeometry().height() - geometry().height();
    int width = twips_.px(w.clientWidth());
    int height = twips_.px(w.clientHeight());
    if (w.outerWidth() > 0)
        width = twips_.px(w.outerWidth()) - frameW;
    if (w.outerHeight() > 0)
        height = twips_.px(w.outerHeight()) - frameH;
    // A feed can ask for any size; the window stays within what a screen can show.
    resize(std::clamp(width, 100, 4096), std::clamp(height, 60, 4096));
    setVisible(w.visible());
}

int Form2Window::buttonsOf(const QMouseEvent* e) const {
    int b = kNoButton;
    if (e->buttons() & Qt::LeftButton)
        b |= kLeftButton;
    if (e->buttons() & Qt::RightButton)
        b |= kRightButton;
    if (e->buttons() & Qt::MiddleButton)
        b |= kMiddleButton;
    return b;
}

bool Form2Window::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease &&
        event->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(watched, event);
    auto* me = static_cast<QMouseEvent*>(event);
    auto* label = static_cast<QWidget*>(watched);
    const QPointF inForm = label->mapTo(this, me->position().toPoint());
    const double x = twips_.toTwips(inForm.x());
    const double y = twips_.toTwips(inForm.y());
    for (int k = 1; k <= 6; ++k) {
        if (watched != links_[k - 1])
            continue;
        if (event->type() == QEvent::MouseMove)
            form_.links().pointerOverLink(k, buttonsOf(me), x, y);
        else if (event->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton)
            form_.links().linkClicked(k);
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        form_.links().surfaceMoved(x, y);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton) {
        if (watched == clickLabel_)
            form_.links().clickLabelClicked();
        else if (watched == probeLabel_)
            form_.links().probeLabelClicked();
    }
    return true;
}

void Form2Window::mouseMoveEvent(QMouseEvent* event) {
    form_.links().surfaceMoved(twips_.toTwips(event->position().x()),
                               twips_.toTwips(event->position().y()));
}

void Form2Window::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        form_.links().surfaceClicked();
}

void Form2Window::closeEvent(QCloseEvent* event) {
    event->accept();
    if (form_.loaded())
        form_.unload();
}

} // namespace bt::qt
