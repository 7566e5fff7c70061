#pragma once

#include "core/DrawFiles.h"

#include <QString>

namespace tombolix {

// The texts the organiser pastes into the post on the site, in Korean: the announcement before
// the round, and the result after it, each saying how anyone can check it.
QString announcementPost(const publicdraw::Announcement &announced);
QString resultPost(const publicdraw::Result &result);

} // namespace tombolix
