#include "yearlyarchive.h"

#include "messages.h"

namespace tavolex::ui {

std::unique_ptr<records::Archive> YearlyArchive::archive() const {
    Q_ASSERT(m_archive.isValid());
    return records::programArchive(m_archive);
}

bool YearlyArchive::prepareArchive(QWidget* owner) const {
    return ui::prepareArchive(owner, *archive());
}

bool prepareArchive(QWidget* owner, const records::Archive& archive) {
    records::StoreError error;
    if (archive.prepare(&error)) return true;
    msg::archiveAccessError(owner, error.text());
    return false;
}

} // namespace tavolex::ui
