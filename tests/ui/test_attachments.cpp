#include "core/programfolder.h"
#include "support/diskfull.h"
#include "support/uitest.h"
#include "ui/common/attachments/TfrmAllegaCartella.h"
#include "ui/common/attachments/attachmentfolder.h"
#include "ui/common/filechooser.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex::ui;
using tavolex::test::answerNextBox;
using tavolex::test::child;
using tavolex::test::withNextModal;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class AttachmentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sources.isValid());
        program = tavolex::test::makeProgramFolder();
        folder = program + u"Documenti_Allegati/"_s;
        TMisc::setOpener([this](const QString& command, const QUrl& url) {
            commands << command;
            urls << url;
        });
        TfrmAllegaCartella::setFileChooser([this](QWidget*) { return chosen; });
    }
    void TearDown() override {
        TMisc::setOpener({});
        TfrmAllegaCartella::setFileChooser({});
    }
    QString source(const QString& name, const QByteArray& bytes, const QString& sub = {}) {
        const QString dir = sub.isEmpty() ? sources.path() : sources.filePath(sub);
        QDir().mkpath(dir);
        QFile f(dir + u'/' + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    // Clicks "Sfoglia..." of a slot with `path` chosen, answering any question with `answer`.
    tavolex::test::SeenBox browse(TfrmAllegaCartella& screen, int slot, const QString& path,
                                  const QString& answer = {}) {
        chosen = path;
        auto* button = child<QPushButton>(&screen, u"btnSfoglia0"_s + QString::number(slot));
        return answerNextBox([button] { button->click(); }, answer);
    }
    QLineEdit* field(TfrmAllegaCartella& screen, const QString& name) {
        return child<QLineEdit>(&screen, name);
    }

    QTemporaryDir sources;
    QString program;
    QString folder;
    QString chosen;
    QStringList commands;
    QList<QUrl> urls;
};

TEST_F(AttachmentsTest, ScreenHasItsControlsAndTakesTrimmedValues) {
    TfrmAllegaCartella screen;
    EXPECT_EQ(screen.objectName(), u"TfrmAllegaCartella"_s);
    EXPECT_EQ(screen.windowTitle(), u" Allega file"_s);
    EXPECT_FALSE(screen.windowFlags() & Qt::WindowCloseButtonHint);
    for (int n = 1; n <= 3; ++n) {
        const QString nn = u"0"_s + QString::number(n);
        EXPECT_TRUE(field(screen, u"txtFile"_s + nn)->isReadOnly());
        EXPECT_FALSE(field(screen, u"txtDesc"_s + nn)->isReadOnly());
        EXPECT_EQ(child<QPushButton>(&screen, u"btnSfoglia"_s + nn)->text(), u"Sfoglia..."_s);
        EXPECT_EQ(child<QPushButton>(&screen, u"btnApri"_s + nn)->text(), u"Apri"_s);
        EXPECT_FALSE(child<QPushButton>(&screen, u"btnApri"_s + nn)->isEnabled());
        child<QToolButton>(&screen, u"imgCancella"_s + nn);
    }
    QStringList labels;
    for (auto* l : screen.findChildren<QLabel*>())
        labels << l->text();
    EXPECT_TRUE(labels.contains(u"Nome 2° file allegato:"_s));
    EXPECT_TRUE(labels.contains(u"Descrizione 3° file allegato:"_s));
    EXPECT_EQ(child<QPushButton>(&screen, u"btnApplica"_s)->text(), u"Applica e chiudi"_s);
    EXPECT_EQ(child<QPushButton>(&screen, u"btnAnnulla"_s)->text(), u"Annulla"_s);

    screen.setCallerTag(u"clienti"_s);
    auto* memory = child<QLabel>(&screen, u"lblMemory"_s);
    EXPECT_EQ(memory->text(), u"clienti"_s);
    EXPECT_TRUE(memory->isHidden());

    screen.setValues(u"  a.pdf "_s, u" uno "_s, u"   "_s, u"due"_s, u"c.txt"_s, {});
    EXPECT_EQ(field(screen, u"txtFile01"_s)->text(), u"a.pdf"_s);
    EXPECT_EQ(field(screen, u"txtDesc01"_s)->text(), u"uno"_s);
    EXPECT_TRUE(child<QPushButton>(&screen, u"btnApri01"_s)->isEnabled());
    EXPECT_FALSE(child<QPushButton>(&screen, u"btnApri02"_s)->isEnabled());
    EXPECT_TRUE(child<QPushButton>(&screen, u"btnApri03"_s)->isEnabled());
    field(screen, u"txtDesc02"_s)->setText(u"  nuova descrizione  "_s);
    EXPECT_EQ(screen.values(),
              (AttachmentValues{u"a.pdf"_s, u"uno"_s, {}, u"nuova descrizione"_s, u"c.txt"_s, {}}));
}

TEST_F(AttachmentsTest, BrowseCopiesIntoTheFolderAndOffersOpen) {
    ASSERT_FALSE(QDir(folder).exists());
    TfrmAllegaCartella screen;
    const QString path = source(u"Contratto firmato.pdf"_s, "%PDF contratto", u"sotto/cartella"_s);
    const auto box = browse(screen, 2, path);
    EXPECT_FALSE(box.seen);
    EXPECT_EQ(field(screen, u"txtFile02"_s)->text(), u"Contratto firmato.pdf"_s);
    EXPECT_EQ(contents(folder + u"Contratto firmato.pdf"_s), QByteArray("%PDF contratto"));
    EXPECT_TRUE(child<QPushButton>(&screen, u"btnApri02"_s)->isEnabled());
    EXPECT_EQ(contents(path), QByteArray("%PDF contratto")); // the original stays

    child<QPushButton>(&screen, u"btnApri02"_s)->click();
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0], u"\""_s + folder + u"Contratto firmato.pdf\""_s);
    EXPECT_EQ(urls[0].toLocalFile(), folder + u"Contratto firmato.pdf"_s);
}

