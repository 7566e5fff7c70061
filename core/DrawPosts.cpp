#include "core/DrawPosts.h"

#include "core/DrawFileReader.h"
#include "core/DrawVerification.h"
#include "core/Text.h"

#include <QRegularExpression>

namespace tombolix::publicdraw {

namespace {

const QString announcementTitle = QStringLiteral("[Tombolix 공개 추첨 예고]");
const QString resultTitle = QStringLiteral("[Tombolix 공개 추첨 결과]");
const QString ruleKey = QStringLiteral("규칙 : ");
const QString labelKey = QStringLiteral("추첨 이름 : ");
const QString countKey = QStringLiteral("참가자 : ");
const QString winnersKey = QStringLiteral("당첨자 : ");
const QString reservesKey = QStringLiteral("예비 당첨자 : ");
const QString listShaKey = QStringLiteral("참가자 목록의 SHA-256 : ");
const QString roundKey = QStringLiteral("공개 난수 : drand quicknet 라운드 ");
const QString codeKey = QStringLiteral("예고 코드(announcement_sha256) : ");
const QString signatureKey = QStringLiteral("라운드의 서명(signature) : ");
const QString listEnd = QStringLiteral("목록 끝");
const QString winnersHeading = QStringLiteral("당첨자");
const QString reservesHeading = QStringLiteral("예비 당첨자 (당첨자와 연락되지 않을 때 차례로)");

QString listHeading(int count) {
    return QStringLiteral("참가자 목록 (") + QString::number(count) + QStringLiteral("명, 추첨 번호 순)");
}

QString roundLine(qint64 round) {
    return roundKey + QString::number(round) + QStringLiteral(" (") + koreanTime(roundTime(round)) +
           QStringLiteral(", 한국 시간에 공개)");
}

QString phoneSentence(const QString &what) {
    return QStringLiteral("휴대폰에서 확인하는 법 : 진행자가 함께 올린 Tombolix 검증 "
                          "페이지(tombolix-verify.html)를 열고 ") +
           what + QStringLiteral(" 붙여넣으면, 설치도 인터넷 연결도 없이 바로 확인됩니다.\n");
}

// "1. 홍길동 (추첨 번호 3)" for each ticket, in order; with prizes, each winner's rank after it
// ("1. 홍길동 (추첨 번호 3, 1등 치킨)").
QString ticketLines(const QList<PostedTicket> &tickets) {
    QString text;
    for (int i = 0; i < tickets.size(); ++i) {
        const PostedTicket &t = tickets.at(i);
        text += QString::number(i + 1) + QStringLiteral(". ") + t.entry + QStringLiteral(" (추첨 번호 ") +
                QString::number(t.ticket) + (t.rank.isEmpty() ? QString() : QStringLiteral(", ") + t.rank) +
                QStringLiteral(")\n");
    }
    return text;
}

// Where line breaks (CR LF, CR or LF) stand: the line a place of the text is on, and its ends.
qsizetype lineStart(QStringView text, qsizetype at) {
    while (at > 0 && text.at(at - 1) != u'\n' && text.at(at - 1) != u'\r')
        --at;
    return at;
}
qsizetype lineEnd(QStringView text, qsizetype at) {
    while (at < text.size() && text.at(at) != u'\n' && text.at(at) != u'\r')
        ++at;
    return at;
}
qsizetype nextLine(QStringView text, qsizetype end) {
    if (end >= text.size())
        return end;
    if (text.at(end) == u'\r')
        return end + 1 < text.size() && text.at(end + 1) == u'\n' ? end + 2 : end + 1;
    return end + 1;
}
int lineNumberAt(QStringView text, qsizetype at) {
    const QStringView before = text.left(at);
    return int(before.count(u'\n') + before.count(u'\r') - before.count(u"\r\n")) + 1;
}

// A post's lines read in turn from a place in its text, each made canonical as entries are and
// the empty ones passed over; the first problem found is kept, naming its line. Lines are read
// only as far as the reading goes, so a text of millions of lines costs what it is read for.
class PostReader {
public:
    PostReader(QStringView text, qsizetype from)
        : m_text(text)
        , m_at(from)
        , m_number(lineNumberAt(text, from)) {}

