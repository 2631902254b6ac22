#pragma once
// Runs one of the built programs to its end, without a display, and keeps
// its exit status and what it printed.
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace rz::test {

struct ProgramRun {
    int status = -1; // -1: it did not end in time, or crashed
    QString out, err;
};

inline ProgramRun runProgram(const QString& program, const QStringList& arguments,
                             int timeoutMs = 120000) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    ProgramRun run;
    if (process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
        run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
    }
    return run;
}

// The command-line tool rz-v70, built beside the running test.
inline ProgramRun runTool(const QStringList& arguments) {
    return runProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/rz-v70"),
                      arguments);
}

} // namespace rz::test
