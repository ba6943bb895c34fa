// The parts of the record card on their own: the binder over a widget set made from a
// declaration and never shown, and the archive session over real files.
#include "records/folderstore.h"
#include "records/layout.h"
#include "records/record.h"
#include "settings/inifile.h"
#include "support/diskfull.h"
#include "support/printers.h"
#include "support/recordfixtures.h"
#include "support/uitest.h"
#include "ui/common/behaviour.h"
#include "ui/common/cardarchive.h"
#include "ui/common/cardbinder.h"
#include "ui/common/carddecl.h"
#include "ui/common/cardform.h"
#include "ui/common/keptfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using namespace tavolex::ui;
using tavolex::test::answerNextBox;
using tavolex::test::SeenBox;

namespace {

// A record of every kind of field a card binds, 94 bytes:
//   Nome 0, Tipo 11, Provincia 20, Stato 23, Saldato 30, Genere 33, Entrata 41, Uscita 44,
//   Data 47, Importo 58, Ufficio 71, Nota 82, Memo 88.
const records::RecordLayout& provaLayout() {
    static const records::RecordLayout layout(u"Prova"_s,
                                              {{u"Nome", 10},
                                               {u"Tipo", 8},
                                               {u"Provincia", 2},
                                               {u"Stato", 6},
                                               {u"Saldato", 2, records::FieldKind::YesNo},
                                               {u"Genere", 7},
                                               {u"Entrata", 2, records::FieldKind::YesNo},
                                               {u"Uscita", 2, records::FieldKind::YesNo},
                                               {u"Data", 10},
                                               {u"Importo", 12},
                                               {u"Ufficio", 10},
                                               {u"Nota", 5},
                                               {u"Memo", 5}},
                                              94);
    return layout;
}

QString g_settingsPath;
QString settingsPath() {
    return g_settingsPath;
}

RecordCardDecl provaDecl() {
    RecordCardDecl d;
    d.objectName = u"TfrmProva"_s;
    d.layout = &provaLayout();
    d.sections = {{u"Prova"_s, u"P"_s, Tone::Records}};
    d.fields = {
        {.control = u"txtNome"_s, .label = u"Nome:"_s, .at = {0, 0, 0, 2}},
        {.control = u"txtTipo"_s,
         .kind = FieldKind::List,
         .at = {0, 0, 2},
         .items = {u"Lettera"_s, u"Fattura"_s}},
        {.control = u"txtProvincia"_s, .kind = FieldKind::Province, .at = {0, 0, 3}},
        {.control = u"txtStato"_s,
         .kind = FieldKind::Pick,
         .at = {0, 0, 4},
         .items = {u"Aperta"_s, u"Chiusa"_s}},
        {.control = u"chkSaldato"_s,
         .label = u"Saldato"_s,
         .kind = FieldKind::Check,
         .at = {0, 0, 5}},
        {.control = u"grpGenere"_s,
         .field = u"Genere"_s,
         .kind = FieldKind::Choice,
         .at = {0, 1, 0, 2},
         .options = {{u"optPrivato"_s, u"Privato"_s}, {u"optAzienda"_s, u"Azienda"_s}},
         .initial = u"Privato"_s},
        {.control = u"grpVerso"_s,
         .kind = FieldKind::Choice,
         .at = {0, 1, 2, 2},
         .options = {{u"optEntrata"_s, u"Entrata"_s, u"Entrata"_s},
                     {u"optUscita"_s, u"Uscita"_s, u"Uscita"_s}}},
        {.control = u"txtData"_s,
         .kind = FieldKind::Date,
         .at = {0, 2, 0},
         .tag = u"prova"_s,
         .today = FillToday::OnNew},
        {.control = u"txtImporto"_s, .kind = FieldKind::Amount, .at = {0, 2, 1}, .places = 2},
        {.control = u"txtUfficio"_s, .at = {0, 2, 2}, .kept = true},
        {.control = u"lblNota"_s, .field = u"Nota"_s, .kind = FieldKind::Label, .at = {0, 2, 3}},
        {.control = u"lblMemo"_s, .field = u"Memo"_s, .kind = FieldKind::Hidden},
        {.control = u"lblStato"_s, .kind = FieldKind::Hidden}, // the card's own, bound to nothing
    };
    d.settingsFile = settingsPath;
    d.settingsSection = u"Prova"_s;
    return d;
}

// A widget set made from the declaration, never shown, with its binder.
struct Bound {
    RecordCardDecl decl = completedDecl(provaDecl());
    QWidget host;
    ScreenBehaviour* behaviour = new ScreenBehaviour(&host);
    CardForm form{decl, behaviour};
    CardBinder binder{decl, form};

