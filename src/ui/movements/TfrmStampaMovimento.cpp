#include "TfrmStampaMovimento.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmStampaMovimento::TfrmStampaMovimento(QWidget* parent)
    : PrintRecordScreen({.objectName = u"TfrmStampaMovimento"_s,
                         .caption = u" Stampa scheda corrente"_s,
                         .text = u"Stampa della scheda del movimento visualizzato."_s,
                         .cancelFirst = true},
                        parent) {}

} // namespace tavolex::ui
