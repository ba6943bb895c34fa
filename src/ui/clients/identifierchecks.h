#pragma once

#include <QString>

class QWidget;

namespace tavolex::ui {

// The check buttons beside the identifier fields of a card: each opens its check screen
// modally with the trimmed value, and writes nothing back.
void checkTaxCode(QWidget* parent, const QString& value); // all digits: a company's VAT number
void checkVatNumber(QWidget* parent, const QString& value);
void checkIban(QWidget* parent, const QString& value);
void checkCardNumber(QWidget* parent, const QString& value);

} // namespace tavolex::ui
