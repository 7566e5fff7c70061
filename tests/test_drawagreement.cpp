// The program, the participant's script (tools/verify-draw.py) and the entrants' page (web/src, run
// by Node through web/test/agreement.mjs) are three implementations of one rule. Several hundred generated
// lists, in the shapes real lists take and the shapes a cheat or a hostile nickname gives them, are made
// canonical by both; the program writes the announcement and result files of each, and files of the first
// rule where a list allows one, which the script and the page must accept; every single byte changed in a
// sample of files must be refused by all three; and random texts of combining marks, blanks, jamo and
// look-alikes over all of Unicode 14 must read alike in all three.
#include "core/DrawVerification.h"
#include "core/Unicode14.h"
#include "core/DrawPosts.h"
#include "tests/support/PublicDrawVectors.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <random>
#include <vector>

using namespace tombolix;
using namespace tombolix::publicdraw;
using namespace tombolix::test;

namespace {

const QStringList relays{QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")};

QString fromCode(char32_t code) {
    return QString::fromUcs4(&code, 1);
}

// Code points that make texts hard to read alike, from the rule's own tables and Qt's Unicode 14.
struct Pools {
    std::vector<char32_t> assigned, combining, decomposing, jamo, blank, confusable;
    // Qt 6.4 stops composing after these (its own normalisation is not used, and must not be)
    std::vector<char32_t> qtMiscomposes{0x1109A, 0x1109C, 0x110AB, 0x1112E, 0x1112F, 0x1134B, 0x1134C,
                                        0x114BB, 0x114BC, 0x114BE, 0x115BA, 0x115BB, 0x11938};
    // assigned only after Unicode 14, a lone surrogate, a control character
    std::vector<char32_t> refused{0x1FAE8, 0x1E030, 0x31350, 0xD800, 0xDC00, 0x0001, 0x009F};
    Pools() {
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (!unicode14::usable(c))
                continue;
            assigned.push_back(c);
            if (QChar::combiningClass(c) != 0)
                combining.push_back(c);
            if (QChar::decompositionTag(c) != QChar::NoDecomposition)
                decomposing.push_back(c);
            if ((c >= 0x1100 && c <= 0x11FF) || (c >= 0x3131 && c <= 0x318E) ||
                (c >= 0xA960 && c <= 0xA97C) || (c >= 0xD7B0 && c <= 0xD7FB))
                jamo.push_back(c);
            if (unicode14::blank(c))
                blank.push_back(c);
            if (!unicode14::prototype(c).empty())
                confusable.push_back(c);
        }
    }
};

const Pools &pools() {
    static const Pools made;
    return made;
}

// A text of 1 to 8 code points drawn mostly from the hard pools.
QString randomText(std::mt19937 &random) {
    const Pools &p = pools();
    const auto from = [&random](const std::vector<char32_t> &pool) {
        return pool[std::uniform_int_distribution<size_t>(0, pool.size() - 1)(random)];
    };
    QString text;
    const int length = std::uniform_int_distribution<int>(1, 8)(random);
    for (int i = 0; i < length; ++i) {
        const int which = std::uniform_int_distribution<int>(0, 99)(random);
        const char32_t code = which < 30   ? from(p.combining)
                              : which < 45 ? from(p.decomposing)
                              : which < 55 ? from(p.jamo)
                              : which < 65 ? from(p.blank)
                              : which < 72 ? from(p.qtMiscomposes)
                              : which < 82 ? from(p.confusable)
                              : which < 84 ? from(p.refused)
                              : which < 90 ? char32_t(0xAC00 + from(p.jamo) % 11172)
                                           : from(p.assigned);
        // a lone surrogate stands for itself (QString::fromUcs4 would mend it)
        text += code >= 0xD800 && code <= 0xDFFF ? QString(QChar(char16_t(code))) : fromCode(code);
    }
    return text;
}

// "61 301 1109A": the code points of a text, a lone surrogate as itself.
QString hexOf(const QString &text) {
    QStringList codes;
    unicode14::forEachCodePoint(
        text, [&codes](char32_t code) { codes.append(QString::number(code, 16).toUpper()); });
    return codes.join(u' ');
}

// The draw lists: real names and every shape an entry comes in, equal ones after the rule included.
class ListMaker {
public:
    explicit ListMaker(unsigned seed)
        : m_random(seed) {}

