// "cmake --install" into a temporary prefix lays out every file a desktop
// expects, the desktop entry and the metainfo pass their validators (when
// installed), the man pages format without warnings, and every program
// answers --version with its version and Qt's, built and installed alike.
#include "files/config_file.h"
#include "model/build_info.h"
#include "support/run_program.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using rz::test::runProgram;

const QString BuildDir = QStringLiteral(RZ_BUILD_DIR);

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
        const auto install = runProgram(QStringLiteral(RZ_CMAKE),
                                        {"--install", BuildDir, "--prefix", prefix_.path()});
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
                     << "share/mime/packages/" + id + ".xml"
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

    void desktopFilesPassTheirValidators_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("package");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate"
            << "desktop-file-utils"
            << QStringList{path("share/applications/org.rzv70.Writer.desktop")};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << "appstream"
                                  << QStringList{
                                         "validate", "--no-net", "--explain",
                                         path("share/metainfo/org.rzv70.Writer.metainfo.xml")};
    }

    void desktopFilesPassTheirValidators() {
        QFETCH(QString, tool);
        QFETCH(QString, package);
        QFETCH(QStringList, arguments);
        if (!hasWriter())
            QSKIP("built without the desktop program");
        const QString validator = QStandardPaths::findExecutable(tool);
        if (validator.isEmpty())
            QSKIP(qPrintable(tool + " is not installed (Debian package " + package + ")"));
        const auto check = runProgram(validator, arguments);
        QVERIFY2(check.status == 0 && !check.out.contains("error"),
                 qPrintable(check.out + check.err));
    }

    void manPagesFormatCleanly() {
        const QString man = QStandardPaths::findExecutable("man");
        if (man.isEmpty())
            QSKIP("man is not installed");
        for (const QString& program : programs()) {
            const QString page = path("share/man/man1/" + program + ".1.gz");
            const auto shown = runProgram(man, {"--warnings", "-l", "-Tutf8", page});
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
                const auto version = runProgram(dir + QLatin1Char('/') + program, {"--version"});
                QCOMPARE(version.status, 0);
                QCOMPARE(version.out, program + expected);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
