// A beacon round checked by its own BLS signature, against drand's real round 42: every other
// round, every flipped bit and every malformed point refused; chain info that is not quicknet's
// refused with its reason. Go's SHA-256 beside it, against Qt's.
#include "core/BeaconSignature.h"
#include "core/Sha256.h"
#include "tests/support/PublicDrawVectors.h"

#include <QCryptographicHash>
#include <QTest>

using namespace tombolix;
using namespace tombolix::publicdraw;
using namespace tombolix::test;

namespace {

QByteArray round42() {
    return QByteArray::fromHex(round42Signature.toLatin1());
}

const QByteArray quicknetKey = QByteArrayLiteral(
    "83cf0f2896adee7eb8b5f01fcad3912212c437e0073e911fb90022d3e760183c8c4b450b6a0a6c3ac6a5776a2d1064510d1fec75"
    "8c"
    "921cc22b0e17e63aaf4bcb5ed66304de9cf809bd274ca73bab4af5a6e9c76a4bc09e76eae8991ef5ece45a");
const QByteArray quicknetHash =
    QByteArrayLiteral("52db9ba70e0cc0f6eaf7803dd07447a1f5477735fd3f661792ba94600c84e971");

// drand's /info answer for quicknet, as the relays give it
QByteArray quicknetInfo() {
    return "{\"public_key\":\"" + quicknetKey + "\",\"period\":3,\"genesis_time\":1692803367,\"hash\":\"" +
           quicknetHash +
           "\",\"groupHash\":\"f477d5c89f21a17c863a7f937c6a6d15859414d2be09cd448d4279af331c5d3e\","
           "\"schemeID\":\"bls-unchained-g1-rfc9380\",\"metadata\":{\"beaconID\":\"quicknet\"}}";
}

QByteArray replaced(QByteArray text, const QByteArray &what, const QByteArray &with) {
    return text.replace(what, with);
}

} // namespace

class TestBeaconSignature : public QObject {
    Q_OBJECT
private slots:
    void round42Verifies();
    void otherRoundsRefused_data();
    void otherRoundsRefused();
    void everyFlippedBitRefused();
    void malformedPointsRefused_data();
    void malformedPointsRefused();
    void quicknetInfoAccepted_data();
    void quicknetInfoAccepted();
    void otherChainInfoRefused_data();
    void otherChainInfoRefused();
    void sha256AsQtHashes();
};

void TestBeaconSignature::round42Verifies() {
    QVERIFY(roundSignatureValid(42, round42()));
    // the randomness the relays give is the signature's SHA-256: the same bytes are checked
    QCOMPARE(QCryptographicHash::hash(round42(), QCryptographicHash::Sha256).toHex(),
             round42Randomness.toLatin1());
    QCOMPARE(quicknetPublicKey(), QString::fromLatin1(quicknetKey));
    // a copy that shares no storage with the test's data
    QByteArray copy(round42().constData(), 48);
    QVERIFY(roundSignatureValid(42, copy));
}

void TestBeaconSignature::otherRoundsRefused_data() {
    QTest::addColumn<qint64>("round");
    QTest::newRow("43") << qint64(43);
    QTest::newRow("41") << qint64(41);
    QTest::newRow("1") << qint64(1);
    QTest::newRow("2^40") << (qint64(1) << 40);
    // 42 in another byte order or width
    QTest::newRow("42 little-endian") << qint64(0x2a00000000000000);
    QTest::newRow("42 + 2^32") << (qint64(42) + (qint64(1) << 32));
    QTest::newRow("0") << qint64(0);
    QTest::newRow("-42") << qint64(-42);
    QTest::newRow("largest") << std::numeric_limits<qint64>::max();
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min();
}

void TestBeaconSignature::otherRoundsRefused() {
    QFETCH(qint64, round);
    QVERIFY(!roundSignatureValid(round, round42()));
}

void TestBeaconSignature::everyFlippedBitRefused() {
    const QByteArray signature = round42();
    QList<int> accepted;
    for (int bit = 0; bit < 48 * 8; ++bit) {
        QByteArray changed = signature;
        changed[bit / 8] = char(changed[bit / 8] ^ (0x80 >> (bit % 8)));
        if (roundSignatureValid(42, changed))
            accepted.append(bit);
    }
    QCOMPARE(accepted, QList<int>{});
    QVERIFY(roundSignatureValid(42, signature));
}

