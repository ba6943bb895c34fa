#pragma once

#include "programfolder.h"

namespace tavolex {

// Creates every screen once, hidden, in the program's creation order, and shows the
// password screen, which is the main window. Called once per process, after the
// QApplication exists.
void startApplication();

} // namespace tavolex
