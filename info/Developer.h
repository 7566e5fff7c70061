#pragma once

#include <QString>
#include <QUrl>

namespace tombolix::developer {

// Who made the program and how to reach them, the same wherever they are shown.
inline QString nickname() {
    return QStringLiteral("모락토네");
}
inline QString email() {
    return QStringLiteral("moraktone@tombolix.kr");
}
inline QString blog() {
    return QStringLiteral("http://blog.tombolix.kr/moraktone");
}

} // namespace tombolix::developer
