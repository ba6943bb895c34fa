#include "TfrmCarta.h"

#include "core/checks/carta.h"
#include "ui/common/behaviour.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmCarta::TfrmCarta(QWidget* parent)
    : CheckDialog(
          {.name = u"TfrmCarta"_s,
           .caption = u" Controllo carta di credito"_s,
           .title =
               u"Immettere il numero di carta di credito e premere il pulsante di controllo."_s,
           .field = {.name = u"txtNumero"_s,
                     .stem = u"Numero"_s,
                     .limit = 30,
                     .rules = DigitsOnly | kCodeTyping},
           .check = checks::checkCarta},
          parent) {}

} // namespace tavolex::ui
