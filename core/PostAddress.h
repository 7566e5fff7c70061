#pragma once

#include <QString>

namespace tombolix {

// The board code and the post number taken from a post's address as the browser shows it, in
// either scheme: https://www.ppomppu.co.kr/zboard/view.php?id=freeboard&page=2&no=123, or
// the mobile site's https://m.ppomppu.co.kr/new/bbs_view.php?id=pmarket&no=303717.
struct PostAddress {
    enum class Status { Ok, NotAnAddress, NoNumber, NoBoard };
    Status status = Status::NotAnAddress;
    QString number; // set from NoBoard on
    QString board;  // set with Ok only
};

PostAddress parsePostAddress(const QString &address);

} // namespace tombolix
