#pragma once

#include <QString>

namespace tavolex::checks {

// How a check screen ends after "Controlla".
enum class Verdict {
    Valid,    // the identifier is well formed; the screen closes
    Wrong,    // the identifier is wrong; the screen closes
    BadInput, // wrong length or empty input; the screen stays open on the input field
};

// The message box a check screen shows for a verdict.
enum class MessageKind { None, Warning, Information };

struct CheckResult {
    Verdict verdict = Verdict::Wrong;
    MessageKind kind = MessageKind::None;
    QString message; // exactly as shown; empty when kind is None

    bool keepsOpen() const { return verdict == Verdict::BadInput; }
};

} // namespace tavolex::checks
