#pragma once

#include "reportdata.h"
#include "reportdocument.h"

#include <QString>

class QPrinter;
class QWidget;

namespace tavolex::ui::report {

// Shows the print dialog (copies, page range, printer) and prints on acceptance.
// False when the user cancels or the printer cannot be started.
bool print(QWidget* parent, const ReportDocument& document);
bool print(QWidget* parent, const ReportDocument& document, QPrinter& printer);

// Prints without a dialog on a printer already set up (page range honoured).
bool printTo(const ReportDocument& document, QPrinter& printer);
// The same away from the screen, behind the progress window "Stampa in corso…" once it takes
// more than a moment; "Annulla" drops the whole job. False when stopped or failed.
bool printWithProgress(QWidget* parent, const ReportDocument& document, QPrinter& printer);

// The modal preview window (print, zoom, full screen, close).
void preview(QWidget* parent, const ReportDocument& document);

// The PDF bytes of the report with the document information of `info`.
QByteArray renderPdf(const ReportDocument& document, const PdfInfo& info);

// Writes the PDF to `path`, replacing an existing file without asking. The file is
// replaced only once the new one is complete. False when it cannot be written.
bool writePdf(const ReportDocument& document, const QString& path, const PdfInfo& info);

// The card's PDF export: writes program folder + `fileName`, then asks whether to open
// it and hands it to the desktop unless the answer is No. A file that cannot be
// written is reported instead of the success question. True when the file was written.
bool exportPdf(QWidget* parent, const ReportDocument& document,
               const QString& fileName = QStringLiteral("Cliente.pdf"),
               const PdfInfo& info = PdfInfo::scheda());

// Question asked after a successful card export.
QString pdfDoneQuestion();

} // namespace tavolex::ui::report
