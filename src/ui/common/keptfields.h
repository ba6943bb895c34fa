#pragma once

#include "carddecl.h"
#include "files/safewrite.h"

#include <optional>

namespace tavolex::ui {

class CardBinder;

// The kept fields of a card live in its settings file, in the declared section, each under
// its record field's name. Nothing happens for a card declared without settings.

// Reads every kept field into its control; a missing key empties it.
void readKeptFields(const RecordCardDecl& decl, CardBinder& binder);

// Writes every kept field, trimmed, even after one write fails, so one bad value does not
// cost the others; gives the first failure, if any.
std::optional<files::WriteResult> writeKeptFields(const RecordCardDecl& decl,
                                                  const CardBinder& binder);

} // namespace tavolex::ui
