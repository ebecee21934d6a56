#pragma once

#include <QString>
#include <QStringList>

/// The program's command line: --help and --version answer and end without a display; anything else but
/// nothing is refused. Read before the window system is touched.
namespace CommandLine {

struct Outcome
{
    bool start = true; // no argument: the program starts as usual
    int exitCode = 0; // when not started: 0 for an answer, 2 for a refused command line
    QString out; // for standard output
    QString err; // for standard error
};

/// What the arguments ask for; arguments[0] is the program as it was called.
Outcome Parse(const QStringList& arguments);

} // namespace CommandLine