    // Most lists can be drawn from; one in three holds an entry the rule refuses: the same
    // entrant twice, written another way, or a code point no entry may hold.
    QStringList list() {
        const int n = 1 + int(pick(40));
        QStringList entries;
        QSet<QString> canonical;
        while (entries.size() < n) {
            const QString made = entry();
            const QString form = canonicalEntry(made);
            if (canonical.contains(form) || form.isEmpty() || holdsUnusable(made))
                continue;
            canonical.insert(form);
            entries.append(made);
        }
        const QString someone = canonicalEntry(entries.at(int(pick(quint32(entries.size())))));
        switch (pick(15)) {
        case 0: // the same entrant again, written another way
            entries.append(decorate(someone.normalized(QString::NormalizationForm_D)));
            break;
        case 1: // a control character
            entries.append(QStringLiteral("홍\u0001길동"));
            break;
        case 2: // the same entrant again, behind an invisible character or a blank that is neither
            entries.append(someone + QStringList{QStringLiteral("\u2060"), QStringLiteral("\u2800\u2800"),
                                                 QStringLiteral("\U0001D159"), QStringLiteral("\u1680")}
                                         .at(int(pick(4))));
            break;
        case 3: // in full-width letters, or behind a Hangul filler
            entries.append(QString(someone).replace(u'1', QChar(0xFF11)).replace(u'K', QChar(0xFF2B)) +
                           QStringLiteral("\u3164"));
            break;
        case 4: // a character Unicode 14 does not assign
            entries.append(someone + QStringLiteral("\U0001FAE8"));
            break;
        case 5: // blanks inside where one blank stood: the same
            entries.append(QString(someone).replace(u' ', QStringLiteral("\u2002\u00A0 ")) +
                           QStringLiteral(" 2"));
            entries.append(QString(someone).replace(u' ', QStringLiteral(" ")) + QStringLiteral("\u3000 2"));
            break;
        case 6: // a Cyrillic letter for a Latin one, a blank taken out
            entries.append(QStringLiteral("Аlice") + someone);
            entries.append(QStringLiteral("Alice") + QString(someone).remove(u' '));
            break;
        case 7: // longer than any nickname
            entries.append(someone + QString(201, QChar(0xAC00)));
            break;
        default:
            break;
        }
        return entries;
    }
    QString label() {
        static const QStringList labels{tv1Label,
                                        QStringLiteral("쿠폰 10%1장 나눔 %2"),
                                        QStringLiteral("여름 이벤트 ❤️"),
                                        QStringLiteral("🎁 선물  나눔\u00A0"),
                                        QStringLiteral("مسابقة رمضان"),
                                        QStringLiteral("봄 나눔").normalized(QString::NormalizationForm_D),
                                        QStringLiteral("Ｔｏｍｂｏｌｉｘ 추첨")};
        return labels.at(int(pick(quint32(labels.size()))));
    }
    // No prizes most of the time; else the winners split into up to three ranks.
    QList<Prize> prizes(int winners) {
        static const QStringList names{QStringLiteral("치킨"), QStringLiteral("커피 쿠폰"),
                                       QStringLiteral("문화상품권 1만원"), QStringLiteral("🎁 %1")};
        QList<Prize> prizes;
        if (pick(3) != 0)
            return prizes;
        int left = winners;
        while (left > 0 && prizes.size() < 3) {
            const int count = prizes.size() == 2 ? left : 1 + int(pick(quint32(left)));
            prizes.append({count, names.at(int(pick(quint32(names.size()))))});
            left -= count;
        }
        if (left > 0)
            prizes.last().count += left;
        return prizes;
    }
    quint32 pick(quint32 below) { return std::uniform_int_distribution<quint32>(0, below - 1)(m_random); }
    std::mt19937 &random() { return m_random; }

private:
    QString syllable() { return QChar(char16_t(0xAC00 + pick(11172))); }
    QString entry() {
        static const QStringList names{
            QStringLiteral("김철수"),       QStringLiteral("홍길동"),     QStringLiteral("황"),
            QStringLiteral("홍"),           QStringLiteral("이영희"),     QStringLiteral("محمد"),
            QStringLiteral("Kim"),          QStringLiteral("Ａ"),         QStringLiteral("e\u0301"),
            QStringLiteral("ㄱ"),           QStringLiteral("👍🏽"),   QStringLiteral("[ ** ]"),
            QStringLiteral("할인왕%2"),     QStringLiteral("[ *전11* ]"), QStringLiteral("녹는중🫠"),
            QStringLiteral("ﬁé\U0001109Aé")};
        QString text;
        switch (pick(6)) {
        case 0:
            text = names.at(int(pick(quint32(names.size()))));
            break;
        case 1:
            text = syllable() + syllable() + syllable();
            break;
        case 2:
            text = QString(syllable() + syllable()).normalized(QString::NormalizationForm_D);
            break;
        case 3:
            text = syllable() + QString::number(pick(100));
            break;
        case 4: // the list file holds an entry a line
            text = randomText(m_random).replace(u'\n', u' ').replace(u'\r', u' ');
            break;
        default:
            text = names.at(int(pick(quint32(names.size())))) + syllable();
        }
        switch (pick(12)) {
        case 0: // a line separator inside: a blank
            text.insert(text.at(0).isHighSurrogate() ? 2 : 1, QChar(0x2028));
            break;
        case 1:
            text += QStringLiteral("😀");
            break;
        default:
            break;
        }
        return decorate(text);
    }
    // What typing and pasting leave at the ends: trimmed by the rule.
    QString decorate(const QString &text) {
        static const QStringList ends{QString(),
                                      QString(),
                                      QString(),
                                      QStringLiteral("\uFEFF"),
                                      QStringLiteral("\u3000"),
                                      QStringLiteral(" "),
                                      QStringLiteral("\u00A0"),
                                      QStringLiteral("\t"),
                                      QStringLiteral("\u200B"),
                                      QStringLiteral("\u2800\u2800\u2800"),
                                      QStringLiteral("\u2002")};
        return ends.at(int(pick(quint32(ends.size())))) + text + ends.at(int(pick(quint32(ends.size()))));
    }

