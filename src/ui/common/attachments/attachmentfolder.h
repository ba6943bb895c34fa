#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tavolex::ui::attachments {

// Program folder + "Documenti_Allegati/": the copies of the attached files of every
// archive, side by side, under the names they had when chosen.
QString folder();
// A name read from a record names a file inside the folder only: no folder separator
// ("/"; a backslash is an ordinary character of a name here), not "." or "..".
bool isPlainName(const QString& name);
// The copy's path; a null string for a name that is not plain (it would lead outside the
// folder). A blank name gives the folder itself.
QString pathOf(const QString& name);
// Hands the copy to the desktop opener; a name that is not plain is not opened, silently,
// like any name the desktop cannot open.
void open(const QString& name);

// What became of a copy into the folder.
enum class Copy {
    Done,   // the folder holds the new copy
    Kept,   // the folder's file of that name stays (the user would not replace it, or it
            // was itself the file chosen): the name still leads to a file
    Failed, // nothing copied (unreadable source, no folder, full disk): the name would
            // lead to nothing
};

// Copies `source` into the folder under `name` (trimmed), creating the folder first.
// When a file of that name is already there, `confirmOverwrite` decides; choosing the
// folder's own copy again needs no copy. An existing copy is replaced only by a
// complete new one. With a `progressParent`, a large file is copied off the UI thread
// behind a progress window.
Copy copyIn(const QString& source, const QString& name,
            const std::function<bool()>& confirmOverwrite, QWidget* progressParent = nullptr);

// Says that a copy failed (the access error), on `parent`.
void reportFailedCopy(QWidget* parent, const QString& source);

// "Sfoglia...": asks for a file and copies it into the folder (asking before replacing a
// copy of the same name). The chosen file's bare name; empty when nothing was chosen or
// the copy failed (which has been reported: the caller keeps what it had).
QString chooseAndCopy(QWidget* parent);

} // namespace tavolex::ui::attachments
