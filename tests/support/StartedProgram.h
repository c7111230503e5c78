#pragma once
// The program started over a test folder as a user starts it, holding the
// folder's single-instance lock while it runs.
#include "app/Program.h"
#include "support/TestSupport.h"
#include "ui/shell/MainWindow.h"
#include "ui/start/SplashScreen.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

struct StartedProgram {
    explicit StartedProgram(TestFolder &folder, ui::SetupChoosers choosers = ui::SetupChoosers::system())
        : program(folder.context(), std::move(choosers)), lock(folder.path())
    {
    }
    // Starts it; true when its window is up.
    bool start() { return program.start(lock) == app::Program::Outcome::Running; }
    // "Continue" on the start screen, to the main menu.
    void toMenu()
    {
        QTest::mouseClick(program.splash()->findChild<QPushButton *>(QStringLiteral("cmdContinue")), Qt::LeftButton);
    }
    ui::MainWindow &window() { return program.window(); }
    ui::Navigator &nav() { return program.window().navigator(); }
    app::Program program;
    app::InstanceLock lock;
};
