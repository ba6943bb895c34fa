#pragma once

#include <QString>

namespace tavolex {

// Every file of the system lives in the program folder. A portable copy (run from its own
// folder) keeps everything beside the executable. An installed copy, recognised by the
// marker its package puts among the shared files (<prefix>/share/tavolex/installed-copy
// beside <prefix>/bin/tavolex), keeps each user's archives in the platform's application
// data folder (~/.local/share/Tavolex/) and reads its read-only files from the shared ones.
// Tests point the folder elsewhere with setProgramFolder.
void setProgramFolder(const QString& folder);
QString programFolder();

// Program folder followed directly by a relative name.
QString programPath(const QString& name);

// A read-only file the program ships ("Guida.pdf", "Avviso.mp3"): from the shared files of
// an installed copy, so that an upgrade brings the new ones; else from the program folder.
QString shippedPath(const QString& name);

// Whether this executable belongs to an installed copy.
bool isInstalledCopy();

// The one rule for the files an installed copy makes in the user's folder: they are the
// user's alone (files 0600, folders 0700), since the archives are private papers. A
// portable copy follows the user's umask, as any program does.
// restrictNewFiles() applies the rule to everything the process creates from then on (it
// sets the process's umask to 077 in an installed copy); called once at start, before any
// file is made. makePrivate() applies it to one existing file or folder, for code that
// takes permissions from elsewhere (a copy that keeps its source's mode).
void restrictNewFiles();
bool makePrivate(const QString& path);

// Prepares an installed copy's folder for the user at the first start: creates it and puts
// in the shipped password store, unless the user already has one (never overwritten); a
// folder made by an earlier version with wider permissions is narrowed to the user's own.
// True for a portable copy, which has nothing to prepare.
bool prepareProgramFolder();

} // namespace tavolex
