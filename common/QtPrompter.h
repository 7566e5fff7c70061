#pragma once

#include "common/Prompter.h"

namespace tombolix {

// The real dialogs: QMessageBox, QInputDialog and QFileDialog, always with plain text.
class QtPrompter : public Prompter {
public:
    Answer prompt(PromptKind kind, const QString &title, const QString &text,
                  const QString &initialText) override;
};

// Qt's own texts (the dialogs' buttons, the file dialog) in Korean, whatever the system's
// language: Qt's Korean translation from where the platform keeps it, or from the folder
// "translations" beside the program. False when neither holds it.
bool installQtKoreanTranslation();

} // namespace tombolix
