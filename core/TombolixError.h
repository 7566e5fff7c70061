#pragma once

#include <QString>

#include <stdexcept>

namespace tombolix {

// The one exception type of the program: an error number and its description, shown by the
// application's top-level error box when no handler deals with it.
class TombolixError : public std::runtime_error {
public:
    TombolixError(int number, const QString &description);

    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

} // namespace tombolix
