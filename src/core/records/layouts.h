#pragma once

#include "layout.h"

namespace tavolex::records {

// The five record types of the system.
const RecordLayout& clientLayout();   // Clienti.pro, 3372 bytes
const RecordLayout& practiceLayout(); // Pratiche.pro, 5075 bytes
const RecordLayout& protocolLayout(); // yyyy.prt, 3403 bytes
const RecordLayout& deadlineLayout(); // yyyy.sca, 1328 bytes
const RecordLayout& movementLayout(); // yyyy.eur, 3414 bytes

} // namespace tavolex::records