void TestBeaconSignature::malformedPointsRefused_data() {
    QTest::addColumn<QByteArray>("signature");
    const QByteArray zeros47(47, '\0');
    QTest::newRow("identity") << QByteArray("\xc0" + zeros47);
    QTest::newRow("identity, sign bit set") << QByteArray("\xe0" + zeros47);
    QTest::newRow("identity without the compressed flag") << QByteArray("\x40" + zeros47);
    QTest::newRow("all zeros") << QByteArray(48, '\0');
    QTest::newRow("all ones") << QByteArray(48, '\xff');
    // x = 1: 1 + 4 is no square modulo p
    QTest::newRow("off the curve") << QByteArray::fromHex("80" + QByteArray(94, '0') + "01");
    // x = 4 lies on the curve, outside the subgroup of prime order
    QTest::newRow("outside the subgroup") << QByteArray::fromHex("80" + QByteArray(94, '0') + "04");
    // round 42's signature plus the point (0, 2) of order 3: a naive pairing check may not see it
    QTest::newRow("signature plus a point of order 3") << QByteArray::fromHex(
        "b317799be7a86f64a1eca7edaa731e836321d8117f5aca4793563300099fa0c5e4eff2451892403faf402041ea98bde5");
    QTest::newRow("point of order 3") << QByteArray::fromHex("a0" + QByteArray(94, '0'));
    // x = p, the field's modulus: not a field element
    QTest::newRow("x not below p") << QByteArray::fromHex(
        "9a0111ea397fe69a4b1ba7b6434bacd764774b84f38512bf6730d2a0f6b0f6241eabfffeb153ffffb9feffffffffaaab");
    // a valid point of the subgroup that is not the signature: G1's generator
    QTest::newRow("generator") << QByteArray::fromHex(
        "97f1d3a73197d7942695638c4fa9ac0fc3688c4f9774b905a14e3a3f171bac586c55e83ff97a1aeffb3af00adb22c6bb");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("47 bytes") << round42().left(47);
    QTest::newRow("49 bytes: the signature and one more") << QByteArray(round42() + '\0');
    QTest::newRow("96 bytes: the signature twice") << QByteArray(round42() + round42());
    QTest::newRow("96 bytes: the signature and zeros") << QByteArray(round42() + QByteArray(48, '\0'));
    QTest::newRow("96 bytes: round 42 uncompressed") << QByteArray::fromHex(
        "15a9f9f5b231b7714de1553105d8ffdf3dcda24cfdb1e689319bccf79a9c8ce430a91b811fbfaf763900bc998b5d686a"
        "05b5c086615e8435b242b95593c258658b5f7b0e0181870d13f88a1d06275046e42db0886eb64885e980c926403ced18");
    QTest::newRow("the hex text of the signature") << round42Signature.toLatin1();
    QTest::newRow("the public key") << QByteArray::fromHex(quicknetKey);
}

void TestBeaconSignature::malformedPointsRefused() {
    QFETCH(QByteArray, signature);
    QVERIFY(!roundSignatureValid(42, signature));
    QVERIFY(!roundSignatureValid(43, signature));
}

void TestBeaconSignature::quicknetInfoAccepted_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("drand's answer") << quicknetInfo();
    QTest::newRow("chain_hash instead of hash") << replaced(quicknetInfo(), "\"hash\"", "\"chain_hash\"");
    QTest::newRow("both names") << replaced(quicknetInfo(), "\"period\"",
                                            "\"chain_hash\":\"" + quicknetHash + "\",\"period\"");
    QTest::newRow("scheme instead of schemeID") << replaced(quicknetInfo(), "\"schemeID\"", "\"scheme\"");
    QTest::newRow("uppercase hex") << replaced(quicknetInfo(), quicknetKey, quicknetKey.toUpper());
    QTest::newRow("without period and genesis")
        << QByteArray("{\"public_key\":\"" + quicknetKey + "\",\"hash\":\"" + quicknetHash +
                      "\",\"schemeID\":\"bls-unchained-g1-rfc9380\"}");
}

void TestBeaconSignature::quicknetInfoAccepted() {
    QFETCH(QByteArray, json);
    QCOMPARE(chainInfoProblem(json), std::optional<QString>());
}

