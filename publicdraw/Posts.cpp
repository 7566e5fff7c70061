#include "publicdraw/Posts.h"

#include "core/DrawVerification.h"

namespace tombolix {

using namespace publicdraw;

namespace {

QString roundLine(qint64 round) {
    return QStringLiteral("drand quicknet 라운드 %1 (%2, 한국 시간에 공개)")
        .arg(QString::number(round), koreanTime(roundTime(round)));
}

// "1. 홍길동 (추첨 번호 3)" for each ticket, in order; with prizes, each winner's rank after it
// ("1. 홍길동 (추첨 번호 3, 1등 치킨)").
QString ticketLines(const QList<int> &tickets, const QStringList &list, const Terms *ranked = nullptr) {
    const QList<int> ranks = ranked ? winnerRanks(*ranked) : QList<int>();
    QString text;
    for (int i = 0; i < tickets.size(); ++i) {
        text += QString::number(i + 1) + QStringLiteral(". ") + list.at(tickets.at(i) - 1) +
                QStringLiteral(" (추첨 번호 ") + QString::number(tickets.at(i));
        if (ranked && !ranked->prizes.isEmpty())
            text += QStringLiteral(", ") + rankName(*ranked, ranks.at(i));
        text += QStringLiteral(")\n");
    }
    return text;
}

} // namespace

QString announcementPost(const Announcement &announced) {
    const Terms &t = announced.terms;
    const QString round = QString::number(t.round);
    return QStringLiteral("[Tombolix 공개 추첨 예고] ") + t.label + QStringLiteral("\n\n") +
           QStringLiteral("참가자 %1명, 당첨자 %2명, 예비 당첨자 %3명\n")
               .arg(QString::number(t.count), QString::number(t.winners), QString::number(t.reserves)) +
           (t.prizes.isEmpty() ? QString() : QStringLiteral("등수별 당첨자 : ") + prizesText(t) + u'\n') +
           QStringLiteral("참가자 목록의 SHA-256 : ") + t.listSha256 + u'\n' +
           QStringLiteral("추첨에 쓰는 공개 난수 : ") + roundLine(t.round) + u'\n' +
           QStringLiteral("https://api.drand.sh/") + chainHash() + QStringLiteral("/public/") + round +
           u'\n' + QStringLiteral("예고 코드(announcement_sha256) : ") + announcementCode(t) +
           QStringLiteral("\n\n") + QStringLiteral("당첨자는 이 목록과 그 라운드의 난수로 정해진 규칙(") +
           ruleName(t.rule) +
           QStringLiteral(")에 따라 뽑히므로, 누구나 다시 계산해 같은 결과를 얻을 수 있습니다.\n") +
           QStringLiteral(
               "이 글이 라운드 %1의 공개 시각(%2, 한국 시간) 전에 쓰였는지 꼭 확인하세요. 그 뒤에 쓰이거나 "
               "고쳐진 예고로는 공정함을 확인할 수 없습니다.\n")
               .arg(round, koreanTime(roundTime(t.round))) +
           QStringLiteral(
               "확인하는 법 : 함께 올린 예고 파일에서 빈 줄 아래의 목록을 UTF-8 파일로 저장해 sha256sum으로 "
               "위의 SHA-256과 같은지 보시고, 추첨 뒤에는 결과 파일을 이 예고문과 함께 Tombolix의 "
               "\"추첨 결과 검증…\"이나 verify-draw.py(--announcement)로 확인하세요.\n");
}

QString resultPost(const Result &result) {
    const Terms &t = result.announcement.terms;
    const QStringList &list = result.announcement.list;
    QString text = QStringLiteral("[Tombolix 공개 추첨 결과] ") + t.label + QStringLiteral("\n\n당첨자\n") +
                   ticketLines(result.tickets.winners, list, &t);
    if (!result.tickets.reserves.isEmpty())
        text += QStringLiteral("\n예비 당첨자 (당첨자와 연락되지 않을 때 차례로)\n") +
                ticketLines(result.tickets.reserves, list);
    text += u'\n' + QStringLiteral("예고 코드(announcement_sha256) : ") + announcementCode(t) + u'\n' +
            QStringLiteral("참가자 목록의 SHA-256 : ") + t.listSha256 +
            QStringLiteral(" (참가자 %1명)\n").arg(t.count) + QStringLiteral("공개 난수 : ") +
            roundLine(t.round) + u'\n';
    if (result.relays == QStringList{QString::fromLatin1(pastedRound)})
        text += QStringLiteral("※공개 난수 서버에 접속할 수 없어, 다른 곳에서 받은 라운드 정보를 붙여넣어 "
                               "추첨했습니다.\n");
    return text + u'\n' +
           QStringLiteral(
               "확인하는 법 : 위의 예고 코드가 추첨 전에 올린 예고문에 있는지 보시고, 함께 올린 결과 파일을 "
               "예고문과 함께 Tombolix의 \"추첨 결과 검증…\"이나 verify-draw.py(--announcement)로 "
               "확인하세요. 추첨 번호는 결과 파일의 목록(빈 줄 아래)에서 몇 번째 항목인지입니다.\n");
}

} // namespace tombolix
