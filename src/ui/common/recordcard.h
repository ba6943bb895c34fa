#pragma once

#include "behaviour.h"
#include "help/helptexts.h"
#include "records/layout.h"
#include "records/record.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QGridLayout;
class QLabel;
class QToolButton;
class QVBoxLayout;

namespace tavolex::ui {

enum class CardWidget { Line, Province, Check, Hidden };

// One field of a card: control, record field, caption and place on the card.
struct CardField {
    const char16_t* control;     // objectName, e.g. u"txtCliente"
    const char16_t* field;       // record field, e.g. u"Cliente"; empty for none
    const char16_t* label = u""; // caption above the field
    CardWidget widget = CardWidget::Line;
    unsigned rules = NoRule;
    int section = 0, row = 0, column = 0, span = 1;
    const char16_t* hint = nullptr;
    Qt::Alignment align = Qt::AlignLeft;
};

struct CardSection {
    const char16_t* title;
    const char16_t* glyph;
    QColor colour;
};

struct RequiredField {
    const char16_t* control;
    const char16_t* message;
};

// The record card shared by every archive: one record at a time, New, Save,
// Duplicate, First, Previous, Next, Last and Exit, over a record file addressed by
// position. The card keeps no copy of the record outside its controls.
class RecordCard : public QWidget {
    Q_OBJECT
public:
    struct Config {
        QString objectName;
        QString caption;
        const records::RecordLayout* layout = nullptr;
        QList<CardSection> sections;
        QList<CardField> fields;
        QList<RequiredField> required;
        QString initialHint = QStringLiteral("Pronto per archiviare una nuova scheda...");
        help::HelpText help;
        QString savedNewMessage =
            QStringLiteral(u"La scheda corrente \u00E8 stata inserita in archivio.");
        QString savedExistingMessage = QStringLiteral(
            "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    };

    explicit RecordCard(Config config, QWidget* parent = nullptr);

    // The archive this card reads and writes (program folder + file name).
    virtual QString archivePath() const = 0;

    QWidget* control(const QString& name) const;
    QString text(const QString& name) const;
    void setText(const QString& name, const QString& value);
    QString position() const;
    void setPosition(const QString& value);

    // Store the card into a record / load a record into the card. A card with controls
    // outside the field table (radio buttons, say) extends these.
    virtual void storeInto(records::Record& record) const;
    virtual void loadFrom(const records::Record& record);
    void loadFromRecord(const QByteArray& bytes, qint64 position);

    // Empties every field, check box, hidden label and the position.
    virtual void clearCard();

Q_SIGNALS:
    // The card was left (cmdEsci or the close box); the shell decides where to go.
    void finished();

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

protected:
    // A right-column picture button; the standard ones are wired by the card.
    QToolButton* addCommand(const QString& name, const QString& caption, const QString& glyph,
                            const QColor& colour, const QString& hint,
                            std::function<void()> action = {});
    void addStandardCommand(const QString& name);
    QWidget* firstField() const;
    // Puts an extra control (a small check button) into a section's grid.
    void placeInSection(QWidget* widget, int section, int row, int column, int span = 1);
    QLabel* hintBar() const { return m_hintBar; }
    ScreenBehaviour* behaviour() const { return m_behaviour; }
    const Config& config() const { return m_config; }

    // Checks before saving; the default checks the required fields in order.
    virtual bool validateForSave();
    // Extra clearing on Duplicate, besides attachments and position.
    virtual void clearOnDuplicate();
    virtual void prepareNewCard() {}
    // What the card does each time it is shown: by default it starts as a new card with
    // the focus on its first field.
    virtual void prepareShownCard();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Move { First, Previous, Next, Last };
    // Opens the archive and shows the record the move leads to.
    void browse(Move move);
    void buildLayout();
    void focusField(QWidget* field);

    Config m_config;
    ScreenBehaviour* m_behaviour;
    QHash<QString, QWidget*> m_controls;
    QList<QWidget*> m_enterOrder;
    QVBoxLayout* m_commandColumn = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_hintBar = nullptr;
    QList<QGridLayout*> m_sectionGrids;
};

// The help screen of a screen, created fresh and discarded after.
void showHelp(QWidget* parent, const QString& title, const QString& text);

} // namespace tavolex::ui
