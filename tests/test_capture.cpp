// The window capture through the real menu command, with a fixed clock and a temporary
// program folder.
#include "app/frmMain.h"
#include "capture/modCapture.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace tombolix;
using namespace tombolix::test;

class TestCapture : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void nameUsesTheClickTimeOnA24HourClock();
    void captureWritesTheCanvasAsJpeg();
    void twoCapturesInOneSecondShareTheName();
    void failedWriteShowsTheErrorAndTheProgramGoesOn();
    void writerFailingWithoutACodeIsAFailure();
#ifdef Q_OS_UNIX
    void fullDiskIsAFailure();
#endif

private:
    QString expectedPath() const;

    std::unique_ptr<Rig> rig;
    std::unique_ptr<frmMain> window;
};

void TestCapture::init() {
    rig = std::make_unique<Rig>();
    rig->clock.time = QDateTime(QDate(2010, 5, 9), QTime(21, 5, 7));
}

void TestCapture::cleanup() {
    window.reset();
    rig.reset();
}

QString TestCapture::expectedPath() const {
    return rig->folder.path() + QDir::separator() +
           QStringLiteral("2010_05_09_21.05.07_Tombolix_Capture.jpg");
}

void TestCapture::nameUsesTheClickTimeOnA24HourClock() {
    QCOMPARE(captureBaseName(QDateTime(QDate(2010, 5, 9), QTime(14, 3, 27))),
             QStringLiteral("2010_05_09_14.03.27_Tombolix_Capture"));
    QCOMPARE(captureBaseName(QDateTime(QDate(2026, 12, 31), QTime(0, 0, 9))),
             QStringLiteral("2026_12_31_00.00.09_Tombolix_Capture"));
}

void TestCapture::captureWritesTheCanvasAsJpeg() {
    window = std::make_unique<frmMain>(rig->services());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->drawList().append(QStringLiteral("보이는 항목"));
    window->mnu_Capture->trigger();

    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
    QCOMPARE(rig->prompter.records[0].title, QStringLiteral("Tombolix Alert"));
    QCOMPARE(rig->prompter.records[0].text, QDir::toNativeSeparators(expectedPath()) +
                                                QStringLiteral(" 로 현재 프로그램의 화면이 저장되었습니다!"));

    QImageReader reader(expectedPath());
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage saved = reader.read();
    QCOMPARE(saved.size(), QSize(343, 609));
    // the window's picture in the top-left corner: many colours, not a blank sheet
    QSet<QRgb> colours;
    for (int y = 0; y < 500; y += 5)
        for (int x = 0; x < 330; x += 5)
            colours.insert(saved.pixel(x, y) & 0xF0F0F0);
    QVERIFY2(colours.size() > 4, qPrintable(QString::number(colours.size())));
    // the canvas is white where the picture does not reach
    const QColor corner = saved.pixelColor(341, 607);
    QVERIFY(corner.red() > 240 && corner.green() > 240 && corner.blue() > 240);

    QVERIFY(!rig->desktop.clipboard.isNull());
    QCOMPARE(window->CapPic->pixmap().size(), rig->desktop.clipboard.size());
    QVERIFY(!window->CapPic->isVisible());
}

void TestCapture::twoCapturesInOneSecondShareTheName() {
    window = std::make_unique<frmMain>(rig->services());
    window->show();
    window->mnu_Capture->trigger();
    window->mnu_Capture->trigger();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[0].text, rig->prompter.records[1].text);
    QCOMPARE(QDir(rig->folder.path()).entryList(QDir::Files),
             QStringList{QFileInfo(expectedPath()).fileName()});
}

void TestCapture::failedWriteShowsTheErrorAndTheProgramGoesOn() {
    // a folder that cannot be made: a file stands where its parent should be
    QFile blocker(rig->folder.filePath(QStringLiteral("a file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Services services = rig->services();
    services.filesFolder = rig->folder.filePath(QStringLiteral("a file/Tombolix"));
    window = std::make_unique<frmMain>(services);
    window->show();
    window->drawList().append(QStringLiteral("kept"));
    window->mnu_Capture->trigger();

    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Error);
    QCOMPARE(rig->prompter.records[0].title, QStringLiteral("Tombolix_v1.01"));
    QCOMPARE(rig->prompter.records[0].text,
             QStringLiteral("런타임 오류 '5':\r\n\r\nCannot save the image. GDI+ Error:1"));
    QVERIFY(!QDir(services.filesFolder).exists());

    // the list is intact and the window goes on working
    window->txtAdd->setText(QStringLiteral("next"));
    window->cmdAdd_Click();
    QCOMPARE(window->lstPick->count(), 2);
    QCOMPARE(window->lstPick->item(0)->text(), QStringLiteral("kept"));
}

namespace {

// A disk that fills up after some bytes: every later write fails.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room)
        : m_room(room) {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override {
        if (size > m_room)
            return -1;
        m_room -= size;
        return size;
    }

private:
    qint64 m_room;
};

QImage windowSizedPicture() {
    QImage picture(343, 609, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 7 % 256, y * 3 % 256, (x ^ y) % 256));
    return picture;
}

} // namespace

// The JPEG writer reports a device that fails in the middle with no error code of its own.
void TestCapture::writerFailingWithoutACodeIsAFailure() {
    FullDevice full(1000);
    QCOMPARE(encodeJpeg(windowSizedPicture(), full, 200), 1);
    FullDevice roomy(10 * 1024 * 1024);
    QCOMPARE(encodeJpeg(windowSizedPicture(), roomy, 200), 0);
}

#ifdef Q_OS_UNIX
// A real write that runs out of room: the file size limit of the process plays the full disk.
void TestCapture::fullDiskIsAFailure() {
    window = std::make_unique<frmMain>(rig->services());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 2000;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    window->mnu_Capture->trigger();
    setrlimit(RLIMIT_FSIZE, &before);
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Error);
    QVERIFY(rig->prompter.records[0].text.contains(QStringLiteral("Cannot save the image. GDI+ Error:")));
    QVERIFY(!QFile::exists(expectedPath()));
}
#endif

TOMBOLIX_TEST_MAIN(TestCapture)
#include "test_capture.moc"
