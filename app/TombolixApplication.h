#pragma once

#include <QApplication>

namespace tombolix {

class Prompter;

// The last line of defence: an error that escaped every handler is shown in the error box and
// the program goes on, so the user's draw list survives.
class TombolixApplication : public QApplication {
public:
    TombolixApplication(int &argc, char **argv);

    void setPrompter(Prompter *prompter) { m_prompter = prompter; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    Prompter *m_prompter = nullptr;
};

} // namespace tombolix
