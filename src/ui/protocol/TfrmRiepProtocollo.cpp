#include "TfrmRiepProtocollo.h"

#include "help/protocolhelp.h"
#include "protocol/archive.h"
#include "protocol/protocollines.h"
#include "protocolgrid.h"
#include "records/layouts.h"
#include "records/store.h"
#include "ui/common/behaviour.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
GridScreenDecl declaration() {
    GridScreenDecl decl = protocolscreens::gridDeclaration();
    decl.objectName = u"TfrmRiepProtocollo"_s;
    decl.caption = u" Riepilogo protocollo per intervallo di tempo"_s;
    decl.initialHint = u"Riepilogo documenti protocollati in un intervallo di tempo."_s;
    decl.target = exporting::kRiepProtocollo;
    decl.help = &help::protocolSummary;
    return decl;
}
} // namespace

TfrmRiepProtocollo::TfrmRiepProtocollo(QWidget* parent)
    : GridScreen(declaration(), protocolscreens::makeGridModel(), parent) {
    auto dateField = [this](const QString& name, const QString& label) {
        addHeaderWidget(new QLabel(label, this));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(10);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(110);
        behaviour()->setHint(edit, u"Indica una data nel formato gg/mm/aaa."_s);
        addHeaderWidget(edit);
        return edit;
    };
    m_start = dateField(u"txtDataInizio"_s, u"Protocollati dalla data:"_s);
    m_end = dateField(u"txtDataFine"_s, u"alla data:"_s);
    QToolButton* trova =
        addCommand({u"cmdTrova"_s, u"Riepilogo"_s, u"\u25C9"_s, Tone::Service,
                    u"Visualizza il riepilogo dei documenti protocollati nell'intervallo di tempo "
                    u"selezionato."_s,
                    [this] { cmdTrovaClick(); }});
    behaviour()->setEnterNext(m_start, m_end);
    behaviour()->setEnterNext(m_end, trova);
}

void TfrmRiepProtocollo::prepare() {
    m_start->clear();
    m_end->setText(Clock::today().toString(u"dd/MM/yyyy"_s));
    m_start->setFocus(Qt::OtherFocusReason);
}

void TfrmRiepProtocollo::cmdTrovaClick() {
    const protocol::IntervalVerdict verdict =
        protocol::checkInterval(m_start->text(), m_end->text());
    if (verdict.check != protocol::IntervalCheck::Ok) {
        if (verdict.warning)
            msg::warning(this, verdict.message);
        else
            msg::plain(this, verdict.message);
        switch (verdict.check) {
        case protocol::IntervalCheck::StartMissing:
        case protocol::IntervalCheck::StartInvalid:
            m_start->setFocus(Qt::OtherFocusReason);
            break;
        case protocol::IntervalCheck::EndMissing:
        case protocol::IntervalCheck::EndInvalid:
            m_end->setFocus(Qt::OtherFocusReason);
            break;
        default:
            break;
        }
        return;
    }
    // The archive is opened as every action opens it (created when missing); a file
    // that cannot be opened or read leaves the grid as it was, without a message.
    const QDate start = verdict.start;
    const QDate end = verdict.end;
    model()->fillPrepared(
        *archive(),
        [&](const char* record) { return protocol::isRegisteredWithin(record, start, end); },
        RecordGridModel::OnFailure::KeepPrevious);
}

} // namespace tavolex::ui
