#include "core/CommentTime.h"

#include "core/Text.h"

#include <QDate>
#include <QRegularExpression>

#include <vector>

namespace tombolix {

namespace {

constexpr qint64 day = 86400;

qint64 epochDay() {
    static const qint64 jd = QDate(1970, 1, 1).toJulianDay();
    return jd;
}

// Floor division, for times before 1970 too.
qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

qint64 unixSeconds(const QDate &date, qint64 secondsOfDay, qint64 offset) {
    return (date.toJulianDay() - epochDay()) * day + secondsOfDay - offset;
}

std::optional<qint64> secondsOfDay(const QString &hours, const QString &minutes, const QString &seconds) {
    const int h = hours.toInt();
    const int m = minutes.toInt();
    const int s = seconds.isEmpty() ? 0 : seconds.toInt();
    if (h > 23 || m > 59 || s > 59)
        return std::nullopt;
    return qint64(h) * 3600 + m * 60 + s;
}

int monthNamed(const QString &name) {
    static const QStringList months{QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
                                    QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
                                    QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                                    QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    return int(months.indexOf(name)) + 1;
}

int weekdayNamed(const QString &name) {
    static const QStringList days{QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                                  QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat"),
                                  QStringLiteral("Sun")};
    return int(days.indexOf(name)) + 1;
}

enum class Side { Before, After, Unsure };

// Where moments fall against the deadline (its own second is before it); with a slack, more
// than that far from it.
Side sideOf(const QList<Moments> &moments, qint64 deadline, qint64 slack) {
    if (moments.isEmpty())
        return Side::Unsure;
    bool before = true;
    bool after = true;
    for (const Moments &m : moments) {
        before = before && (slack == 0 ? m.last <= deadline : m.last < deadline - slack);
        after = after && m.first > deadline + slack;
    }
    return before ? Side::Before : after ? Side::After : Side::Unsure;
}

struct OwnSide {
    Side side = Side::Unsure; // by its shown times
    Side firm = Side::Unsure; // the same, far enough from the deadline to place others by
    QString why;
};

QString shown(const QString &stamp) {
    return QStringLiteral("표시된 시각 \"") + stamp + QStringLiteral("\" : ");
}

OwnSide ownSide(const TimedComment &comment, qint64 deadline) {
    if (comment.stamps.isEmpty())
        return {Side::Unsure, Side::Unsure, QStringLiteral("쓴 시각이 표시되어 있지 않습니다.")};
    bool before = false;
    bool after = false;
    bool firmBefore = false;
    bool firmAfter = false;
    QString why;
    for (const QString &stamp : comment.stamps) {
        const StampReading reading = readStamp(stamp, comment.served);
        const Side side = sideOf(reading.moments, deadline, 0);
        const Side firm = sideOf(reading.moments, deadline, orderSlackSeconds);
        before = before || side == Side::Before;
        after = after || side == Side::After;
        firmBefore = firmBefore || firm == Side::Before;
        firmAfter = firmAfter || firm == Side::After;
        if (side == Side::Unsure && why.isEmpty())
            why = shown(stamp) + reading.why;
    }
    if (before && after)
        return {Side::Unsure, Side::Unsure,
                QStringLiteral("표시된 시각 \"") + comment.stamps.join(QStringLiteral("\", \"")) +
                    QStringLiteral("\" : 두 시각이 마감 시각의 서로 다른 쪽을 가리킵니다.")};
    if (before)
        return {Side::Before, firmBefore ? Side::Before : Side::Unsure, {}};
    if (after)
        return {Side::After, firmAfter ? Side::After : Side::Unsure, {}};
    return {Side::Unsure, Side::Unsure, why};
}

} // namespace

std::optional<qint64> parseDeadline(const QString &text) {
    static const QRegularExpression form(QStringLiteral(
        "^\\s*(\\d{4})([-./])(\\d{1,2})\\2(\\d{1,2})\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(3).toInt(), match.captured(4).toInt());
    const std::optional<qint64> time = secondsOfDay(match.captured(5), match.captured(6), match.captured(7));
    if (!date.isValid() || !time)
        return std::nullopt;
    return unixSeconds(date, *time, koreaOffsetSeconds);
}

QString deadlineText(qint64 unixSeconds) {
    const qint64 local = unixSeconds + koreaOffsetSeconds;
    const qint64 days = floorDiv(local, day);
    const qint64 time = local - days * day;
    const QDate date = QDate::fromJulianDay(epochDay() + days);
    auto two = [](qint64 n) { return QString::number(n).rightJustified(2, u'0'); };
    QString text =
        date.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + two(time / 3600) + u':' + two(time / 60 % 60);
    if (time % 60 != 0)
        text += u':' + two(time % 60);
    return text;
}

std::optional<qint64> parseHttpDate(const QByteArray &value) {
    static const QRegularExpression imfFixdate(QStringLiteral(
        "^\\s*([A-Z][a-z]{2}), (\\d{2}) ([A-Z][a-z]{2}) (\\d{4}) (\\d{2}):(\\d{2}):(\\d{2}) GMT\\s*$"));
    static const QRegularExpression asctime(QStringLiteral(
        "^\\s*([A-Z][a-z]{2}) ([A-Z][a-z]{2}) ([ \\d]\\d) (\\d{2}):(\\d{2}):(\\d{2}) (\\d{4})\\s*$"));
    const QString text = QString::fromLatin1(value);
    QString weekday, dayOfMonth, month, year, hours, minutes, seconds;
    if (const QRegularExpressionMatch m = imfFixdate.match(text); m.hasMatch()) {
        weekday = m.captured(1);
        dayOfMonth = m.captured(2);
        month = m.captured(3);
        year = m.captured(4);
        hours = m.captured(5);
        minutes = m.captured(6);
        seconds = m.captured(7);
    } else if (const QRegularExpressionMatch a = asctime.match(text); a.hasMatch()) {
        weekday = a.captured(1);
        month = a.captured(2);
        dayOfMonth = a.captured(3).trimmed();
        hours = a.captured(4);
        minutes = a.captured(5);
        seconds = a.captured(6);
        year = a.captured(7);
    } else {
        return std::nullopt;
    }
    const QDate date(year.toInt(), monthNamed(month), dayOfMonth.toInt());
    const std::optional<qint64> time = secondsOfDay(hours, minutes, seconds);
    // A weekday that is not the date's is a date made up badly: nothing to read a day by.
    if (!date.isValid() || !time || date.dayOfWeek() != weekdayNamed(weekday))
        return std::nullopt;
    return unixSeconds(date, *time, 0);
}

StampReading readStamp(const QString &stamp, std::optional<qint64> served) {
    static const QRegularExpression bareTime(QStringLiteral("^(\\d{1,2}):(\\d{2}):(\\d{2})$"));
    static const QRegularExpression dated(
        QStringLiteral("^(\\d{4})([-./])(\\d{1,2})\\2(\\d{1,2})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const QString text = markupText(stamp).trimmed();
    StampReading reading;
    if (const QRegularExpressionMatch m = bareTime.match(text); m.hasMatch()) {
        const std::optional<qint64> time = secondsOfDay(m.captured(1), m.captured(2), m.captured(3));
        if (!time) {
            reading.why = QStringLiteral("이 프로그램이 읽을 수 없는 형식입니다.");
            return reading;
        }
        if (!served) {
            reading.why =
                QStringLiteral("사이트의 응답에 날짜(Date 헤더)가 없어 어느 날의 시각인지 알 수 없습니다.");
            return reading;
        }
        const qint64 local = *served + koreaOffsetSeconds;
        const qint64 servedTime = local - floorDiv(local, day) * day;
        const qint64 latest = *served - servedTime + *time - (*time > servedTime ? day : 0);
        reading.moments.append({latest, latest});
        if (*time > servedTime && *time - servedTime <= clockSlackSeconds)
            reading.moments.append({latest + day, latest + day});
        reading.why = QStringLiteral("응답의 시각(Date 헤더)보다 조금 늦은 시각이라, 하루 전에 쓴 덧글인지 "
                                     "사이트의 시계 차이로 방금 쓴 덧글인지 알 수 없습니다.");
        return reading;
    }
    if (const QRegularExpressionMatch m = dated.match(text); m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
        if (!date.isValid()) {
            reading.why = QStringLiteral("이 프로그램이 읽을 수 없는 형식입니다.");
            return reading;
        }
        if (m.captured(5).isEmpty()) {
            const qint64 start = unixSeconds(date, 0, koreaOffsetSeconds);
            reading.moments.append({start, start + day - 1});
            reading.why = QStringLiteral("날짜만 있고 시각이 없어, 마감 시각과 같은 날에 쓴 덧글이 마감 "
                                         "전인지 알 수 없습니다.");
            return reading;
        }
        const std::optional<qint64> time = secondsOfDay(m.captured(5), m.captured(6), m.captured(7));
        if (!time) {
            reading.why = QStringLiteral("이 프로그램이 읽을 수 없는 형식입니다.");
            return reading;
        }
        const qint64 start = unixSeconds(date, *time, koreaOffsetSeconds);
        const bool withSeconds = !m.captured(7).isEmpty();
        reading.moments.append({start, start + (withSeconds ? 0 : 59)});
        reading.why =
            QStringLiteral("초가 없어, 마감 시각과 같은 분에 쓴 덧글이 마감 전인지 알 수 없습니다.");
        return reading;
    }
    reading.why = QStringLiteral("이 프로그램이 읽을 수 없는 형식입니다.");
    return reading;
}

DeadlinePlacing placeByDeadline(const QList<TimedComment> &comments, const QList<bool> &asked,
                                qint64 deadline) {
    DeadlinePlacing placing;
    placing.after.fill(false, comments.size());
    std::vector<OwnSide> own;
    own.reserve(size_t(comments.size()));
    std::optional<qint64> lastFirmBefore; // the highest number of a comment surely before
    std::optional<qint64> firstFirmAfter; // the lowest number of a comment surely after
    for (const TimedComment &comment : comments) {
        own.push_back(ownSide(comment, deadline));
        bool numbered = false;
        const qint64 number = comment.number.toLongLong(&numbered);
        if (!numbered)
            continue;
        if (own.back().firm == Side::Before && (!lastFirmBefore || number > *lastFirmBefore))
            lastFirmBefore = number;
        if (own.back().firm == Side::After && (!firstFirmAfter || number < *firstFirmAfter))
            firstFirmAfter = number;
    }
    for (qsizetype i = 0; i < comments.size(); ++i) {
        if (!asked.value(i))
            continue;
        const OwnSide &side = own[size_t(i)];
        if (side.side != Side::Unsure) {
            placing.after[i] = side.side == Side::After;
            continue;
        }
        bool numbered = false;
        const qint64 number = comments.at(i).number.toLongLong(&numbered);
        const bool before = numbered && lastFirmBefore && number < *lastFirmBefore;
        const bool after = numbered && firstFirmAfter && number > *firstFirmAfter;
        if (before != after) {
            placing.after[i] = after;
            continue;
        }
        placing.unsure = int(i);
        placing.why = side.why + u' ' +
                      (numbered ? QStringLiteral("덧글 번호의 순서로도 정할 수 없습니다.")
                                : QStringLiteral("덧글 번호가 없어 순서로도 정할 수 없습니다."));
        return placing;
    }
    return placing;
}

} // namespace tombolix
