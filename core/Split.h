#pragma once

#include <QString>

#include <optional>

namespace tombolix {

// Field `index` of the text cut at every occurrence of the separator (exact, left to right, no
// overlap), numbered from 0. The empty text has no fields; a text without the separator has
// one, itself. nullopt when there is no such field.
std::optional<QString> splitField(const QString &text, const QString &separator, int index);

} // namespace tombolix
