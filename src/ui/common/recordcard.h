#pragma once

#include "cardarchive.h"
#include "cardbinder.h"
#include "carddecl.h"
#include "cardform.h"
#include "records/record.h"
#include "report/reportdata.h"

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;

namespace tavolex::ui {

// The record card shared by every archive: one record at a time, New, Save, Duplicate,
// First, Previous, Next, Last and Exit, over a record file addressed by position. The card
// keeps no copy of the record outside its controls. It wires three parts: its form (the
// widgets its declaration makes), its binder (controls to record fields through their user
// property) and, for each operation, an archive session.
class RecordCard : public QWidget {
    Q_OBJECT
public:
    // A card whose declaration has a fault stops the program at start-up with the fault.
    explicit RecordCard(RecordCardDecl decl, QWidget* parent = nullptr);

    // The archive this card reads and writes: the declared one, for a card of yearly archives
    // of the year last opened.
    const records::ArchiveId& archiveId() const { return m_archive; }
    std::unique_ptr<records::Archive> archive() const;
    // A card of yearly archives shows the archive of `yearText` (as typed) from now on; its
    // hidden label lblFile names it, and the card words its own caption (yearOpened).
    void openYear(const QString& yearText);

    QWidget* control(const QString& name) const;
    // A control's text as stored: trimmed-free text, "Sì"/"No" for a check box, the chosen
    // caption of a Choice bound to one field.
    QString text(const QString& name) const;
    void setText(const QString& name, const QString& value);
    // The record shown, counted from 1; 0 for a card not yet stored. lblPosizione shows it
    // (empty for 0).
    qint64 position() const { return m_position; }

    // Store the card into a record / load a record into the card.
    virtual void storeInto(records::Record& record) const;
    virtual void loadFrom(const records::Record& record);
    void loadFromRecord(const QByteArray& bytes, qint64 position);
    // Reads record `position` of the card's archive and shows it; a record that cannot be
    // read gives the access error and leaves the card as it was. False then.
    bool showRecordAt(qint64 position);

    // Empties every field, check box, choice, hidden label and the position; remembered
    // fields keep their text.
    virtual void clearCard();

    // The printed card, from the controls as shown (unsaved changes included).
    report::CardReport cardReport() const;

Q_SIGNALS:
    // The card was left (cmdEsci or the close box); the shell decides where to go.
    void finished();
    // The shown record was written to the archive as record `position`, and the user told.
    void saved(qint64 position);

public Q_SLOTS:
    virtual void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdDuplicaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdEsciClick();
    void cmdGuidaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPDFClick();
    // Opens the attachment screen over the six hidden labels.
    void editAttachments();

protected:
    QWidget* firstField() const;
    QWidget* cardPanel() const {
        ensureBuilt();
        return m_form.panel();
    }
    QLabel* hintBar() const {
        ensureBuilt();
        return m_form.hintBar();
    }
    // The card builds its widgets when it is first polished (before it is first shown) or
    // first asked for a control, so that the many screens made at start-up cost little.
    // A screen adds widgets of its own here, once the card's are built.
    virtual void built() {}
    void ensureBuilt() const;
    bool event(QEvent* event) override;
    ScreenBehaviour* behaviour() const { return m_behaviour; }
    const RecordCardDecl& decl() const { return m_decl; }
    void focusControl(const QString& name);

    // Extra clearing on Duplicate, besides attachments and position.
    virtual void clearOnDuplicate();
    virtual void prepareNewCard() {}
    // What the card does each time it is shown: by default it starts as a new card with
    // the focus on its first field.
    virtual void prepareShownCard();
    // What a card of yearly archives does once a year is open: its caption, say.
    virtual void yearOpened(const QString& yearText) { Q_UNUSED(yearText); }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Opens the archive and shows the record the move leads to.
    void browse(CardMove move);
    void setPosition(qint64 position, const QByteArray& stored = {});
    // After another program changed the record the card was saving: reload it, or keep
    // what was typed for a deliberate second Save.
    void resolveConflict(CardArchive& session);
    void focusField(QWidget* field);
    std::function<void()> standardAction(const QString& control);
    // The declared checks of Save in order: false, with the message given and the focus
    // moved, at the first that fails; once every one passes, the derived fields are written.
    bool passesSaveChecks();
    // Opens the declared search and copies the record chosen there into the card.
    void importRecord(const CardImport& import);
    // Overwrites controls with the trimmed fields of a record of another archive (a client
    // picked in the client search, say): pairs of (record field, card control).
    void copyFields(const records::Record& from, const QList<std::pair<QString, QString>>& pairs);

    RecordCardDecl m_decl;
    ScreenBehaviour* m_behaviour;
    CardForm m_form;
    CardBinder m_binder;
    records::ArchiveId m_archive;
    qint64 m_position = 0;
    // The record at m_position as last read or written: a Save writes over it only while
    // the archive still holds it.
    QByteArray m_stored;
    bool m_built = false;
};

// The help screen of a screen, created fresh and discarded after.
void showHelp(QWidget* parent, const QString& title, const QString& text);

} // namespace tavolex::ui
