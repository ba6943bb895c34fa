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

// Copies `source` into the folder under `name` (trimmed), creating the folder first.
// When a file of that name is already there, `confirmOverwrite` decides; choosing the
// folder's own copy again needs no copy. An existing copy is replaced only by a
// complete new one. False when nothing was copied, for whatever reason. With a
// `progressParent`, a large file is copied off the UI thread behind a progress window.
bool copyIn(const QString& source, const QString& name,
            const std::function<bool()>& confirmOverwrite, QWidget* progressParent = nullptr);

// "Sfoglia...": asks for a file and copies it into the folder (asking before replacing a
// copy of the same name). The chosen file's bare name, empty when nothing was chosen; a
// failed copy ends silently and still gives the name.
QString chooseAndCopy(QWidget* parent);

} // namespace tavolex::ui::attachments
