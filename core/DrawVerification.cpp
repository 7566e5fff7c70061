#include "core/DrawVerification.h"

#include "core/BeaconSignature.h"
#include "core/Beside.h"
#include "core/DrawFileReader.h"
#include "core/DrawPosts.h"

#include <QRegularExpression>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace tombolix::publicdraw {

using namespace files;

Verified verifyResult(const QString &text, const QStringList &relayNames) {
    const Expected<SplitFile> file = splitFile(text);
    if (!file)
        return {std::nullopt, file.problem()};
    return verifyResult(*file, relayNames);
}

namespace {

// The round's BLS check costs as much as reading a long list. For a long one it starts at once,
// from the header's own round and signature lines, on a thread of its own, and is waited for
// where it is needed; a round or signature that turns out other than it was started with is
// checked there and then.
class SignatureCheck {
public:
    explicit SignatureCheck(const SplitFile &file) {
        if (file.list.size() < 1024)
            return;
        QString round;
        for (const FileLine &line : file.header) {
            if (line.key == QStringLiteral("round"))
                round = line.value;
            else if (line.key == QStringLiteral("signature"))
                m_signature = QByteArray::fromHex(line.value.toLatin1());
        }
        m_round = round.toLongLong();
        if (m_round >= 1 && m_signature.size() == 48)
            m_valid.emplace(
                [round = m_round, signature = m_signature] { return roundSignatureValid(round, signature); });
    }

    bool valid(qint64 round, const QByteArray &signature) {
        if (!m_valid || round != m_round || signature != m_signature)
            return roundSignatureValid(round, signature);
        return m_valid->get();
    }

private:
    qint64 m_round = 0;
    QByteArray m_signature;
    std::optional<Beside<bool>> m_valid;
};

} // namespace

Verified verifyResult(const SplitFile &file, const QStringList &relayNames) {
    SignatureCheck signatureCheck(file);
    QString problem;
    HeaderReader header(file, &problem);
    std::optional<QString> randomness;
    int randomnessLine = 0;
    const std::optional<Announcement> announced = readAnnounced(file, header, [&] {
        randomness = header.hex(QStringLiteral("randomness"), 64);
        randomnessLine = header.failed() ? 0 : header.lineNumber();
    });
    if (!announced)
        return {std::nullopt, problem};
    const Terms &terms = announced->terms;
    const std::optional<QString> signature = header.hex(QStringLiteral("signature"), 96);
    const int signatureLine = header.failed() ? 0 : header.lineNumber();
    const std::optional<QString> relays = header.next(QStringLiteral("relays"));
    const int relaysLine = header.failed() ? 0 : header.lineNumber();
    const std::optional<QString> seedHex = header.hex(QStringLiteral("seed"), 64);
    const int seedLine = header.failed() ? 0 : header.lineNumber();
    if (header.failed())
        return {std::nullopt, problem};

    // As many winner and reserve lines as the file says.
    const auto lines = [&](const QString &prefix) {
        return int(std::count_if(file.header.cbegin(), file.header.cend(),
                                 [&prefix](const FileLine &line) { return line.key.startsWith(prefix); }));
    };
    const int winnerLines = lines(QStringLiteral("winner."));
    if (winnerLines != terms.winners)
        return {std::nullopt,
                atLine(4, QStringLiteral("winners=%1인데 당첨자 줄은 %2개입니다.")
                              .arg(QString::number(terms.winners), QString::number(winnerLines)))};
    const int reserveLines = lines(QStringLiteral("reserve."));
    if (reserveLines != terms.reserves)
        return {std::nullopt,
                atLine(5, QStringLiteral("reserves=%1인데 예비 당첨자 줄은 %2개입니다.")
                              .arg(QString::number(terms.reserves), QString::number(reserveLines)))};

    Result result{*announced, {terms.round, *randomness, *signature}, relays->split(u','), {}};
    if (sha256Hex(QByteArray::fromHex(signature->toLatin1())) != *randomness)
        return {
            result,
            atLine(
                randomnessLine,
                QStringLiteral("randomness가 %1번째 줄 signature의 SHA-256과 다릅니다.").arg(signatureLine))};
    const QSet<QString> known(relayNames.cbegin(), relayNames.cend());
    const bool pasted = result.relays == QStringList{QString::fromLatin1(pastedRound)};
    if (!pasted && std::any_of(result.relays.cbegin(), result.relays.cend(),
                               [&known](const QString &name) { return !known.contains(name); }))
        return {result, atLine(relaysLine, QStringLiteral("알 수 없는 공개 난수 서버가 있습니다."))};
    const QByteArray expectedSeed = seed(terms, *randomness);
    if (*seedHex != QString::fromLatin1(expectedSeed.toHex()))
        return {result, atLine(seedLine, QStringLiteral("seed가 1–") +
                                             QString::number(randomnessLine + 1 + terms.prizes.size()) +
                                             QStringLiteral("번째 줄로 계산한 값(") +
                                             QString::fromLatin1(expectedSeed.toHex()) +
                                             QStringLiteral(")과 다릅니다."))};

    // Every winner and reserve, as the rule draws them.
    result.tickets = drawTickets(expectedSeed, terms.count, terms.winners, terms.reserves);
    const QStringList expected = drawnLines(terms, result.tickets, announced->list);
    for (const QString &line : expected) {
        const qsizetype equals = line.indexOf(u'=');
        const std::optional<QString> value = header.next(line.left(equals));
        if (!value)
            return {result, problem};
        if (*value != line.mid(equals + 1))
            return {result, atLine(header.lineNumber(), QStringLiteral("규칙으로 계산한 값은 '") +
                                                            QString(line).replace(u'\t', u' ') +
                                                            QStringLiteral("'입니다."))};
    }
    if (!header.atEnd())
        return {result, atLine(header.nextLineNumber(), QStringLiteral("결과 파일에 없어야 할 줄입니다."))};
    // Last, as the dearest check: the round is drand's own.
    if (!signatureCheck.valid(terms.round, QByteArray::fromHex(signature->toLatin1())))
        return {result, atLine(signatureLine, signatureRefused(terms.round))};
    return {result, std::nullopt};
}

