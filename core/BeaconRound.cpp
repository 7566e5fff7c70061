#include "core/BeaconRound.h"

#include "core/BeaconSignature.h"
#include "core/PublicDraw.h"
#include "core/Text.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace tombolix::publicdraw {

QString signatureRefused(qint64 round) {
    return QStringLiteral(
               "라운드 %1의 signature가 drand quicknet의 공개 키로 확인되지 않습니다. drand가 낸 라운드가 "
               "아닙니다.")
        .arg(round);
}

std::optional<QString> roundProblem(const Round &round, qint64 expected) {
    if (round.number != expected)
        return QStringLiteral("라운드 %1이(가) 아니라 라운드 %2의 정보입니다.")
            .arg(QString::number(expected), QString::number(round.number));
    if (!isLowerHex(round.randomness, 64) || !isLowerHex(round.signature, 96))
        return QStringLiteral("라운드 정보의 randomness나 signature가 16진수 64자리, 96자리가 아닙니다.");
    if (sha256Hex(QByteArray::fromHex(round.signature.toLatin1())) != round.randomness)
        return QStringLiteral("라운드 정보의 randomness가 signature의 SHA-256과 다릅니다.");
    if (!roundSignatureValid(round.number, QByteArray::fromHex(round.signature.toLatin1())))
        return signatureRefused(round.number);
    return std::nullopt;
}

Expected<Round> parseRound(const QByteArray &json, qint64 expected) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return Problem{QStringLiteral("라운드 정보(JSON)를 읽을 수 없습니다.")};
    const QJsonObject object = document.object();
    const QJsonValue number = object.value(QStringLiteral("round"));
    Round round{number.isDouble() ? number.toInteger(-1) : -1,
                object.value(QStringLiteral("randomness")).toString().toLower(),
                object.value(QStringLiteral("signature")).toString().toLower()};
    if (std::optional<QString> wrong = roundProblem(round, expected))
        return Problem{*wrong};
    return round;
}

} // namespace tombolix::publicdraw
