#include "core/programfolder.h"
#include "support/uitest.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/report/reportpreview.h"
#include "ui/common/report/reportservice.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex::ui;
using namespace tavolex::ui::report;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool have(const QString& tool) {
    return !QStandardPaths::findExecutable(tool).isEmpty();
}

// pdftotext of the whole file, or of one page (1-based).
QString pdfText(const QString& path, int page = 0) {
    QStringList args{u"-layout"_s, u"-enc"_s, u"UTF-8"_s};
    if (page > 0) args << u"-f"_s << QString::number(page) << u"-l"_s << QString::number(page);
    return run(u"pdftotext"_s, args << path << u"-"_s);
}

QString pdfInfoField(const QString& path, const QString& field) {
    static const QRegularExpression line(u"^([^:]+):\\s*(.*)$"_s);
    for (const QString& l : run(u"pdfinfo"_s, {u"-enc"_s, u"UTF-8"_s, path}).split(u'\n')) {
        const auto m = line.match(l);
        if (m.hasMatch() && m.captured(1) == field) return m.captured(2).trimmed();
    }
    return {};
}

CardReport clientCard() {
    const QStringList labels{u"Cognome e nome:"_s,
                             u"Data di nascita:"_s,
                             u"Comune di nascita:"_s,
                             u"Sesso:"_s,
                             u"Recapito preferenziale:"_s,
                             u"Indirizzo di residenza:"_s,
                             u"Comune di residenza:"_s,
                             u"Modalità pagamento:"_s,
                             u"Tel. casa:"_s,
                             u"Tel. ufficio:"_s,
                             u"Tel. cellulare:"_s,
                             u"Fax:"_s,
                             u"E-mail:"_s,
                             u"Codice fiscale:"_s,
                             u"Partita IVA:"_s,
                             u"Carta di credito:"_s,
                             u"IBAN:"_s,
                             u"Estremi documento:"_s,
                             u"Occupazione:"_s,
                             u"Titoli e qualifiche:"_s,
                             u"Prodotti e servizi:"_s,
                             u"Zona di appartenenza:"_s,
                             u"Questioni in sospeso:"_s,
                             u"Note:"_s};
    CardReport card;
    card.title = u"SCHEDA ANAGRAFICA CLIENTE"_s;
    for (qsizetype i = 0; i < labels.size(); ++i)
        card.rows << CardRow{labels.at(i), u"Valore %1"_s.arg(i + 1, 2, 10, QChar(u'0'))};
    card.rows[0].value = u"NICCOLÒ D'ANGELO"_s;
    card.rows[7].value = u"Bonifico, acconto 150,00 €"_s;
    card.rows[15].value = u"N.   -  Scadenza: "_s;
    return card;
}

