#pragma once

#include "common/Services.h"
#include "common/WaitGuard.h"
#include "core/DrawVerification.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace tombolix {

class Countdown;
class DrawList;

// Where a public draw shows its winners: the main window's result box, in its chosen format.
struct ResultOutput {
    std::function<std::optional<QString>()> separator; // nullopt when no format is chosen
    std::function<QString()> text;
    std::function<void(const QStringList &entries, const QString &separator)> show;
};

// How long the beacon's relays are given: each request, and a round that is not there yet
// (the machine's clock a little ahead) is asked again this often, for this long.
struct BeaconLimits {
    int requestMs = 10000;
    int retryEveryMs = 3000;
    int retryForMs = 60000;
};

// The menu "공개 추첨": a draw that anyone can check. The organiser announces the list's
// fingerprint and a future round of a public random beacon; when the round is out, the winners
// follow from both by a fixed rule; anyone can compute them again from the result file.
class PublicDrawCommands {
public:
    PublicDrawCommands(const Services &services, DrawList &drawList, ResultOutput output, QWidget *window);
    ~PublicDrawCommands();

    void announce();         // 추첨 예고 만들기…
    void drawAnnounced();    // 예고한 추첨 하기…
    void verify();           // 추첨 결과 검증…
    void openVerifierPage(); // 검증 페이지 열기: the entrants' page, in the browser

    // The main window is closing: a wait ends, and nothing more is written or asked.
    void windowClosed();
    void setLimits(const BeaconLimits &limits) { m_limits = limits; }
    // The countdown window, while one is shown.
    Countdown *countdown() const;

private:
    QString filePath(const QString &kind) const;
    // The prizes by rank, asked in one box; none when left empty. nullopt when the user cancelled
    // or was told what is wrong.
    std::optional<QList<publicdraw::Prize>> askPrizes(int winners);
    // The text of a file the user chooses (UTF-8), or nullopt when the user was told why not.
    std::optional<QString> chooseAndRead(const QString &filter);
    // The draw list made canonical (`list`, canonicalList of its entries), or nullopt when it
    // cannot be drawn from in public (the user was told why).
    std::optional<publicdraw::CanonicalList> canonicalDrawList(publicdraw::CanonicalList list);
    // Counts down in the countdown window while `remainingMs` is above 0. False when the user
    // cancelled (which is then said) or the main window closed.
    bool countDown(const QString &text, const std::function<qint64()> &remainingMs,
                   const WaitGuard::Wait &wait);
    // Waits until the round is published, by the program's clock: false when cancelled.
    bool waitUntilRound(qint64 round, const WaitGuard::Wait &wait);
    // The round from the relays, retried while it is not out yet, or pasted by the user when
    // no relay answers. nullopt when the user was told why not or the wait was ended.
    struct FetchedRound {
        publicdraw::Round round;
        QStringList relays;  // the relays that gave it, or "pasted"
        QStringList refused; // relays whose round failed the checks and was not used, with why
    };
    std::optional<FetchedRound> fetchRound(qint64 round, const WaitGuard::Wait &wait);
    QStringList relayNames() const;
    // The announcement as the entrants have it: the post's text pasted, or the announcement
    // file. The empty text when the user compares with none; nullopt when the user was told why
    // the file chosen cannot be read.
    std::optional<QString> askAnnouncement();

    Services m_services;
    DrawList &m_drawList;
    ResultOutput m_output;
    QWidget *m_window;
    WaitGuard m_waits;
    BeaconLimits m_limits;
    QPointer<Countdown> m_countdown;
};

} // namespace tombolix
