#include "identifierchecks.h"

#include "TfrmCarta.h"
#include "TfrmCodFisc.h"
#include "TfrmIban.h"
#include "TfrmPartitaIva.h"
#include "text/casing.h"

namespace tavolex::ui {

namespace {
template <typename Dialog> void runCheck(QWidget* parent, const QString& value) {
    Dialog dialog(parent);
    dialog.setInput(text::trimmed(value));
    dialog.exec();
}
} // namespace

void checkTaxCode(QWidget* parent, const QString& value) {
    const QString code = text::trimmed(value);
    // An all-digit tax code is a company's, which is its VAT number.
    if (text::isDigitsOnly(code))
        runCheck<TfrmPartitaIva>(parent, code);
    else
        runCheck<TfrmCodFisc>(parent, code);
}

void checkVatNumber(QWidget* parent, const QString& value) {
    runCheck<TfrmPartitaIva>(parent, value);
}

void checkIban(QWidget* parent, const QString& value) {
    runCheck<TfrmIban>(parent, value);
}

void checkCardNumber(QWidget* parent, const QString& value) {
    runCheck<TfrmCarta>(parent, value);
}

} // namespace tavolex::ui