    Bound() { form.buildFields(&host, new QVBoxLayout(&host)); }
    template <typename T> T* at(const QString& name) const {
        return qobject_cast<T*>(form.control(name));
    }
};

TEST(CardBinder, DeclarationIsSoundAndBuildsEveryControlWithoutAWindow) {
    EXPECT_EQ(declarationFaults(provaDecl()), QStringList());
    Bound b;
    EXPECT_FALSE(b.host.isVisible());
    EXPECT_NE(b.at<QLineEdit>(u"txtNome"_s), nullptr);
    EXPECT_EQ(b.at<QLineEdit>(u"txtNome"_s)->maxLength(), 10);
    EXPECT_NE(b.at<QComboBox>(u"txtStato"_s), nullptr);
    EXPECT_NE(b.at<QCheckBox>(u"chkSaldato"_s), nullptr);
    EXPECT_NE(b.at<QRadioButton>(u"optUscita"_s), nullptr);
    EXPECT_NE(b.form.choice(u"grpVerso"_s), nullptr);
    EXPECT_EQ(b.form.choice(u"txtNome"_s), nullptr);
    EXPECT_NE(b.at<QLabel>(u"lblMemo"_s), nullptr);
    // Enter runs through the seven typed fields in declaration order; the rest are not in it.
    QStringList entered;
    for (const QWidget* w : b.form.enterOrder())
        entered << w->objectName();
    EXPECT_EQ(entered, (QStringList{u"txtNome"_s, u"txtTipo"_s, u"txtProvincia"_s, u"txtStato"_s,
                                    u"txtData"_s, u"txtImporto"_s, u"txtUfficio"_s}));
}

// Every kind of control as the user leaves it, stored into a record whose bytes are checked
// field by field.
TEST(CardBinder, StoresEachKindIntoTheRecordBytes) {
    Bound b;
    b.at<QLineEdit>(u"txtNome"_s)->setText(u"  Rossi "_s);
    b.at<QComboBox>(u"txtTipo"_s)->setEditText(u"Avviso"_s); // typed, not in the list
    b.at<QComboBox>(u"txtProvincia"_s)->setCurrentText(u"MI"_s);
    b.at<QComboBox>(u"txtStato"_s)->setCurrentIndex(1);
    b.at<QCheckBox>(u"chkSaldato"_s)->setChecked(true);
    b.at<QRadioButton>(u"optAzienda"_s)->setChecked(true);
    b.at<QRadioButton>(u"optEntrata"_s)->setChecked(true);
    b.at<QLineEdit>(u"txtData"_s)->setText(u"05/03/2026"_s);
    b.at<QLineEdit>(u"txtImporto"_s)->setText(u"1234,50"_s);
    b.at<QLabel>(u"lblNota"_s)->setText(u"nota lunga"_s); // cut to the five it holds
    b.at<QLabel>(u"lblMemo"_s)->setText(u"M1"_s);
    b.at<QLabel>(u"lblStato"_s)->setText(u"ignorato"_s);

    records::Record record(provaLayout());
    b.binder.storeInto(record);
    const QByteArray& bytes = record.bytes();
    ASSERT_EQ(bytes.size(), 94);
    const struct {
        int offset;
        QByteArray expected;
    } fields[] = {
        {0, QByteArray("\x05Rossi")},
        {11, QByteArray("\x06"
                        "Avviso")},
        {20, QByteArray("\x02MI")},
        {23, QByteArray("\x06"
                        "Chiusa")},
        {30, QByteArray("\x02S\xEC")},
        {33, QByteArray("\x07"
                        "Azienda")},
        {41, QByteArray("\x02S\xEC")},
        {44, QByteArray("\x02No")},
        {47, QByteArray("\x0A"
                        "05/03/2026")},
        {58, QByteArray("\x07"
                        "1234,50")},
        {71, QByteArray("\x00", 1)},
        {82, QByteArray("\x05nota ")},
        {88, QByteArray("\x02M1")},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.offset);
        EXPECT_EQ(bytes.mid(f.offset, f.expected.size()), f.expected);
    }
    EXPECT_EQ(b.binder.text(u"grpVerso"_s), u"Entrata"_s);
    EXPECT_EQ(b.binder.text(u"chkSaldato"_s), u"S\u00EC"_s);
}

