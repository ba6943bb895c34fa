#include "TfrmCodFisc.h"

#include "core/checks/codicefiscale.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : CheckDialog({.name = u"TfrmCodFisc"_s,
                   .caption = u" Controllo codice fiscale"_s,
                   .title = u"Immettere il codice fiscale e premere il pulsante di controllo."_s,
                   .field = {.name = u"txtCodFisc"_s,
                             .stem = u"CodFisc"_s,
                             .limit = 16,
                             .rules = kCodeTyping},
                   .check = checks::checkCodiceFiscale},
                  parent) {}

} // namespace tavolex::ui
