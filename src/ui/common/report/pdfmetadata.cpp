#include "pdfmetadata.h"

// Only the smart-pointer API of qpdf is used, not its old PointerHolder.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace tavolex::ui::report {

using namespace Qt::Literals::StringLiterals;

QByteArray xmpMetadata(const PdfInfo& info) {
    auto alt = [](const QString& value) -> QString {
        return u"<rdf:Alt><rdf:li xml:lang=\"x-default\">"_s + value.toHtmlEscaped() +
               u"</rdf:li></rdf:Alt>"_s;
    };
    const QString xmp =
        u"<?xpacket begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
        u"<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
        u"<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
        u"<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
        u"xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"_s +
        u"<dc:title>"_s + alt(info.title) + u"</dc:title>\n"_s + u"<dc:description>"_s +
        alt(info.subject) + u"</dc:description>\n"_s + u"<dc:creator><rdf:Seq><rdf:li>"_s +
        info.author.toHtmlEscaped() + u"</rdf:li></rdf:Seq></dc:creator>\n"_s +
        u"<xmp:CreatorTool>"_s + info.creator.toHtmlEscaped() + u"</xmp:CreatorTool>\n"_s +
        u"</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>"_s;
    return xmp.toUtf8();
}

std::optional<QByteArray> withDocumentInfo(const QByteArray& pdf, const PdfInfo& info) {
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("report", pdf.constData(), size_t(pdf.size()));

        QPDFObjectHandle trailer = document.getTrailer();
        QPDFObjectHandle dictionary = trailer.getKey("/Info");
        if (!dictionary.isDictionary()) {
            dictionary = document.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", dictionary);
        }
        auto set = [&dictionary](const char* key, const QString& value) {
            dictionary.replaceKey(key, QPDFObjectHandle::newUnicodeString(value.toStdString()));
        };
        set("/Title", info.title);
        set("/Subject", info.subject);
        set("/Author", info.author);
        set("/Creator", info.creator);

        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.setCompressStreams(false);
        writer.setDecodeLevel(qpdf_dl_generalized);
        writer.setDeterministicID(true);
        writer.write();
        const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()),
                          qsizetype(buffer->getSize()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace tavolex::ui::report