QStringList listLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << u"RIGA %1 | CLIENTE PERRÒ %1 | 01/02/1970 | ROMA"_s.arg(i, 3, 10, QChar(u'0'));
    return lines;
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Clock::setNow([] { return QDateTime(QDate(2024, 3, 5), QTime(9, 7, 2)); });
    }
    void TearDown() override {
        Clock::setNow({});
        TMisc::setOpener({});
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(ReportTest, CardTemplatePlacesTwentyFourRowsOnOnePortraitPage) {
    const ReportDocument doc = ReportDocument::card(clientCard());
    EXPECT_EQ(doc.name(), u"Scheda informativa"_s);
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(doc.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(doc.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));

    ASSERT_EQ(doc.boxes(u"txtTitolo"_s).size(), 1);
    EXPECT_EQ(doc.boxes(u"txtTitolo"_s)[0].text(), u"SCHEDA ANAGRAFICA CLIENTE"_s);
    EXPECT_EQ(doc.boxes(u"imgLogo"_s).size(), 1);
    for (int n = 1; n <= 24; ++n) {
        const QString nn = QString::number(n).rightJustified(2, u'0');
        const auto label = doc.boxes(u"titCampo"_s + nn);
        const auto value = doc.boxes(u"txtCampo"_s + nn);
        ASSERT_EQ(label.size(), 1) << n;
        ASSERT_EQ(value.size(), 1) << n;
        EXPECT_NEAR(label[0].rect.top(), 90.7 + (n - 1) * 37.8, 1e-6) << n;
        EXPECT_EQ(label[0].rect.top(), value[0].rect.top()) << n;
        EXPECT_LE(label[0].rect.right(), value[0].rect.left()) << n;
        EXPECT_EQ(label[0].text(), clientCard().rows[n - 1].label);
        EXPECT_EQ(value[0].text(), clientCard().rows[n - 1].value);
    }
    EXPECT_EQ(doc.boxes(u"txtCampo16"_s)[0].text(), u"N.   -  Scadenza: "_s); // blanks kept
    ASSERT_EQ(doc.boxes(u"txtCalce"_s).size(), 1);
    EXPECT_EQ(doc.boxes(u"txtCalce"_s)[0].text(),
              u"Stampa eseguita in data 05/03/2024 alle ore 09:07:02"_s);
}

TEST_F(ReportTest, CardWithFewerOrMoreRows) {
    CardReport few = clientCard();
    few.rows.resize(20); // slots 21 to 24 have no label: nothing is drawn there
    const ReportDocument short_ = ReportDocument::card(few);
    EXPECT_EQ(short_.boxes(u"titCampo20"_s).size(), 1);
    for (const char16_t* name :
         {u"titCampo21", u"txtCampo21", u"linRiga21", u"titCampo24", u"txtCampo24", u"linRiga24"})
        EXPECT_TRUE(short_.boxes(QString::fromUtf16(name)).isEmpty())
            << QString::fromUtf16(name).toStdString();

    CardReport many = clientCard();
    for (int i = 25; i <= 40; ++i)
        many.rows << CardRow{u"Documento %1:"_s.arg(i), u"voce %1"_s.arg(i)};
    const ReportDocument longer = ReportDocument::card(many);
    ASSERT_EQ(longer.pageCount(), 1);
    const ReportBox last = longer.boxes(u"txtCampo40"_s).value(0);
    EXPECT_EQ(last.text(), u"voce 40"_s);
    EXPECT_LT(last.rect.bottom(), longer.boxes(u"txtCalce"_s)[0].rect.top());

    CardReport huge = clientCard();
    for (int i = 25; i <= 100; ++i)
        huge.rows << CardRow{u"Riga %1:"_s.arg(i), u"v%1"_s.arg(i)};
    const ReportDocument paged = ReportDocument::card(huge);
    EXPECT_GT(paged.pageCount(), 1);
    EXPECT_EQ(paged.boxes(u"txtCampo100"_s).value(0).text(), u"v100"_s);
    EXPECT_EQ(paged.boxes(u"txtCalce"_s).size(), paged.pageCount());
}

TEST_F(ReportTest, ListBodyContinuesOverPagesInOrder) {
    struct Case {
        int lines;
        int pages;
    };
    for (const Case c :
         {Case{0, 1}, Case{1, 1}, Case{51, 1}, Case{52, 2}, Case{100, 2}, Case{150, 3}}) {
        ListReport list{u"Riepilogo Clienti"_s, listLines(c.lines), {}};
        const ReportDocument doc = ReportDocument::list(list);
        EXPECT_EQ(doc.pageCount(), c.pages) << c.lines;
        EXPECT_EQ(doc.pageLayout().orientation(), QPageLayout::Landscape);
        QStringList printed;
        qreal height = 0;
        for (const ReportBox& body : doc.boxes(u"txtRiepilogo"_s)) {
            printed << body.lines;
            height += body.rect.height();
            EXPECT_EQ(body.family, u"Courier New"_s);
            EXPECT_EQ(body.pointSize, 8);
        }
        EXPECT_EQ(printed, list.lines) << c.lines;
        EXPECT_NEAR(height, c.lines * 12.822, 1e-6) << c.lines;
        // Title once, footer on every page, nothing overlapping the footer.
        EXPECT_EQ(doc.boxes(u"txtTitolo"_s).size(), 1);
        EXPECT_EQ(doc.boxes(u"txtTitolo"_s)[0].text(), u"Riepilogo Clienti"_s);
        const auto footers = doc.boxes(u"txtPagina"_s);
        ASSERT_EQ(footers.size(), c.pages);
        EXPECT_EQ(footers[0].text(), u"Stampa eseguita in data 05/03/2024"_s);
        for (int p = 0; p < doc.pageCount(); ++p)
            EXPECT_LE(doc.boxes(u"txtRiepilogo"_s)[p].rect.bottom(), footers[p].rect.top());
    }
}

TEST_F(ReportTest, CardPdfHasTextsMetadataAndA4Portrait) {
    ASSERT_TRUE(have(u"pdftotext"_s) && have(u"pdfinfo"_s)) << "poppler-utils missing";
    const QString file = path(u"Cliente.pdf"_s);
    ASSERT_TRUE(writePdf(ReportDocument::card(clientCard()), file, PdfInfo::scheda()));

    EXPECT_EQ(pdfInfoField(file, u"Title"_s), u"Scheda informativa"_s);
    EXPECT_EQ(pdfInfoField(file, u"Subject"_s), u"Scheda informativa"_s);
    EXPECT_EQ(pdfInfoField(file, u"Author"_s), u"Velmar"_s);
    EXPECT_EQ(pdfInfoField(file, u"Creator"_s), u"Velmar"_s);
    EXPECT_EQ(pdfInfoField(file, u"Pages"_s), u"1"_s);
    EXPECT_TRUE(pdfInfoField(file, u"Page size"_s).startsWith(u"595 x 842 pts (A4)"_s));
    // The XMP packet says the same as the information dictionary.
    const QString xmp = run(u"pdfinfo"_s, {u"-meta"_s, file});
    EXPECT_TRUE(xmp.contains(u"<dc:creator><rdf:Seq><rdf:li>Velmar</rdf:li>"_s));
    EXPECT_TRUE(xmp.contains(u"<rdf:li xml:lang=\"x-default\">Scheda informativa</rdf:li>"_s));

    const QString text = pdfText(file);
    EXPECT_TRUE(text.contains(u"SCHEDA ANAGRAFICA CLIENTE"_s));
    for (const CardRow& row : clientCard().rows) {
        // The layout mode of pdftotext shortens runs of blanks between words.
        const QString value = row.value.simplified();
        EXPECT_TRUE(text.contains(row.label)) << row.label.toStdString();
        EXPECT_TRUE(text.simplified().contains(value)) << value.toStdString();
    }
    EXPECT_TRUE(text.contains(u"Stampa eseguita in data 05/03/2024 alle ore 09:07:02"_s));
}

TEST_F(ReportTest, ListPdfRunsOverThreePagesInFixedPitch) {
    ASSERT_TRUE(have(u"pdftotext"_s) && have(u"pdfinfo"_s)) << "poppler-utils missing";
    const QString file = path(u"lista.pdf"_s);
    const QStringList lines = listLines(150);
    ASSERT_TRUE(writePdf(ReportDocument::list({u"Riepilogo Clienti da ricontattare"_s, lines, {}}),
                         file, {u"Riepilogo dati"_s, u"Riepilogo dati"_s, u"A"_s, u"C"_s}));
    EXPECT_EQ(pdfInfoField(file, u"Pages"_s), u"3"_s);
    EXPECT_TRUE(pdfInfoField(file, u"Page size"_s).startsWith(u"842 x 595 pts (A4)"_s));

    const QString first = pdfText(file, 1);
    EXPECT_TRUE(first.contains(u"Riepilogo Clienti da ricontattare"_s));
    EXPECT_TRUE(first.contains(lines.first()));
    EXPECT_FALSE(pdfText(file, 2).contains(u"Riepilogo Clienti da ricontattare"_s));
    const QString last = pdfText(file, 3);
    EXPECT_TRUE(last.contains(lines.last()));
    EXPECT_FALSE(last.contains(lines.first()));

    const QString all = pdfText(file);
    qsizetype at = 0;
    for (const QString& line : lines) { // every line, whole and in order
        const qsizetype found = all.indexOf(line, at);
        ASSERT_GE(found, 0) << line.toStdString();
        at = found + line.size();
    }
    EXPECT_EQ(all.count(u"Stampa eseguita in data 05/03/2024"_s), 3);

    if (have(u"pdffonts"_s)) {
        const QString fonts = run(u"pdffonts"_s, {file});
        EXPECT_TRUE(fonts.contains(u"Mono"_s) || fonts.contains(u"Courier"_s))
            << fonts.toStdString();
    }
}

// Lines of 161 characters, as the cash book prints with a long reason, names and amounts,
// fit the body whole: the font is as large as fits, and the last characters reach the page.
TEST_F(ReportTest, ListLinesOf161CharactersFitWhole) {
    const QString line = QString(140, u'x') + u" Importo: +1234567,89"_s;
    ASSERT_EQ(line.size(), 161);
    const ReportDocument doc = ReportDocument::list({u"Primanota"_s, {line, u"breve"_s}, {}});
    const QList<ReportBox> bodies = doc.boxes(u"txtRiepilogo"_s);
    ASSERT_EQ(bodies.size(), 1);
    const ReportBox& body = bodies.first();
    EXPECT_LE(body.pointSize, 8.0);
    EXPECT_GE(body.pointSize, 7.5);
    // Measured as painted, at the report's resolution (a pixel is a report unit).
    QImage page(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(ReportDocument::kUnitsPerInch / 0.0254);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    QFont font(body.family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(body.pointSize);
    const qreal width = QFontMetricsF(font, &page).horizontalAdvance(line);
    EXPECT_LE(width + 2 * 3.8, body.rect.width()) << width;

    // Short lines keep the full 8 points.
    const ReportDocument shortLines = ReportDocument::list({u"R"_s, {u"breve"_s}, {}});
    EXPECT_EQ(shortLines.boxes(u"txtRiepilogo"_s).first().pointSize, 8.0);

    if (!have(u"pdftotext"_s)) return;
    const QString file = path(u"primanota.pdf"_s);
    ASSERT_TRUE(writePdf(doc, file, {u"Primanota"_s, u"Primanota"_s, u"A"_s, u"C"_s}));
    EXPECT_TRUE(pdfText(file).contains(u"Importo: +1234567,89"_s));
}

TEST_F(ReportTest, CardExportAsksAndOpensUnlessNo) {
    const QString folder = tavolex::test::makeProgramFolder();
    QStringList opened;
    TMisc::setOpener([&opened](const QString& command, const QUrl&) { opened << command; });

    struct Case {
        QString answer;
        QString title;
        bool opens;
    };
    for (const Case& c : {Case{u"No"_s, u"PRIMA"_s, false}, Case{u"Sì"_s, u"SECONDA"_s, true}}) {
        opened.clear();
        CardReport card = clientCard();
        card.title = c.title;
        bool written = false;
        const auto box = tavolex::test::answerNextBox(
            [&] { written = exportPdf(nullptr, ReportDocument::card(card)); }, c.answer);
        EXPECT_TRUE(written);
        EXPECT_TRUE(box.seen);
        EXPECT_EQ(box.icon, QMessageBox::Question);
        EXPECT_EQ(box.text, u"L'esportazione della scheda in PDF è terminata con successo.\r\n\r\n"
                            u"Si vuole aprire il file?"_s);
        // The second export replaces the first one: no other question came before.
        EXPECT_TRUE(QFileInfo::exists(folder + u"Cliente.pdf"_s));
        if (have(u"pdftotext"_s)) {
            EXPECT_TRUE(pdfText(folder + u"Cliente.pdf"_s).contains(c.title));
        }
        EXPECT_EQ(opened,
                  c.opens ? QStringList{u"\""_s + folder + u"Cliente.pdf\""_s} : QStringList{});
    }
    // Only "Cliente.pdf" was written beside the shipped user guide.
    QStringList written = QDir(folder).entryList({u"*.pdf"_s}, QDir::Files);
    written.removeAll(u"Guida.pdf"_s);
    EXPECT_EQ(written, QStringList{u"Cliente.pdf"_s});
}

TEST_F(ReportTest, UnwritableExportIsReportedNotCelebrated) {
    const QString folder = tavolex::test::makeProgramFolder();
    ASSERT_TRUE(QDir().mkpath(folder + u"Cliente.pdf"_s)); // a folder stands in the way
    bool opened = false;
    TMisc::setOpener([&opened](const QString&, const QUrl&) { opened = true; });
    bool written = true;
    const auto box = tavolex::test::answerNextBox(
        [&] { written = exportPdf(nullptr, ReportDocument::card(clientCard())); });
    EXPECT_FALSE(written);
    EXPECT_TRUE(box.seen);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_FALSE(box.text.contains(u"successo"_s));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(QFileInfo(folder + u"Cliente.pdf"_s).isDir());
}

TEST_F(ReportTest, PrintGoesThroughThePrintDialog) {
    const ReportDocument doc = ReportDocument::list({u"Riepilogo Clienti"_s, listLines(100), {}});
    struct Case {
        bool accept;
        bool printed;
    };
    for (const Case c : {Case{false, false}, Case{true, true}}) {
        const QString file = path(c.accept ? u"accettata.pdf"_s : u"annullata.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        bool sawDialog = false;
        bool result = !c.printed;
        tavolex::test::withNextModal([&] { result = print(nullptr, doc, printer); },
                                     [&](QWidget* modal) {
                                         auto* dialog = qobject_cast<QPrintDialog*>(modal);
                                         sawDialog = dialog != nullptr;
                                         if (!dialog)
                                             modal->close();
                                         else if (c.accept)
                                             dialog->accept();
                                         else
                                             dialog->reject();
                                     });
        EXPECT_TRUE(sawDialog);
        EXPECT_EQ(result, c.printed);
        EXPECT_EQ(QFileInfo::exists(file), c.printed);
        if (c.printed && have(u"pdfinfo"_s)) {
            EXPECT_EQ(pdfInfoField(file, u"Pages"_s), u"2"_s);
        }
    }
}

// A long list is painted away from the screen behind the progress window; "Annulla" there
// drops the job: nothing is printed, the print is not reported as done and a file printed
// to keeps its earlier content.
TEST_F(ReportTest, LongPrintShowsProgressAndAnnullaDropsTheJob) {
    const ReportDocument doc = ReportDocument::list({u"Riepilogo Clienti"_s, listLines(60000), {}});
    ASSERT_GT(doc.pageCount(), 500);
    const QString file = path(u"interrotta.pdf"_s);
    const QByteArray earlier = "an earlier print";
    {
        QFile before(file);
        ASSERT_TRUE(before.open(QIODevice::WriteOnly));
        before.write(earlier);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    QString label;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible() || window->objectName() != u"dlgAvanzamento"_s) return;
        poll.stop();
        label = window->labelText();
        if (auto* annulla = window->findChild<QPushButton*>()) annulla->click();
    });
    poll.start(20);
    EXPECT_FALSE(printWithProgress(nullptr, doc, printer));
    EXPECT_EQ(label, u"Stampa in corso\u2026"_s);
    // The earlier file stays as it was, and no temporary file is left beside it.
    QFile after(file);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"interrotta.pdf"_s});
}

