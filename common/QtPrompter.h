#pragma once

#include "common/Prompter.h"

namespace tombolix {

// The real dialogs: QMessageBox, QInputDialog and QFileDialog, always with plain text.
class QtPrompter : public Prompter {
public:
    Answer prompt(PromptKind kind, const QString &title, const QString &text) override;
};

} // namespace tombolix
