#include "common/DrawList.h"
#include "common/Look.h"
#include "common/Routines.h"
#include "core/SecureRandom.h"
#include "core/Text.h"
#include "tests/support/TestMain.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <time.h>
#endif

using namespace tombolix;

namespace {

// The processor time this thread has used, in milliseconds (std::clock is wall time on Windows).
qint64 threadCpuMs() {
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME &t) { return (qint64(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000; // in 100 ns
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#endif
}

} // namespace

class TestRoutines : public QObject {
    Q_OBJECT
private slots:
    void isInListIsExact_data();
    void isInListIsExact();
    void uniformBelowIsExact();
    void randomNumberStaysInItsSpan();
    void delayWaitsAndKeepsHandlingEvents();
    void delayWithNegativeReturnsAtOnce();
    void delayAfterQuitWaitsWithoutSpinning();
    void trimBlanksRemovesSpacesOnly();
    void drawListKeepsItsCountLabel();
    void drawListEntriesFollowEveryChange();
    void iconFileHoldsTheDrawnIcon();
};

void TestRoutines::isInListIsExact_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::newRow("same") << QStringLiteral("abc") << true;
    QTest::newRow("upper case") << QStringLiteral("ABC") << false;
    QTest::newRow("leading blank") << QStringLiteral(" abc") << false;
    QTest::newRow("trailing blank") << QStringLiteral("abc ") << false;
    QTest::newRow("last entry") << QStringLiteral("마지막") << true;
}

void TestRoutines::isInListIsExact() {
    QFETCH(QString, text);
    QFETCH(bool, found);
    QListWidget list;
    QVERIFY(!IsInList(text, list));
    list.addItems(
        {QStringLiteral("x"), QStringLiteral("abc"), QStringLiteral("y"), QStringLiteral("마지막")});
    QCOMPARE(IsInList(text, list), found);
}

// Qt's own bounded() maps a word onto the span with no rejection, so some values come up once
// more often than others in every 2^32 / span words. Ours rejects that short tail: fed every
// 8-bit word once, every span gives every value exactly equally often, after rejecting exactly
// 256 mod span words.
void TestRoutines::uniformBelowIsExact() {
    for (int span = 1; span <= 255; ++span) {
        QVector<int> counts(span);
        int rejected = 0;
        for (int word = 0; word < 256; ++word) {
            int calls = 0;
            // a rejected word draws another: 255 is never rejected
            auto next = [&] { return quint8(calls++ == 0 ? word : 255); };
            const quint8 value = uniformBelow<quint8>(quint8(span), next);
            if (calls > 1) {
                ++rejected;
                continue;
            }
            QVERIFY(value < span);
            ++counts[value];
        }
        QCOMPARE(rejected, 256 % span);
        for (int count : counts)
            QCOMPARE(count, 256 / span);
    }
}

void TestRoutines::randomNumberStaysInItsSpan() {
    for (int i = 0; i < 200; ++i)
        QCOMPARE(RandomNumber(0, 1), 0);
    QCOMPARE(RandomNumber(5, 1), 5);
    QCOMPARE(RandomNumber(7, 0), 7);
    QVector<int> seen(10);
    for (int i = 0; i < 5000; ++i) {
        const int value = RandomNumber(0, 10);
        QVERIFY(value >= 0 && value < 10);
        ++seen[value];
    }
    for (int count : seen)
        QVERIFY(count > 0);
    for (int i = 0; i < 1000; ++i) {
        const int value = RandomNumber(-5, 3);
        QVERIFY(value >= -5 && value <= -3);
    }
}

void TestRoutines::delayWaitsAndKeepsHandlingEvents() {
    QPushButton button;
    bool clicked = false;
    connect(&button, &QPushButton::clicked, this, [&] { clicked = true; });
    QTimer::singleShot(100, &button, [&] { QTest::mouseClick(&button, Qt::LeftButton); });
    button.show();
    QElapsedTimer timer;
    timer.start();
    Delay(500);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= 500, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < 1500, qPrintable(QString::number(elapsed)));
    QVERIFY(clicked);
}

