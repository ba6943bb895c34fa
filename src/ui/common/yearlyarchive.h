#pragma once

#include "records/store.h"

#include <memory>

class QWidget;

namespace tavolex::ui {

// What every screen over one year's archive shares: the archive, named by the caller (the
// archive open on its card) before the screen is shown. A screen derives from it beside its
// pattern.
class YearlyArchive {
public:
    void setArchive(records::ArchiveId id) { m_archive = std::move(id); }
    const records::ArchiveId& archiveId() const { return m_archive; }
    // The archive in the program's store; none before one was named.
    std::unique_ptr<records::Archive> archive() const;
    // Makes a missing archive empty, as the card opening it would; the access error when it
    // cannot. Screens that only read call this first, so that they see what the card sees.
    bool prepareArchive(QWidget* owner) const;

protected:
    YearlyArchive() = default;
    ~YearlyArchive() = default;
    YearlyArchive(const YearlyArchive&) = default;
    YearlyArchive& operator=(const YearlyArchive&) = default;

private:
    records::ArchiveId m_archive;
};

// The archive `id` of the program's store made ready to read (see prepareArchive); the access
// error, naming the archive and the cause, when it cannot be.
bool prepareArchive(QWidget* owner, const records::Archive& archive);

} // namespace tavolex::ui
