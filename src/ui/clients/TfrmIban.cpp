#include "TfrmIban.h"

#include "core/checks/iban.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmIban::TfrmIban(QWidget* parent)
    : CheckDialog(
          {.name = u"TfrmIban"_s,
           .caption = u" Controllo IBAN"_s,
           .title = u"Immettere l'IBAN e premere il pulsante di controllo."_s,
           .field = {.name = u"txtIban"_s, .stem = u"Iban"_s, .limit = 27, .rules = kCodeTyping},
           .check = checks::checkIban},
          parent) {}

} // namespace tavolex::ui
