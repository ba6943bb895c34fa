#pragma once

#include "reportdata.h"

#include <QByteArray>
#include <optional>

namespace tavolex::ui::report {

// XMP packet with the same title, subject, author and creator as the information
// dictionary, so viewers that read either one show the same.
QByteArray xmpMetadata(const PdfInfo& info);

// Rewrites a PDF in memory with the document information dictionary set from `info`
// (the PDF writer of the toolkit sets only the title and the creator) and its streams
// stored uncompressed. Empty when the input is not a readable PDF.
std::optional<QByteArray> withDocumentInfo(const QByteArray& pdf, const PdfInfo& info);

} // namespace tavolex::ui::report
