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

// The lines a failed copy's warning adds after its first: why the folder cannot take
// copies, or which files could not be copied, or what to check.
QString copyFailureDetail(const backup::Outcome& made);
// The "Ultima verifica" text of a copy just made or checked, naming the damaged files.
QString verificationText(const backup::Outcome& checked);

// At closing from the main menu: the day's automatic copy when the settings ask for one and
// none was made today, then the oldest automatic copies beyond the number kept are removed.
// A failure is told to the user; the program closes all the same.
void makeAutomaticCopyAtClose(QWidget* parent);

} // namespace tavolex::ui
