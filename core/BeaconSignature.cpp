#include "core/BeaconSignature.h"

#include "core/PublicDraw.h"
#include "core/Sha256.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QtEndian>

// made by the Go build of beaconsig/
#include "tombolix_beaconsig.h"

namespace tombolix::publicdraw {

namespace {

const QByteArray publicKeyHex = QByteArrayLiteral(
    "83cf0f2896adee7eb8b5f01fcad3912212c437e0073e911fb90022d3e760183c8c4b450b6a0a6c3ac6a5776a2d1064"
    "510d1fec758c921cc22b0e17e63aaf4bcb5ed66304de9cf809bd274ca73bab4af5a6e9c76a4bc09e76eae8991ef5"
    "ece45a");
// the domain tag of drand's G1 signatures
const QByteArray signatureDst = QByteArrayLiteral("BLS_SIG_BLS12381G1_XMD:SHA-256_SSWU_RO_NUL_");
constexpr qsizetype signatureSize = 48;
// a relay's /info answer is a few hundred bytes
constexpr qsizetype chainInfoLimit = 64 * 1024;

unsigned char *bytes(const QByteArray &b) {
    // the Go side only reads
    return reinterpret_cast<unsigned char *>(const_cast<char *>(b.constData()));
}

// a text field of the chain info, lowercased; nothing when absent or not text
std::optional<QString> textField(const QJsonObject &info, const QString &name) {
    const QJsonValue value = info.value(name);
    if (!value.isString())
        return std::nullopt;
    return value.toString().toLower();
}

} // namespace

QString quicknetPublicKey() {
    return QString::fromLatin1(publicKeyHex);
}

bool roundSignatureValid(qint64 round, const QByteArray &signature) {
    if (round < 1 || signature.size() != signatureSize)
        return false;
    char roundBytes[8];
    qToBigEndian(quint64(round), roundBytes);
    const QByteArray message = sha256(QByteArrayView(roundBytes, sizeof roundBytes));
    static const QByteArray key = QByteArray::fromHex(publicKeyHex);
    return tombolix_bls_verify_g1(bytes(signature), size_t(signature.size()), bytes(key), size_t(key.size()),
                                  bytes(message), size_t(message.size()), bytes(signatureDst),
                                  size_t(signatureDst.size())) == 1;
}

std::optional<QString> chainInfoProblem(const QByteArray &json) {
    if (json.size() > chainInfoLimit)
        return QStringLiteral("체인 정보가 너무 큽니다.");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return QStringLiteral("체인 정보가 JSON 객체가 아닙니다.");
    const QJsonObject info = document.object();

    const std::optional<QString> key = textField(info, QStringLiteral("public_key"));
    if (!key)
        return QStringLiteral("체인 정보에 공개 키가 없습니다.");
    if (*key != quicknetPublicKey())
        return QStringLiteral("체인 정보의 공개 키가 quicknet의 공개 키가 아닙니다.");

    // drand names it "hash"; some relays "chain_hash"; whichever is given must be quicknet's
    const std::optional<QString> hash = textField(info, QStringLiteral("hash"));
    const std::optional<QString> chainHashField = textField(info, QStringLiteral("chain_hash"));
    if (!hash && !chainHashField)
        return QStringLiteral("체인 정보에 체인 해시가 없습니다.");
    if ((hash && *hash != chainHash()) || (chainHashField && *chainHashField != chainHash()))
        return QStringLiteral("체인 정보의 체인 해시가 quicknet의 체인 해시가 아닙니다.");

    // "schemeID" in drand's answer, "scheme" in others
    const std::optional<QString> schemeId = textField(info, QStringLiteral("schemeID"));
    const std::optional<QString> scheme = textField(info, QStringLiteral("scheme"));
    const QString quicknet = QString::fromLatin1(quicknetScheme);
    if (!schemeId && !scheme)
        return QStringLiteral("체인 정보에 서명 방식이 없습니다.");
    if ((schemeId && *schemeId != quicknet) || (scheme && *scheme != quicknet))
        return QStringLiteral(
            "체인 정보의 서명 방식이 quicknet의 방식(bls-unchained-g1-rfc9380)이 아닙니다.");

    // the round times follow from these two
    const QJsonValue period = info.value(QStringLiteral("period"));
    if (!period.isUndefined() && period.toDouble(-1) != double(periodSeconds))
        return QStringLiteral("체인 정보의 라운드 간격이 quicknet의 3초가 아닙니다.");
    const QJsonValue genesis = info.value(QStringLiteral("genesis_time"));
    if (!genesis.isUndefined() && genesis.toDouble(-1) != double(genesisSeconds))
        return QStringLiteral("체인 정보의 시작 시각이 quicknet의 시작 시각이 아닙니다.");
    return std::nullopt;
}

} // namespace tombolix::publicdraw
