#include "TfrmMenuProtocollo.h"

#include "help/protocolhelp.h"
#include "protocol/numbering.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
YearMenuDecl declaration() {
    YearMenuDecl decl;
    decl.objectName = u"TfrmMenuProtocollo"_s;
    decl.caption = u" Tavolex - Protocollo Posta"_s;
    decl.tileGlyph = u"\u2709"_s;
    decl.tileColour = QColor(0x7a, 0x4e, 0xa8);
    decl.tileText = u"Protocollo Posta"_s;
    decl.intro = u"In questo ambiente \u00E8 possibile protocollare i documenti interni e la "
                 u"posta in entrata e in uscita."_s;
    decl.boxes = {{.title = u"Archivio protocollo documenti:"_s}};
    decl.openTag = u"protocollo"_s;
    decl.cardName = u"TfrmProtocollo"_s;
    decl.isAcceptableYear = &protocol::isAcceptableYear;
    decl.help = &help::protocolApplication;
    return decl;
}
} // namespace

TfrmMenuProtocollo::TfrmMenuProtocollo(QWidget* parent) : YearMenu(declaration(), parent) {}

} // namespace tavolex::ui
