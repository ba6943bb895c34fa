#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace tavolex::ui::report {

// One label/value row of a card report.
struct CardRow {
    QString label;
    QString value;
};

// A record laid out as label/value rows on one A4 portrait page ("Scheda informativa").
// The screen composes the texts; the report prints them exactly as given.
struct CardReport {
    QString title;
    QList<CardRow> rows; // 24 slots are always drawn; more rows get a tighter pitch
    QString footer;      // empty: cardFooter() of the moment the report is prepared
};

// The lines of a list screen in a fixed-pitch font on A4 landscape ("Riepilogo dati").
struct ListReport {
    QString title;
    QStringList lines; // printed as they are, blanks included, one per line
    QString footer;    // empty: listFooter() of the day the report is prepared
    QString name;      // the report's name; empty: "Riepilogo dati"
};

// Document information of an exported PDF, as shown by any PDF viewer.
struct PdfInfo {
    QString title;
    QString subject;
    QString author;
    QString creator;

    // The card export: title and subject "Scheda informativa", author and creator "Velmar".
    static PdfInfo scheda();
};

// "Stampa eseguita in data dd/mm/yyyy alle ore " + the desktop's long time (h, m, s).
QString cardFooter(const QDateTime& when);
// "Stampa eseguita in data dd/mm/yyyy".
QString listFooter(const QDate& day);

} // namespace tavolex::ui::report
