#include "backends/qt/qt_dialogs.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

namespace bt::qt {

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}
} // namespace

QtDialogs::QtDialogs() {
    // The player's locale is read once.
    const QString sep = QLocale().decimalPoint();
    if (sep.size() == 1 && sep[0].unicode() < 0x80)
        decimalSeparator_ = static_cast<char>(sep[0].unicode());
}

std::string QtDialogs::inputBox(std::string_view prompt, std::string_view title,
                                std::string_view defaultText, int leftTwips, int topTwips) {
    QInputDialog box(owner_);
    box.setWindowTitle(qs(title));
    box.setLabelText(qs(prompt));
    box.setTextValue(qs(defaultText));
    box.setInputMode(QInputDialog::TextInput);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const Twips t(screen->logicalDotsPerInch());
    box.move(screen->geometry().topLeft() + QPoint(t.px(leftTwips), t.px(topTwips)));
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue().toStdString();
}

void QtDialogs::messageBox(std::string_view prompt, std::string_view title) {
    QMessageBox box(QMessageBox::NoIcon, qs(title), qs(prompt), QMessageBox::Ok, owner_);
    box.exec();
}

} // namespace bt::qt
