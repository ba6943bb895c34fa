#pragma once

#include "helptexts.h"

namespace tavolex::help {

// Help of the income and expense movements.
HelpText movementsApplication(); // year menu and movement card: "Applicazione Entrate e Uscite."
HelpText movementsExport();      // "Esportazione archivio movimenti in Microsoft Excel."

} // namespace tavolex::help
