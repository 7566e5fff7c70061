#pragma once

#include <QPushButton>

namespace tombolix {

// A push button whose caption wraps onto several lines, as a tall narrow button needs.
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tombolix
