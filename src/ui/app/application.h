#pragma once

#include "programfolder.h"

namespace tavolex {

// Takes the program folder's lock, makes the password screen, which is the main window, and
// shows it; every other screen is made, once, the first time it is shown or asked for. Called once
// per process, after the QApplication exists. False when another copy of the program holds the
// program folder: the user has been told, nothing was created, and the program ends.
bool startApplication();
// Deletes the screens startApplication() made and releases the program folder; called once
// the event loop has ended.
void stopApplication();

// Connects the screens made by their owners (Screens::add) to where they lead: a card or year
// menu that is done goes back to the main menu, a year menu's card request shows its card, a
// year chosen in the protocol menu goes to the protocol card. The program's own screens are
// wired as they are made; this is for programs that make only some screens themselves.
void connectScreens();

} // namespace tavolex
