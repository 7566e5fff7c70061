// The top-level error handling: an error that escapes every handler shows the error box with
// the application title, its number and its description, and the program goes on.
#include "app/TombolixApplication.h"
#include "core/TombolixError.h"
#include "tests/support/Fakes.h"

#include <QTest>

using namespace tombolix;
using namespace tombolix::test;

namespace {

// An object whose handling of any user event fails the way a routine without handling does.
class Failing : public QObject {
public:
    bool event(QEvent *event) override {
        if (event->type() == QEvent::User)
            throw TombolixError(5, QStringLiteral("Cannot save the image. GDI+ Error:7"));
        if (event->type() == QEvent::User + 1)
            throw std::runtime_error("something else");
        return QObject::event(event);
    }
};

} // namespace

class TestErrors : public QObject {
    Q_OBJECT
public:
    explicit TestErrors(TombolixApplication &app)
        : m_app(app) {}

private slots:
    void unhandledErrorsAreShownAndTheProgramGoesOn() {
        ScriptedPrompter prompter;
        m_app.setPrompter(&prompter);
        Failing failing;
        QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&failing, new QEvent(QEvent::Type(QEvent::User + 1)));
        QCoreApplication::processEvents();
        QCOMPARE(prompter.records.size(), 2);
        QCOMPARE(prompter.records[0].kind, PromptKind::Error);
        QCOMPARE(prompter.records[0].title, QStringLiteral("Tombolix_v1.01"));
        QCOMPARE(prompter.records[0].text,
                 QStringLiteral("런타임 오류 '5':\r\n\r\nCannot save the image. GDI+ Error:7"));
        QVERIFY(prompter.records[1].text.endsWith(QStringLiteral("something else")));

        // and events go on being handled
        bool later = false;
        QMetaObject::invokeMethod(
            &failing, [&later] { later = true; }, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        QVERIFY(later);
        m_app.setPrompter(nullptr);
    }

    // An error that recurs while its box is open does not stack a second box on it.
    void oneErrorBoxAtATime() {
        ScriptedPrompter prompter;
        m_app.setPrompter(&prompter);
        Failing failing;
        int boxes = 0;
        prompter.whileOpen = [&](const ScriptedPrompter::Record &) {
            ++boxes;
            // the box's own event loop meets the same fault again, and again
            for (int i = 0; i < 3; ++i) {
                QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
                QCoreApplication::processEvents();
            }
        };
        QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        QCOMPARE(boxes, 1);
        QCOMPARE(prompter.records.size(), 1);
        // once it is closed, the next error shows its box again
        prompter.whileOpen = nullptr;
        QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        QCOMPARE(prompter.records.size(), 2);
        m_app.setPrompter(nullptr);
    }

private:
    TombolixApplication &m_app;
};

int main(int argc, char **argv) {
    TombolixApplication app(argc, argv);
    TestErrors test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "test_errors.moc"
