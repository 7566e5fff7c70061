#pragma once

#include "core/Constants.h"

#include <QString>

#include <optional>

namespace tombolix {

enum class PromptKind { Information, Warning, Notice, Question, Input, MultiLineInput, OpenFile, Error };

// Every modal dialog of the program goes through here, so tests can answer them.
class Prompter {
public:
    struct Answer {
        bool accepted = false; // OK or Yes
        QString text;          // what the input box or the file dialog gave
    };

    virtual ~Prompter() = default;

    // For OpenFile the text is the file filter and `initialText` the folder the dialog starts
    // in; for Input the text is the prompt, and the box opens holding `initialText`.
    virtual Answer prompt(PromptKind kind, const QString &title, const QString &text,
                          const QString &initialText) = 0;

    void information(const QString &text, const QString &title = alertTitle());
    void warning(const QString &text, const QString &title = alertTitle());
    void notice(const QString &text, const QString &title = alertTitle());
    bool question(const QString &text, const QString &title = alertTitle());
    // nullopt when the user cancelled. The box opens empty unless given a text to offer.
    std::optional<QString> input(const QString &title, const QString &promptText,
                                 const QString &initialText = QString());
    // The same with a box of many lines, for text of any length (a post, a round's JSON): what
    // is pasted is taken whole, never cut.
    std::optional<QString> multiLineInput(const QString &title, const QString &promptText,
                                          const QString &initialText = QString());
    // Empty when the user cancelled. The dialog starts in `folder`.
    QString openFile(const QString &filter, const QString &folder = QString());
    void error(int number, const QString &description);

    static QString errorText(int number, const QString &description);
};

} // namespace tombolix
