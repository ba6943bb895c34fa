#pragma once

#include <QString>

namespace tavolex::movements {

// The card fields that "Salva" checks, as the card holds them (not yet trimmed).
struct SaveInput {
    QString data;
    QString causale;
    QString dataSca;
    QString preavviso;
    QString importo;
    QString pagatore;
    QString beneficiario;
};

// The field that gets the focus after a failed check.
enum class SaveField { None, Data, Causale, DataSca, Preavviso, Importo, Pagatore, Beneficiario };

struct SaveVerdict {
    bool ok = true;
    SaveField focus = SaveField::None;
    QString message;    // empty when ok
    bool plain = false; // the two "non esiste" messages are plain messages, the rest warnings
    // The amount as the card shows it after Save's first step (money::normalisedMovementAmount),
    // also when a later check fails: the card writes it back into txtImporto in any case.
    QString importo;
};

// The checks of "Salva", in order; the first failure wins:
//  1. the amount is normalised;
//  2. Causale, 3. Data, 4. Data a real date, 5. DataSca, 6. DataSca a real date, 7. Preavviso,
//  8. Importo (never empty after step 1), then the amount must fit the archive (below), then
//  9. Pagatore and 10. Beneficiario.
// Empty means empty once trimmed. Dates are "dd/mm/yyyy" (dates::parseDate).
SaveVerdict checkSave(const SaveInput& card);

// The signed amount stored in Totale: "+" (income) or "-" (expense) then the trimmed amount.
QString signedTotal(bool income, const QString& importo);

// Totale holds 15 characters, sign included, so an amount of more than 14 characters could
// be stored only with its last digit cut off (a wrong amount that every total would then use).
// Such an amount is refused at Save instead.
inline constexpr int kLongestStoredAmount = 14;
bool isAmountTooLarge(const QString& normalisedAmount);
inline constexpr char16_t kAmountTooLarge[] =
    u"Attenzione: l'importo indicato \u00E8 troppo grande per essere salvato in archivio.";

// Messages of the checks, with their exact line breaks.
inline constexpr char16_t kNeedCausale[] =
    u"Attenzione: per salvare la scheda \u00E8 necessario indicare la causale del pagamento.";
inline constexpr char16_t kNeedData[] = u"Attenzione: per salvare la scheda \u00E8 necessario "
                                        u"indicare la data di registrazione dell'operazione.";
inline constexpr char16_t kNeedDataSca[] =
    u"Attenzione: per salvare la scheda \u00E8 necessario indicare la data di scadenza del "
    u"pagamento.";
inline constexpr char16_t kNeedPreavviso[] =
    u"Attenzione: per salvare la scheda \u00E8 necessario indicare il numero di giorni di "
    u"preavviso della scadenza del pagamento.";
inline constexpr char16_t kNeedImporto[] =
    u"Attenzione: per salvare la scheda \u00E8 necessario indicare l'importo del pagamento.";
// A movement is either an income or an expense; a damaged record can hold neither.
inline constexpr char16_t kNeedTipo[] = u"Attenzione: per salvare la scheda \u00E8 necessario "
                                        u"indicare se il movimento \u00E8 in entrata o in uscita.";
inline constexpr char16_t kNeedPagatore[] =
    u"Attenzione: per salvare la scheda \u00E8 necessario indicare il nome del Pagatore.";
inline constexpr char16_t kNeedBeneficiario[] =
    u"Attenzione: per salvare la scheda \u00E8 necessario indicare il nome del Beneficiario.";
// "Attenzione: la data " + date + " non esiste." + LF CR LF CR + "Per poter salvare la scheda
// è necessario indicare una data valida nel formato gg/mm/aaaa."
QString dateDoesNotExist(const QString& trimmedDate);

} // namespace tavolex::movements