namespace {

const QString notAnnounced = QStringLiteral("이 결과는 예고한 추첨이 아닙니다. ");

// Whether an announcement's terms are the result's; if not, which differ.
std::optional<QString> termsDiffer(const Terms &then, const Terms &terms) {
    if (announcementCode(then) == announcementCode(terms))
        return std::nullopt;
    QStringList differs;
    const auto compare = [&differs](const QString &what, const QString &announced, const QString &drawn) {
        if (announced != drawn)
            differs.append(what + QStringLiteral("(예고: ") + announced + QStringLiteral(", 결과: ") + drawn +
                           u')');
    };
    compare(QStringLiteral("추첨 이름"), then.label, terms.label);
    compare(QStringLiteral("참가자 목록의 SHA-256"), then.listSha256, terms.listSha256);
    compare(QStringLiteral("참가자 수"), QString::number(then.count), QString::number(terms.count));
    compare(QStringLiteral("당첨자 수"), QString::number(then.winners), QString::number(terms.winners));
    compare(QStringLiteral("예비 당첨자 수"), QString::number(then.reserves),
            QString::number(terms.reserves));
    compare(QStringLiteral("라운드"), QString::number(then.round), QString::number(terms.round));
    compare(QStringLiteral("등수별 당첨자"), prizesText(then), prizesText(terms));
    compare(QStringLiteral("규칙"), ruleName(then.rule), ruleName(terms.rule));
    return notAnnounced + QStringLiteral("예고와 다른 값: ") + differs.join(QStringLiteral(", "));
}

// The codes a text shows besides the list's SHA-256 and the chain's hash, read as people read it
// (NFKC, invisible characters taken out), so that no second code hides in full-width digits or
// behind a zero-width space; the lines of a posted list are entries, not codes.
QSet<QString> codesIn(const QString &text, const Terms &terms, qsizetype listFrom = -1,
                      qsizetype listTo = -1) {
    static const QRegularExpression digits64(
        QStringLiteral("(?<![0-9A-Fa-f])[0-9A-Fa-f]{64}(?![0-9A-Fa-f])"));
    const QString read = asShown(listFrom < 0 ? text : text.left(listFrom) + u'\n' + text.mid(listTo));
    QSet<QString> codes;
    for (QRegularExpressionMatchIterator it = digits64.globalMatch(read); it.hasNext();) {
        const QString value = it.next().captured().toLower();
        if (value != terms.listSha256 && value != chainHash())
            codes.insert(value);
    }
    return codes;
}

QString severalCodes(qsizetype count) {
    return notAnnounced +
           QStringLiteral(
               "예고문에 예고 코드로 보이는 값이 %1개 있어, 어느 추첨을 예고했는지 알 수 없습니다.")
               .arg(count);
}

} // namespace

