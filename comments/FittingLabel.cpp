#include "comments/FittingLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

namespace tombolix {

QFont FittingLabel::fittedFont() const {
    QFont fitted = font();
    const qreal room = contentsRect().width();
    // a quarter point at a time, down to a size still worth reading
    while (fitted.pointSizeF() > 6 && QFontMetricsF(fitted).horizontalAdvance(text()) > room)
        fitted.setPointSizeF(fitted.pointSizeF() - 0.25);
    return fitted;
}

void FittingLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setFont(fittedFont());
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), text(),
                          foregroundRole());
}

} // namespace tombolix
