#pragma once

#include <QString>

namespace tombolix {

// What the maker's answer says the start-up must do.
struct VersionDecision {
    enum class Outcome { Start, EndSilently, NewVersion };
    Outcome outcome = Outcome::Start;
    QString url; // with NewVersion: the address of the new version
};

// The answer text, evaluated as a literal (never run): working must be "1", version must not
// be empty, and a version above ours means a new version. Answers that cannot be evaluated,
// or whose version is not a number, let the program start: the check is the maker's concern.
VersionDecision decideVersion(const QString &answer);

} // namespace tombolix
