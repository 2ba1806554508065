#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <string>

// What a finished child process left: its exit code (-1 when it could not be
// started or did not end within a minute) and its output and errors merged.
struct ProgramRun {
    int exitCode = -1;
    std::string output;
};

// Runs a program to its end in the given environment.
ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment);

// The environment of this process without LD_LIBRARY_PATH, so that the
// loader finds libraries only the way an installed program does.
QProcessEnvironment CleanEnvironment();
