#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <memory>
#include <optional>

namespace tombolix {

// A value of a JavaScript literal expression: what the maker's server answers with.
struct JsValue {
    enum class Type { Undefined, Null, Boolean, Number, String, Array, Object };
    Type type = Type::Undefined;
    bool boolean = false;
    double number = 0;
    QString string;
    QList<JsValue> elements;                   // Array
    QList<QPair<QString, JsValue>> properties; // Object, in order; a later key replaces an earlier one

    // The property's value; undefined when there is none (or this is not an object).
    JsValue property(const QString &name) const;
};

// Evaluates object and array literals, strings, numbers, true, false, null and undefined,
// in parentheses or not, with an optional closing semicolon. Anything else (a call, an
// assignment, an operator, a name) cannot be evaluated: nullopt. Nothing is ever run.
std::optional<JsValue> evaluateJsLiteral(const QString &source);

// The value as JavaScript writes it as text (String(value)).
QString jsToString(const JsValue &value);

// How a number is written in JavaScript: 1 gives "1", 1.50 gives "1.5", 1e21 gives "1e+21".
QString jsNumberToString(double number);

} // namespace tombolix
