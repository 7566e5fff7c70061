#include "core/VersionAnswer.h"

#include "core/Constants.h"
#include "core/JsLiteral.h"

#include <QLocale>

#include <cmath>
#include <optional>

namespace tombolix {

namespace {

// A property read as text; a missing property or null counts as the empty text.
QString propertyText(const JsValue &value) {
    if (value.type == JsValue::Type::Undefined || value.type == JsValue::Type::Null)
        return {};
    return jsToString(value);
}

// The version as a number, as the number conversion of the original reads it.
std::optional<double> versionNumber(const JsValue &value) {
    switch (value.type) {
    case JsValue::Type::Number:
        return value.number;
    case JsValue::Type::Boolean:
        return value.boolean ? -1.0 : 0.0;
    case JsValue::Type::String: {
        bool ok = false;
        const double number = QLocale::c().toDouble(value.string.trimmed(), &ok);
        if (ok && std::isfinite(number))
            return number;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

VersionDecision decideVersion(const QString &answer) {
    const std::optional<JsValue> temp = evaluateJsLiteral(answer);
    // Not a literal, or no object to read properties of (null, undefined): start normally.
    if (!temp || temp->type == JsValue::Type::Undefined || temp->type == JsValue::Type::Null)
        return {};
    if (propertyText(temp->property(QStringLiteral("working"))) != QStringLiteral("1"))
        return {VersionDecision::Outcome::EndSilently, {}};
    const JsValue version = temp->property(QStringLiteral("version"));
    if (propertyText(version).isEmpty())
        return {VersionDecision::Outcome::EndSilently, {}};
    const std::optional<double> number = versionNumber(version);
    if (!number || *number <= programVersion)
        return {};
    return {VersionDecision::Outcome::NewVersion, propertyText(temp->property(QStringLiteral("url")))};
}

} // namespace tombolix
