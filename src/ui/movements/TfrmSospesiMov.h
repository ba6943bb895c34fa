#pragma once

#include "ui/common/chosenrecord.h"
#include "ui/common/listscreen.h"

#include <optional>

namespace tavolex::ui {

// " Riepilogo pagamenti in scadenza o scaduti": every movement of the open year that is not
// settled and whose notice period has begun; a double-click hands it back for the card.
class TfrmSospesiMov : public ListScreen {
    Q_OBJECT
public:
    explicit TfrmSospesiMov(QWidget* parent = nullptr);

    // The yearly archive to list: the one open on the movement card.
    void setArchivePath(const QString& path);
    QString archivePath() const { return m_archive; }

    // Fills the list; runs each time the screen is shown.
    void FormShow();

protected:
    std::optional<ChosenRecord> findEntry(const QString& line, qint64 listedAt) override;
    void showEvent(QShowEvent* event) override;

private:
    QString m_archive;
};

} // namespace tavolex::ui
