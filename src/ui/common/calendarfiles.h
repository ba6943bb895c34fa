#pragma once

#include "calendar/icsexport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tavolex::ui {

class RecordCard;

// " Calendario": the calendar file of the open year's deadlines or payments due. The user
// sets where the file goes (txtCartella, empty: the program folder) and whether every save
// rewrites it (chkAggiorna), both kept in Cartovia.ini [Calendario]; "Esporta" keeps the
// settings, writes the file off the UI thread, tells what it holds and offers to open it;
// "Chiudi" leaves without changing anything.
class TfrmImpostaCalendario : public QDialog {
    Q_OBJECT
public:
    TfrmImpostaCalendario(calendar::Kind kind, records::ArchiveId archive,
                          QWidget* parent = nullptr);

    void btnEsportaClick();
    void btnCartellaClick();

private:
    // The settings as shown, written to Cartovia.ini; false (after a message) when they
    // cannot be kept.
    bool saveSettings();

    calendar::Kind m_kind;
    records::ArchiveId m_archive;
    QCheckBox* m_keep;
    QLineEdit* m_folder;
    QLabel* m_wait;
};

// The command "Calendario" (cmdCalendario) of the deadline card and of the payments-due list.
void runCalendarCommand(QWidget* parent, calendar::Kind kind, const records::ArchiveId& archive);
inline constexpr char16_t kCalendarCommandHint[] =
    u"Scrive le scadenze dell'anno in un file da importare nel calendario.";
inline constexpr char16_t kPaymentsCalendarHint[] =
    u"Scrive i pagamenti da saldare dell'anno in un file da importare nel calendario.";

// With "Aggiorna" set, every save on `card` rewrites the year's calendar file of `kind`.
void keepCalendarCurrent(RecordCard* card, calendar::Kind kind);

} // namespace tavolex::ui
