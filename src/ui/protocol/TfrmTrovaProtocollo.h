#pragma once

#include "protocol/archive.h"
#include "ui/common/listscreen.h"

#include <QList>
#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

namespace tavolex::ui {

// " Trova documenti protocollati": up to ten filters (panel panAvvio), then the list of
// matching documents (panel panContainer). A double click hands the chosen record back
// to the caller (chosen()), which loads it when the tag is "protocollo".
class TfrmTrovaProtocollo : public ListScreen {
    Q_OBJECT
public:
    explicit TfrmTrovaProtocollo(QWidget* parent = nullptr);

    // The yearly archive to search; by default the one open on the protocol card.
    void setArchivePath(const QString& path);
    QString archivePath() const;

    // The record behind the entry chosen by double click, with its position.
    const std::optional<protocol::FoundRecord>& chosen() const { return m_chosen; }

    void btnCercaClick();

protected:
    void loadEntry(const QString& line) override;
    void done(int result) override;

private:
    QWidget* buildFilterPanel();

    QWidget* m_filterPanel = nullptr;
    QWidget* m_resultPanel = nullptr;
    QList<QLineEdit*> m_filters;
    QLabel* m_wait = nullptr;
    QLabel* m_count = nullptr;
    QString m_archive;
    std::optional<protocol::FoundRecord> m_chosen;
};

} // namespace tavolex::ui
