#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace tavolex::ui {

// The three attachments of a card: bare file names in the attachment folder and
// free descriptions, in the order of the card's hidden labels.
struct AttachmentValues {
    QString file01, desc01, file02, desc02, file03, desc03;

    bool operator==(const AttachmentValues&) const = default;
};

// " Allega file": three slots, each a file copied into the attachment folder plus a
// description. The screen never touches the calling card: the card fills it with
// setValues() before exec() and, when exec() returns Accepted, copies values() back
// into its hidden labels. The caller tag stays in the hidden label lblMemory.
class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);

    void setCallerTag(const QString& tag);
    QString callerTag() const;

    void setValues(const QString& file01, const QString& desc01, const QString& file02,
                   const QString& desc02, const QString& file03, const QString& desc03);
    void setValues(const AttachmentValues& values);
    AttachmentValues values() const; // trimmed

    // Opens the screen modally for a card: the edited values, or nothing on "Annulla".
    static std::optional<AttachmentValues> edit(QWidget* parent, const QString& tag,
                                                const AttachmentValues& current);

    // What "Sfoglia..." asks for a file: the chosen path, empty when cancelled. The
    // default is the open-file dialog dlgFile; tests put a chooser of their own.
    static void
    setFileChooser(std::function<QString(QWidget* parent)> chooser); // empty restores the dialog
    static QString overwriteQuestion();

    // Handlers of the slot controls, slot 1 to 3.
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Slot {
        QLineEdit* file = nullptr;
        QLineEdit* desc = nullptr;
        QPushButton* browse = nullptr;
        QPushButton* open = nullptr;
        QToolButton* clear = nullptr;
    };

    void buildSlot(int slot, QVBoxLayout* layout);
    Slot& slotAt(int slot);

    std::array<Slot, 3> m_slots;
    QLabel* m_lblMemory = nullptr;
};

} // namespace tavolex::ui