    bool failed() const { return !m_problem.isEmpty(); }
    const QString &problem() const { return m_problem; }
    // The line last read, and where the text after it begins.
    int lineNumber() const { return m_last; }
    qsizetype position() const { return m_at; }
    bool atEnd() { return !peek(); }
    // The next line's text, if it begins so.
    std::optional<QString> nextIf(const QString &begins) {
        if (failed() || !peek() || !m_peeked->text.startsWith(begins))
            return std::nullopt;
        m_last = m_peeked->number;
        m_at = m_peeked->next;
        m_number = m_peeked->number + 1;
        const QString value = m_peeked->text.mid(begins.size());
        m_peeked.reset();
        return value;
    }
    // The same, when it must.
    std::optional<QString> next(const QString &begins) {
        if (failed())
            return std::nullopt;
        if (std::optional<QString> value = nextIf(begins))
            return value;
        return fail(peek() ? m_peeked->number : m_last,
                    u'\'' + begins.trimmed() + QStringLiteral("' 줄이 있어야 합니다."));
    }
    // Past every line up to the next that reads `line`, which is read; false when none does. Only
    // the lines that hold `within` are made canonical on the way.
    bool skipTo(const QString &line, const QString &within) {
        m_peeked.reset();
        for (qsizetype at = m_text.indexOf(within, m_at); at >= 0; at = m_text.indexOf(within, at + 1)) {
            const qsizetype start = lineStart(m_text, at);
            const qsizetype end = lineEnd(m_text, at);
            if (canonicalEntry(m_text.mid(start, end - start).toString()) != line)
                continue;
            m_number += lineNumberAt(m_text.mid(m_at), start - m_at) - 1;
            m_last = m_number;
            m_at = nextLine(m_text, end);
            ++m_number;
            m_listFrom = start;
            return true;
        }
        return false;
    }
    qsizetype skippedTo() const { return m_listFrom; }
    // "12명" and the like: a number and its unit; or, with no unit, a number the line goes on
    // from after a blank ("42 (2023-08-24 00:11:30, 한국 시간에 공개)").
    std::optional<qint64> number(const QString &begins, const QString &unit) {
        const std::optional<QString> value = next(begins);
        if (!value)
            return std::nullopt;
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,19}$"));
        QString number = value->endsWith(unit) ? value->chopped(unit.size()) : QString();
        if (unit.isEmpty())
            number = value->section(u' ', 0, 0);
        if (!digits.match(number).hasMatch() || QString::number(number.toLongLong()) != number)
            return fail<qint64>(lineNumber(),
                                begins.trimmed() + QStringLiteral("의 수가 올바르지 않습니다."));
        return number.toLongLong();
    }
    std::optional<QString> hex(const QString &begins, int digits, const QString &what) {
        const std::optional<QString> value = next(begins);
        if (!value)
            return std::nullopt;
        const QString lower = value->left(digits).toLower();
        if (!isLowerHex(lower, digits) || (value->size() > digits && value->at(digits) != u' '))
            return fail(lineNumber(), what + QStringLiteral("이(가) 16진수 %1자리가 아닙니다.").arg(digits));
        return lower;
    }
    template <typename T = QString> std::optional<T> fail(int line, const QString &what) {
        if (!failed())
            m_problem = files::atLine(line, what);
        return std::nullopt;
    }

private:
    struct Line {
        int number;
        QString text;
        qsizetype next; // where the line after it begins
    };
    // The next line that is not empty once made canonical.
    const std::optional<Line> &peek() {
        qsizetype at = m_at;
        int number = m_number;
        while (!m_peeked && at < m_text.size()) {
            const qsizetype end = lineEnd(m_text, at);
            QString text = canonicalEntry(m_text.mid(at, end - at).toString());
            const qsizetype next = nextLine(m_text, end);
            if (!text.isEmpty())
                m_peeked = Line{number, std::move(text), next};
            at = next;
            ++number;
        }
        return m_peeked;
    }

    QStringView m_text;
    qsizetype m_at;
    int m_number;
    int m_last = 1;
    qsizetype m_listFrom = -1;
    std::optional<Line> m_peeked;
    QString m_problem;
};

// Where the one line that reads as beginning with `title` starts: nullopt when none does, -1 when
// several do. Only lines holding "[Tombolix" are made canonical.
std::optional<qsizetype> titleAt(QStringView text, const QString &title) {
    std::optional<qsizetype> found;
    qsizetype lastLine = -1;
    for (qsizetype at = text.indexOf(u"[Tombolix"); at >= 0; at = text.indexOf(u"[Tombolix", at + 1)) {
        const qsizetype start = lineStart(text, at);
        if (start == lastLine)
            continue;
        lastLine = start;
        if (!canonicalEntry(text.mid(start, lineEnd(text, at) - start).toString()).startsWith(title))
            continue;
        if (found)
            return -1;
        found = start;
    }
    return found;
}

// "1. 김철수": entry n of the list.
std::optional<QStringList> readList(PostReader &post, int count, QList<int> *lineNumbers) {
    QStringList list;
    while (!post.failed() && !post.nextIf(listEnd)) {
        if (post.atEnd())
            return post.fail<QStringList>(post.lineNumber(), QStringLiteral("'목록 끝' 줄이 없습니다. 목록이 "
                                                                            "잘렸습니다."));
        const QString number = QString::number(list.size() + 1) + QStringLiteral(". ");
        const std::optional<QString> entry = post.next(number);
        if (!entry)
            return std::nullopt;
        if (list.size() >= count)
            return post.fail<QStringList>(post.lineNumber(),
                                          QStringLiteral("목록의 항목이 참가자 수보다 많습니다."));
        list.append(*entry);
        lineNumbers->append(post.lineNumber());
    }
    if (post.failed())
        return std::nullopt;
    return list;
}

} // namespace

