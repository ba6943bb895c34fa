#include "TfrmMenuMovimenti.h"

#include "help/movementshelp.h"
#include "protocol/numbering.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
YearMenuDecl declaration() {
    YearMenuDecl decl;
    decl.objectName = u"TfrmMenuMovimenti"_s;
    decl.caption = u" Tavolex - Entrate e Uscite"_s;
    decl.tileGlyph = u"\u20AC"_s;
    decl.tileColour = QColor(0x1b, 0x8a, 0x8a);
    decl.tileText = u"Entrate e Uscite"_s;
    decl.intro = u"In questo ambiente \u00E8 possibile registrare i movimenti di denaro in "
                 u"entrata e in uscita."_s;
    decl.boxes = {{.title = u"Registro movimenti:"_s}};
    decl.openTag = u"movimenti"_s;
    decl.cardName = u"TfrmMovimenti"_s;
    // The same rule as the protocol years: four characters as typed, no folder separator.
    decl.isAcceptableYear = &protocol::isAcceptableYear;
    decl.help = &help::movementsApplication;
    return decl;
}
} // namespace

TfrmMenuMovimenti::TfrmMenuMovimenti(QWidget* parent) : YearMenu(declaration(), parent) {}

} // namespace tavolex::ui
