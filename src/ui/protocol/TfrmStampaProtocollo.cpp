#include "TfrmStampaProtocollo.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmStampaProtocollo::TfrmStampaProtocollo(QWidget* parent)
    : PrintRecordScreen({.objectName = u"TfrmStampaProtocollo"_s,
                         .caption = u" Stampa scheda"_s,
                         .text = u"Stampa della scheda di protocollo visualizzata."_s},
                        parent) {}

} // namespace tavolex::ui
