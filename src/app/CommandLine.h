#pragma once
// What the program is asked on its command line, read before any window
// exists, so that --version and --help answer on a machine without a
// display:
//   brenvoy                 the data folder beside the program (or the
//                           per-user one for an installed copy)
//   brenvoy --data DIR      another data folder (a bookkeeper's second
//                           business); made when missing
//   brenvoy --version | -v  the version, then ends
//   brenvoy --help | -h     this text, then ends
#include <QString>
#include <QStringList>

namespace app {

struct CommandLine {
    enum class Action { Run, Version, Help, Refused };
    Action action = Action::Run;
    QString dataFolder; // empty: the usual one
    QString problem;    // why the line was refused
};

// `arguments` without the program's own name.
CommandLine readCommandLine(const QStringList &arguments);
QString versionText();
QString helpText();

} // namespace app