// A print to a file gets the permissions every file of the program gets, as a PDF export
// does: in a portable copy what the user's umask leaves, and an earlier file's own mode.
TEST_F(ReportTest, FilePrintTakesThePermissionsOfAnExport) {
    ASSERT_FALSE(tavolex::isInstalledCopy());
    const ReportDocument doc = ReportDocument::list({u"Riepilogo Clienti"_s, listLines(10), {}});
    const auto modeOf = [](const QString& file) {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
        return st.st_mode & 07777;
    };
    struct Case {
        const char* what;
        mode_t umask;
        mode_t earlier; // 0: no earlier file
        mode_t expected;
    };
    for (const Case& c :
         {Case{"umask 022", 022, 0, 0644}, Case{"umask 027", 027, 0, 0640},
          Case{"umask 077", 077, 0, 0600}, Case{"an earlier file's mode", 022, 0604, 0604}}) {
        SCOPED_TRACE(c.what);
        const QString printed = path(u"stampa.pdf"_s);
        const QString exported = path(u"esportazione.pdf"_s);
        for (const QString& file : {printed, exported}) {
            QFile::remove(file);
            if (c.earlier == 0) continue;
            QFile earlier(file);
            ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
            earlier.close();
            ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), c.earlier), 0);
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        const mode_t userMask = ::umask(c.umask);
        const bool print = printTo(doc, printer);
        const bool exportDone = writePdf(doc, exported, PdfInfo::scheda());
        ::umask(userMask);
        ASSERT_TRUE(print);
        ASSERT_TRUE(exportDone);
        EXPECT_EQ(modeOf(exported), c.expected);
        EXPECT_EQ(modeOf(printed), c.expected);
        EXPECT_GT(QFileInfo(printed).size(), 0);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{u"esportazione.pdf"_s, u"stampa.pdf"_s}));
}

