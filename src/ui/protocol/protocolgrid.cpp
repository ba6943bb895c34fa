#include "protocolgrid.h"

#include "protocol/protocollines.h"
#include "records/layouts.h"

namespace tavolex::ui::protocolscreens {

using namespace Qt::Literals::StringLiterals;

RecordGridModel* makeGridModel() {
    return RecordGridModel::byField(records::protocolLayout(), protocol::columns());
}

GridScreenDecl gridDeclaration() {
    GridScreenDecl decl;
    decl.size = QSize(1100, 620);
    decl.commands = GridScreenDecl::Commands::Row;
    decl.selectRows = true;
    return decl;
}

} // namespace tavolex::ui::protocolscreens
