#pragma once

#include <QList>
#include <QString>

namespace tavolex::help {

// The help title and text of a screen. A text is paragraphs separated by an empty
// line (CR LF CR LF). The same texts make up the printed user guide.
struct HelpText {
    QString title;
    QString text;
};

HelpText generalGuide();         // main menu
HelpText clientsCard();          // client card
HelpText clientsExport();        // client export
HelpText practicesCard();        // practice card
HelpText practicesExport();      // practice export
HelpText deadlinesApplication(); // deadlines screen
HelpText deadlinesSummaries();   // due-date lists
HelpText deadlinesExport();      // deadline export
HelpText cashBook();             // cash book and balance
HelpText unpaidMenu();           // menu of the unpaid payments
HelpText unpaidList();           // the three lists of unpaid payments
HelpText statistics();           // menu and screens of the statistics charts
HelpText backupCopies();         // backup copies of the program folder
HelpText calendarFiles();        // deadlines and payments due as calendar files
HelpText globalSearch();         // one search over every archive
HelpText sharedArchive();        // the archives kept on a database server

// Every help text of the program, in the order of the user guide.
QList<HelpText> userGuide();

// Joins paragraphs with CR LF CR LF.
QString paragraphs(std::initializer_list<const char16_t*> items);

} // namespace tavolex::help
