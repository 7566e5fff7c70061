// The program and the participant's script (tools/verify-draw.py) are two implementations of one
// rule. Several hundred generated lists, in the shapes real lists take, are made canonical by
// both; the program's code writes the announcement and result files of each, which the script
// must accept; and every single byte changed in a sample of files must be refused by both.
#include "core/DrawVerification.h"
#include "publicdraw/Posts.h"
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

using namespace tombolix;
using namespace tombolix::publicdraw;
using namespace tombolix::test;

namespace {

const QStringList relays{QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")};

// The draw lists: real names and every shape an entry comes in, equal ones after the rule included.
class ListMaker {
public:
    explicit ListMaker(unsigned seed)
        : m_random(seed) {}

    // Most lists can be drawn from; one in four holds an entry the rule refuses: the same
    // entrant twice, written another way, or a control character.
    QStringList list() {
        const int n = 1 + int(pick(40));
        QStringList entries;
        QSet<QString> canonical;
        while (entries.size() < n) {
            const QString made = entry();
            if (canonical.contains(canonicalEntry(made)) || canonicalEntry(made).isEmpty())
                continue;
            canonical.insert(canonicalEntry(made));
            entries.append(made);
        }
        const QString someone = canonicalEntry(entries.at(int(pick(quint32(entries.size())))));
        switch (pick(12)) {
        case 0: // the same entrant again, written another way
            entries.append(decorate(someone.normalized(QString::NormalizationForm_D)));
            break;
        case 1: // a control character
            entries.append(QStringLiteral("홍\u0085길동"));
            break;
        case 2: // the same entrant again, behind an invisible character
            entries.append(someone + QChar(0x2060));
            break;
        case 3: // in full-width letters, or behind a Hangul filler
            entries.append(QString(someone).replace(u'1', QChar(0xFF11)).replace(u'K', QChar(0xFF2B)) +
                           QStringLiteral("\u3164"));
            break;
        case 4: // a character Unicode 14 does not assign
            entries.append(someone + QStringLiteral("\U0001FA75"));
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
                                        QStringLiteral("🎁 선물 나눔"),
                                        QStringLiteral("مسابقة رمضان"),
                                        QStringLiteral("봄 나눔").normalized(QString::NormalizationForm_D),
                                        QStringLiteral("Ｔｏｍｂｏｌｉｘ 추첨")};
        return labels.at(int(pick(quint32(labels.size()))));
    }
    quint32 pick(quint32 below) { return std::uniform_int_distribution<quint32>(0, below - 1)(m_random); }

private:
    QString syllable() { return QChar(char16_t(0xAC00 + pick(11172))); }
    QString entry() {
        static const QStringList names{
            QStringLiteral("김철수"),  QStringLiteral("홍길동"),   QStringLiteral("황"),
            QStringLiteral("홍"),      QStringLiteral("이영희"),   QStringLiteral("محمد"),
            QStringLiteral("Kim"),     QStringLiteral("Ａ"),       QStringLiteral("e\u0301"),
            QStringLiteral("ㄱ"),      QStringLiteral("👍🏽"), QStringLiteral("[ ** ]"),
            QStringLiteral("할인왕%2")};
        QString text;
        switch (pick(5)) {
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
        default:
            text = names.at(int(pick(quint32(names.size())))) + syllable();
        }
        switch (pick(12)) {
        case 0:
            text.insert(text.at(0).isHighSurrogate() ? 2 : 1,
                        QChar(0x2028)); // a line separator: not a control character
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
                                      QStringLiteral("\u200B")};
        return ends.at(int(pick(quint32(ends.size())))) + text + ends.at(int(pick(quint32(ends.size()))));
    }

    std::mt19937 m_random;
};

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every byte changed in turn (two ways): how many changed files `accepted` still takes.
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

} // namespace

class TestDrawAgreement : public QObject {
    Q_OBJECT
private slots:
    void bothImplementationsAgree();
};

void TestDrawAgreement::bothImplementationsAgree() {
#ifdef Q_OS_WIN
    QSKIP("the participant's script is run by the Linux build");
#endif
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("no python3 on this machine");
    QTemporaryDir cases;
    QVERIFY(cases.isValid());
    ListMaker maker(20261209);
    QHash<QString, QStringList> expected; // what the program finds of each case
    int drawn = 0;
    int mutated = 0;
    int refused = 0;
    const Round round{42, round42Randomness, round42Signature};
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
        const Announcement announced{{sha256Hex(canonicalFile(list.entries)), n, k, r, 42,
                                      maker.label().normalized(QString::NormalizationForm_C)},
                                     list.entries};
        const QByteArray announceBytes = announcementText(announced).toUtf8();
        const QByteArray resultBytes = resultText(decide(announced, round, relays)).toUtf8();
        QVERIFY(writeFile(folder + QStringLiteral("/announce.txt"), announceBytes));
        QVERIFY(writeFile(folder + QStringLiteral("/result.txt"), resultBytes));
        QVERIFY(writeFile(folder + QStringLiteral("/post.txt"), announcementPost(announced).toUtf8()));
        // the program accepts its own files
        const Verified verified = verifyResult(*decodeDrawFile(resultBytes), relays);
        QVERIFY2(!verified.problem, qPrintable(name + u' ' + verified.problem.value_or(QString())));
        QVERIFY(!announcementProblem(*decodeDrawFile(announceBytes), announced.terms));
        QVERIFY(!announcementProblem(announcementPost(announced), announced.terms));
        findings.append(QStringLiteral("result ok ") + announcementCode(announced.terms));
        ++drawn;
        if (drawn % 25 == 1 && resultBytes.size() < 3000) {
            QVERIFY(writeFile(folder + QStringLiteral("/mutate"), {}));
            QString problem;
            findings.append(QStringLiteral("announce-mutations %1 passed ").arg(announceBytes.size() * 2) +
                            accepted(announceBytes, [&problem](const QString &text) {
                                return bool(parseAnnouncement(text, &problem));
                            }).join(u','));
            findings.append(QStringLiteral("result-mutations %1 passed ").arg(resultBytes.size() * 2) +
                            accepted(resultBytes, [](const QString &text) {
                                return !verifyResult(text, relays).problem;
                            }).join(u','));
            ++mutated;
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
    QVERIFY2(
        drawn > 200 && refused > 80 && mutated >= 8,
        qPrintable(QStringLiteral("%1 drawn, %2 refused, %3 mutated").arg(drawn).arg(refused).arg(mutated)));

    QProcess script;
    script.start(python, {QStringLiteral(TOMBOLIX_SOURCE_DIR "/tests/support/draw_agreement.py"),
                          QStringLiteral(TOMBOLIX_SOURCE_DIR "/tools/verify-draw.py"), cases.path()});
    QVERIFY(script.waitForFinished(240000));
    QCOMPARE(script.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(script.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), expected.size());
    for (const QString &line : lines) {
        QStringList findings = line.split(u'|');
        const QString name = findings.takeFirst();
        QVERIFY2(expected.contains(name), qPrintable(line));
        QVERIFY2(findings == expected.value(name),
                 qPrintable(line + QStringLiteral(" / expected ") + expected.value(name).join(u'|')));
    }
}

QTEST_GUILESS_MAIN(TestDrawAgreement)
#include "test_drawagreement.moc"
