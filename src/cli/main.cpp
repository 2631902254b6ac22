// rz-v70: back up, restore and talk to the receiver without a window.
#include "cli/cli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    const int status = rz::cli::run(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}
