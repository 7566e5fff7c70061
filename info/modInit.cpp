#include "info/modInit.h"

#include "common/Desktop.h"
#include "common/Prompter.h"
#include "common/Services.h"
#include "core/Cp949.h"
#include "core/VersionAnswer.h"
#include "http/WebRequest.h"

#include <QUrl>

namespace tombolix {

namespace {

// Three short properties need a few bytes: anything larger is not an answer worth reading.
constexpr qint64 maxAnswerBytes = 1024 * 1024;

} // namespace

bool CheckVersion(const Services &services, int timeoutMs) {
    WebRequest request;
    const HttpResult answer = request.fetch({"POST",
                                             services.endpoints.versionInfo,
                                             {{"Content-Type", "application/x-www-form-urlencoded"}},
                                             "mode=info"},
                                            {timeoutMs, maxAnswerBytes});
    if (!answer.ok())
        return true; // no answer: start normally
    const VersionDecision decision = decideVersion(fromCp949(answer.body));
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
