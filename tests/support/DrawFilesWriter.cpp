// Writes the files and posts of a few public draws exactly as the program writes them, for the
// tests of the entrants' page (web/test) and its benchmark, which have no writer of their own:
//     tombolix-drawfiles FOLDER
// Each draw is a folder: list.txt (the canonical list), announce.txt, result.txt, post.txt (the
// announcement post), resultpost.txt; all by drand quicknet's real round 42.
#include "core/DrawFiles.h"
#include "core/DrawPosts.h"
#include "tests/support/PublicDrawVectors.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace tombolix::publicdraw;
using namespace tombolix::test;

namespace {

bool write(const QString &path, const QString &text) {
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// `typed`: the draw list as typed, made canonical by today's rule; `asWritten`, for an older
// program's draw: its entries as that program wrote them (sorted by UTF-8), which today's rule
// may refuse.
bool writeDraw(const QString &folder, const QStringList &typed, const QString &label, int winners,
               int reserves, const QList<Prize> &prizes, Rule rule, const Round &round,
               const QStringList &asWritten = {}) {
    const CanonicalList list = canonicalList(typed);
    if (asWritten.isEmpty() && !list.ok())
        return false;
    const QStringList entries = asWritten.isEmpty() ? list.entries : asWritten;
    const Terms terms{sha256Hex(canonicalFile(entries)),
                      int(entries.size()),
                      winners,
                      reserves,
                      round.number,
                      canonicalEntry(label),
                      prizes,
                      rule};
    const Announcement announced{terms, entries};
    const Result result = decide(announced, round, {QStringLiteral("api.drand.sh")});
    return QDir().mkpath(folder) &&
           write(folder + QStringLiteral("/list.txt"), QString::fromUtf8(canonicalFile(entries))) &&
           write(folder + QStringLiteral("/announce.txt"), announcementText(announced)) &&
           write(folder + QStringLiteral("/result.txt"), resultText(result)) &&
           write(folder + QStringLiteral("/post.txt"), announcementPost(announced)) &&
           write(folder + QStringLiteral("/resultpost.txt"), resultPost(result));
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tombolix-drawfiles FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const Round round42{42, round42Randomness, round42Signature};
    // real names as they are typed and pasted, and a nickname that is mark-up
    const QStringList names{QStringLiteral("김철수"),
                            QStringLiteral("이영희").normalized(QString::NormalizationForm_D),
                            QStringLiteral("박민수 "),
                            QStringLiteral("홍길동"),
                            QStringLiteral("황"),
                            QStringLiteral("홍"),
                            QStringLiteral("최지우\u00A0"),
                            QStringLiteral("정하늘"),
                            QStringLiteral("<img src=x onerror=alert(1)>"),
                            QStringLiteral("[ ** ]"),
                            QStringLiteral("할인왕  99"),
                            QStringLiteral("Kim Minji"),
                            QStringLiteral("녹는중🫠")};
    const QList<Prize> prizes{{1, QStringLiteral("치킨")}, {2, QStringLiteral("커피 쿠폰")}};
    QStringList full;
    for (int i = 1; i <= maxEntries; ++i)
        full.append(QStringLiteral("참가자 %1").arg(i));
    // a signature that is a point of the curve (G1's generator) but signs nothing
    const QString madeUp =
        QStringLiteral("97f1d3a73197d7942695638c4fa9ac0fc3688c4f9774b905a14e3a3f171bac586c55e83ff9"
                       "7a1aeffb3af00adb22c6bb");
    const Round madeUpRound{
        42,
        QString::fromLatin1(
            QCryptographicHash::hash(QByteArray::fromHex(madeUp.toLatin1()), QCryptographicHash::Sha256)
                .toHex()),
        madeUp};
    const bool ok =
        writeDraw(folder + QStringLiteral("/honest"), names, QStringLiteral("2026 봄 나눔 <b>이벤트</b>"), 3,
                  2, prizes, Rule::V2, round42) &&
        writeDraw(folder + QStringLiteral("/plain"), names.mid(0, 8), tv1Label, 2, 1, {}, Rule::V2,
                  round42) &&
        writeDraw(folder + QStringLiteral("/first-rule"), names.mid(0, 8), tv1Label, 2, 0, {}, Rule::V1,
                  round42) &&
        // an older program's draw whose list today's rule reads as one person three times
        writeDraw(folder + QStringLiteral("/first-rule-alike"), {}, tv1Label, 2, 1, {}, Rule::V1, round42,
                  {QStringLiteral("김철수"), QStringLiteral("박민수"), QStringLiteral("홍길동"),
                   QStringLiteral("홍길동\u2800"), QStringLiteral("홍길동\u2800\u2800")}) &&
        writeDraw(folder + QStringLiteral("/made-up"), names, tv1Label, 3, 2, {}, Rule::V2, madeUpRound) &&
        writeDraw(folder + QStringLiteral("/full"), full, QStringLiteral("3만 명 나눔"), 100, 10, {},
                  Rule::V2, round42);
    if (!ok) {
        std::fprintf(stderr, "tombolix-drawfiles: could not write the draws in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
