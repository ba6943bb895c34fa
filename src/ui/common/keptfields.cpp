#include "keptfields.h"

#include "cardbinder.h"
#include "settings/inifile.h"
#include "text/casing.h"

namespace tavolex::ui {

void readKeptFields(const RecordCardDecl& decl, CardBinder& binder) {
    if (!decl.settingsFile) return;
    const settings::IniFile ini(decl.settingsFile());
    for (const CardField& field : decl.fields)
        if (field.kept)
            binder.setText(field.control, ini.readString(decl.settingsSection, field.field));
}

std::optional<files::WriteResult> writeKeptFields(const RecordCardDecl& decl,
                                                  const CardBinder& binder) {
    if (!decl.settingsFile) return std::nullopt;
    settings::IniFile ini(decl.settingsFile());
    std::optional<files::WriteResult> failed;
    for (const CardField& field : decl.fields) {
        if (!field.kept) continue;
        const files::WriteResult written = ini.writeString(
            decl.settingsSection, field.field, text::trimmed(binder.text(field.control)));
        if (!written && !failed) failed = written;
    }
    return failed;
}

} // namespace tavolex::ui
