#pragma once

#include "ui/common/exportgrid.h"

#include <QString>

namespace tavolex::ui::protocolscreens {

// The 19 columns of the summary and export grids: the row number, then the first 18
// fields of the record.
RecordGridModel* makeGridModel();

// What the summary and export screens share: their look and the columns written to
// "Protocollo.xls" (columns 1 to 18).
GridScreenDecl gridDeclaration();

} // namespace tavolex::ui::protocolscreens
