#include "protocolgrid.h"

#include "protocol/protocollines.h"
#include "records/layouts.h"

namespace tavolex::ui::protocolscreens {

using namespace Qt::Literals::StringLiterals;

RecordGridModel* makeGridModel() {
    const QList<protocol::GridColumn>& shown = protocol::gridColumns();
    QList<int> kept;
    QList<GridColumn> columns;
    for (int i = 0; i < shown.size(); ++i) {
        columns << GridColumn{shown[i].header, shown[i].screenWidth, i - 1};
        if (i > 0) kept << i - 1; // column i shows field i - 1
    }
    return new RecordGridModel(records::protocolLayout(), kept, columns);
}

GridScreenDecl gridDeclaration() {
    GridScreenDecl decl;
    decl.size = QSize(1100, 620);
    decl.commands = GridScreenDecl::Commands::Row;
    decl.selectRows = true;
    decl.exportColumns = protocol::exportColumns();
    return decl;
}

} // namespace tavolex::ui::protocolscreens
