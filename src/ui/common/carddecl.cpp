#include "carddecl.h"

#include <QRegularExpression>
#include <QSet>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// txtX and chkX bind field X unless the declaration names another.
void bindByName(RecordCardDecl& decl) {
    if (!decl.layout) decl.layout = &records::archiveEntry(decl.archive).layout();
    for (CardField& field : decl.fields) {
        const bool named = field.control.startsWith(u"txt"_s) || field.control.startsWith(u"chk"_s);
        const bool editable = field.kind != FieldKind::Hidden && field.kind != FieldKind::Choice &&
                              field.kind != FieldKind::Picture && field.kind != FieldKind::Push;
        if (field.field.isEmpty() && named && editable) field.field = field.control.mid(3);
    }
}

} // namespace

const QStringList& attachmentLabels() {
    static const QStringList labels = {u"lblFile01"_s, u"lblFile02"_s, u"lblFile03"_s,
                                       u"lblDesc01"_s, u"lblDesc02"_s, u"lblDesc03"_s};
    return labels;
}

QStringList declarationFaults(RecordCardDecl decl) {
    bindByName(decl);
    QStringList faults;
    QSet<QString> controls;
    auto needField = [&](const QString& control, const QString& field) {
        if (!field.isEmpty() && (!decl.layout || decl.layout->indexOf(field) < 0))
            faults << control + u": the record has no field "_s + field;
    };
    for (const CardField& field : decl.fields) {
        controls.insert(field.control);
        needField(field.control, field.field);
        for (const ChoiceOption& option : field.options) {
            controls.insert(option.control);
            needField(option.control, option.field);
        }
        if (field.kind != FieldKind::Hidden && field.at.section >= decl.sections.size())
            faults << field.control + u": no section "_s + QString::number(field.at.section);
    }
    if (!decl.attachmentTag.isEmpty()) {
        for (const QString& name : attachmentLabels()) {
            controls.insert(name);
            needField(name, name.mid(3));
        }
    }
    if (!decl.firstFocus.isEmpty() && !controls.contains(decl.firstFocus))
        faults << u"first focus "_s + decl.firstFocus + u" is not a control of the card"_s;
    for (const CardField& field : decl.fields)
        if (field.kind == FieldKind::Date && field.tag.isEmpty())
            faults << field.control + u": a date field names no calendar tag"_s;
    for (const SaveCheck& check : decl.saveChecks) {
        const bool byLength = !check.rule && !check.normalise;
        if (!controls.contains(check.control))
            faults << (byLength ? u"required "_s : u"save check "_s) + check.control +
                          u" is not a control of the card"_s;
    }
    for (const DerivedField& derived : decl.derived)
        if (!controls.contains(derived.control))
            faults << u"derived "_s + derived.control + u" is not a control of the card"_s;
    QSet<QString> commands;
    for (const Command& command : decl.commands)
        commands.insert(command.control);
    for (const CardImport& import : decl.imports) {
        if (!controls.contains(import.command) && !commands.contains(import.command))
            faults << u"import "_s + import.command + u" is not a button of the card"_s;
        for (const auto& [field, control] : import.fields) {
            if (!controls.contains(control))
                faults << u"import "_s + import.command + u" fills no control "_s + control;
            if (!import.layout || import.layout->indexOf(field) < 0)
                faults << u"import "_s + import.command + u": its record has no field "_s + field;
        }
    }
    static const QRegularExpression placeholder(u"\\{(\\w+)\\}"_s);
    for (const ReportRow& row : decl.report) {
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(row.value))
            if (!controls.contains(m.captured(1)))
                faults << u"report row "_s + row.caption + u" names no control "_s + m.captured(1);
    }
    return faults;
}

RecordCardDecl completedDecl(RecordCardDecl decl) {
    bindByName(decl);
    if (!decl.attachmentTag.isEmpty())
        for (const QString& name : attachmentLabels())
            decl.fields.append({.control = name, .field = name.mid(3), .kind = FieldKind::Hidden});
    return decl;
}

int boundCapacity(const RecordCardDecl& decl, const CardField& field) {
    const int index = decl.layout->indexOf(field.field);
    return index < 0 ? 255 : decl.layout->field(index).capacity;
}

} // namespace tavolex::ui