    std::mt19937 m_random;
};

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every byte changed in turn (two ways): how many changed files `accepts` still takes.
QStringList accepted(const QByteArray &bytes, const std::function<bool(const QString &)> &accepts) {
    QStringList passed;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        for (const int flip : {0x01, 0x80}) {
            QByteArray changed = bytes;
            changed[i] = char(changed.at(i) ^ flip);
            const std::optional<QString> text = decodeDrawFile(changed);
            if (text && accepts(*text))
                passed.append(QString::number(i) + u'^' + QString::number(flip));
        }
    }
    return passed;
}

// The other implementations, each with its own reader of the test's folders and files.
struct Other {
    const char *name;
    QString program;
    QStringList arguments;
};
QList<Other> others() {
    QList<Other> found{{"verify-draw.py",
                        QStandardPaths::findExecutable(QStringLiteral("python3")),
                        {QStringLiteral(TOMBOLIX_SOURCE_DIR "/tests/support/draw_agreement.py"),
                         QStringLiteral(TOMBOLIX_SOURCE_DIR "/tools/verify-draw.py")}}};
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (!node.isEmpty())
        found.append({"the page", node, {QStringLiteral(TOMBOLIX_SOURCE_DIR "/web/test/agreement.mjs")}});
    else
        qWarning("no node on this machine: the page's modules are not compared");
    return found;
}

