#include "core/TombolixError.h"

namespace tombolix {

TombolixError::TombolixError(int number, const QString &description)
    : std::runtime_error(description.toStdString())
    , m_number(number)
    , m_description(description) {}

} // namespace tombolix
