#pragma once

#include "common/Clock.h"
#include "common/Desktop.h"
#include "common/Services.h"
#include "tests/support/ScriptedPrompter.h"

#include <QFile>
#include <QList>
#include <QListWidget>
#include <QTemporaryDir>

namespace tombolix::test {

class FakeDesktop : public Desktop {
public:
    bool openUrl(const QUrl &url) override {
        opened.append(url);
        return true;
    }
    void setClipboardText(const QString &text) override {
        clipboardText = text;
        clipboard = QImage();
    }
    void setClipboardImage(const QImage &image) override {
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
    Endpoints endpoints{QStringLiteral("http://127.0.0.1:9"),
                        QStringLiteral("image.test"),
                        QUrl(QStringLiteral("http://127.0.0.1:9/tombolix/info.php")),
                        {},
                        {}};

    Services services() { return {prompter, desktop, clock, folder.path(), folder.path(), endpoints}; }
};

// The entries of a list box, in order.
inline QStringList listEntries(const QListWidget *list) {
    QStringList all;
    for (int i = 0; i < list->count(); ++i)
        all.append(list->item(i)->text());
    return all;
}

// The bytes of a file in tests/data.
inline QByteArray fixtureBytes(const QString &name) {
    QFile file(QStringLiteral(TOMBOLIX_TEST_DATA "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tombolix::test