TEST_F(ReportTest, PreviewIsModalWithPrintZoomFullScreenAndCloseOnly) {
    const ReportDocument doc = ReportDocument::list({u"Riepilogo Clienti"_s, listLines(150), {}});
    QStringList actions;
    int pages = 0;
    bool wasModal = false;
    bool fullScreen = false;
    qreal zoomBefore = 0;
    qreal zoomAfter = 0;
    tavolex::test::withNextModal([&] { preview(nullptr, doc); },
                                 [&](QWidget* modal) {
                                     auto* dialog = qobject_cast<ReportPreview*>(modal);
                                     if (!dialog) {
                                         modal->close();
                                         return;
                                     }
                                     wasModal = dialog->isModal();
                                     for (QAction* a : dialog->findChildren<QAction*>())
                                         if (!a->objectName().isEmpty()) actions << a->objectName();
                                     dialog->previewWidget()->updatePreview();
                                     pages = dialog->previewWidget()->pageCount();
                                     zoomBefore = dialog->previewWidget()->zoomFactor();
                                     dialog->findChild<QAction*>(u"actZoomIn"_s)->trigger();
                                     zoomAfter = dialog->previewWidget()->zoomFactor();
                                     dialog->findChild<QAction*>(u"actSchermoIntero"_s)->trigger();
                                     fullScreen = dialog->isFullScreen();
                                     dialog->findChild<QAction*>(u"actChiudi"_s)->trigger();
                                 });
    EXPECT_TRUE(wasModal);
    actions.sort();
    EXPECT_EQ(actions, (QStringList{u"actAdattaLarghezza"_s, u"actChiudi"_s, u"actPaginaIntera"_s,
                                    u"actSchermoIntero"_s, u"actStampa"_s, u"actZoomIn"_s,
                                    u"actZoomOut"_s}));
    EXPECT_EQ(pages, 3);
    EXPECT_GT(zoomAfter, zoomBefore);
    EXPECT_TRUE(fullScreen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
