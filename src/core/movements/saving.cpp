#include "saving.h"

#include "dates/datetext.h"
#include "money/normalise.h"
#include "text/casing.h"

namespace tavolex::movements {

using namespace Qt::Literals::StringLiterals;

namespace {

SaveVerdict failed(SaveVerdict v, SaveField focus, const QString& message, bool plain = false) {
    v.ok = false;
    v.focus = focus;
    v.message = message;
    v.plain = plain;
    return v;
}

bool blank(const QString& s) {
    return text::trimmed(s).isEmpty();
}

} // namespace

QString dateDoesNotExist(const QString& trimmedDate) {
    return u"Attenzione: la data "_s + trimmedDate + u" non esiste.\n\r\n\r"_s +
           u"Per poter salvare la scheda \u00E8 necessario indicare una data valida nel formato "
           u"gg/mm/aaaa."_s;
}

bool isAmountTooLarge(const QString& normalisedAmount) {
    return text::trimmed(normalisedAmount).size() > kLongestStoredAmount;
}

SaveVerdict checkSave(const SaveInput& card) {
    SaveVerdict v;
    v.importo = money::normalisedMovementAmount(card.importo);
    const QString data = text::trimmed(card.data);
    const QString dataSca = text::trimmed(card.dataSca);
    if (blank(card.causale)) return failed(v, SaveField::Causale, QString::fromUtf16(kNeedCausale));
    if (data.isEmpty()) return failed(v, SaveField::Data, QString::fromUtf16(kNeedData));
    if (!dates::parseDate(data)) return failed(v, SaveField::Data, dateDoesNotExist(data), true);
    if (dataSca.isEmpty()) return failed(v, SaveField::DataSca, QString::fromUtf16(kNeedDataSca));
    if (!dates::parseDate(dataSca))
        return failed(v, SaveField::DataSca, dateDoesNotExist(dataSca), true);
    if (blank(card.preavviso))
        return failed(v, SaveField::Preavviso, QString::fromUtf16(kNeedPreavviso));
    if (blank(v.importo)) return failed(v, SaveField::Importo, QString::fromUtf16(kNeedImporto));
    if (isAmountTooLarge(v.importo))
        return failed(v, SaveField::Importo, QString::fromUtf16(kAmountTooLarge));
    if (blank(card.pagatore))
        return failed(v, SaveField::Pagatore, QString::fromUtf16(kNeedPagatore));
    if (blank(card.beneficiario))
        return failed(v, SaveField::Beneficiario, QString::fromUtf16(kNeedBeneficiario));
    return v;
}

QString signedTotal(bool income, const QString& importo) {
    return (income ? u"+"_s : u"-"_s) + text::trimmed(importo);
}

} // namespace tavolex::movements