std::optional<QString> announcementProblem(const QString &announcement, const Terms &terms,
                                           const Announcement *checked) {
    const QString code = announcementCode(terms);
    if (const Expected<SplitFile> split = splitFile(announcement)) {
        // An announcement file: its terms, whether or not it carries the code.
        const Expected<Announcement> file = readAnnouncement(*split, checked);
        if (!file)
            return QStringLiteral("예고 파일이 올바르지 않습니다. ") + file.problem();
        return termsDiffer(file->terms, terms);
    }
    if (codePoints(announcement) > maxPostLength)
        return tooLongForAPost();
    if (const std::optional<Expected<PostedAnnouncement>> post = readAnnouncementPost(announcement)) {
        // Today's post: its terms a line each, and perhaps its list. Nothing else in it may name
        // another draw.
        if (!*post)
            return post->problem();
        if (const std::optional<QString> differs = termsDiffer((*post)->terms, terms))
            return differs;
        QSet<QString> codes = codesIn(announcement, terms, (*post)->listFrom, (*post)->listTo);
        codes.remove(code);
        if (!codes.isEmpty())
            return severalCodes(codes.size() + 1);
        return std::nullopt;
    }
    // An older post, or any text: the code must stand in it, and no other code beside it (an
    // organiser who announced several could keep whichever the round favours).
    const QSet<QString> codes = codesIn(announcement, terms);
    if (!codes.contains(code))
        return notAnnounced + QStringLiteral("예고문에 이 결과의 예고 코드(") + code +
               QStringLiteral(")가 없습니다.");
    if (codes.size() > 1)
        return severalCodes(codes.size());
    return std::nullopt;
}

std::optional<QString> postedResultProblem(const PostedResult &posted, const Announcement &announced) {
    const Terms &terms = announced.terms;
    if (posted.code != announcementCode(terms))
        return notAnnounced + QStringLiteral("결과문의 예고 코드(") + posted.code +
               QStringLiteral(")가 예고의 예고 코드(") + announcementCode(terms) +
               QStringLiteral(")와 다릅니다.");
    if (posted.round != terms.round)
        return QStringLiteral("결과문의 라운드(%1)가 예고한 라운드(%2)가 아닙니다.")
            .arg(QString::number(posted.round), QString::number(terms.round));
    const Round round{terms.round, sha256Hex(QByteArray::fromHex(posted.signature.toLatin1())),
                      posted.signature};
    if (!roundSignatureValid(round.number, QByteArray::fromHex(round.signature.toLatin1())))
        return signatureRefused(round.number);
    const PostedResult drawn = postedResult(decide(announced, round, {}));
    const auto compare = [](const QString &who, const QList<PostedTicket> &said,
                            const QList<PostedTicket> &rule) -> std::optional<QString> {
        for (qsizetype i = 0; i < qMax(said.size(), rule.size()); ++i) {
            if (i < said.size() && i < rule.size() && said.at(i) == rule.at(i))
                continue;
            if (i >= rule.size())
                return QStringLiteral("결과문에 ") + who +
                       QStringLiteral("이(가) 규칙으로 뽑힌 수보다 많습니다.");
            const PostedTicket &t = rule.at(i);
            return QStringLiteral("결과문의 ") + who + u' ' + QString::number(i + 1) +
                   QStringLiteral("번째가 규칙으로 계산한 값('") + QString::number(i + 1) +
                   QStringLiteral(". ") + t.entry + QStringLiteral(" (추첨 번호 ") +
                   QString::number(t.ticket) +
                   (t.rank.isEmpty() ? QString() : QStringLiteral(", ") + t.rank) +
                   QStringLiteral(")')과 다릅니다.");
        }
        return std::nullopt;
    };
    if (const std::optional<QString> wrong = compare(QStringLiteral("당첨자"), posted.winners, drawn.winners))
        return wrong;
    return compare(QStringLiteral("예비 당첨자"), posted.reserves, drawn.reserves);
}

