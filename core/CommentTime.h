#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix {

// The site's times and the organiser's deadline are Korea's: UTC+9, all year.
inline constexpr qint64 koreaOffsetSeconds = 9 * 3600;

// A deadline as the organiser types it, in Korea's time: "2026-08-28 09:38", with seconds
// "2026-08-28 09:38:30", the date also written with '.' or '/' as events write it
// ("2026/08/28 09:38"). Unix seconds; nullopt for anything else.
std::optional<qint64> parseDeadline(const QString &text);
// The deadline as the program writes it back: "2026-08-28 09:38", the seconds only when there
// are some.
QString deadlineText(qint64 unixSeconds);

// An HTTP answer's Date header, in Unix seconds: the IMF-fixdate every server sends today
// ("Fri, 28 Aug 2026 00:38:00 GMT") or the asctime form ("Fri Aug 28 00:38:00 2026"). The
// obsolete form with a two-digit year is not read: its century would be a guess.
std::optional<qint64> parseHttpDate(const QByteArray &value);

// A stretch of time, in Unix seconds, both ends included.
struct Moments {
    qint64 first = 0;
    qint64 last = 0;
};

// What one shown time of a comment says: the moments it may stand for, or why it says nothing.
struct StampReading {
    QList<Moments> moments; // empty when the stamp cannot be read
    QString why;            // in Korean: why it cannot be read, or how it may fall on both sides
};

// Reads a comment's shown time, `served` being the Date of the answer that carried it.
// - "11:37:06", the one form seen on the site: the latest moment at or before `served` (in
//   Korea's time) with that time of day, right whether the site shows a bare time for its own
//   calendar day or for the last 24 hours. A time of day up to clockSlackSeconds later than
//   the answer's may also be a comment of just now, the site's clocks a little apart: it
//   stands for both moments. Without `served` the day is unknown.
// - A date with a four-digit year, with or without the time of day ("2026-08-27 11:37:06",
//   "2026-08-27 11:37", "2026.08.27"): every second it may mean.
// - Anything else (a year left out, "3분 전", mark-up) cannot be read: no year, day or zone is
//   guessed.
StampReading readStamp(const QString &stamp, std::optional<qint64> served);
inline constexpr qint64 clockSlackSeconds = 300;

// A comment as the deadline weighs it.
struct TimedComment {
    QString number;               // its "no": the site numbers comments in the order they are written
    QStringList stamps;           // what the site shows for its time (empty ones left out)
    std::optional<qint64> served; // the Date of the answer that carried it
};

struct DeadlinePlacing {
    QList<bool> after; // per comment: written after the deadline (false where not asked)
    int unsure = -1;   // the first comment asked about that cannot be placed; -1 when none
    QString why;       // for it, in Korean: what it showed and why that does not decide
};

// Which of the comments `asked` about were written after the deadline (a comment at the
// deadline's very second is not). A comment's own shown time decides where it can; where it
// cannot, the order of the numbers does: a comment numbered before one written before the
// deadline was written before it too, one numbered after a comment written after the deadline
// was written after it. As the numbers and the shown times of the site can disagree by a few
// seconds, a comment places others by its number only when it stands more than
// orderSlackSeconds from the deadline. Every comment helps place the others, asked or not.
DeadlinePlacing placeByDeadline(const QList<TimedComment> &comments, const QList<bool> &asked,
                                qint64 deadline);
inline constexpr qint64 orderSlackSeconds = 60;

} // namespace tombolix
