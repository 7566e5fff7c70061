#include "info/InfoMenu.h"

#include "common/Desktop.h"
#include "common/Prompter.h"
#include "common/Services.h"
#include "core/Constants.h"
#include "info/Developer.h"

namespace tombolix {

void showDeveloperInfo(const Services &services) {
    services.prompter.notice(QStringLiteral("개발자 : ") + developer::nickname() +
                                 QStringLiteral("(Email : ") + developer::email() + QStringLiteral(")") +
                                 crlf() + QStringLiteral("Tombolix 블로그 : ") + developer::blog(),
                             applicationTitle());
}

void showFeedbackAddress(const Services &services) {
    services.prompter.notice(
        QStringLiteral("피드백은 ") + developer::email() + QStringLiteral(" 이나 뽐뿌 ") +
        developer::nickname() +
        QStringLiteral(" 으로 쪽지 주시면 답변해드립니다. 메일주소는 자동으로 클립보드에 "
                       "복사됩니다 ^^"));
    services.desktop.setClipboardText(developer::email());
}

void openDeveloperBlog(const Services &services) {
    services.desktop.openUrl(QUrl(developer::blog()));
}

} // namespace tombolix
