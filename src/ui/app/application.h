#pragma once

#include "programfolder.h"

namespace tavolex {

// Creates every screen once, hidden, in the program's creation order, and shows the
// password screen, which is the main window. Called once per process, after the
// QApplication exists.
void startApplication();
// Deletes the screens startApplication() made; called once the event loop has ended.
void stopApplication();

// Connects the screens that exist to where they lead: a card or year menu that is done
// goes back to the main menu, a year menu's card request shows its card, a year chosen in
// the protocol menu goes to the protocol card. Part of startApplication(); separate for
// programs that create only some screens.
void connectScreens();

} // namespace tavolex
