#include "publicdraw/Beacon.h"

#include "core/PublicDraw.h"
#include "http/WebRequest.h"

namespace tombolix {

QString relayName(const QString &relay) {
    return QUrl(relay).authority();
}

QUrl roundAddress(const QString &relay, qint64 round) {
    return QUrl(relay + QStringLiteral("/") + publicdraw::chainHash() + QStringLiteral("/public/") +
                QString::number(round));
}

RelayAnswers askRelays(const QStringList &relays, qint64 round, int timeoutMs) {
    RelayAnswers answers;
    bool notYet = false;
    for (const QString &relay : relays) {
        WebRequest request;
        const HttpResult answer =
            request.fetch({"GET", roundAddress(relay, round), {}, {}}, {timeoutMs, 64 * 1024});
        if (!answer.ok() || (answer.status != 200 && answer.status != 404))
            continue; // this relay is out of reach; the other may answer
        if (answer.status == 404) {
            notYet = true;
            continue;
        }
        const Expected<publicdraw::Round> got = publicdraw::parseRound(answer.body, round);
        if (!got) {
            // A relay whose round fails the checks is not used; another may still give it.
            answers.refused.append(relayName(relay) + QStringLiteral(" : ") + got.problem());
            continue;
        }
        if (!answers.answered.isEmpty() && got->signature != answers.round.signature)
            return {RelayAnswers::Status::Refused,
                    {},
                    {},
                    {},
                    QStringLiteral("공개 난수 서버들이 라운드 %1에 서로 다른 값을 주었습니다. (").arg(round) +
                        answers.answered.first() + QStringLiteral(", ") + relayName(relay) + u')'};
        answers.round = *got;
        answers.answered.append(relayName(relay));
    }
    if (!answers.answered.isEmpty())
        answers.status = RelayAnswers::Status::Got;
    else if (!answers.refused.isEmpty())
        answers.status = RelayAnswers::Status::Refused;
    else if (notYet)
        answers.status = RelayAnswers::Status::NotYet;
    answers.problem = answers.refused.join(QStringLiteral("\r\n"));
    return answers;
}

} // namespace tombolix
