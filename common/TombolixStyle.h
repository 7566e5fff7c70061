#pragma once

#include <QProxyStyle>

namespace tombolix {

// The program's style: the platform's own, with one correction. At a screen scale that is not
// a whole number (125 %, 150 %, 175 %) a control's edge can fall inside one of the screen's
// pixels; a one-unit line drawn there with a pen lands in the pixel row that the control's clip
// leaves out, or under its viewport, and is not drawn at all. So at such scales a frame's lines,
// and a scroll bar's edge toward what it scrolls, are filled rectangles in the colours the
// platform's style gives them, which always cover a pixel of their own; at whole scales the
// platform draws them itself.
class TombolixStyle : public QProxyStyle {
    Q_OBJECT
public:
    TombolixStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
};

} // namespace tombolix
