// Code page 949 as every build reads and writes it: the same bytes as glibc's iconv for every
// Hangul syllable and every KS X 1001 character, U+FFFD for what is not the code page, and one
// '?' for each character it cannot hold.
#include "core/Cp949.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestMain.h"

#include <QTest>

#ifdef __GLIBC__
#include <iconv.h>
#endif

using namespace tombolix;

class TestCp949 : public QObject {
    Q_OBJECT
private slots:
    void everyHangulSyllable();
    void everyKsX1001Character();
    void invalidBytes_data();
    void invalidBytes();
    void charactersOutsideTheCodePage();
    void validity();
#ifdef __GLIBC__
    void theTableIsGlibcs();
#endif
};

void TestCp949::everyHangulSyllable() {
    QString syllables;
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c)
        syllables += QChar(c);
    const QByteArray bytes = test::fixtureBytes(QStringLiteral("cp949/hangul.cp949"));
    QCOMPARE(bytes.size(), 2 * 11172);
    const Cp949Bytes encoded = toCp949(syllables);
    QCOMPARE(encoded.replaced, 0);
    QVERIFY(encoded.bytes == bytes);
    QVERIFY(fromCp949(bytes) == syllables);
}

void TestCp949::everyKsX1001Character() {
    const QByteArray bytes = test::fixtureBytes(QStringLiteral("cp949/ksx1001.cp949"));
    const QString text = QString::fromUtf8(test::fixtureBytes(QStringLiteral("cp949/ksx1001.utf8")));
    QCOMPARE(text.size(), 8226);
    QVERIFY(fromCp949(bytes) == text);
    QVERIFY(toCp949(text).bytes == bytes);
}

void TestCp949::invalidBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("a lead byte at the end") << QByteArray("a\xB0") << QStringLiteral("a\uFFFD");
    QTest::newRow("bytes that lead nothing") << QByteArray("\x80\xFF"
                                                           "b")
                                             << QStringLiteral("\uFFFD\uFFFD"
                                                               "b");
    QTest::newRow("a lead byte and ASCII") << QByteArray("\xB0 \xC8"
                                                         "0")
                                           << QStringLiteral("\uFFFD \uFFFD"
                                                             "0");
    QTest::newRow("a lead byte and a trail of the extension")
        << QByteArray("\xB0\x41") << QStringLiteral("\uCE9A");
    // found by fuzzing: glibc consumes this pair before it reports it; the bad lead byte alone
    // is U+FFFD and the next byte is read afresh
    QTest::newRow("an unassigned pair") << QByteArray("a\xA2\xE8") << QStringLiteral("a\uFFFD\uFFFD");
    QTest::newRow("an unassigned pair, then text") << QByteArray("\xA2\xE8"
                                                                 "b\xB0\xA1")
                                                   << QStringLiteral("\uFFFD\uFFFD"
                                                                     "b가");
    QTest::newRow("NUL kept") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
}

void TestCp949::invalidBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(fromCp949(bytes), text);
    QVERIFY(!isValidCp949(bytes) || !text.contains(QChar::ReplacementCharacter));
}

// A character the code page cannot hold is one '?', an emoji (two UTF-16 units) included.
void TestCp949::charactersOutsideTheCodePage() {
    const Cp949Bytes lossy = toCp949(QStringLiteral("a😀b€홍"));
    QCOMPARE(lossy.replaced, 1); // the euro sign is in code page 949, the emoji is not
    QCOMPARE(lossy.bytes, QByteArray("a?b\xA2\xE6\xC8\xAB"));
    QCOMPARE(toCp949(QStringLiteral("😀😀")).replaced, 2);
    // lone halves of a pair are one character each
    QCOMPARE(toCp949(QString(QChar(0xD83D)) + QChar(0xDE00) + QChar(0xDE00)).bytes, QByteArray("??"));
    QVERIFY(!fitsCp949(QStringLiteral("😀")));
    QVERIFY(fitsCp949(QStringLiteral("김철수 Tom & Jerry")));
}

void TestCp949::validity() {
    QVERIFY(isValidCp949(QByteArray()));
    QVERIFY(isValidCp949(QByteArray("tombolix\xC8\xAB\r\n")));
    QVERIFY(!isValidCp949(QByteArray("\xC8")));
    // the UTF-8 of 홍 is not code page 949, while its code page 949 bytes are valid UTF-8
    QVERIFY(!isValidCp949(QStringLiteral("홍").toUtf8()));
}

#ifdef __GLIBC__
// The table the program carries is glibc's CP949, both ways, for every pair and every
// character of the Basic Multilingual Plane.
void TestCp949::theTableIsGlibcs() {
    iconv_t decoder = iconv_open("UTF-16LE", "CP949");
    iconv_t encoder = iconv_open("CP949", "UTF-16LE");
    QVERIFY(decoder != reinterpret_cast<iconv_t>(-1) && encoder != reinterpret_cast<iconv_t>(-1));
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0; trail <= 0xFF; ++trail) {
            char in[2] = {char(lead), char(trail)};
            char16_t out[2] = {};
            char *inPtr = in;
            size_t inLeft = 2;
            char *outPtr = reinterpret_cast<char *>(out);
            size_t outLeft = sizeof out;
            iconv(decoder, nullptr, nullptr, nullptr, nullptr);
            const bool one = iconv(decoder, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) &&
                             inLeft == 0 && outLeft == sizeof out - 2;
            const QString ours = fromCp949(QByteArray(in, 2));
            if (one != (ours.size() == 1) || (one && ours.at(0).unicode() != out[0]))
                QFAIL(qPrintable(QStringLiteral("pair %1 %2").arg(lead, 0, 16).arg(trail, 0, 16)));
        }
    }
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        char16_t in[1] = {char16_t(c)};
        char out[8];
        char *inPtr = reinterpret_cast<char *>(in);
        size_t inLeft = 2;
        char *outPtr = out;
        size_t outLeft = sizeof out;
        iconv(encoder, nullptr, nullptr, nullptr, nullptr);
        const bool encodable = iconv(encoder, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1);
        const Cp949Bytes ours = toCp949(QString(QChar(char16_t(c))));
        const QByteArray glibc(out, qsizetype(sizeof out - outLeft));
        if (encodable != (ours.replaced == 0) || (encodable && ours.bytes != glibc))
            QFAIL(qPrintable(QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0'))));
    }
    iconv_close(decoder);
    iconv_close(encoder);
}
#endif

TOMBOLIX_TEST_MAIN(TestCp949)
#include "test_cp949.moc"
