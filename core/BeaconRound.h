#pragma once

#include "core/Expected.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tombolix::publicdraw {

// A beacon round as a relay gives it.
struct Round {
    qint64 number = 0;
    QString randomness; // 64 lowercase hex digits: SHA-256 of the signature's bytes
    QString signature;  // 96 lowercase hex digits
};

// The round in a relay's JSON answer, held to the checks a draw relies on: it is round
// `expected`, its randomness is the SHA-256 of its signature, and the signature is drand's own,
// checked against quicknet's public key (so no relay has to be trusted); or why not (in Korean).
Expected<Round> parseRound(const QByteArray &json, qint64 expected);
// The same checks on a round read from elsewhere (a result file).
std::optional<QString> roundProblem(const Round &round, qint64 expected);
// What is said of a round whose signature is not drand's.
QString signatureRefused(qint64 round);

} // namespace tombolix::publicdraw
