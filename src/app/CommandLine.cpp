#include "app/CommandLine.h"

#include "context/AppContext.h"

#include <QDir>

namespace app {

CommandLine readCommandLine(const QStringList &arguments)
{
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--version") || a == QLatin1String("-v")) {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            line.action = CommandLine::Action::Help;
            return line;
        }
        QString folder;
        if (a == QLatin1String("--data")) {
            if (i + 1 >= arguments.size()) {
                line.action = CommandLine::Action::Refused;
                line.problem = QStringLiteral("--data needs the folder of the business's data after it.");
                return line;
            }
            folder = arguments[++i];
        } else if (a.startsWith(QLatin1String("--data="))) {
            folder = a.mid(7);
        } else {
            line.action = CommandLine::Action::Refused;
            line.problem = QStringLiteral("\"%1\" is not something Brenvoy understands.").arg(a);
            return line;
        }
        if (folder.trimmed().isEmpty()) {
            line.action = CommandLine::Action::Refused;
            line.problem = QStringLiteral("--data needs the folder of the business's data after it.");
            return line;
        }
        line.dataFolder = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    }
    return line;
}

QString versionText()
{
    return QStringLiteral("%1 %2.%3.%4")
        .arg(context::kAppTitle)
        .arg(BRENVOY_VERSION_MAJOR)
        .arg(BRENVOY_VERSION_MINOR)
        .arg(BRENVOY_VERSION_PATCH);
}

QString helpText()
{
    return QStringLiteral("Usage: brenvoy [--data FOLDER] [--version] [--help]\n"
                          "\n"
                          "Billing for businesses that sell services on a recurring schedule.\n"
                          "\n"
                          "  --data FOLDER  keep the business's data in FOLDER (made when missing),\n"
                          "                 instead of the folder beside the program\n"
                          "  -v, --version  show the version and end\n"
                          "  -h, --help     show this text and end\n");
}

} // namespace app
