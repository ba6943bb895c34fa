#include "log.h"

namespace tavolex {

Q_LOGGING_CATEGORY(lcFiles, "tavolex.files")

} // namespace tavolex
