#pragma once

#include <QString>
#include <QStringList>

namespace tombolix::test {

// drand quicknet's real round 42.
inline const QString round42Signature = QStringLiteral(
    "95a9f9f5b231b7714de1553105d8ffdf3dcda24cfdb1e689319bccf79a9c8ce430a91b811fbfaf763900bc998b5d686a");
inline const QString round42Randomness =
    QStringLiteral("8ada64bae5c6c0f5540a6a13af56e663240edfbd2c76ac6a8f27671eb7259ce3");

inline QByteArray roundJson(qint64 round, const QString &randomness, const QString &signature) {
    return "{\"round\":" + QByteArray::number(round) + ",\"randomness\":\"" + randomness.toLatin1() +
           "\",\"signature\":\"" + signature.toLatin1() + "\"}";
}

// The draw list of the first test vector of the public draw's rule, as typed: a byte-order mark,
// a decomposed name, ideographic and no-break spaces, an empty entry.
inline QStringList tv1List() {
    return {
        QStringLiteral("\uFEFF김철수"),  QStringLiteral("이영희").normalized(QString::NormalizationForm_D),
        QStringLiteral("\u3000박민수 "), QString(),
        QStringLiteral("김철수2"),       QStringLiteral("최지우\u00A0"),
        QStringLiteral("정하늘")};
}
inline const QString tv1Label = QStringLiteral("2026 봄 나눔 이벤트");

} // namespace tombolix::test
