#pragma once

#include <QImage>
#include <QString>
#include <QUrl>

namespace tombolix {

// The user's desktop: the web browser and the clipboard.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual bool openUrl(const QUrl &url) = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual void setClipboardImage(const QImage &image) = 0;
    virtual QImage clipboardImage() const = 0;
};

} // namespace tombolix
