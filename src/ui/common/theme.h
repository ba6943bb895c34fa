#pragma once

#include <QColor>

namespace tavolex::ui {

// What a picture button or a card section stands for; each has one colour everywhere.
enum class Tone {
    Create,   // New
    Copy,     // Duplicate
    Save,     // Save
    Service,  // find, print, attachments, lists and the small field buttons
    Export,   // spreadsheet export
    Pdf,      // PDF export
    Help,     // help
    Setup,    // settings such as the numbering
    Exit,     // Exit and clearing buttons
    People,   // sections about persons
    Contacts, // sections about contacts
    Codes,    // sections about identifiers
    Profile,  // sections about a profile or a kind
    Warning,  // sections about pending questions
    Records,  // sections about registration data
    Logo,     // the program's own mark
};

QColor toneColour(Tone tone);

// Loads the program's style sheet (a resource) into the application; every screen picks it
// up by its widgets' names and properties.
void applyTheme();

} // namespace tavolex::ui