// An implementation's findings, a line each: a name, then findings separated by "|".
QStringList run(const Other &other, const QStringList &arguments) {
    QProcess script;
    script.start(other.program, other.arguments + arguments);
    if (!script.waitForFinished(1200000) || script.exitCode() != 0) {
        qWarning("%s: %s", other.name, script.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(script.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestDrawAgreement : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsAndFilesAgree();
    void textsAgree();
};

void TestDrawAgreement::initTestCase() {
#ifdef Q_OS_WIN
    QSKIP("the participant's script is run by the Linux build");
#endif
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        QSKIP("no python3 on this machine");
}

void TestDrawAgreement::listsAndFilesAgree() {
    QTemporaryDir cases;
    QVERIFY(cases.isValid());
    ListMaker maker(20261209);
    QHash<QString, QStringList> expected; // what the program finds of each case
    int drawn = 0, mutated = 0, refused = 0, ranked = 0, older = 0;
    const Round round{42, round42Randomness, round42Signature};
    // The files of a draw written, and what the program finds of them.
    const auto writeDraw = [&](const QString &folder, const Announcement &announced, QStringList &findings,
                               const QString &kind) {
        const QByteArray announceBytes = announcementText(announced).toUtf8();
        const QByteArray resultBytes = resultText(decide(announced, round, relays)).toUtf8();
        QVERIFY(writeFile(folder + u'/' + kind + QStringLiteral("announce.txt"), announceBytes));
        QVERIFY(writeFile(folder + u'/' + kind + QStringLiteral("result.txt"), resultBytes));
        // the posts as the site gives them back: its blanks and line ends
        QString post = announcementPost(announced);
        QString posted = resultPost(decide(announced, round, relays));
        if (maker.pick(2) == 0) {
            for (QString *text : {&post, &posted})
                text->replace(u' ', QChar(0x00A0)).replace(u'\n', QStringLiteral(" \r\n\r\n"));
        }
        QVERIFY(writeFile(folder + u'/' + kind + QStringLiteral("post.txt"), post.toUtf8()));
        QVERIFY(writeFile(folder + u'/' + kind + QStringLiteral("resultpost.txt"), posted.toUtf8()));
        const Verified verified = verifyResult(*decodeDrawFile(resultBytes), relays);
        const bool ok = !verified.problem &&
                        !announcementProblem(*decodeDrawFile(announceBytes), announced.terms) &&
                        !announcementProblem(post, announced.terms);
        findings.append(kind + (ok ? QStringLiteral("result ok ") + announcementCode(announced.terms)
                                   : QStringLiteral("result failed")));
        const std::optional<Expected<PostedResult>> read = readResultPost(posted);
        const bool postsOk = read && *read && !verifyPostedResult(**read, post).problem &&
                             !verifyPostedResult(**read, announcementText(announced)).problem;
        findings.append(kind + (postsOk ? QStringLiteral("posts ok") : QStringLiteral("posts failed")));
        if (ok && kind.isEmpty() && ++drawn % 25 == 1 && resultBytes.size() < 3000) {
            QVERIFY(writeFile(folder + QStringLiteral("/mutate"), {}));
            findings.append(QStringLiteral("announce-mutations %1 passed ").arg(announceBytes.size() * 2) +
                            accepted(announceBytes, [](const QString &text) {
                                return bool(parseAnnouncement(text));
                            }).join(u','));
            findings.append(QStringLiteral("result-mutations %1 passed ").arg(resultBytes.size() * 2) +
                            accepted(resultBytes, [](const QString &text) {
                                return !verifyResult(text, relays).problem;
                            }).join(u','));
            ++mutated;
        }
    };
    auto addCase = [&](const QString &name, const QStringList &entries) {
        const QString folder = cases.filePath(name);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + QStringLiteral("/list.txt"), entries.join(u'\n').toUtf8()));
        const CanonicalList list = canonicalList(entries);
        QStringList findings;
        if (!list.ok() || list.entries.isEmpty()) {
            findings.append(list.entries.isEmpty() && list.ok()
                                ? QStringLiteral("list ") + sha256Hex(QByteArray())
                                : QStringLiteral("list refused"));
            refused += list.ok() ? 0 : 1;
            expected.insert(name, findings);
            return;
        }
        findings.append(QStringLiteral("list ") + sha256Hex(canonicalFile(list.entries)));
        const int n = int(list.entries.size());
        const int k = 1 + int(maker.pick(quint32(qMin(n, 5))));
        const int r = int(maker.pick(quint32(qMin(n - k, 3) + 1)));
        const QList<Prize> prizes = maker.prizes(k);
        ranked += prizes.isEmpty() ? 0 : 1;
        const Announcement announced{
            {sha256Hex(canonicalFile(list.entries)), n, k, r, 42, canonicalEntry(maker.label()), prizes},
            list.entries};
        writeDraw(folder, announced, findings, QString());
        // The same list drawn by the first rule, as an older program wrote it: read by that rule
        // whether or not its entries hold (both implementations must say the same).
        if (maker.pick(3) == 0) {
            QStringList v1 = list.entries;
            if (maker.pick(2) == 0)
                v1.append(v1.first() + QStringLiteral("\u2002")); // a blank the first rule kept
            std::sort(v1.begin(), v1.end(),
                      [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
            const Announcement first{
                {sha256Hex(canonicalFile(v1)), int(v1.size()), k, 0, 42, tv1Label, {}, Rule::V1}, v1};
            writeDraw(folder, first, findings, QStringLiteral("v1-"));
            ++older;
        }
        expected.insert(name, findings);
    };
    for (int i = 0; i < 400; ++i)
        addCase(QStringLiteral("case%1").arg(i, 3, 10, QLatin1Char('0')), maker.list());
    // every Hangul syllable in one list
    QStringList syllables;
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c)
        syllables.append(QString(QChar(c)));
    addCase(QStringLiteral("syllables"), syllables);
    // what a cheat or a hostile nickname makes of a list
    const QStringList friends{QStringLiteral("김철수"), QStringLiteral("이영희"), QStringLiteral("박민수")};
    for (int blanks = 1; blanks <= 5; ++blanks)
        addCase(QStringLiteral("braille%1").arg(blanks),
                friends + QStringList{QStringLiteral("홍길동"),
                                      QStringLiteral("홍길동") + QString(blanks, QChar(0x2800))});
    addCase(QStringLiteral("qtmiscomposes"),
            friends + QStringList{QStringLiteral("a\u0301\U0001109Aa\u0301"),
                                  QStringLiteral("fié\U0001109Aé"), QStringLiteral("ﬁé\U0001109Aé")});
    addCase(QStringLiteral("unicode15"), friends + QStringList{QStringLiteral("흔들🫨")});
    addCase(QStringLiteral("unicode14"), friends + QStringList{QStringLiteral("녹는중🫠")});
    QVERIFY2(drawn > 150 && refused > 80 && mutated >= 6 && ranked > 30 && older > 30,
             qPrintable(QStringLiteral("%1 drawn, %2 refused, %3 mutated, %4 ranked, %5 of the first rule")
                            .arg(drawn)
                            .arg(refused)
                            .arg(mutated)
                            .arg(ranked)
                            .arg(older)));

    for (const Other &other : others()) {
        const QStringList lines = run(other, {QStringLiteral("cases"), cases.path()});
        QVERIFY2(lines.size() == expected.size(), other.name);
        for (const QString &line : lines) {
            QStringList findings = line.split(u'|');
            const QString name = findings.takeFirst();
            QVERIFY2(expected.contains(name), qPrintable(line));
            QVERIFY2(findings == expected.value(name),
                     qPrintable(QString::fromLatin1(other.name) + QStringLiteral(": ") + line +
                                QStringLiteral(" / expected ") + expected.value(name).join(u'|')));
        }
    }
}

// Random texts, read by both: whether an entry may hold them, their canonical form and their key,
// by both rules. TOMBOLIX_AGREEMENT_TEXTS sets how many (CI runs a million).
void TestDrawAgreement::textsAgree() {
    const int count = qEnvironmentVariableIsSet("TOMBOLIX_AGREEMENT_TEXTS")
                          ? qEnvironmentVariableIntValue("TOMBOLIX_AGREEMENT_TEXTS")
                          : 50000;
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("texts.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    std::mt19937 random(20261210);
    // the findings that made this necessary, then random texts
    QStringList texts{QStringLiteral("홍길동\u2800\u2800"),
                      QStringLiteral("홍\u2028길동"),
                      QStringLiteral("\u1680홍길동\U0001D159"),
                      QStringLiteral("홍길동\u2002\u2002"),
                      QStringLiteral("a\u0301\U0001109Aa\u0301"),
                      QStringLiteral("ﬁé\U0001109Aé"),
                      QStringLiteral("흔들🫨"),
                      QStringLiteral("녹는중🫠"),
                      QStringLiteral("Аlice"),
                      QString(QChar(0xD83D)),
                      QStringLiteral("뿤ㅋ"),
                      QStringLiteral("뿌ㅋㅋ")};
    while (texts.size() < count)
        texts.append(randomText(random));
    QByteArray lines;
    for (const QString &text : texts) {
        const bool unusable = holdsUnusable(text);
        const QString canonical = unusable ? QString() : canonicalEntry(text);
        const QString key = canonical.isEmpty() ? QString() : lookAlikeKey(canonical);
        const bool unusableV1 = holdsUnusable(text, Rule::V1);
        const QString canonicalV1 = unusableV1 ? QString() : canonicalEntry(text, Rule::V1);
        const QString keyV1 = canonicalV1.isEmpty() ? QString() : lookAlikeKey(canonicalV1, Rule::V1);
        lines += QStringList{hexOf(text), QString::number(int(unusable)),   hexOf(canonical),
                             hexOf(key),  QString::number(int(unusableV1)), hexOf(canonicalV1),
                             hexOf(keyV1)}
                     .join(u'|')
                     .toLatin1() +
                 '\n';
        if (lines.size() > (1 << 20)) {
            QCOMPARE(file.write(lines), lines.size());
            lines.clear();
        }
    }
    QCOMPARE(file.write(lines), lines.size());
    file.close();
    for (const Other &other : others()) {
        const QStringList report = run(other, {QStringLiteral("texts"), file.fileName()});
        QVERIFY2(report == QStringList{QStringLiteral("texts %1 differ 0").arg(count)},
                 qPrintable(QString::fromLatin1(other.name) + QStringLiteral(": ") + report.join(u'\n')));
    }
}

QTEST_GUILESS_MAIN(TestDrawAgreement)
#include "test_drawagreement.moc"