QString tooLongForAPost() {
    return QStringLiteral("게시글로 보기에는 너무 깁니다(%1자 넘게). 게시글의 예고문이나 결과문이 아닙니다.")
        .arg(maxPostLength);
}

QString announcementPost(const Announcement &announced, const QStringList &madeBy) {
    const Terms &t = announced.terms;
    QString text = announcementTitle + u' ' + t.label + QStringLiteral("\n\n") + ruleKey + ruleName(t.rule) +
                   u'\n' + labelKey + t.label + u'\n' + countKey + QString::number(t.count) +
                   QStringLiteral("명\n") + winnersKey + QString::number(t.winners) + QStringLiteral("명\n") +
                   reservesKey + QString::number(t.reserves) + QStringLiteral("명\n");
    for (int i = 0; i < t.prizes.size(); ++i)
        text += QString::number(i + 1) + QStringLiteral("등 : ") + QString::number(t.prizes.at(i).count) +
                QStringLiteral("명 ") + t.prizes.at(i).name + u'\n';
    const QString round = QString::number(t.round);
    text += listShaKey + t.listSha256 + u'\n' + roundLine(t.round) + u'\n' +
            QStringLiteral("https://api.drand.sh/") + chainHash() + QStringLiteral("/public/") + round +
            u'\n' + codeKey + announcementCode(t) + QStringLiteral("\n\n") +
            QStringLiteral("당첨자는 이 목록과 그 라운드의 난수로 정해진 규칙(") + ruleName(t.rule) +
            QStringLiteral(")에 따라 뽑히므로, 누구나 다시 계산해 같은 결과를 얻을 수 있습니다.\n") +
            QStringLiteral(
                "이 글이 라운드 %1의 공개 시각(%2, 한국 시간) 전에 쓰였는지 꼭 확인하세요. 그 뒤에 쓰이거나 "
                "고쳐진 예고로는 공정함을 확인할 수 없습니다.\n")
                .arg(round, koreanTime(roundTime(t.round))) +
            phoneSentence(QStringLiteral("이 예고문을(추첨 뒤에는 결과문도)")) +
            QStringLiteral(
                "PC에서는 Tombolix의 \"추첨 결과 검증…\"이나 verify-draw.py(--announcement)로 확인할 수 "
                "있습니다.\n");
    if (!madeBy.isEmpty())
        text += QStringLiteral("\n이 목록을 만든 방법 (진행자가 적은 것으로, 파일로는 증명되지 않습니다)\n") +
                madeBy.join(u'\n') + u'\n';
    if (announced.list.size() > maxListedEntries)
        return text + QStringLiteral("\n참가자 목록은 %1명이라 이 글에 싣지 않았습니다. 함께 올린 예고 "
                                     "파일(…_Tombolix_Announce.txt)에 있습니다.\n")
                          .arg(announced.list.size());
    text += u'\n' + listHeading(int(announced.list.size())) + u'\n';
    for (int i = 0; i < announced.list.size(); ++i)
        text += QString::number(i + 1) + QStringLiteral(". ") + announced.list.at(i) + u'\n';
    return text + listEnd + u'\n';
}

PostedResult postedResult(const Result &result) {
    const Terms &t = result.announcement.terms;
    const QList<int> ranks = winnerRanks(t);
    PostedResult posted{announcementCode(t), t.round, result.round.signature, {}, {}};
    for (int i = 0; i < result.tickets.winners.size(); ++i) {
        const int ticket = result.tickets.winners.at(i);
        posted.winners.append({ticket, result.announcement.list.at(ticket - 1),
                               t.prizes.isEmpty() ? QString() : rankName(t, ranks.at(i))});
    }
    for (const int ticket : result.tickets.reserves)
        posted.reserves.append({ticket, result.announcement.list.at(ticket - 1), {}});
    return posted;
}

