#include "app/TombolixApplication.h"

#include "common/ErrorGuard.h"
#include "common/QtPrompter.h"
#include "core/Constants.h"

namespace tombolix {

TombolixApplication::TombolixApplication(int &argc, char **argv)
    : QApplication(argc, argv) {
    setApplicationName(applicationTitle());
    installQtKoreanTranslation();
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
