// The command line, read before any window exists.
#include "app/CommandLine.h"

#include <QDir>
#include <QProcess>
#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace app;

TEST(CommandLine, WhatEachLineAsks)
{
    using A = CommandLine::Action;
    struct Case {
        QStringList args;
        A action;
        QString folder;
    } cases[] = {
        {{}, A::Run, QString()},
        {{QStringLiteral("--version")}, A::Version, QString()},
        {{QStringLiteral("-v")}, A::Version, QString()},
        {{QStringLiteral("--help")}, A::Help, QString()},
        {{QStringLiteral("--data"), QStringLiteral("/srv/books/acme")}, A::Run, QStringLiteral("/srv/books/acme")},
        {{QStringLiteral("--data=/srv/books/../books/b")}, A::Run, QStringLiteral("/srv/books/b")},
        {{QStringLiteral("--data"), QStringLiteral("rel")}, A::Run, QDir::current().absoluteFilePath(QStringLiteral("rel"))},
        {{QStringLiteral("--data")}, A::Refused, QString()},
        {{QStringLiteral("--data=")}, A::Refused, QString()},
        {{QStringLiteral("--colour")}, A::Refused, QString()},
        {{QStringLiteral("--data"), QStringLiteral("/x"), QStringLiteral("--help")}, A::Help, QString()},
    };
    for (const Case &c : cases) {
        const CommandLine line = readCommandLine(c.args);
        EXPECT_EQ(line.action, c.action) << c.args.join(u' ').toStdString();
        if (c.action == A::Run) {
            EXPECT_EQ(line.dataFolder, c.folder) << c.args.join(u' ').toStdString();
        }
        if (c.action == A::Refused) {
            EXPECT_FALSE(line.problem.isEmpty());
        }
    }
}

// The program itself answers --version and --help with no display at all.
TEST(CommandLine, VersionAndHelpNeedNoWindow)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/brenvoy");
    p.start(program, {QStringLiteral("--version")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(QString::fromLocal8Bit(p.readAllStandardOutput()), versionText() + u'\n');
    p.start(program, {QStringLiteral("--nonsense")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError()).contains(QStringLiteral("Usage: brenvoy")));
}
