#pragma once

#include "programfolder.h"

namespace tavolex {

// Takes the program folder's lock, creates every screen once, hidden, in the program's
// creation order, and shows the password screen, which is the main window. Called once per
// process, after the QApplication exists. False when another copy of the program holds the
// program folder: the user has been told, nothing was created, and the program ends.
bool startApplication();
// Deletes the screens startApplication() made and releases the program folder; called once
// the event loop has ended.
void stopApplication();

// Connects the screens that exist to where they lead: a card or year menu that is done
// goes back to the main menu, a year menu's card request shows its card, a year chosen in
// the protocol menu goes to the protocol card. Part of startApplication(); separate for
// programs that create only some screens.
void connectScreens();

} // namespace tavolex