TEST_F(AttachmentsTest, SameNameAsksBeforeOverwriting) {
    struct Case {
        QString answer;
        QByteArray kept;
    };
    for (const Case& c : {Case{u"Sì"_s, "nuovo"}, Case{u"No"_s, "vecchio"}}) {
        QDir(folder).removeRecursively();
        TfrmAllegaCartella screen;
        ASSERT_FALSE(browse(screen, 1, source(u"lettera.doc"_s, "vecchio", u"a"_s)).seen);
        field(screen, u"txtFile01"_s)->clear();

        const auto box = browse(screen, 3, source(u"lettera.doc"_s, "nuovo", u"b"_s), c.answer);
        ASSERT_TRUE(box.seen);
        EXPECT_EQ(box.icon, QMessageBox::Question);
        EXPECT_EQ(box.text, u"Attenzione: nella cartella dei documenti allegati è presente un "
                            u"file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file "
                            u"esistente?"_s);
        EXPECT_EQ(box.buttons, (QStringList{u"Sì"_s, u"No"_s}));
        EXPECT_EQ(contents(folder + u"lettera.doc"_s), c.kept) << c.answer.toStdString();
        EXPECT_EQ(field(screen, u"txtFile03"_s)->text(), u"lettera.doc"_s);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"lettera.doc"_s});
    }
}

TEST_F(AttachmentsTest, ChoosingTheFolderCopyItselfNeedsNoQuestion) {
    TfrmAllegaCartella screen;
    browse(screen, 1, source(u"foto.jpg"_s, "pixel"));
    const auto box = browse(screen, 2, folder + u"foto.jpg"_s);
    EXPECT_FALSE(box.seen);
    EXPECT_EQ(contents(folder + u"foto.jpg"_s), QByteArray("pixel"));
    EXPECT_EQ(field(screen, u"txtFile02"_s)->text(), u"foto.jpg"_s);
}

TEST_F(AttachmentsTest, CancelledChooserChangesNothingAndSaysNothing) {
    TfrmAllegaCartella screen;
    screen.setValues(u"prima.txt"_s, u"d"_s, {}, {}, {}, {});
    EXPECT_FALSE(browse(screen, 1, {}).seen); // the dialog was cancelled
    EXPECT_EQ(field(screen, u"txtFile01"_s)->text(), u"prima.txt"_s);
    EXPECT_FALSE(QDir(folder).exists());
}

