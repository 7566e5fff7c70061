#pragma once

#include "core/BeaconRound.h"

#include <QString>
#include <QStringList>
#include <QUrl>

namespace tombolix {

// What the beacon's relays said of one round, asked once each.
struct RelayAnswers {
    enum class Status {
        Got,         // at least one relay gave a round that passes the checks, and all such agree
        NotYet,      // no relay has it yet (404): the machine's clock may be a little ahead
        Unreachable, // no relay answered
        Refused,     // every round given fails the checks, or two relays disagree
    };
    Status status = Status::Unreachable;
    publicdraw::Round round;
    QStringList answered; // the relays that gave the round, by name
    QStringList refused;  // the relays whose round failed the checks, each with why (in Korean)
    QString problem;      // why the round was refused, in Korean
};

// A relay's name in a result file: its host (and port).
QString relayName(const QString &relay);
QUrl roundAddress(const QString &relay, qint64 round);
RelayAnswers askRelays(const QStringList &relays, qint64 round, int timeoutMs);

} // namespace tombolix
