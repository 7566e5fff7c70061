#pragma once

#include "common/Desktop.h"

namespace tombolix {

class QtDesktop : public Desktop {
public:
    bool openUrl(const QUrl &url) override;
    void setClipboardText(const QString &text) override;
    void setClipboardImage(const QImage &image) override;
    QImage clipboardImage() const override;
};

} // namespace tombolix
