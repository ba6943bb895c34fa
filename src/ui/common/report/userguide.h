#pragma once

#include <QByteArray>
#include <QString>

namespace tavolex::ui::report {

// The user guide "Guida.pdf", made from the same help texts the help screens show.
QByteArray userGuidePdf();
bool writeUserGuide(const QString& path);

} // namespace tavolex::ui::report
