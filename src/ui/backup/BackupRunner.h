#pragma once
// A backup made while the user waits (the command, the end of the
// program): a progress window that the window keeps painting, and what
// came of it said in words.
#include "backup/Archive.h"
#include "context/AppContext.h"

class QWidget;

namespace ui {

// Makes the backup into the folder the settings name; true when it was made
// and checked. `quietOnSuccess`: at the end of the program only a failure
// is said.
bool runBackup(QWidget *parent, context::AppContext &ctx, bool quietOnSuccess = false);
QString sizeText(qint64 bytes);

} // namespace ui
