#pragma once
// What the tool shows on a terminal while an operation runs.
#include "link/operation.h"

namespace rz::cli {

// Whether the error stream is a terminal (the one platform difference the
// tool has).
bool errorStreamIsTerminal();

// The operation's percentage on the error stream's terminal, wiped at the
// end; nothing when the stream is not a terminal.
class TerminalProgress : public OperationSink {
public:
    TerminalProgress();
    ~TerminalProgress() override;
    void progressText(const QString& text) override;

private:
    bool terminal_;
    bool shown_ = false;
};

} // namespace rz::cli
