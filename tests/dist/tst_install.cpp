// "cmake --install" into a temporary prefix lays out every file a desktop
// expects, the desktop entry and the metainfo pass their validators (when
// installed), the man pages format without warnings, and every program
// answers --version with its version and Qt's, built and installed alike.
#include "files/config_file.h"
#include "model/build_info.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString BuildDir = QStringLiteral(RZ_BUILD_DIR);

struct Run {
    int status = -1;
    QString out, err;
};

Run run(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // --version needs no display
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

QStringList programs() {
    QStringList built;
    for (const char* name : {"rz-v70", "rz-v70-sim", "rz-v70-writer"})
        if (QFile::exists(BuildDir + QLatin1Char('/') + QLatin1String(name)))
            built << QLatin1String(name);
    return built;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir prefix_;
    QString path(const QString& relative) const { return prefix_.filePath(relative); }
    bool hasWriter() const { return programs().contains(QStringLiteral("rz-v70-writer")); }

private slots:
    void initTestCase() {
        QVERIFY(prefix_.isValid());
        const Run install =
            run(QStringLiteral(RZ_CMAKE), {"--install", BuildDir, "--prefix", prefix_.path()});
        QVERIFY2(install.status == 0, qPrintable(install.out + install.err));
    }

    void laysOutEveryFile() {
        QStringList expected;
        for (const QString& program : programs())
            expected << "bin/" + program << "share/man/man1/" + program + ".1.gz";
        QVERIFY(expected.contains("bin/rz-v70"));
        if (hasWriter()) {
            const QString id = QLatin1String(rz::config::AppId);
            expected << "share/applications/" + id + ".desktop"
                     << "share/metainfo/" + id + ".metainfo.xml"
                     << "share/icons/hicolor/scalable/apps/" + id + ".svg";
            for (int size : {16, 24, 32, 48, 64, 128, 256})
                expected
                    << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id);
        }
        for (const QString& file : expected)
            QVERIFY2(QFileInfo(path(file)).size() > 0, qPrintable(file + " is missing"));
        for (const QString& program : programs())
            QVERIFY(QFileInfo(path("bin/" + program)).isExecutable());
        // The installed program knows it is installed: it keeps its
        // configuration and its file dialogs out of the prefix.
        if (hasWriter()) {
            QVERIFY(rz::config::isInstalledLayout(path("bin")));
            QVERIFY(!rz::config::defaultPath(path("bin")).startsWith(prefix_.path()));
        }
    }

    void desktopEntryIsValid() {
        if (!hasWriter())
            QSKIP("built without the desktop program");
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");
        const Run check = run(validator, {path("share/applications/org.rzv70.Writer.desktop")});
        QVERIFY2(check.status == 0 && !check.out.contains("error"),
                 qPrintable(check.out + check.err));
    }

    void metainfoIsValid() {
        if (!hasWriter())
            QSKIP("built without the desktop program");
        const QString validator = QStandardPaths::findExecutable("appstreamcli");
        if (validator.isEmpty())
            QSKIP("appstreamcli is not installed (Debian package appstream)");
        const Run check = run(validator, {"validate", "--no-net", "--explain",
                                          path("share/metainfo/org.rzv70.Writer.metainfo.xml")});
        QVERIFY2(check.status == 0, qPrintable(check.out + check.err));
    }

    void manPagesFormatCleanly() {
        const QString man = QStandardPaths::findExecutable("man");
        if (man.isEmpty())
            QSKIP("man is not installed");
        for (const QString& program : programs()) {
            const QString page = path("share/man/man1/" + program + ".1.gz");
            const Run shown = run(man, {"--warnings", "-l", "-Tutf8", page});
            QVERIFY2(shown.status == 0, qPrintable(page + shown.err));
            QVERIFY2(shown.err.trimmed().isEmpty(), qPrintable(page + ": " + shown.err));
            QVERIFY(shown.out.contains("EXIT STATUS") || shown.out.contains("E\bEX"));
        }
    }

    void everyProgramTellsItsVersion() {
        const QString expected =
            QStringLiteral(" %1 (%2)\n").arg(rz::build::version(), rz::build::qtText());
        QVERIFY(expected.contains("Qt 6."));
        for (const QString& program : programs()) {
            for (const QString& dir : {BuildDir, path("bin")}) {
                const Run version = run(dir + QLatin1Char('/') + program, {"--version"});
                QCOMPARE(version.status, 0);
                QCOMPARE(version.out, program + expected);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
