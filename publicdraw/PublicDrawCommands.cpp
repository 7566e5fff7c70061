#include "publicdraw/PublicDrawCommands.h"

#include "common/Background.h"
#include "common/Clock.h"
#include "common/Desktop.h"
#include "common/DrawList.h"
#include "common/FilesFolder.h"
#include "common/Prompter.h"
#include "core/Constants.h"
#include "core/Draw.h"
#include "core/DrawFileReader.h"
#include "listfile/modIO.h"
#include "publicdraw/Beacon.h"
#include "publicdraw/Countdown.h"
#include "core/DrawPosts.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QSaveFile>
#include <QSet>

namespace tombolix {

using namespace publicdraw;

namespace {

QString title() {
    return QStringLiteral("Tombolix - 공개 추첨");
}

// Entries as a message names them: the first few, what does not show made visible as <U+XXXX>.
QString named(const QStringList &entries) {
    constexpr int shown = 10;
    QStringList visible;
    for (const QString &entry : entries.mid(0, shown))
        visible.append(u'"' + plainly(entry) + u'"');
    QString text = visible.join(QStringLiteral(", "));
    if (entries.size() > shown)
        text += QStringLiteral(" 외 %1개").arg(entries.size() - shown);
    return text;
}

// " (2개: "홍길동", "홍길동<U+2060>")": how many, and which.
QString counted(const QStringList &entries) {
    return QStringLiteral(" (") + QString::number(entries.size()) + QStringLiteral("개: ") + named(entries) +
           u')';
}

// The winners and reserves as a checker compares them with the result post, a line each:
// "1. 홍길동 (추첨 번호 3, 1등 치킨)". A very long draw names the first ones and says where the rest are.
QString drawnLines(const Result &result) {
    constexpr int shown = 200;
    const Terms &terms = result.announcement.terms;
    const QStringList &list = result.announcement.list;
    const QList<int> ranks = winnerRanks(terms);
    QStringList lines{QStringLiteral("당첨자")};
    const auto add = [&](const QList<int> &tickets, bool winners) {
        for (int i = 0; i < tickets.size(); ++i) {
            if (lines.size() > shown) {
                lines.append(QStringLiteral("… 외 %1명은 결과 파일의 %2 줄에 있습니다.")
                                 .arg(QString::number(tickets.size() - i),
                                      winners ? QStringLiteral("winner") : QStringLiteral("reserve")));
                return;
            }
            QString line = QString::number(i + 1) + QStringLiteral(". ") + list.at(tickets.at(i) - 1) +
                           QStringLiteral(" (추첨 번호 ") + QString::number(tickets.at(i));
            if (winners && !terms.prizes.isEmpty())
                line += QStringLiteral(", ") + rankName(terms, ranks.at(i));
            lines.append(line + u')');
        }
    };
    add(result.tickets.winners, true);
    if (!result.tickets.reserves.isEmpty()) {
        lines.append(QStringLiteral("예비 당첨자"));
        add(result.tickets.reserves, false);
    }
    return lines.join(crlf());
}

bool writeUtf8File(const QString &path, const QString &text) {
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

std::optional<qint64> nonNegative(const QString &answer) {
    if (answer.trimmed() == u"0")
        return 0;
    return parseDrawCount(answer);
}

} // namespace

PublicDrawCommands::PublicDrawCommands(const Services &services, DrawList &drawList, ResultOutput output,
                                       QWidget *window)
    : m_services(services)
    , m_drawList(drawList)
    , m_output(std::move(output))
    , m_window(window) {}

PublicDrawCommands::~PublicDrawCommands() {
    windowClosed();
}

Countdown *PublicDrawCommands::countdown() const {
    return m_countdown && m_countdown->isVisible() ? m_countdown.data() : nullptr;
}

void PublicDrawCommands::windowClosed() {
    m_waits.windowClosed();
    if (m_countdown)
        m_countdown->end();
}

QString PublicDrawCommands::filePath(const QString &kind) const {
    return pathToWrite(m_services, m_services.clock.now().toString(QStringLiteral("yyyy_MM_dd_HH.mm.ss")) +
                                       QStringLiteral("_Tombolix_") + kind + QStringLiteral(".txt"));
}

std::optional<QString> PublicDrawCommands::chooseAndRead(const QString &filter) {
    Prompter &prompter = m_services.prompter;
    const QString path = prompter.openFile(filter, m_services.filesFolder);
    if (path.isEmpty()) {
        prompter.warning(QStringLiteral("파일을 선택하세요!"));
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = ReadFileBytes(path, 1 << 16);
    if (!bytes || bytes->isEmpty()) {
        prompter.warning(QStringLiteral("선택하신 파일이 없거나 손상되었습니다!"));
        return std::nullopt;
    }
    const std::optional<QString> text = decodeDrawFile(*bytes);
    if (!text) {
        prompter.warning(QStringLiteral("선택하신 파일이 UTF-8 텍스트가 아니거나 손상되었습니다!"));
        return std::nullopt;
    }
    return text;
}

std::optional<CanonicalList> PublicDrawCommands::canonicalDrawList(CanonicalList list) {
    Prompter &prompter = m_services.prompter;
    if (m_drawList.count() == 0) {
        prompter.information(QStringLiteral("리스트에 항목을 먼저 추가해주세요!"));
        return std::nullopt;
    }
    if (list.overLength) {
        prompter.information(
            QStringLiteral("공개 추첨의 목록은 보기에 모두 %1자까지 쓸 수 있습니다.").arg(maxShownLength));
        return std::nullopt;
    }
    if (!list.tooLong.isEmpty()) {
        prompter.information(
            QStringLiteral("공개 추첨에는 %1자가 넘는 항목을 쓸 수 없습니다.").arg(maxTextLength) +
            counted(list.tooLong));
        return std::nullopt;
    }
    if (!list.unusable.isEmpty()) {
        prompter.information(
            QStringLiteral("공개 추첨에 쓸 수 없는 문자(제어 문자, 깨진 문자, 유니코드 14에 없는 "
                           "문자)가 들어 있거나 보이는 글자가 없는 항목이 있습니다.") +
            counted(list.unusable));
        return std::nullopt;
    }
    if (!list.lookAlike.isEmpty()) {
        prompter.information(
            QStringLiteral("공개 추첨에서는 보기에 같은 항목이 함께 들어갈 수 없습니다. 보이지 않는 "
                           "문자나 공백, 전각 문자, 다른 나라 글자의 닮은꼴(키릴 문자 'а'와 'a' 같은)만 "
                           "다른 항목이 있습니다. 한 사람이 두 번 들어간 것이 아닌지 확인해주세요.") +
            counted(list.lookAlike));
        return std::nullopt;
    }
    if (!list.repeated.isEmpty()) {
        prompter.information(
            QStringLiteral(
                "공개 추첨에서는 같은 항목이 두 번 들어갈 수 없습니다. 앞뒤의 공백이나 보이지 않는 "
                "문자를 빼고 가운데 공백을 하나로 치면 같은 항목이 있습니다.") +
            counted(list.repeated));
        return std::nullopt;
    }
    if (list.entries.isEmpty()) {
        prompter.information(QStringLiteral("리스트에 항목을 먼저 추가해주세요!"));
        return std::nullopt;
    }
    return list;
}

void PublicDrawCommands::announce() {
    Prompter &prompter = m_services.prompter;
    const std::optional<CanonicalList> list = canonicalDrawList(canonicalList(m_drawList.entries()));
    if (!list)
        return;
    const int count = int(list->entries.size());

    const std::optional<QString> label =
        prompter.input(title(), QStringLiteral("추첨의 이름을 입력해주세요. (Ex : 2026 봄 나눔 이벤트)"));
    if (!label)
        return;
    if (tooLong(*label))
        return prompter.information(
            QStringLiteral("추첨의 이름은 %1자까지 쓸 수 있습니다!").arg(maxTextLength));
    const QString name = holdsUnusable(*label) ? *label : canonicalEntry(*label);
    if (name.isEmpty())
        return prompter.information(QStringLiteral("추첨의 이름을 입력해주세요!"));
    if (unusableInLabel(name))
        return prompter.information(
            QStringLiteral("추첨의 이름에는 제어 문자나 보이지 않는 문자, 줄바꿈 문자를 쓸 수 "
                           "없습니다!"));

    const std::optional<QString> winnersAnswer =
        prompter.input(title(), QStringLiteral("당첨자 수를 입력해주세요. (Ex : 3)") + crlf() +
                                    QStringLiteral("※참가자는 %1명입니다.").arg(count));
    if (!winnersAnswer)
        return;
    const std::optional<qint64> winners = parseDrawCount(*winnersAnswer);
    if (!winners)
        return prompter.information(QStringLiteral("양의 정수로 입력해주세요!"));
    const std::optional<QString> reservesAnswer =
        prompter.input(title(), QStringLiteral("예비 당첨자 수를 입력해주세요. (없으면 0)") + crlf() +
                                    QStringLiteral("※당첨자가 연락되지 않을 때 차례로 당첨되는 사람입니다."));
    if (!reservesAnswer)
        return;
    const std::optional<qint64> reserves = nonNegative(*reservesAnswer);
    if (!reserves)
        return prompter.information(QStringLiteral("0 이상의 정수로 입력해주세요!"));
    if (const std::optional<QString> impossible = termsProblem(
            count, int(qMin<qint64>(*winners, maxEntries + 1)), int(qMin<qint64>(*reserves, maxEntries + 1))))
        return prompter.information(*impossible);
    const std::optional<QList<Prize>> prizes = askPrizes(int(*winners));
    if (!prizes)
        return;

    // The time offered is worked out when the box opens; the one typed is held to the clock as
    // it reads when the box is answered, however long the box stood open meanwhile.
    const std::optional<QString> timeAnswer = prompter.input(
        title(),
        QStringLiteral("추첨 시각을 한국 시간으로 입력해주세요. (Ex : 2026-04-20 21:00)") + crlf() +
            QStringLiteral(
                "※그 시각에 공개되는 난수로 당첨자가 정해집니다. 예고가 먼저 게시글에 올라가야 하므로 "
                "지금부터 3분 이상 뒤여야 합니다."),
        koreanTime(suggestedDrawTime(m_services.clock.now().toSecsSinceEpoch())).left(16));
    if (!timeAnswer)
        return;
    const std::optional<qint64> time = parseKoreanTime(*timeAnswer);
    if (!time)
        return prompter.information(QStringLiteral("추첨 시각을 2026-04-20 21:00처럼 입력해주세요!"));
    const qint64 now = m_services.clock.now().toSecsSinceEpoch();
    const qint64 round = roundAt(*time);
    if (roundTime(round) <= now)
        return prompter.information(
            QStringLiteral("추첨 시각이 이미 지났습니다! 앞으로의 시각을 입력해주세요."));
    if (roundTime(round) < now + announceLeadSeconds)
        return prompter.information(
            QStringLiteral("추첨 시각이 너무 가깝습니다! 예고가 게시글에 먼저 올라가야 하므로 "
                           "지금부터 3분 이상 뒤의 시각을 입력해주세요."));

    const Announcement announced{
        {sha256Hex(canonicalFile(list->entries)), count, int(*winners), int(*reserves), round, name, *prizes},
        list->entries};
    const QString path = filePath(QStringLiteral("Announce"));
    if (!writeUtf8File(path, announcementText(announced)))
        return prompter.warning(QStringLiteral("저장에 실패하였습니다! 다시 시도해보세요."));
    m_services.desktop.setClipboardText(announcementPost(announced, m_drawList.importRules()));
    const Terms &t = announced.terms;
    prompter.notice(
        QStringLiteral("추첨 예고를 만들었습니다.") + crlf() + QStringLiteral("참가자 : %1명").arg(count) +
        crlf() + QStringLiteral("목록의 SHA-256 : ") + t.listSha256 + crlf() +
        QStringLiteral("공개 난수 : drand quicknet 라운드 %1 (%2, 한국 시간)")
            .arg(QString::number(t.round), koreanTime(roundTime(t.round))) +
        crlf() +
        (t.prizes.isEmpty() ? QString() : QStringLiteral("등수별 당첨자 : ") + prizesText(t) + crlf()) +
        QStringLiteral("예고 코드 : ") + announcementCode(t) + crlf() + QStringLiteral("예고 파일 : ") +
        QDir::toNativeSeparators(path) + crlf() +
        QStringLiteral("게시글에 붙여넣을 예고문을 클립보드에 복사했습니다. 추첨 시각 전에 올려주세요."));
}

std::optional<QList<Prize>> PublicDrawCommands::askPrizes(int winners) {
    Prompter &prompter = m_services.prompter;
    const std::optional<QString> answer = prompter.multiLineInput(
        title(),
        QStringLiteral("등수별 당첨자를 한 줄에 한 등수씩 입력해주세요. (Ex : 1등 1명 치킨)") + crlf() +
            QStringLiteral("※당첨자 %1명을 뽑힌 차례대로 1등부터 나눕니다. 등수 없이 뽑으려면 비워 두세요.")
                .arg(winners));
    if (!answer)
        return std::nullopt;
    const Expected<QList<Prize>> prizes = parsePrizes(*answer);
    const std::optional<QString> problem = prizes ? prizesProblem(*prizes, winners) : prizes.problem();
    if (problem) {
        prompter.information(*problem);
        return std::nullopt;
    }
    return *prizes;
}

void PublicDrawCommands::drawAnnounced() {
    const WaitGuard::Wait wait(m_waits);
    if (!wait.entered())
        return;
    Prompter &prompter = m_services.prompter;
    const std::optional<QString> text =
        chooseAndRead(QStringLiteral("Tombolix 추첨 예고 (*_Tombolix_Announce.txt);;모든 파일 (*)"));
    if (!text)
        return;
    // A list that holds just the announced entries (as it does when the announced list is drawn)
    // is the announced list, which the file's reading found canonical: it is not made again.
    const quint64 revision = m_drawList.revision();
    const QStringList entries = m_drawList.entries();
    QSet<QString> distinct;
    const Expected<Announcement> announced =
        inBackground([&text] { return parseAnnouncement(*text); },
                     [&] { distinct = QSet<QString>(entries.cbegin(), entries.cend()); });
    if (wait.windowClosed())
        return;
    if (!announced)
        return prompter.information(QStringLiteral("추첨 예고 파일이 올바르지 않습니다.") + crlf() +
                                    announced.problem());
    const bool announcedList = m_drawList.revision() == revision && announced->terms.rule == currentRule &&
                               isCheckedList(distinct, entries.size(), announced->list);
    CanonicalList made;
    if (announcedList)
        made.entries = announced->list;
    else
        made = canonicalList(m_drawList.entries());
    const std::optional<CanonicalList> list = canonicalDrawList(std::move(made));
    if (!list)
        return;
    if (list->entries != announced->list) {
        const QSet<QString> now(list->entries.cbegin(), list->entries.cend());
        const QSet<QString> then(announced->list.cbegin(), announced->list.cend());
        QStringList added;
        QStringList removed;
        for (const QString &entry : list->entries)
            if (!then.contains(entry))
                added.append(entry);
        for (const QString &entry : announced->list)
            if (!now.contains(entry))
                removed.append(entry);
        QString message = QStringLiteral("지금 리스트가 예고한 목록과 다릅니다.");
        if (!added.isEmpty())
            message += crlf() + QStringLiteral("추가된 항목 (%1개) : ").arg(added.size()) + named(added);
        if (!removed.isEmpty())
            message += crlf() + QStringLiteral("빠진 항목 (%1개) : ").arg(removed.size()) + named(removed);
        return prompter.information(message);
    }
    const std::optional<QString> separator = m_output.separator();
    if (!separator)
        return prompter.information(QStringLiteral("출력 형식을 선택해주세요!"));
    if (!m_output.text().isEmpty() &&
        !prompter.question(
            QStringLiteral("지금 추첨을 진행하면 남아있던 결과가 사라집니다. 계속하시겠습니까?")))
        return prompter.notice(QStringLiteral("추첨을 취소했습니다."));

    const qint64 round = announced->terms.round;
    if (!waitUntilRound(round, wait))
        return;
    const std::optional<FetchedRound> got = fetchRound(round, wait);
    if (!got)
        return;

    const Result result = decide(*announced, got->round, got->relays);
    const Terms &terms = announced->terms;
    const QList<int> ranks = winnerRanks(terms);
    QStringList shown;
    for (int i = 0; i < result.tickets.winners.size(); ++i)
        shown.append(announced->list.at(result.tickets.winners.at(i) - 1) +
                     (terms.prizes.isEmpty() ? QString()
                                             : QStringLiteral(" (") + rankName(terms, ranks.at(i)) + u')'));
    for (int i = 0; i < result.tickets.reserves.size(); ++i)
        shown.append(announced->list.at(result.tickets.reserves.at(i) - 1) + QStringLiteral(" (예비 ") +
                     QString::number(i + 1) + u')');
    m_output.show(shown, *separator);

    const QString path = filePath(QStringLiteral("Result"));
    if (!writeUtf8File(path, resultText(result)))
        return prompter.warning(
            QStringLiteral("추첨 결과 파일을 저장하지 못했습니다! 결과는 추첨 결과 칸에 있습니다."));
    m_services.desktop.setClipboardText(resultPost(result));
    QString message = QStringLiteral("공개 추첨을 마쳤습니다.") + crlf() + QStringLiteral("결과 파일 : ") +
                      QDir::toNativeSeparators(path) + crlf() +
                      QStringLiteral("게시글에 붙여넣을 결과문을 클립보드에 복사했습니다.");
    if (got->relays == QStringList{QString::fromLatin1(pastedRound)})
        message += crlf() + QStringLiteral("※붙여넣은 라운드 정보로 추첨했습니다.");
    for (const QString &refused : got->refused)
        message += crlf() + QStringLiteral("※쓰지 않은 공개 난수 서버 : ") + refused;
    prompter.notice(message);
}

bool PublicDrawCommands::countDown(const QString &text, const std::function<qint64()> &remainingMs,
                                   const WaitGuard::Wait &wait) {
    if (!m_countdown)
        m_countdown = new Countdown(m_window);
    if (m_countdown->wait(text, remainingMs) && !wait.windowClosed())
        return true;
    if (!wait.windowClosed())
        m_services.prompter.notice(QStringLiteral("공개 추첨을 취소했습니다."));
    return false;
}

bool PublicDrawCommands::waitUntilRound(qint64 round, const WaitGuard::Wait &wait) {
    const qint64 at = roundTime(round);
    Clock &clock = m_services.clock;
    return countDown(
        QStringLiteral("라운드 %1의 공개 난수가 나오면 추첨합니다.\n(추첨 시각 : %2, 한국 시간)")
            .arg(QString::number(round), koreanTime(at)),
        [&clock, at] { return (at - clock.now().toSecsSinceEpoch()) * 1000; }, wait);
}

std::optional<PublicDrawCommands::FetchedRound> PublicDrawCommands::fetchRound(qint64 round,
                                                                               const WaitGuard::Wait &wait) {
    Prompter &prompter = m_services.prompter;
    const QDeadlineTimer giveUp(m_limits.retryForMs);
    RelayAnswers answers = askRelays(m_services.endpoints.beaconRelays, round, m_limits.requestMs);
    while (answers.status == RelayAnswers::Status::NotYet && !giveUp.hasExpired()) {
        const QDeadlineTimer next(m_limits.retryEveryMs);
        if (!countDown(
                QStringLiteral("라운드 %1의 공개 난수가 아직 나오지 않아, 잠시 후 다시 물어봅니다.")
                    .arg(round),
                [&next] { return next.remainingTime(); }, wait))
            return std::nullopt;
        answers = askRelays(m_services.endpoints.beaconRelays, round, m_limits.requestMs);
    }
    if (wait.windowClosed())
        return std::nullopt;
    switch (answers.status) {
    case RelayAnswers::Status::Got:
        return FetchedRound{answers.round, answers.answered, answers.refused};
    case RelayAnswers::Status::Refused:
        prompter.information(QStringLiteral("공개 난수를 쓸 수 없어 추첨하지 않았습니다.") + crlf() +
                             answers.problem);
        return std::nullopt;
    case RelayAnswers::Status::NotYet:
        prompter.information(
            QStringLiteral("라운드 %1의 공개 난수가 아직 나오지 않았습니다. 컴퓨터의 시계가 맞는지 "
                           "확인하시고 잠시 후 다시 시도해주세요.")
                .arg(round));
        return std::nullopt;
    case RelayAnswers::Status::Unreachable:
        break;
    }
    // No relay reachable: the round, fetched elsewhere, may be pasted; it is held to the same
    // checks, and the result says it was pasted.
    const std::optional<QString> pasted = prompter.multiLineInput(
        title(),
        QStringLiteral("공개 난수 서버에 접속할 수 없습니다. 다른 곳에서 받은 라운드 %1의 정보(JSON)를 "
                       "붙여넣어 주세요.")
                .arg(round) +
            crlf() + roundAddress(QStringLiteral("https://api.drand.sh"), round).toString());
    if (!pasted)
        return std::nullopt;
    const Expected<Round> got = parseRound(pasted->trimmed().toUtf8(), round);
    if (!got) {
        prompter.information(QStringLiteral("붙여넣은 라운드 정보를 쓸 수 없어 추첨하지 않았습니다.") +
                             crlf() + got.problem());
        return std::nullopt;
    }
    return FetchedRound{*got, {QString::fromLatin1(pastedRound)}, answers.refused};
}

QStringList PublicDrawCommands::relayNames() const {
    // drand's own relays are known whichever this program asks: a result drawn elsewhere names them
    QStringList names;
    for (const QString &relay : Endpoints::real().beaconRelays + m_services.endpoints.beaconRelays)
        names.append(relayName(relay));
    return names;
}

std::optional<QString> PublicDrawCommands::askAnnouncement() {
    const std::optional<QString> pasted = m_services.prompter.multiLineInput(
        title(),
        QStringLiteral("결과를 추첨 전에 올린 예고와 비교합니다. 게시글의 예고문을 복사해 붙여넣어 주세요.") +
            crlf() +
            QStringLiteral("※예고 파일로 비교하려면 비워 두고 확인을, 예고와 비교하지 않으려면 취소를 "
                           "누르세요."));
    if (!pasted)
        return QString(); // compared with nothing
    if (!pasted->trimmed().isEmpty())
        return *pasted;
    return chooseAndRead(QStringLiteral("Tombolix 추첨 예고 (*_Tombolix_Announce.txt);;모든 파일 (*)"));
}

void PublicDrawCommands::openVerifierPage() {
    // the page that ships with the program: the one its entrants are told to open
    const QUrl page = verifierPage(m_services.programFolder);
    if (page.isEmpty())
        return m_services.prompter.information(
            QStringLiteral("검증 페이지(tombolix-verify.html)를 찾을 수 없습니다. Tombolix를 다시 설치하거나 "
                           "압축 파일을 다시 풀어주세요."));
    if (!m_services.desktop.openUrl(page))
        m_services.prompter.information(QStringLiteral("검증 페이지를 브라우저로 열 수 없습니다.") + crlf() +
                                        QDir::toNativeSeparators(page.toLocalFile()));
}

void PublicDrawCommands::verify() {
    const WaitGuard::Wait wait(m_waits);
    if (!wait.entered())
        return;
    Prompter &prompter = m_services.prompter;
    const std::optional<QString> text =
        chooseAndRead(QStringLiteral("Tombolix 추첨 결과 (*_Tombolix_Result.txt);;모든 파일 (*)"));
    if (!text)
        return;
    // A result post saved as a text (what entrants have) is checked against the announcement's
    // list; a result file holds its own list. Every line, and the round by its own signature: no
    // relay needs to be asked or trusted.
    const Expected<files::SplitFile> file = files::splitFile(*text);
    const std::optional<Expected<PostedResult>> posted = file ? std::nullopt : readResultPost(*text);
    if (posted && !*posted)
        return prompter.information(QStringLiteral("검증 실패") + crlf() + posted->problem());
    std::optional<QString> announcement;
    Verified verified;
    if (posted) {
        announcement = askAnnouncement();
        if (!announcement || wait.windowClosed())
            return;
        if (announcement->isEmpty())
            return prompter.information(
                QStringLiteral("결과문만으로 확인하려면 참가자 목록이 있는 예고(예고문이나 예고 "
                               "파일)가 필요합니다."));
        verified =
            inBackground([&posted, &announcement] { return verifyPostedResult(**posted, *announcement); });
    } else {
        const QStringList relays = relayNames();
        verified = inBackground([&file, &relays] { return verifyResult(*file, relays); });
    }
    if (wait.windowClosed())
        return;
    if (verified.problem)
        return prompter.information(QStringLiteral("검증 실패") + crlf() + *verified.problem);
    const Terms &terms = verified.result->announcement.terms;
    const QString roundChecked =
        QStringLiteral("라운드 %1의 signature를 drand quicknet의 공개 키로 확인했습니다.").arg(terms.round);

    // Then the announcement as the entrants have it.
    if (!announcement)
        announcement = askAnnouncement();
    if (!announcement || wait.windowClosed())
        return;
    const QString drawn =
        terms.label + QStringLiteral(" : 참가자 %1명 중 당첨자 %2명, 예비 당첨자 %3명이 규칙대로 뽑혔습니다.")
                          .arg(QString::number(terms.count), QString::number(terms.winners),
                               QString::number(terms.reserves));
    // A draw of the first rule whose list today's rule takes for one person twice: what its rule
    // gives, so no failure, but no success either.
    const QList<QStringList> alike = readAlikeToday(verified.result->announcement);
    if (!announcement->isEmpty()) {
        const std::optional<QString> problem = inBackground([&announcement, &terms, &verified] {
            return announcementProblem(*announcement, terms, &verified.result->announcement);
        });
        if (wait.windowClosed())
            return;
        if (problem)
            return prompter.information(QStringLiteral("검증 실패") + crlf() + *problem);
        if (!alike.isEmpty())
            return prompter.information(QStringLiteral("검증 미완료") + crlf() + drawn + crlf() +
                                        readAlikeTodayText(alike) + crlf() + roundChecked + crlf() +
                                        drawnLines(*verified.result));
        return prompter.notice(
            QStringLiteral("검증 성공") + crlf() + drawn + crlf() +
            QStringLiteral("예고에 이 결과의 예고 코드가 있어, 예고한 그대로의 추첨입니다.") + crlf() +
            roundChecked + crlf() + postedBeforeRound(terms) + crlf() + drawnLines(*verified.result));
    }

    // Compared with no announcement: said in so many words, with what was announced shown so
    // that it can be compared with the post by eye.
    QString message =
        QStringLiteral("검증 미완료") + crlf() +
        QStringLiteral("결과 파일의 당첨자와 예비 당첨자는 파일에 적힌 목록과 라운드로 규칙대로 "
                       "계산되어 있고, ") +
        roundChecked + crlf() +
        QStringLiteral("그러나 이 결과는 어떤 예고와도 비교하지 않았습니다. 아래 값이 추첨 전에 올린 "
                       "예고와 같은지 직접 확인하세요.");
    if (!alike.isEmpty())
        message += crlf() + readAlikeTodayText(alike);
    for (const QString &line : termsLines(terms))
        message += crlf() + line;
    prompter.information(message + crlf() + drawnLines(*verified.result));
}

} // namespace tombolix
