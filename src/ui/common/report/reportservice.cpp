#include "reportservice.h"

#include "core/files/safewrite.h"
#include "core/programfolder.h"
#include "pdfmetadata.h"
#include "reportpreview.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/wait.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace tavolex::ui::report {

using namespace Qt::Literals::StringLiterals;

QString pdfDoneQuestion() {
    return u"L'esportazione della scheda in PDF è terminata con successo.\r\n\r\n"
           u"Si vuole aprire il file?"_s;
}

namespace {

// The pages the printer's range asks for, 0-based; first > last when none.
std::pair<int, int> printedRange(const ReportDocument& document, const QPrinter& printer) {
    int first = 0;
    int last = document.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = qMin(last, printer.toPage() - 1);
    }
    return {first, last};
}

bool paintPrinter(const ReportDocument& document, QPrinter& printer,
                  const std::function<bool(int painted)>& painted) {
    const auto [first, last] = printedRange(document, printer);
    if (first > last) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    if (!document.paintPages(painter, printer, first, last, painted)) {
        // Stopped or failed half-way: nothing of the job reaches the printer.
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end();
}

bool paintOn(const ReportDocument& document, QPrinter& printer,
             const std::function<bool(int painted)>& painted) {
    // The template fixes paper, orientation and margins, whatever the dialog offered.
    printer.setPageLayout(document.pageLayout());
    const QString target = printer.outputFileName();
    if (target.isEmpty()) return paintPrinter(document, printer, painted);
    // Printed to a file: the pages go to a temporary file beside it, put in its place only
    // once complete, so a stopped or failed print leaves an earlier file as it was. The
    // file gets the permissions of every other file the program writes.
    files::TemporaryBeside temporary(target);
    if (temporary.fileName().isEmpty()) return false;
    printer.setOutputFileName(temporary.fileName());
    const bool printed = paintPrinter(document, printer, painted);
    printer.setOutputFileName(target);
    return printed && temporary.commit();
}

} // namespace

bool printTo(const ReportDocument& document, QPrinter& printer) {
    return paintOn(document, printer, {});
}

bool printWithProgress(QWidget* parent, const ReportDocument& document, QPrinter& printer) {
    printer.setPageLayout(document.pageLayout());
    const auto [first, last] = printedRange(document, printer);
    if (first > last) return false;
    // Painting runs away from the screen (a painter may work on a printer in any thread);
    // a long list shows the progress window, whose "Annulla" drops the job.
    return runWithProgress<bool>(parent, u"Stampa in corso\u2026"_s, last - first + 1,
                                 [&document, &printer](const Progress& progress) {
                                     return paintOn(document, printer, [&progress](int painted) {
                                         return progress(painted);
                                     });
                                 });
}

bool print(QWidget* parent, const ReportDocument& document, QPrinter& printer) {
    printer.setPageLayout(document.pageLayout());
    printer.setDocName(document.name());
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, document.pageCount());
    if (dialog.exec() != QDialog::Accepted) return false;
    return printWithProgress(parent, document, printer);
}

bool print(QWidget* parent, const ReportDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    return print(parent, document, printer);
}

void preview(QWidget* parent, const ReportDocument& document) {
    ReportPreview dialog(document, parent);
    dialog.exec();
}

QByteArray renderPdf(const ReportDocument& document, const PdfInfo& info) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(document.pageLayout());
        writer.setResolution(1200);
        writer.setTitle(info.title);
        writer.setCreator(info.creator);
        writer.setDocumentXmpMetadata(xmpMetadata(info));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        const bool painted = document.paintPages(painter, writer, 0, document.pageCount() - 1);
        if (!painter.end() || !painted) return {};
    }
    return withDocumentInfo(buffer.data(), info).value_or(QByteArray());
}

bool writePdf(const ReportDocument& document, const QString& path, const PdfInfo& info) {
    const QByteArray pdf = renderPdf(document, info);
    if (pdf.isEmpty()) return false;
    return bool(files::replaceFile(path, pdf));
}

bool exportPdf(QWidget* parent, const ReportDocument& document, const QString& fileName,
               const PdfInfo& info) {
    const QString path = tavolex::programPath(fileName);
    if (!writePdf(document, path, info)) {
        msg::error(parent, u"Impossibile creare il file PDF:\n"_s + QDir::toNativeSeparators(path));
        return false;
    }
    if (msg::question(parent, pdfDoneQuestion()))
        TMisc::Open(u"\""_s + tavolex::programFolder() + fileName + u"\""_s);
    return true;
}

} // namespace tavolex::ui::report
