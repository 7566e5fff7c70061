// A round's signature and the chain info, as a relay or a pasted answer gives them: the first
// 8 bytes are the round (big-endian), the rest the signature's bytes; the whole input is also
// read as chain info.
#include "core/BeaconSignature.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix::publicdraw;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    qint64 round = 42;
    QByteArray signature = bytes;
    if (size >= 8 + 48) {
        round = qFromBigEndian<qint64>(data);
        signature = bytes.mid(8);
    }
    const bool valid = roundSignatureValid(round, signature);
    // only one round's 48 bytes verify; a point is one round's signature at most
    if (valid && (signature.size() != 48 ||
                  (round < std::numeric_limits<qint64>::max() && roundSignatureValid(round + 1, signature))))
        std::abort();

    const std::optional<QString> problem = chainInfoProblem(bytes);
    // accepted chain info names quicknet's key (as JSON reads it: escapes undone); a refusal says why
    if (!problem &&
        QJsonDocument::fromJson(bytes).object().value(QStringLiteral("public_key")).toString().toLower() !=
            quicknetPublicKey())
        std::abort();
    if (problem && problem->isEmpty())
        std::abort();
    return 0;
}
