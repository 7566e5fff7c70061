#pragma once

#include "Clock.h"
#include "Desktop.h"
#include "ScriptedPrompter.h"
#include "Services.h"

#include <QList>
#include <QTemporaryDir>

namespace tombolix::test {

class FakeDesktop : public Desktop {
public:
    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }
    void setClipboardText(const QString &text) override
    {
        clipboardText = text;
        clipboard = QImage();
    }
    void setClipboardImage(const QImage &image) override
    {
        clipboard = image;
        clipboardText.clear();
    }
    QImage clipboardImage() const override { return clipboard; }

    QList<QUrl> opened;
    QString clipboardText;
    QImage clipboard;
};

class FixedClock : public Clock {
public:
    QDateTime now() const override { return time; }
    QDateTime time = QDateTime(QDate(2010, 5, 9), QTime(14, 3, 27));
};

// Everything a window needs, with a temporary folder standing in for the program folder and
// the network pointed at nothing until a test sets a server.
struct Rig {
    ScriptedPrompter prompter;
    FakeDesktop desktop;
    FixedClock clock;
    QTemporaryDir folder;
    Endpoints endpoints{QStringLiteral("127.0.0.1:9"), QStringLiteral("image.test"),
                        QUrl(QStringLiteral("http://127.0.0.1:9/tombolix/info.php"))};

    Services services() { return {prompter, desktop, clock, folder.path(), endpoints}; }
};

} // namespace tombolix::test
