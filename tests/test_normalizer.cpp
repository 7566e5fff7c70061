// Unicode's normal forms as every build makes them, through ICU: exact results of each form
// (where Qt's own normaliser goes wrong among them), every Hangul syllable both ways, a run of
// ligatures that a quadratic normaliser would not finish, and text already normal handed back
// as it came. On Windows this checks that the data linked into the program holds NFKC's.
#include "core/Normalizer.h"

#include <QTest>

using namespace tombolix;

namespace {

QString normalized(const QString &form, const QString &text) {
    if (form == u"NFC")
        return unicode::nfc(text);
    if (form == u"NFD")
        return unicode::nfd(text);
    return unicode::nfkc(text);
}

// "U+0061 U+0301": what a failed comparison shows of marks and jamo
QString codePoints(const QString &text) {
    QStringList points;
    for (const uint c : text.toUcs4())
        points += QStringLiteral("U+") + QString::number(c, 16).rightJustified(4, u'0').toUpper();
    return points.join(u' ');
}

QString hangulSyllables() {
    QString all;
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c)
        all += QChar(c);
    return all;
}

} // namespace

class TestNormalizer : public QObject {
    Q_OBJECT
private slots:
    void forms_data();
    void forms();
    void everyHangulSyllable();
    void longRunOfLigatures();
    void normalTextAsItCame_data();
    void normalTextAsItCame();
};

void TestNormalizer::forms_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *name, const char *form, const QString &text, const QString &expected) {
        QTest::newRow(name) << QString::fromLatin1(form) << text << expected;
    };
    // Qt 6.4 leaves the second accent apart
    row("NFC composing after a character beyond the first plane", "NFC",
        QStringLiteral("a\u0301\U0001109Aa\u0301"), QStringLiteral("\u00E1\U0001109A\u00E1"));
    row("NFD of 홍", "NFD", QStringLiteral("홍"), QStringLiteral("\u1112\u1169\u11BC"));
    row("NFC of 홍's jamo", "NFC", QStringLiteral("\u1112\u1169\u11BC"), QStringLiteral("홍"));
    row("NFD of 황", "NFD", QStringLiteral("황"), QStringLiteral("\u1112\u116A\u11BC"));
    row("NFD of 김철수, the last without a final", "NFD", QStringLiteral("김철수"),
        QStringLiteral("\u1100\u1175\u11B7\u110E\u1165\u11AF\u1109\u116E"));
    row("NFKC of full-width Latin", "NFKC", QStringLiteral("Ｔｏｍｂｏｌｉｘ"), QStringLiteral("Tombolix"));
    row("NFKC of the fi ligature", "NFKC", QStringLiteral("\uFB01"), QStringLiteral("fi"));
    // the Hangul filler has a compatibility mapping: to the vowel filler U+1160
    row("NFKC of the Hangul filler", "NFKC", QStringLiteral("\u3164"), QStringLiteral("\u1160"));
    row("NFKC of an en space", "NFKC", QStringLiteral("x\u2002y"), QStringLiteral("x y"));
    // one character becomes 18, more than the room the first attempt gives
    row("NFKC longer than its text by far", "NFKC", QStringLiteral("\uFDFA"),
        QStringLiteral("\u0635\u0644\u0649 \u0627\u0644\u0644\u0647 \u0639\u0644\u064A\u0647 "
                       "\u0648\u0633\u0644\u0645"));
    row("NFC of marks in canonical order", "NFC", QStringLiteral("a\u0323\u0302"), QStringLiteral("\u1EAD"));
    row("NFC of the same marks the other way", "NFC", QStringLiteral("a\u0302\u0323"),
        QStringLiteral("\u1EAD"));
    row("NFD putting marks in canonical order", "NFD", QStringLiteral("a\u0302\u0323"),
        QStringLiteral("a\u0323\u0302"));
    // the draw refuses these itself: normalising must neither hide nor drop them
    const QString loneSurrogate = QStringLiteral("a") + QChar(char16_t(0xD800)) + QStringLiteral("b");
    row("NFKC keeping half a surrogate pair", "NFKC", loneSurrogate, loneSurrogate);
    const QString withNul = QString::fromUtf16(u"e\0\u0301", 3);
    row("NFC keeping a NUL", "NFC", withNul, withNul);
}

void TestNormalizer::forms() {
    QFETCH(QString, form);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(codePoints(normalized(form, text)), codePoints(expected));
    QCOMPARE(normalized(form, text), expected);
}

// Each of the 11,172 syllables decomposes into two or three jamo and composes back.
void TestNormalizer::everyHangulSyllable() {
    const QString syllables = hangulSyllables();
    const QString jamo = unicode::nfd(syllables);
    // 11,172 leading consonants and vowels, and a final for all but the 399 syllables without
    QCOMPARE(jamo.size(), 3 * 11172 - 399);
    for (const QChar c : jamo)
        QVERIFY2(c.unicode() >= 0x1100 && c.unicode() <= 0x11FF, qPrintable(codePoints(c)));
    QVERIFY(unicode::nfc(jamo) == syllables);
    QVERIFY(unicode::nfkc(jamo) == syllables);
}

void TestNormalizer::longRunOfLigatures() {
    const QString ligatures(800000, QChar(0xFB00));
    const QString letters = unicode::nfkc(ligatures);
    QCOMPARE(letters.size(), 1600000);
    QVERIFY(letters == QString(1600000, u'f'));
}

void TestNormalizer::normalTextAsItCame_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("text");
    for (const char *form : {"NFC", "NFD", "NFKC"}) {
        const QString name = QString::fromLatin1(form);
        QTest::addRow("%s of Latin", form) << name << QStringLiteral("Tombolix 2026 (draw #3)");
        QTest::addRow("%s of nothing", form) << name << QString();
        QTest::addRow("%s of an empty text", form) << name << QStringLiteral("");
    }
    const QString names = QStringLiteral("김철수, 홍, 황");
    QTest::newRow("NFC of Korean names") << QStringLiteral("NFC") << names;
    QTest::newRow("NFKC of Korean names") << QStringLiteral("NFKC") << names;
    QTest::newRow("NFD of jamo") << QStringLiteral("NFD") << QStringLiteral("\u1100\u1175\u11B7\u1112\u1169");
    QTest::newRow("NFC of every syllable") << QStringLiteral("NFC") << hangulSyllables();
}

// Normal text is the same text, not a copy of it.
void TestNormalizer::normalTextAsItCame() {
    QFETCH(QString, form);
    QFETCH(QString, text);
    const QString result = normalized(form, text);
    QCOMPARE(result, text);
    QCOMPARE(result.isNull(), text.isNull());
    QVERIFY(result.constData() == text.constData());
}

QTEST_GUILESS_MAIN(TestNormalizer)
#include "test_normalizer.moc"
