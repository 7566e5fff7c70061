#include "modInit.h"

#include "Constants.h"
#include "Cp949.h"
#include "Desktop.h"
#include "JsLiteral.h"
#include "Prompter.h"
#include "Services.h"
#include "WebRequest.h"

#include <QLocale>
#include <QUrl>

#include <cmath>

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

bool CheckVersion(const Services &services, int timeoutMs) {
    WebRequest request;
    request.Open("POST", services.endpoints.versionInfo);
    request.SetRequestHeader("Content-Type", "application/x-www-form-urlencoded");
    request.Send("mode=info");
    if (!request.WaitForResponse(timeoutMs))
        return true; // no answer: start normally
    const VersionDecision decision = decideVersion(fromCp949(request.ResponseBody()));
    switch (decision.outcome) {
    case VersionDecision::Outcome::Start:
        return true;
    case VersionDecision::Outcome::EndSilently:
        return false;
    case VersionDecision::Outcome::NewVersion: {
        services.prompter.notice(QStringLiteral("새 버전이 있습니다! 관련 링크로 이동합니다!"));
        // Only a web address is opened: anything else could name a program to start.
        const QUrl url(decision.url, QUrl::StrictMode);
        if (url.isValid() &&
            (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https")))
            services.desktop.openUrl(url);
        return false;
    }
    }
    return true;
}

} // namespace tombolix