QString resultPost(const Result &result) {
    const Terms &t = result.announcement.terms;
    const PostedResult posted = postedResult(result);
    QString text = resultTitle + u' ' + t.label + QStringLiteral("\n\n") + winnersHeading + u'\n' +
                   ticketLines(posted.winners);
    if (!posted.reserves.isEmpty())
        text += u'\n' + reservesHeading + u'\n' + ticketLines(posted.reserves);
    text += u'\n' + codeKey + posted.code + u'\n' + listShaKey + t.listSha256 +
            QStringLiteral(" (참가자 %1명)\n").arg(t.count) + roundLine(t.round) + u'\n' + signatureKey +
            posted.signature + u'\n';
    if (result.relays == QStringList{QString::fromLatin1(pastedRound)})
        text += QStringLiteral("※공개 난수 서버에 접속할 수 없어, 다른 곳에서 받은 라운드 정보를 붙여넣어 "
                               "추첨했습니다.\n");
    return text + u'\n' +
           QStringLiteral(
               "확인하는 법 : 위의 예고 코드가 추첨 전에 올린 예고문에 있는지 보시고, 이 결과문이나 함께 "
               "올린 결과 파일을 예고문과 함께 Tombolix의 \"추첨 결과 검증…\"이나 "
               "verify-draw.py(--announcement)로 확인하세요. 추첨 번호는 예고한 참가자 목록에서 몇 번째 "
               "항목인지입니다.\n") +
           phoneSentence(QStringLiteral("예고문과 이 결과문을"));
}

std::optional<Expected<PostedAnnouncement>> readAnnouncementPost(const QString &text) {
    if (codePoints(text) > maxPostLength)
        return Expected<PostedAnnouncement>(Problem{tooLongForAPost()});
    const std::optional<qsizetype> title = titleAt(text, announcementTitle);
    if (!title)
        return std::nullopt;
    if (*title < 0)
        return Expected<PostedAnnouncement>(
            Problem{QStringLiteral("예고문이 둘 이상 들어 있어, 어느 추첨을 예고했는지 알 수 없습니다.")});
    PostReader post(text, *title);
    post.nextIf(QString()); // the title
    // A post of the first rule's days carries the code alone: it is read for that (nullopt here).
    {
        PostReader ahead = post;
        if (!ahead.nextIf(ruleKey))
            return std::nullopt;
    }
    const std::optional<QString> name = post.next(ruleKey);
    const std::optional<Rule> rule = name ? ruleNamed(*name) : std::nullopt;
    if (name && !rule)
        post.fail(post.lineNumber(), QStringLiteral("알 수 없는 규칙입니다."));
    const std::optional<QString> label = post.next(labelKey);
    const std::optional<qint64> count = post.number(countKey, QStringLiteral("명"));
    const std::optional<qint64> winners = post.number(winnersKey, QStringLiteral("명"));
    const std::optional<qint64> reserves = post.number(reservesKey, QStringLiteral("명"));
    const int reservesLine = post.lineNumber();
    QList<Prize> prizes;
    static const QRegularExpression prizeLine(QStringLiteral("^([0-9]{1,5})명 (.+)$"));
    while (const std::optional<QString> prize =
               post.nextIf(QString::number(prizes.size() + 1) + QStringLiteral("등 : "))) {
        const QRegularExpressionMatch match = prizeLine.match(*prize);
        if (!match.hasMatch())
            post.fail(post.lineNumber(),
                      QStringLiteral("등수별 당첨자는 '1등 : 1명 치킨'처럼 적혀 있어야 합니다."));
        else
            prizes.append({match.captured(1).toInt(), match.captured(2)});
    }
    const std::optional<QString> listSha = post.hex(listShaKey, 64, QStringLiteral("참가자 목록의 SHA-256"));
    const std::optional<qint64> round = post.number(roundKey, QString());
    post.nextIf(QStringLiteral("https://")); // the round's address, for the eye
    const std::optional<QString> code = post.hex(codeKey, 64, QStringLiteral("예고 코드"));
    if (post.failed())
        return Expected<PostedAnnouncement>(
            Problem{QStringLiteral("예고문을 읽을 수 없습니다. ") + post.problem()});
    Terms terms{*listSha,
                int(qMin<qint64>(*count, maxEntries + 1)),
                int(qMin<qint64>(*winners, maxEntries + 1)),
                int(qMin<qint64>(*reserves, maxEntries + 1)),
                *round,
                *label,
                prizes,
                *rule};
    std::optional<QString> wrong;
    if (!roundInRange(terms.round))
        wrong = QStringLiteral("라운드 번호는 1 이상 %1 이하여야 합니다.").arg(maxRound);
    else if (tooLong(terms.label) || unusableInLabel(terms.label) ||
             canonicalEntry(terms.label) != terms.label)
        wrong = QStringLiteral("추첨 이름에 쓸 수 없는 문자가 있습니다.");
    else if (const std::optional<QString> impossible =
                 termsProblem(terms.count, terms.winners, terms.reserves))
        wrong = impossible;
    else if (const std::optional<QString> badPrizes = prizesProblem(terms.prizes, terms.winners))
        wrong = badPrizes;
    else if (announcementCode(terms) != *code)
        wrong = QStringLiteral("예고문의 값으로 계산한 예고 코드(") + announcementCode(terms) +
                QStringLiteral(")가 예고문에 적힌 예고 코드와 다릅니다. 예고문이 바뀌었습니다.");
    if (wrong)
        return Expected<PostedAnnouncement>(
            Problem{QStringLiteral("예고문을 읽을 수 없습니다. ") + files::atLine(reservesLine, *wrong)});

    PostedAnnouncement posted{terms, std::nullopt, -1, -1};
    // the list, where the post carries it
    if (!post.skipTo(listHeading(terms.count), QStringLiteral("목록")))
        return Expected<PostedAnnouncement>(posted);
    QList<int> lineNumbers;
    const std::optional<QStringList> list = readList(post, terms.count, &lineNumbers);
    std::optional<QString> listWrong;
    if (!list)
        listWrong = post.problem();
    else if (const std::optional<files::LineProblem> bad = files::listProblem(*list, lineNumbers, terms.rule))
        listWrong = files::atLine(bad->line, bad->what);
    if (!listWrong && list->size() != terms.count)
        listWrong =
            files::atLine(post.lineNumber(), QStringLiteral("목록의 항목은 %1개입니다.").arg(list->size()));
    if (!listWrong && sha256Hex(canonicalFile(*list)) != terms.listSha256)
        listWrong =
            QStringLiteral("예고문의 참가자 목록이 참가자 목록의 SHA-256과 다릅니다. 목록이 바뀌었습니다.");
    if (listWrong)
        return Expected<PostedAnnouncement>(
            Problem{QStringLiteral("예고문의 참가자 목록을 읽을 수 없습니다. ") + *listWrong});
    posted.list = list;
    posted.listFrom = post.skippedTo();
    posted.listTo = post.position();
    return Expected<PostedAnnouncement>(posted);
}

