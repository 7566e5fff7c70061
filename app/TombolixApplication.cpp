#include "app/TombolixApplication.h"

#include "common/ErrorGuard.h"
#include "common/QtPrompter.h"
#include "common/TombolixStyle.h"
#include "core/Constants.h"

namespace tombolix {

TombolixApplication::TombolixApplication(int &argc, char **argv)
    : QApplication(argc, argv) {
    // The window class stays "tombolix" from one version to the next (a desktop entry names it);
    // the captions carry the version.
    setApplicationName(QStringLiteral("tombolix"));
    setDesktopFileName(QStringLiteral("kr.tombolix.Tombolix"));
    installQtKoreanTranslation();
    setStyle(new TombolixStyle); // the application owns it
}

bool TombolixApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (!m_prompter)
            throw;
        reportUnhandledError(*m_prompter, std::current_exception());
        return true;
    }
}

} // namespace tombolix
