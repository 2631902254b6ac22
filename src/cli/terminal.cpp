#include "cli/terminal.h"

#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define RZ_ISATTY(fd) _isatty(fd)
#define RZ_FILENO(f) _fileno(f)
#else
#include <unistd.h>
#define RZ_ISATTY(fd) isatty(fd)
#define RZ_FILENO(f) fileno(f)
#endif

namespace rz::cli {

bool errorStreamIsTerminal() {
    return RZ_ISATTY(RZ_FILENO(stderr)) != 0;
}

TerminalProgress::TerminalProgress() : terminal_(errorStreamIsTerminal()) {}

TerminalProgress::~TerminalProgress() {
    if (shown_)
        std::fprintf(stderr, "\r     \r");
}

void TerminalProgress::progressText(const QString& text) {
    if (!terminal_)
        return;
    std::fprintf(stderr, "\r%-5s", qPrintable(text));
    shown_ = true;
}

} // namespace rz::cli