void TestBeaconSignature::otherChainInfoRefused_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("problem");
    const QString otherKey = QStringLiteral("체인 정보의 공개 키가 quicknet의 공개 키가 아닙니다.");
    const QString otherHash = QStringLiteral("체인 정보의 체인 해시가 quicknet의 체인 해시가 아닙니다.");
    const QString otherScheme =
        QStringLiteral("체인 정보의 서명 방식이 quicknet의 방식(bls-unchained-g1-rfc9380)이 아닙니다.");
    const QString notJson = QStringLiteral("체인 정보가 JSON 객체가 아닙니다.");

    // drand's default chain, with its own key, hash and scheme
    const QByteArray defaultKey =
        "868f005eb8e6e4ca0a47c8a77ceaa5309a47978a7c71bc5cce96366b5d7a569937c529eeda66c7293784a9402801af31";
    QTest::newRow("drand's default chain")
        << QByteArray("{\"public_key\":\"" + defaultKey +
                      "\",\"period\":30,\"genesis_time\":1595431050,"
                      "\"hash\":\"8990e7a9aaed2ffed73dbd7092123d6f289930540d7651336225dc172e51b2ce\","
                      "\"groupHash\":\"176f93498eac9ca337150b46d21dd58673ea4e3581185f869672e59fa4cb390a\","
                      "\"schemeID\":\"pedersen-bls-chained\",\"metadata\":{\"beaconID\":\"default\"}}")
        << otherKey;
    // quicknet's hash standing beside another key: the key decides what verifies
    QByteArray changedKey = quicknetKey;
    changedKey[100] = changedKey[100] == 'a' ? 'b' : 'a';
    QTest::newRow("one digit of the key") << replaced(quicknetInfo(), quicknetKey, changedKey) << otherKey;
    QTest::newRow("key cut short") << replaced(quicknetInfo(), quicknetKey, quicknetKey.left(190))
                                   << otherKey;
    QTest::newRow("key with a space") << replaced(quicknetInfo(), quicknetKey, quicknetKey + ' ') << otherKey;
    QTest::newRow("key as a number") << replaced(quicknetInfo(), "\"" + quicknetKey + "\"", "83")
                                     << QStringLiteral("체인 정보에 공개 키가 없습니다.");
    QTest::newRow("no key") << replaced(quicknetInfo(), "\"public_key\"", "\"publicKey\"")
                            << QStringLiteral("체인 정보에 공개 키가 없습니다.");
    QTest::newRow("another hash") << replaced(quicknetInfo(), quicknetHash, QByteArray(64, 'a')) << otherHash;
    QTest::newRow("another chain_hash beside the hash")
        << replaced(quicknetInfo(), "\"period\"", "\"chain_hash\":\"" + QByteArray(64, '0') + "\",\"period\"")
        << otherHash;
    QTest::newRow("no hash") << replaced(quicknetInfo(), "\"hash\"", "\"chainHash\"")
                             << QStringLiteral("체인 정보에 체인 해시가 없습니다.");
    QTest::newRow("chained scheme") << replaced(quicknetInfo(), "bls-unchained-g1-rfc9380",
                                                "pedersen-bls-chained")
                                    << otherScheme;
    QTest::newRow("G2 signatures") << replaced(quicknetInfo(), "bls-unchained-g1-rfc9380",
                                               "pedersen-bls-unchained")
                                   << otherScheme;
    QTest::newRow("no scheme") << replaced(quicknetInfo(), "\"schemeID\"", "\"schemeId\"")
                               << QStringLiteral("체인 정보에 서명 방식이 없습니다.");
    QTest::newRow("period 30") << replaced(quicknetInfo(), "\"period\":3,", "\"period\":30,")
                               << QStringLiteral("체인 정보의 라운드 간격이 quicknet의 3초가 아닙니다.");
    QTest::newRow("period as text") << replaced(quicknetInfo(), "\"period\":3,", "\"period\":\"3\",")
                                    << QStringLiteral("체인 정보의 라운드 간격이 quicknet의 3초가 아닙니다.");
    QTest::newRow("another genesis") << replaced(quicknetInfo(), "1692803367", "1692803368")
                                     << QStringLiteral(
                                            "체인 정보의 시작 시각이 quicknet의 시작 시각이 아닙니다.");
    QTest::newRow("empty") << QByteArray() << notJson;
    QTest::newRow("an array") << QByteArray("[" + quicknetInfo() + "]") << notJson;
    QTest::newRow("cut short") << quicknetInfo().chopped(1) << notJson;
    QTest::newRow("a round's JSON") << roundJson(42, round42Randomness, round42Signature)
                                    << QStringLiteral("체인 정보에 공개 키가 없습니다.");
    QTest::newRow("over 64 KiB") << replaced(quicknetInfo(), "\"metadata\"",
                                             "\"pad\":\"" + QByteArray(70000, 'x') + "\",\"metadata\"")
                                 << QStringLiteral("체인 정보가 너무 큽니다.");
}

void TestBeaconSignature::otherChainInfoRefused() {
    QFETCH(QByteArray, json);
    QFETCH(QString, problem);
    QCOMPARE(chainInfoProblem(json), std::optional<QString>(problem));
}
void TestBeaconSignature::sha256AsQtHashes() {
    const auto qt = [](QByteArrayView bytes) {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    };
    // every length around SHA-256's blocks of 64 bytes and its padding, every byte value
    QByteArray bytes;
    for (int n = 0; n <= 300; ++n) {
        QCOMPARE(sha256(bytes), qt(bytes));
        bytes.append(char(n * 37));
    }
    QCOMPARE(sha256(QByteArrayView()), qt(QByteArrayView()));
    // a list file as large as the rule allows (2,000,000 characters shown, in UTF-8) and a view
    // into the middle of a buffer
    QByteArray list;
    for (int i = 0; list.size() < 6'000'000; ++i)
        list += "\xea\xb9\x80\xec\xb2\xa0\xec\x88\x98 " + QByteArray::number(i) + '\n';
    QCOMPARE(sha256(list), qt(list));
    QCOMPARE(sha256(QByteArrayView(list).sliced(3, 1'000'001)),
             qt(QByteArrayView(list).sliced(3, 1'000'001)));
}

QTEST_GUILESS_MAIN(TestBeaconSignature)
#include "test_beaconsignature.moc"
