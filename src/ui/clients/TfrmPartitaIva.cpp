#include "TfrmPartitaIva.h"

#include "core/checks/partitaiva.h"
#include "ui/common/behaviour.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent)
    : CheckDialog(
          {.name = u"TfrmPartitaIva"_s,
           .caption = u" Controllo partita IVA"_s,
           .title = u"Immettere il numero di partita IVA e premere il pulsante di controllo."_s,
           .field = {.name = u"txtPartitaIva"_s,
                     .stem = u"PartitaIva"_s,
                     .limit = 11,
                     .rules = DigitsOnly},
           .check = checks::checkPartitaIva},
          parent) {}

} // namespace tavolex::ui
