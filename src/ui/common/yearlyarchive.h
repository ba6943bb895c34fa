#pragma once

#include <QString>

namespace tavolex::ui {

// What every screen over one year's archive shares: the archive's path, named by the caller
// (the archive open on its card) before the screen is shown. A screen derives from it beside
// its pattern.
class YearlyArchive {
public:
    void setArchivePath(const QString& path) { m_archive = path; }
    const QString& archivePath() const { return m_archive; }

protected:
    YearlyArchive() = default;
    ~YearlyArchive() = default;
    YearlyArchive(const YearlyArchive&) = default;
    YearlyArchive& operator=(const YearlyArchive&) = default;

private:
    QString m_archive;
};

} // namespace tavolex::ui