// What one form stores, a fresh form loads back into the same controls; a drop-down receives
// the text without its list selection changing.
TEST(CardBinder, RoundTripOfEachKindThroughAFreshForm) {
    const records::Record record = test::makeRecord(provaLayout(), {{u"Nome", u"Bianchi"_s},
                                                                    {u"Tipo", u"Fattura"_s},
                                                                    {u"Provincia", u"TO"_s},
                                                                    {u"Stato", u"Aperta"_s},
                                                                    {u"Saldato", u"S\u00EC"_s},
                                                                    {u"Genere", u"Azienda"_s},
                                                                    {u"Entrata", u"No"_s},
                                                                    {u"Uscita", u"S\u00EC"_s},
                                                                    {u"Data", u"31/12/2025"_s},
                                                                    {u"Importo", u"0,50"_s},
                                                                    {u"Ufficio", u"Roma"_s},
                                                                    {u"Nota", u"breve"_s},
                                                                    {u"Memo", u"x"_s}});
    Bound b;
    b.binder.loadFrom(record);
    const std::pair<QString, QString> shown[] = {
        {u"txtNome"_s, u"Bianchi"_s},    {u"txtTipo"_s, u"Fattura"_s},
        {u"txtProvincia"_s, u"TO"_s},    {u"txtStato"_s, u"Aperta"_s},
        {u"chkSaldato"_s, u"S\u00EC"_s}, {u"grpGenere"_s, u"Azienda"_s},
        {u"grpVerso"_s, u"Uscita"_s},    {u"txtData"_s, u"31/12/2025"_s},
        {u"txtImporto"_s, u"0,50"_s},    {u"txtUfficio"_s, u"Roma"_s},
        {u"lblNota"_s, u"breve"_s},      {u"lblMemo"_s, u"x"_s},
    };
    for (const auto& [control, text] : shown)
        EXPECT_EQ(b.binder.text(control), text) << control.toStdString();
    EXPECT_EQ(b.at<QComboBox>(u"txtStato"_s)->currentIndex(), -1);
    EXPECT_EQ(b.at<QComboBox>(u"txtProvincia"_s)->currentIndex(), -1);
    EXPECT_TRUE(b.at<QCheckBox>(u"chkSaldato"_s)->isChecked());
    EXPECT_TRUE(b.at<QRadioButton>(u"optUscita"_s)->isChecked());

    Bound again;
    again.binder.loadFrom(record);
    records::Record stored(provaLayout());
    again.binder.storeInto(stored);
    EXPECT_EQ(stored.bytes(), record.bytes());
}

// A damaged flag leaves its check box as it was; a caption that is none of a choice's leaves
// the choice as it was.
TEST(CardBinder, DamagedValuesLeaveControlsAsTheyWere) {
    Bound b;
    b.binder.setText(u"chkSaldato"_s, u"S\u00EC"_s);
    b.binder.setText(u"grpGenere"_s, u"Azienda"_s);
    const records::Record damaged = test::makeRecord(
        provaLayout(), {{u"Saldato", u"Si"_s}, {u"Genere", u"Ente"_s}, {u"Nome", u"Verdi"_s}});
    b.binder.loadFrom(damaged);
    EXPECT_TRUE(b.at<QCheckBox>(u"chkSaldato"_s)->isChecked());
    EXPECT_EQ(b.binder.text(u"grpGenere"_s), u"Azienda"_s);
    EXPECT_EQ(b.binder.text(u"txtNome"_s), u"Verdi"_s);
    b.binder.setText(u"chkSaldato"_s, u"No"_s);
    EXPECT_FALSE(b.at<QCheckBox>(u"chkSaldato"_s)->isChecked());
}

