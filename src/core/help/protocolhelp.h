#pragma once

#include "helptexts.h"

namespace tavolex::help {

// Help of the mail protocol register.
HelpText protocolApplication(); // year menu and protocol card: "Applicazione Protocollo Posta."
HelpText protocolSummary();     // "Riepilogo protocollo per intervallo di tempo."
HelpText protocolExport();      // "Esportazione protocollo posta in Microsoft Excel."

} // namespace tavolex::help
