#include "common/TombolixStyle.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>

#include <cmath>

namespace tombolix {

namespace {

bool wholeScale(const QPainter *painter) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    return ratio == std::floor(ratio);
}

// The frame as the platform's style draws it at scale 1, on a picture just large enough for its
// lines on every side.
QImage platformFrame(const QStyle &style, const QStyleOption &option, const QWidget *widget, int lines) {
    const int size = 2 * lines + 4;
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(&option)) {
        QStyleOptionFrame copy = *frame;
        copy.rect = picture.rect();
        style.drawPrimitive(QStyle::PE_Frame, &copy, &painter, widget);
    } else {
        QStyleOption copy = option;
        copy.rect = picture.rect();
        style.drawPrimitive(QStyle::PE_Frame, &copy, &painter, widget);
    }
    return picture;
}

} // namespace

TombolixStyle::TombolixStyle()
    : QProxyStyle() {}

void TombolixStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const {
    if (element != PE_Frame || wholeScale(painter) || option->rect.width() < 3 || option->rect.height() < 3)
        return QProxyStyle::drawPrimitive(element, option, painter, widget);

    // Each of the frame's lines, outermost first, in the colour the platform gives it on each
    // side, as filled rectangles of one unit.
    const int lines = qBound(1, pixelMetric(PM_DefaultFrameWidth, option, widget), 4);
    const QImage platform = platformFrame(*baseStyle(), *option, widget, lines);
    const int middle = platform.width() / 2;
    const int last = platform.width() - 1;
    const QRectF area(option->rect);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::NoPen);
    for (int i = 0; i < lines && 2 * i + 2 < option->rect.width() && 2 * i + 2 < option->rect.height(); ++i) {
        const QRectF inside = area.adjusted(i, i, -i, -i);
        const struct {
            QColor colour;
            QRectF line;
        } sides[] = {
            {platform.pixelColor(middle, i), QRectF(inside.left(), inside.top(), inside.width(), 1)},
            {platform.pixelColor(middle, last - i),
             QRectF(inside.left(), inside.bottom() - 1, inside.width(), 1)},
            {platform.pixelColor(i, middle), QRectF(inside.left(), inside.top() + 1, 1, inside.height() - 2)},
            {platform.pixelColor(last - i, middle),
             QRectF(inside.right() - 1, inside.top() + 1, 1, inside.height() - 2)},
        };
        for (const auto &side : sides) {
            if (side.colour.alpha() > 0)
                painter->fillRect(side.line, side.colour);
        }
    }
    painter->restore();
}

void TombolixStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                       QPainter *painter, const QWidget *widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control != CC_ScrollBar || !bar || wholeScale(painter) || option->rect.isEmpty())
        return;
    // The bar as the platform draws it at scale 1; its edge toward the content (the left one of
    // a vertical bar, the top one of a horizontal bar) drawn again from that, a run of one
    // colour at a time.
    QImage platform(option->rect.size(), QImage::Format_ARGB32_Premultiplied);
    platform.fill(Qt::transparent);
    {
        QPainter onPicture(&platform);
        QStyleOptionSlider copy = *bar;
        copy.rect = platform.rect();
        baseStyle()->drawComplexControl(control, &copy, &onPicture, widget);
    }
    const bool vertical = bar->orientation == Qt::Vertical;
    const int length = vertical ? platform.height() : platform.width();
    const QPointF origin = option->rect.topLeft();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    for (int from = 0; from < length;) {
        const QColor colour = vertical ? platform.pixelColor(0, from) : platform.pixelColor(from, 0);
        int to = from + 1;
        while (to < length && (vertical ? platform.pixelColor(0, to) : platform.pixelColor(to, 0)) == colour)
            ++to;
        if (colour.alpha() > 0)
            painter->fillRect(vertical ? QRectF(origin.x(), origin.y() + from, 1, to - from)
                                       : QRectF(origin.x() + from, origin.y(), to - from, 1),
                              colour);
        from = to;
    }
    painter->restore();
}

} // namespace tombolix