// Clearing empties every bound control and the choices, sets initial texts and keeps the
// kept field and the card's own hidden labels; New fills today's date, showing does not.
TEST(CardBinder, ClearKeepsKeptFieldsAndFillsInitialTexts) {
    Bound b;
    const records::Record full = test::makeRecord(provaLayout(), {{u"Nome", u"Neri"_s},
                                                                  {u"Tipo", u"Lettera"_s},
                                                                  {u"Stato", u"Chiusa"_s},
                                                                  {u"Saldato", u"S\u00EC"_s},
                                                                  {u"Genere", u"Azienda"_s},
                                                                  {u"Entrata", u"S\u00EC"_s},
                                                                  {u"Data", u"01/01/2026"_s},
                                                                  {u"Ufficio", u"Milano"_s},
                                                                  {u"Memo", u"m"_s}});
    b.binder.loadFrom(full);
    b.binder.setText(u"lblStato"_s, u"interno"_s);
    b.binder.clear();
    for (const QString& control :
         {u"txtNome"_s, u"txtTipo"_s, u"txtStato"_s, u"txtData"_s, u"grpVerso"_s, u"lblMemo"_s})
        EXPECT_EQ(b.binder.text(control), QString()) << control.toStdString();
    EXPECT_EQ(b.binder.text(u"chkSaldato"_s), u"No"_s);
    EXPECT_EQ(b.binder.text(u"grpGenere"_s), u"Privato"_s); // its initial caption
    EXPECT_EQ(b.binder.text(u"txtUfficio"_s), u"Milano"_s);
    EXPECT_EQ(b.binder.text(u"lblStato"_s), u"interno"_s);

    b.binder.fillToday(true, QDate(2026, 3, 5));
    EXPECT_EQ(b.binder.text(u"txtData"_s), QString());
    b.binder.fillToday(false, QDate(2026, 3, 5));
    EXPECT_EQ(b.binder.text(u"txtData"_s), u"05/03/2026"_s);
}

// Kept fields go to the card's settings trimmed, under their field's name, and come back.
TEST(CardBinder, KeptFieldsThroughTheSettingsFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    g_settingsPath = dir.filePath(u"Prova.ini"_s);
    Bound b;
    b.binder.setText(u"txtUfficio"_s, u"  Torino "_s);
    b.binder.setText(u"txtNome"_s, u"non tenuto"_s);
    EXPECT_FALSE(writeKeptFields(b.decl, b.binder).has_value());
    EXPECT_EQ(settings::IniFile(g_settingsPath).readString(u"Prova"_s, u"Ufficio"_s), u"Torino"_s);
    EXPECT_EQ(settings::IniFile(g_settingsPath).readString(u"Prova"_s, u"Nome"_s), QString());

    Bound fresh;
    readKeptFields(fresh.decl, fresh.binder);
    EXPECT_EQ(fresh.binder.text(u"txtUfficio"_s), u"Torino"_s);
    EXPECT_EQ(fresh.binder.text(u"txtNome"_s), QString());

    // A settings file that cannot be written gives the failure with its cause.
    g_settingsPath = dir.path(); // a folder
    const auto failed = writeKeptFields(b.decl, b.binder);
    ASSERT_TRUE(failed.has_value());
    EXPECT_FALSE(failed->cause().isEmpty());
    g_settingsPath.clear();
}

TEST(CardBinder, TypedFormFaultNamesTheFirstBrokenField) {
    Bound b;
    EXPECT_FALSE(b.binder.typedFormFault().has_value());
    b.binder.setText(u"txtImporto"_s, u"12,3,4"_s);
    const auto fault = b.binder.typedFormFault();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->control, u"txtImporto"_s);
    EXPECT_TRUE(fault->message.startsWith(u"Attenzione: l'importo indicato non \u00E8 valido."_s));
    b.binder.setText(u"txtImporto"_s, u"1234567890,50"_s); // 13 characters, the field holds 12
    ASSERT_TRUE(b.binder.typedFormFault().has_value());
    EXPECT_EQ(b.binder.typedFormFault()->message,
              u"Attenzione: l'importo indicato \u00E8 troppo grande per essere salvato in "
              u"archivio."_s);
}

