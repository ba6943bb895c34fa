#include "TfrmSospesiMov.h"

#include "movements/archive.h"
#include "movements/movementlines.h"
#include "movements/movementrecord.h"
#include "records/store.h"
#include "ui/common/calendarfiles.h"
#include "ui/common/clock.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmSospesiMov::TfrmSospesiMov(QWidget* parent)
    : ListScreen(u"TfrmSospesiMov"_s, u" Riepilogo pagamenti in scadenza o scaduti"_s, parent) {
    setCallerTag(u"movimenti"_s);
    addPrintButton(QString::fromUtf16(movements::kDueListTitle));
    auto* calendarButton = new QPushButton(u"Calendario"_s, this);
    calendarButton->setObjectName(u"cmdCalendario"_s);
    calendarButton->setToolTip(QString::fromUtf16(kPaymentsCalendarHint));
    connect(calendarButton, &QPushButton::clicked, this,
            [this] { runCalendarCommand(this, calendar::Kind::Payments, archiveId()); });
    footerArea()->insertWidget(0, calendarButton);
    setFixedSize(1000, 600);
}

void TfrmSospesiMov::showEvent(QShowEvent* event) {
    ListScreen::showEvent(event);
    centreOnScreen(this);
    FormShow();
}

void TfrmSospesiMov::FormShow() {
    lists::ListedLines lines;
    // Opened as every action opens the archive; a failing read shows nothing more, and no
    // message.
    const std::unique_ptr<records::Archive> archive = this->archive();
    if (archive->prepare()) movements::dueLines(*archive, Clock::today(), &lines);
    setLines(std::move(lines));
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

std::optional<ChosenRecord> TfrmSospesiMov::findEntry(const QString& line,
                                                      const lists::ListedRecord& listed) {
    std::optional<ChosenRecord> found;
    movements::findByLine(*archive(), line, &found, listed);
    return found;
}

} // namespace tavolex::ui