void TestRoutines::delayWithNegativeReturnsAtOnce() {
    bool ran = false;
    QTimer::singleShot(0, this, [&] { ran = true; });
    QElapsedTimer timer;
    timer.start();
    Delay(-1);
    QVERIFY(timer.elapsed() < 50);
    QVERIFY(!ran);
    Delay(0);
    QVERIFY(ran);
}

// Once the application has been told to quit, an event loop's exec returns at once: the wait
// still lasts as long as asked, asleep rather than spinning on a core.
void TestRoutines::delayAfterQuitWaitsWithoutSpinning() {
    qint64 elapsed = -1;
    qint64 cpu = -1;
    QTimer::singleShot(0, this, [&] {
        QCoreApplication::exit(0);
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuBefore = threadCpuMs();
        Delay(500);
        cpu = threadCpuMs() - cpuBefore;
        elapsed = timer.elapsed();
    });
    QCoreApplication::exec(); // ends with the handler, as the exit asked
    QVERIFY2(elapsed >= 500, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < 1500, qPrintable(QString::number(elapsed)));
    QVERIFY2(cpu < 100, qPrintable(QStringLiteral("%1 ms of processor time").arg(cpu)));
}

void TestRoutines::trimBlanksRemovesSpacesOnly() {
    QCOMPARE(trimBlanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    QCOMPARE(trimBlanks(QStringLiteral("   ")), QString());
    QCOMPARE(trimBlanks(QStringLiteral("\ta\t")), QStringLiteral("\ta\t"));
}

void TestRoutines::drawListKeepsItsCountLabel() {
    QListWidget list;
    QLabel label;
    DrawList drawList(list, label);
    QCOMPARE(DrawList::countText(0), QStringLiteral("추첨 리스트(갯수 : 0개)"));
    const quint64 before = drawList.revision();
    QVERIFY(drawList.append(QStringLiteral("a")));
    QVERIFY(drawList.append(QStringLiteral("a")));
    QCOMPARE(label.text(), QStringLiteral("추첨 리스트(갯수 : 2개)"));
    QVERIFY(drawList.revision() != before);
    drawList.removeAt(0);
    QCOMPARE(label.text(), QStringLiteral("추첨 리스트(갯수 : 1개)"));
    drawList.clear();
    QCOMPARE(label.text(), QStringLiteral("추첨 리스트(갯수 : 0개)"));

    for (int i = 0; i < 32767; ++i)
        list.addItem(QString::number(i));
    QVERIFY(drawList.isFull());
    QVERIFY(!drawList.append(QStringLiteral("one too many")));
    QCOMPARE(list.count(), 32767);
}

// The program file's icon (app/tombolix.ico, built into the Windows program) is the icon's
// one drawing at 16, 32 and 48 pixels, the 16 in 16 colours, 256 colours and 32 bits. When the
// drawing changes, the test leaves a fresh file beside itself to copy over app/tombolix.ico.
// The entries a draw reads are the list box's, whether the list changed through the draw list
// or in the box itself.
void TestRoutines::drawListEntriesFollowEveryChange() {
    QListWidget list;
    list.addItem(QStringLiteral("홍"));
    QLabel label;
    DrawList drawList(list, label);
    QCOMPARE(drawList.entries(), QStringList{QStringLiteral("홍")});
    drawList.append(QStringLiteral("황"));
    drawList.append(QStringLiteral("김철수"));
    const QStringList read = drawList.entries();
    drawList.removeAt(0);
    drawList.removeAt(7); // no such entry: nothing changes
    QCOMPARE(read, (QStringList{QStringLiteral("홍"), QStringLiteral("황"), QStringLiteral("김철수")}));
    QCOMPARE(drawList.entries(), (QStringList{QStringLiteral("황"), QStringLiteral("김철수")}));

    list.addItem(QStringLiteral("이영희"));
    QCOMPARE(drawList.entries(),
             (QStringList{QStringLiteral("황"), QStringLiteral("김철수"), QStringLiteral("이영희")}));
    list.item(0)->setText(QStringLiteral("황1"));
    QCOMPARE(drawList.entries().first(), QStringLiteral("황1"));
    delete list.takeItem(1);
    QCOMPARE(drawList.entries(), (QStringList{QStringLiteral("황1"), QStringLiteral("이영희")}));
    list.sortItems(Qt::DescendingOrder);
    QCOMPARE(drawList.entries(), (QStringList{QStringLiteral("황1"), QStringLiteral("이영희")}));
    list.sortItems(Qt::AscendingOrder);
    QCOMPARE(drawList.entries(), (QStringList{QStringLiteral("이영희"), QStringLiteral("황1")}));
    drawList.clear();
    QCOMPARE(drawList.entries(), QStringList());
    list.addItem(QStringLiteral("홍"));
    QCOMPARE(drawList.entries(), QStringList{QStringLiteral("홍")});
    list.clear();
    QCOMPARE(drawList.entries(), QStringList());
}

void TestRoutines::iconFileHoldsTheDrawnIcon() {
    const QList<int> sizes{16, 32, 48};
    QList<QImage> drawn;
    for (const int size : sizes)
        drawn.append(tombolixIconImage(size));
    const QByteArray expected = windowsIconFile(drawn);
    QFile committed(QStringLiteral(TOMBOLIX_SOURCE_DIR "/app/tombolix.ico"));
    if (!committed.open(QIODevice::ReadOnly) || committed.readAll() != expected) {
        QFile fresh(QCoreApplication::applicationDirPath() + QStringLiteral("/tombolix.ico"));
        QVERIFY(fresh.open(QIODevice::WriteOnly) && fresh.write(expected) == expected.size());
        QFAIL(qPrintable(QStringLiteral("app/tombolix.ico is not the drawn icon; a fresh one is at ") +
                         fresh.fileName()));
    }
    QBuffer buffer;
    buffer.setData(expected);
    QImageReader reader(&buffer, "ico");
    QCOMPARE(reader.imageCount(), 5);
    const QList<QPair<int, int>> entries{{16, 4}, {16, 8}, {16, 32}, {32, 32}, {48, 32}};
    for (int i = 0; i < entries.size(); ++i) {
        const auto entry = reinterpret_cast<const uchar *>(expected.constData()) + 6 + 16 * i;
        const auto [size, depth] = entries.at(i);
        QCOMPARE(int(entry[0]), size);
        QCOMPARE(int(entry[6] | entry[7] << 8), depth);
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size, size));
        // transparent around the ball, and the ball's red beside its band
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        const QRgb red = image.pixel(size / 2, size / 5);
        QVERIFY(qRed(red) > 2 * qGreen(red));
        if (depth == 32) {
            // the same picture; a translucent pixel's colour may differ by Qt's rounding of it
            const QImage &want = drawn.at(sizes.indexOf(size));
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const QRgb got = image.pixel(x, y);
                    const QRgb wanted = want.pixel(x, y);
                    const int slack = qAlpha(wanted) == 255 ? 0 : 2;
                    QVERIFY2(qAlpha(got) == qAlpha(wanted) && qAbs(qRed(got) - qRed(wanted)) <= slack &&
                                 qAbs(qGreen(got) - qGreen(wanted)) <= slack &&
                                 qAbs(qBlue(got) - qBlue(wanted)) <= slack,
                             qPrintable(QStringLiteral("%1 px at %2,%3").arg(size).arg(x).arg(y)));
                }
            }
        }
    }
    // the windows carry every size
    QCOMPARE(tombolixIcon().availableSizes().size(), 7);
}

TOMBOLIX_TEST_MAIN(TestRoutines)
#include "test_routines.moc"
