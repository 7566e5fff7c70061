#pragma once

#include "common/Prompter.h"

#include <QList>
#include <QQueue>

#include <functional>

namespace tombolix::test {

// Records every prompt and plays back queued answers. A question, input box or file dialog
// without a queued answer fails the running test.
class ScriptedPrompter : public Prompter {
public:
    struct Record {
        PromptKind kind;
        QString title;
        QString text;
        QString initialText; // what an input box offered
    };

    Answer prompt(PromptKind kind, const QString &title, const QString &text,
                  const QString &initialText) override;

    void yes() { m_answers.enqueue({true, {}}); }
    void no() { m_answers.enqueue({false, {}}); }
    void type(const QString &text) { m_answers.enqueue({true, text}); }
    void cancel() { m_answers.enqueue({false, {}}); }
    void chooseFile(const QString &path) { m_answers.enqueue({!path.isEmpty(), path}); }

    QList<Record> records;
    int pendingAnswers() const { return int(m_answers.size()); }
    void reset();
    // The texts of the recorded prompts, in order.
    QStringList texts() const;
    // Runs while a prompt is "open", before it is answered.
    std::function<void(const Record &)> whileOpen;

private:
    QQueue<Answer> m_answers;
};

} // namespace tombolix::test
