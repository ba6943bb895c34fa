#pragma once

#include "backup/backupcopy.h"

#include <QString>

class QWidget;

namespace tavolex::ui {

// The copy operations run on a worker thread behind the progress window ("Annulla" stops
// them), so that a large folder never freezes the screen.
backup::Outcome makeCopyWithProgress(QWidget* parent, const QString& backupFolder,
                                     backup::Kind kind);
backup::Outcome verifyWithProgress(QWidget* parent, const QString& zipPath);
backup::Outcome restoreWithProgress(QWidget* parent, const QString& zipPath);

// At closing from the main menu: the day's automatic copy when the settings ask for one and
// none was made today, then the oldest automatic copies beyond the number kept are removed.
// A failure is told to the user; the program closes all the same.
void makeAutomaticCopyAtClose(QWidget* parent);

} // namespace tavolex::ui
