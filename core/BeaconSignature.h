#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tombolix::publicdraw {

// A round of drand's quicknet checked by its own BLS signature, so that the relays only carry it:
// the signature is a point of G1 (48 bytes compressed) signing SHA-256 of the round as 8 bytes
// big-endian, hashed to G1 with RFC 9380 (scheme bls-unchained-g1-rfc9380), under quicknet's
// public key, a point of G2 that the program carries.

// The raw 48 bytes of a round's signature. False for anything else: another length, the
// uncompressed form, the identity, a point off the curve or outside its subgroup, another round.
bool roundSignatureValid(qint64 round, const QByteArray &signature);

// quicknet's public key, lowercase hex (96 bytes).
QString quicknetPublicKey();
inline constexpr char quicknetScheme[] = "bls-unchained-g1-rfc9380";

// drand's chain information (a relay's /info answer): why it is not quicknet's, in Korean, or
// nothing when its key, chain hash, scheme and, where given, period and genesis are quicknet's.
std::optional<QString> chainInfoProblem(const QByteArray &json);

} // namespace tombolix::publicdraw
