#include "common/Look.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace tombolix {

namespace {

QFont koreanFont(const QString &first, qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies({first, QStringLiteral("Dotum"), QStringLiteral("Gulim"), QStringLiteral("NanumGothic"),
                      QStringLiteral("UnDotum"), QStringLiteral("Noto Sans CJK KR")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont dotumFont(qreal pointSize, bool bold) {
    return koreanFont(QStringLiteral("돋움"), pointSize, bold);
}

QFont gulimFont(qreal pointSize, bool bold) {
    return koreanFont(QStringLiteral("굴림"), pointSize, bold);
}

void placeTwips(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(left / 15, top / 15, width / 15, height / 15);
}

QIcon tombolixIcon() {
    // A raffle ball with a ticket stripe.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 20, 20), 1));
    painter.setBrush(QColor(220, 50, 50));
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(3, 6.5, 10, 3));
    painter.setBrush(QColor(240, 200, 40));
    painter.drawEllipse(QRectF(6, 6, 4, 4));
    painter.end();
    return QIcon(pixmap);
}

void makeFixedWindow(QWidget *window, const QString &caption) {
    window->setWindowTitle(caption);
    window->setWindowIcon(tombolixIcon());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
}

void useSystemWindowColours(QWidget *widget) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, palette.color(QPalette::Active, QPalette::Base));
        palette.setColor(group, QPalette::WindowText, palette.color(group, QPalette::Text));
    }
    widget->setPalette(palette);
    // buttons fill with their button colour unless told otherwise
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

void styleFrame(QGroupBox *frame) {
    const int half = QFontMetrics(frame->font()).height() / 2;
    frame->setStyleSheet(QStringLiteral("QGroupBox { margin-top: %1px; border: 1px solid palette(mid); "
                                        "border-radius: 2px; }"
                                        "QGroupBox::title { subcontrol-origin: margin; left: 6px; top: 0px; "
                                        "padding: 0px 2px; }")
                             .arg(half));
}

void paintWhite(QWidget *widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace tombolix