// Save and Duplicate leave a Pick with its text and nothing chosen in its list; a List, which
// may be typed into, keeps its choice.
TEST(CardBinder, ClearingPickSelectionsKeepsTheirTextsAndLeavesListsAlone) {
    Bound b;
    auto* pick = b.at<QComboBox>(u"txtStato"_s);
    auto* list = b.at<QComboBox>(u"txtTipo"_s);
    pick->setCurrentIndex(1);
    list->setCurrentIndex(1);
    b.binder.clearPickSelections();
    EXPECT_EQ(pick->currentIndex(), -1);
    EXPECT_EQ(b.binder.text(u"txtStato"_s), u"Chiusa"_s);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(b.binder.text(u"txtTipo"_s), u"Fattura"_s);
}

TEST(CardArchive, MoveTargets) {
    using enum CardMove;
    const struct {
        CardMove move;
        qint64 shown, count, target;
    } cases[] = {
        {First, 0, 3, 1},    {First, 2, 3, 1},    {Last, 0, 3, 3},     {Last, 1, 3, 3},
        {Next, 0, 3, 1},     {Next, 2, 3, 3},     {Next, 3, 3, 0},     {Next, 7, 3, 0},
        {Previous, 0, 3, 1}, {Previous, 1, 3, 0}, {Previous, 2, 3, 1}, {Previous, 3, 3, 2},
        {First, 0, 0, 0},    {Next, 0, 0, 0},     {Last, 2, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(moveTarget(c.move, c.shown, c.count), c.target)
            << static_cast<int>(c.move) << " from " << c.shown << " of " << c.count;
}

QByteArray recordOf(char fill) {
    return QByteArray(provaLayout().recordSize(), fill);
}

// "Prova.dat" in `dir` holding records 'a' and 'b'.
QString twoRecordArchive(const QTemporaryDir& dir) {
    const QString path = dir.filePath(u"Prova.dat"_s);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(recordOf('a') + recordOf('b'));
    return path;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kAccessError =
    u"Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
    u"possedere i privilegi di scrittura nella cartella di installazione del programma."_s;

// Appends number records from 1, an overwrite keeps its place, and every move reads the
// record at (k - 1) × size.
TEST(CardArchive, AppendOverwriteAndBrowsePositions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Prova.dat"_s);
    QWidget owner;
    const records::FileArchive file(path, 94);
    CardArchive archive(&owner, file);
    ASSERT_TRUE(archive.open()); // a missing archive is created empty
    const auto empty = archive.browse(CardMove::Next, 0);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty);
    // Previous on record 1 stays, even on an archive that has become empty.
    EXPECT_FALSE(archive.browse(CardMove::Previous, 1)->empty);
    EXPECT_EQ(archive.append(recordOf('a')), 1);
    EXPECT_EQ(archive.append(recordOf('b')), 2);
    EXPECT_EQ(archive.append(recordOf('c')), 3);
    EXPECT_EQ(archive.overwrite(2, recordOf('b'), recordOf('B')), records::WriteOutcome::Written);
    // Written over by someone else since it was read: nothing is written, and no error shows.
    SeenBox conflict = answerNextBox([&] {
        EXPECT_EQ(archive.overwrite(3, recordOf('x'), recordOf('C')),
                  records::WriteOutcome::Conflict);
    });
    EXPECT_FALSE(conflict.seen);
    ASSERT_TRUE(archive.close());
    EXPECT_EQ(fileBytes(path), recordOf('a') + recordOf('B') + recordOf('c'));

    ASSERT_TRUE(archive.open());
    const struct {
        CardMove move;
        qint64 shown, position;
        char fill;
    } moves[] = {
        {CardMove::First, 3, 1, 'a'},    {CardMove::Next, 1, 2, 'B'},
        {CardMove::Last, 0, 3, 'c'},     {CardMove::Previous, 3, 2, 'B'},
        {CardMove::Previous, 0, 1, 'a'}, {CardMove::Next, 3, 0, 0},
    };
    for (const auto& m : moves) {
        const auto found = archive.browse(m.move, m.shown);
        ASSERT_TRUE(found.has_value());
        EXPECT_FALSE(found->empty);
        EXPECT_EQ(found->position, m.position);
        EXPECT_EQ(found->bytes, m.position ? recordOf(m.fill) : QByteArray());
    }
    // A record read by its position, as a search hands it over.
    EXPECT_EQ(archive.read(2), recordOf('B'));
    EXPECT_EQ(archive.read(3), recordOf('c'));
    EXPECT_TRUE(archive.close());
}

// Every failure takes the one path: the access error, and the call answers false or 0.
TEST(CardArchive, FailuresGiveTheAccessError) {
    QTemporaryDir dir;
    QWidget owner;
    const QString path = twoRecordArchive(dir);
    const records::FileArchive file(path, 94);
    CardArchive archive(&owner, file);
    ASSERT_TRUE(archive.open());
    // The file changed behind the card: record 5 is no longer there.
    records::WriteOutcome written = records::WriteOutcome::Written;
    SeenBox box =
        answerNextBox([&] { written = archive.overwrite(5, recordOf('x'), recordOf('x')); });
    EXPECT_EQ(written, records::WriteOutcome::Failed);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, kAccessError);
    EXPECT_EQ(fileBytes(path), recordOf('a') + recordOf('b'));

    ASSERT_TRUE(archive.open());
    std::optional<CardArchive::Found> found;
    box = answerNextBox([&] { found = archive.browse(CardMove::Previous, 9); });
    EXPECT_FALSE(found.has_value());
    EXPECT_EQ(box.text, kAccessError);

    // A position the archive no longer reaches, handed over by a search made before.
    for (const qint64 position : {qint64(0), qint64(3)}) {
        ASSERT_TRUE(archive.open());
        std::optional<QByteArray> read;
        box = answerNextBox([&] { read = archive.read(position); });
        EXPECT_FALSE(read.has_value()) << position;
        EXPECT_EQ(box.text, kAccessError);
    }

    // An archive that cannot be opened (a folder in its place) is neither emptied nor made.
    const QString folder = dir.filePath(u"Cartella.dat"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    const records::FileArchive folderInPlace(folder, 94);
    CardArchive unreadable(&owner, folderInPlace);
    bool opened = true;
    box = answerNextBox([&] { opened = unreadable.open(); });
    EXPECT_FALSE(opened);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, kAccessError);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// The messages of the category "tavolex.files" written while it lives.
class FilesLog {
public:
    FilesLog() : m_previous(qInstallMessageHandler(&FilesLog::handle)) { s_lines.clear(); }
    ~FilesLog() { qInstallMessageHandler(m_previous); }
    FilesLog(const FilesLog&) = delete;
    FilesLog& operator=(const FilesLog&) = delete;
    const QStringList& lines() const { return s_lines; }

private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (context.category && QByteArrayView(context.category) == "tavolex.files")
            s_lines << text;
    }
    QtMessageHandler m_previous;
    static inline QStringList s_lines;
};

// The access error a full disk gives on Save is logged with the system's cause.
TEST(CardArchive, AFullDiskIsLoggedWithTheSystemsCause) {
    QTemporaryDir dir;
    QWidget owner;
    const QString path = twoRecordArchive(dir);
    const records::FileArchive file(path, 94);
    CardArchive archive(&owner, file);
    ASSERT_TRUE(archive.open());
    FilesLog log;
    qint64 written = -1;
    SeenBox box;
    {
        tavolex::test::DiskFull full(2 * 94 + 50); // part of the record fits
        ASSERT_TRUE(full.active());
        box = answerNextBox([&] { written = archive.append(recordOf('c')); });
    }
    EXPECT_EQ(written, 0);
    EXPECT_EQ(box.text, kAccessError);
    EXPECT_EQ(log.lines(),
              QStringList{path + u": write: "_s + QString::fromLocal8Bit(std::strerror(EFBIG))});
    EXPECT_EQ(fileBytes(path), recordOf('a') + recordOf('b'));
}

} // namespace
