#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace tombolix {

// Why something could not be done, in Korean, as the user is told it.
struct Problem {
    QString text;
};

// A value, or the problem that kept it from being made: what a reader of outside input returns
// (std::expected, which C++23 brings, in the small).
//     Expected<Announcement> read = parseAnnouncement(text);
//     if (!read) return tell(read.problem());
template <typename T> class Expected {
public:
    Expected(T value)
        : m_value(std::move(value)) {}
    Expected(Problem problem)
        : m_value(std::move(problem)) {}

    bool ok() const { return std::holds_alternative<T>(m_value); }
    explicit operator bool() const { return ok(); }
    const T &operator*() const { return std::get<T>(m_value); }
    T &operator*() { return std::get<T>(m_value); }
    const T *operator->() const { return &std::get<T>(m_value); }
    T *operator->() { return &std::get<T>(m_value); }
    // The problem's text; empty when there is a value.
    QString problem() const { return ok() ? QString() : std::get<Problem>(m_value).text; }

private:
    std::variant<T, Problem> m_value;
};

} // namespace tombolix
