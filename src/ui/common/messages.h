#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace tavolex::ui {

// The five kinds of modal message box of the system. Warning, error and information
// show OK and Cancel (the answer is not used); question shows Yes and No; plain has
// OK only and no icon. All are real QMessageBox dialogs, modal and centred.
namespace msg {
void warning(QWidget* parent, const QString& text);
void error(QWidget* parent, const QString& text);
void information(QWidget* parent, const QString& text);
bool question(QWidget* parent, const QString& text); // true unless the answer is No
void plain(QWidget* parent, const QString& text);

// For tests: the next message boxes are answered with `answers`, in order, by the button
// whose text (without '&') matches ("" or an unknown text: the first button), from inside
// each real box once it shows; boxes past the last answer wait for the user. Every box shown
// from now on is recorded until takeShownBoxes(), which also ends the answering.
struct ShownBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QStringList buttons; // texts without '&'
};
void answerNextBoxes(const QStringList& answers);
QList<ShownBox> takeShownBoxes();

// "Attenzione: il sistema non permette di accedere all'archivio. ..." (error kind); the
// cause, when given, goes to standard error for whoever looks into the failure.
void archiveAccessError(QWidget* parent, const QString& cause = {});
QString archiveAccessErrorText();
} // namespace msg

// Loads Qt's own Italian texts once, so standard buttons read "Sì", "No", "Annulla".
void installItalianTranslations();

} // namespace tavolex::ui