Verified verifyPostedResult(const PostedResult &posted, const QString &announcement) {
    std::optional<Announcement> announced;
    if (const Expected<SplitFile> split = splitFile(announcement)) {
        const Expected<Announcement> file = readAnnouncement(*split);
        if (!file)
            return {std::nullopt, QStringLiteral("예고 파일이 올바르지 않습니다. ") + file.problem()};
        announced = *file;
    } else if (const std::optional<Expected<PostedAnnouncement>> post = readAnnouncementPost(announcement)) {
        if (!*post)
            return {std::nullopt, post->problem()};
        if ((*post)->list)
            announced = Announcement{(*post)->terms, *(*post)->list};
    }
    if (!announced)
        return {std::nullopt,
                QStringLiteral("결과문만으로 확인하려면 참가자 목록이 있는 예고(예고문이나 예고 파일)가 "
                               "필요합니다.")};
    if (const std::optional<QString> problem = postedResultProblem(posted, *announced))
        return {std::nullopt, problem};
    const Round round{posted.round, sha256Hex(QByteArray::fromHex(posted.signature.toLatin1())),
                      posted.signature};
    return {decide(*announced, round, {}), std::nullopt};
}

QList<QStringList> readAlikeToday(const Announcement &announced) {
    QList<QStringList> groups;
    if (announced.terms.rule == currentRule)
        return groups;
    QHash<QString, qsizetype> groupOfKey;
    for (const QString &entry : announced.list) {
        const QString canonical = holdsUnusable(entry) ? entry : canonicalEntry(entry);
        const QString key = canonical.isEmpty() ? entry : lookAlikeKey(canonical);
        const auto group = groupOfKey.constFind(key);
        if (group == groupOfKey.cend()) {
            groupOfKey.insert(key, groups.size());
            groups.append({entry});
        } else {
            groups[*group].append(entry);
        }
    }
    groups.removeIf([](const QStringList &group) { return group.size() < 2; });
    return groups;
}

QString readAlikeTodayText(const QList<QStringList> &groups) {
    QStringList named;
    for (const QStringList &group : groups.mid(0, 5)) {
        QStringList quoted;
        for (const QString &entry : group)
            quoted.append(u'"' + plainly(entry) + u'"');
        named.append(quoted.join(QStringLiteral(", ")));
    }
    return QStringLiteral(
               "이 결과는 예전 규칙(tombolix-draw-v1)으로 만들어졌고 그 규칙대로 뽑혔습니다. 그러나 목록에 "
               "지금 "
               "규칙으로는 한 사람으로 보는 항목이 있어, 한 사람이 여러 번 들어갔을 수 있습니다: ") +
           named.join(QStringLiteral(" / ")) +
           (groups.size() > 5 ? QStringLiteral(" 외 %1묶음").arg(groups.size() - 5) : QString());
}

QString postedBeforeRound(const Terms &terms) {
    return QStringLiteral(
               "※라운드 %1은(는) %2(한국 시간)에 공개되었습니다. 예고문이 그보다 먼저 게시되었고 그 뒤에 "
               "고쳐지지 않았는지 게시글에서 꼭 확인하세요. 그 뒤에 올린 예고라면 진행자가 당첨자를 고를 수 "
               "있었습니다.")
        .arg(QString::number(terms.round), koreanTime(roundTime(terms.round)));
}

QStringList termsLines(const Terms &terms) {
    QStringList lines{QStringLiteral("추첨 이름 : ") + terms.label,
                      QStringLiteral("예고 코드(announcement_sha256) : ") + announcementCode(terms),
                      QStringLiteral("참가자 목록의 SHA-256 : ") + terms.listSha256,
                      QStringLiteral("참가자 %1명, 당첨자 %2명, 예비 당첨자 %3명")
                          .arg(QString::number(terms.count), QString::number(terms.winners),
                               QString::number(terms.reserves)),
                      QStringLiteral("공개 난수 : drand quicknet 라운드 %1 (%2, 한국 시간)")
                          .arg(QString::number(terms.round), koreanTime(roundTime(terms.round)))};
    if (!terms.prizes.isEmpty())
        lines.append(QStringLiteral("등수별 당첨자 : ") + prizesText(terms));
    return lines;
}

QString prizesText(const Terms &terms) {
    QStringList ranks;
    for (int i = 0; i < terms.prizes.size(); ++i)
        ranks.append(QString::number(i + 1) + QStringLiteral("등 ") +
                     QString::number(terms.prizes.at(i).count) + QStringLiteral("명 ") +
                     terms.prizes.at(i).name);
    return ranks.isEmpty() ? QStringLiteral("없음") : ranks.join(QStringLiteral(", "));
}

} // namespace tombolix::publicdraw
