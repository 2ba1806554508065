#include "tests/packaging/ProgramRun.h"

#include <QProcess>

ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.output =
            (program + QStringLiteral(" did not finish: ") + process.errorString()).toStdString();
        return run;
    }
    run.output = process.readAll().toStdString();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

QProcessEnvironment CleanEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LD_LIBRARY_PATH"));
    environment.remove(QStringLiteral("LD_PRELOAD"));
    return environment;
}