// A copy that fails says so, and the slot keeps what it held: a name is never left
// pointing to a file the folder does not have.
TEST_F(AttachmentsTest, FailedCopiesAreReportedAndTheSlotKeepsItsContent) {
    TfrmAllegaCartella screen;
    screen.setValues(u"prima.txt"_s, u"d1"_s, {}, u"d2"_s, u"terza.txt"_s, u"d3"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto expectReported = [&](const tavolex::test::SeenBox& box) {
        EXPECT_TRUE(box.seen);
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_EQ(box.text, msg::archiveAccessErrorText());
    };

    {
        SCOPED_TRACE("full disk");
        const QString big = source(u"grande.pdf"_s, QByteArray(200'000, 'p'));
        tavolex::test::SeenBox box;
        {
            tavolex::test::DiskFull full(100'000);
            ASSERT_TRUE(full.active());
            box = browse(screen, 1, big);
        }
        expectReported(box);
        EXPECT_EQ(field(screen, u"txtFile01"_s)->text(), u"prima.txt"_s);
        EXPECT_FALSE(QFile::exists(folder + u"grande.pdf"_s));
    }
    {
        SCOPED_TRACE("unreadable source");
        expectReported(browse(screen, 2, sources.filePath(u"sparito.txt"_s)));
        EXPECT_EQ(field(screen, u"txtFile02"_s)->text(), QString());
        EXPECT_FALSE(QFile::exists(folder + u"sparito.txt"_s));
    }
    {
        SCOPED_TRACE("no attachment folder");
        ASSERT_TRUE(QDir(folder).removeRecursively());
        QFile blocker(program + u"Documenti_Allegati"_s); // a file holds the folder's name
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        expectReported(browse(screen, 3, source(u"x.txt"_s, "x")));
        EXPECT_EQ(field(screen, u"txtFile03"_s)->text(), u"terza.txt"_s);
        EXPECT_EQ(contents(program + u"Documenti_Allegati"_s), QByteArray());
        QFile::remove(program + u"Documenti_Allegati"_s);
    }
    // Descriptions are left as they were.
    EXPECT_EQ(field(screen, u"txtDesc01"_s)->text(), u"d1"_s);
}

TEST_F(AttachmentsTest, OddNamesAreCopiedAndOpenedAsNames) {
    const QStringList names{u"con spazi e più.txt"_s, u"$HOME e $(id).txt"_s,
                            u"a;rm -rf x.txt"_s,      u"uno & due.txt"_s,
                            u"'apici' `cmd`.txt"_s,   u"-inizia-col-trattino"_s,
                            u"vir\"golette.txt"_s,    u"barra\\inversa.txt"_s};
    for (const QString& name : names) {
        QDir(folder).removeRecursively();
        commands.clear();
        urls.clear();
        TfrmAllegaCartella screen;
        browse(screen, 1, source(name, name.toUtf8()));
        EXPECT_EQ(field(screen, u"txtFile01"_s)->text(), name);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{name}) << name.toStdString();
        EXPECT_EQ(contents(folder + name), name.toUtf8());

        child<QPushButton>(&screen, u"btnApri01"_s)->click();
        ASSERT_EQ(commands.size(), 1);
        EXPECT_EQ(commands[0], u"\""_s + folder + name + u"\""_s);
        // TMisc::Open drops every double quote of a command, so such a name cannot survive.
        if (!name.contains(u'"')) {
            EXPECT_EQ(urls[0].toLocalFile(), folder + name) << name.toStdString();
        }
    }
}

// Names come back from records that anyone may have edited: "Apri" opens only files
// inside the attachment folder.
TEST_F(AttachmentsTest, NamesLeadingOutOfTheFolderAreNotOpened) {
    TfrmAllegaCartella screen;
    const QStringList hostile{u"../../../../etc/passwd"_s, u".."_s, u" .. "_s,
                              u"sotto/../../Cartovia.ini"_s, u"/etc/passwd"_s};
    for (const QString& name : hostile) {
        commands.clear();
        screen.setValues(name, {}, {}, {}, {}, {});
        child<QPushButton>(&screen, u"btnApri01"_s)->click();
        EXPECT_TRUE(commands.isEmpty()) << name.toStdString();
    }
    // A plain name next to them still opens.
    screen.setValues(u"..ok.txt"_s, {}, {}, {}, {}, {});
    child<QPushButton>(&screen, u"btnApri01"_s)->click();
    EXPECT_EQ(commands, QStringList{u"\""_s + folder + u"..ok.txt\""_s});
}

// The real dialog: its filter reads "Tutti i file (*.*)" and still offers files without
// an extension; the file typed in is the one returned.
TEST_F(AttachmentsTest, FileDialogShowsItsFilterAndListsEveryFile) {
    FileChooser::setHook({}); // the real dialog
    const QString bare = source(u"LEGGIMI"_s, "no extension");
    source(u"lettera.pdf"_s, "pdf");
    QString filterShown;
    QStringList listed;
    QString picked;
    withNextModal(
        [&] { picked = FileChooser::chooseAttachment(nullptr); },
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(sources.path());
            filterShown = child<QComboBox>(dialog, u"fileTypeCombo"_s)->currentText();
            auto* view = child<QListView>(dialog, u"listView"_s);
            // The folder is read in the background: wait for its two files.
            for (int i = 0; i < 200 && view->model()->rowCount(view->rootIndex()) < 2; ++i)
                QTest::qWait(10);
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            child<QLineEdit>(dialog, u"fileNameEdit"_s)->setText(u"LEGGIMI"_s);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    EXPECT_EQ(filterShown, u"Tutti i file (*.*)"_s);
    listed.sort();
    EXPECT_EQ(listed, (QStringList{u"LEGGIMI"_s, u"lettera.pdf"_s}));
    EXPECT_EQ(picked, bare);
}

TEST_F(AttachmentsTest, ClearEmptiesTheNameOnly) {
    TfrmAllegaCartella screen;
    browse(screen, 2, source(u"fattura.pdf"_s, "f"));
    field(screen, u"txtDesc02"_s)->setText(u"Fattura di marzo"_s);
    child<QToolButton>(&screen, u"imgCancella02"_s)->click();
    EXPECT_EQ(field(screen, u"txtFile02"_s)->text(), QString());
    EXPECT_FALSE(child<QPushButton>(&screen, u"btnApri02"_s)->isEnabled());
    EXPECT_EQ(field(screen, u"txtDesc02"_s)->text(), u"Fattura di marzo"_s);
    EXPECT_TRUE(QFile::exists(folder + u"fattura.pdf"_s));
}

TEST_F(AttachmentsTest, ApplyReturnsTheValuesAndCancelReturnsNothing) {
    const AttachmentValues card{u"vecchio.pdf"_s, u"Vecchio"_s, {}, {}, u"terzo.txt"_s, u"T"_s};
    const QString path = source(u"nuovo.pdf"_s, "n");
    struct Case {
        QString button;
        bool applied;
    };
    for (const Case& c : {Case{u"btnApplica"_s, true}, Case{u"btnAnnulla"_s, false}}) {
        QDir(folder).removeRecursively();
        QString tag;
        std::optional<AttachmentValues> result;
        tavolex::test::withNextModal(
            [&] { result = TfrmAllegaCartella::edit(nullptr, u"clienti"_s, card); },
            [&](QWidget* modal) {
                auto* screen = qobject_cast<TfrmAllegaCartella*>(modal);
                if (!screen) {
                    modal->close();
                    return;
                }
                tag = child<QLabel>(screen, u"lblMemory"_s)->text();
                browse(*screen, 2, path);
                field(*screen, u"txtDesc02"_s)->setText(u" Nuovo "_s);
                child<QToolButton>(screen, u"imgCancella03"_s)->click();
                child<QPushButton>(screen, c.button)->click();
            });
        EXPECT_EQ(tag, u"clienti"_s);
        ASSERT_EQ(result.has_value(), c.applied);
        if (c.applied) {
            EXPECT_EQ(*result,
                      (AttachmentValues{
                          u"vecchio.pdf"_s, u"Vecchio"_s, u"nuovo.pdf"_s, u"Nuovo"_s, {}, u"T"_s}));
        }
        EXPECT_TRUE(QFile::exists(folder + u"nuovo.pdf"_s)); // copies stay either way
    }
}

} // namespace

// A large file is copied off the UI thread behind the progress window; a small one
// without it. Either way the copy is whole.
TEST_F(AttachmentsTest, LargeCopyShowsProgressAndArrivesWhole) {
    QByteArray big(32 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < big.size(); i += 4096)
        big[i] = char(i / 4096);
    const QString bigSource = source(u"scansione.pdf"_s, big);
    const QString smallSource = source(u"nota.txt"_s, "breve");
    QWidget owner;
    owner.show();
    for (const auto& [path, name, expectProgress] :
         {std::tuple{bigSource, u"scansione.pdf"_s, true},
          std::tuple{smallSource, u"nota.txt"_s, false}}) {
        SCOPED_TRACE(name.toStdString());
        QStringList modals;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&modals] {
            if (QWidget* modal = QApplication::activeModalWidget()) modals << modal->objectName();
        });
        poll.start(0);
        EXPECT_EQ(attachments::copyIn(path, name, {}, &owner), attachments::Copy::Done);
        poll.stop();
        EXPECT_EQ(modals.contains(u"dlgCopia"_s), expectProgress);
        EXPECT_EQ(contents(folder + name), contents(path));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}
