#pragma once

#include <QPushButton>

namespace tombolix {

// A push button whose caption wraps onto several lines, as a tall narrow button needs.
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // Where the caption is laid out: inside the bevel, half the style's button margin clear of
    // it on either side, as Qt keeps a button's one-line caption.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tombolix
