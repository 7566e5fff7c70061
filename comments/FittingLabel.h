#pragma once

#include <QLabel>

namespace tombolix {

// A one-line label that draws its text in a smaller size when the text would not fit its
// width at its own font, so that a long status ("상태 : <10000>/<10000> 덧글 확인 완료") shows
// whole. Short texts keep the label's own font.
class FittingLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The font the text is drawn in.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tombolix
