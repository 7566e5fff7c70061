#include "common/QtDesktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

namespace tombolix {

bool QtDesktop::openUrl(const QUrl &url) {
    return QDesktopServices::openUrl(url);
}

void QtDesktop::setClipboardText(const QString &text) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void QtDesktop::setClipboardImage(const QImage &image) {
    QGuiApplication::clipboard()->setImage(image);
}

QImage QtDesktop::clipboardImage() const {
    return QGuiApplication::clipboard()->image();
}

} // namespace tombolix