std::optional<Expected<PostedResult>> readResultPost(const QString &text) {
    if (codePoints(text) > maxPostLength)
        return Expected<PostedResult>(Problem{tooLongForAPost()});
    const std::optional<qsizetype> title = titleAt(text, resultTitle);
    if (!title)
        return std::nullopt;
    if (*title < 0)
        return Expected<PostedResult>(Problem{QStringLiteral("결과문이 둘 이상 들어 있습니다.")});
    PostReader post(text, *title);
    post.nextIf(QString()); // the title
    static const QRegularExpression ticketLine(
        QStringLiteral("^(.*) \\(추첨 번호 ([0-9]{1,5})(?:, (.*))?\\)$"));
    const auto tickets = [&post](QList<PostedTicket> &read) {
        while (const std::optional<QString> line =
                   post.nextIf(QString::number(read.size() + 1) + QStringLiteral(". "))) {
            const QRegularExpressionMatch match = ticketLine.match(*line);
            if (!match.hasMatch()) {
                post.fail(post.lineNumber(),
                          QStringLiteral("'1. 홍길동 (추첨 번호 3)'처럼 적혀 있어야 합니다."));
                return;
            }
            read.append({match.captured(2).toInt(), match.captured(1), match.captured(3)});
        }
    };
    PostedResult posted;
    post.next(winnersHeading);
    tickets(posted.winners);
    if (post.nextIf(reservesHeading))
        tickets(posted.reserves);
    const std::optional<QString> code = post.hex(codeKey, 64, QStringLiteral("예고 코드"));
    post.nextIf(listShaKey);
    const std::optional<qint64> round = post.number(roundKey, QString());
    const std::optional<QString> signature = post.hex(signatureKey, 96, QStringLiteral("라운드의 서명"));
    if (post.failed())
        return Expected<PostedResult>(
            Problem{QStringLiteral("결과문을 읽을 수 없습니다. ") + post.problem()});
    posted.code = *code;
    posted.round = *round;
    posted.signature = *signature;
    return Expected<PostedResult>(posted);
}

} // namespace tombolix::publicdraw
