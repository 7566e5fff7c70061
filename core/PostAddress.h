#pragma once

#include <QString>

namespace tombolix {

// The board code and the post number taken from a post's address as the browser shows it,
// for example http://host/zboard/view.php?id=freeboard&page=2&no=123.
struct PostAddress {
    enum class Status { Ok, NotAnAddress, NoNumber, NoBoard };
    Status status = Status::NotAnAddress;
    QString number; // set from NoBoard on
    QString board;  // set with Ok only
};

PostAddress parsePostAddress(const QString &address);

} // namespace tombolix
