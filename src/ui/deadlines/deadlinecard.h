#pragma once

#include "ui/common/carddecl.h"

namespace tavolex::ui {

class TfrmScadenzario;

// What the deadline card holds over a year's archive: its fields, the due date and time built
// from the pick lists at Save, its commands and lists, the import from a practice, the checks
// before saving and the printed form.
RecordCardDecl deadlineCardDecl(TfrmScadenzario* card);

} // namespace tavolex::ui
