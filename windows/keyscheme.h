#pragma once
// The keyboard schemes of the main window's commands, chosen per user in
// Opcje ("Skróty klawiszowe") and kept in the user's settings, never in the
// class file:
//   Współczesne (a new user's): Ctrl+S Zapisz, Ctrl+Shift+S Zapisz pod nową
//     nazwą, Ctrl+O Odczytaj, Ctrl+N Nowy, Ctrl+Z Cofnij, Ctrl+Y and
//     Ctrl+Shift+Z Ponów, Ctrl+A selects the whole grid;
//   Klasyczne (as the program always had them): Ctrl+Z Zapisz, Ctrl+A
//     Zapisz pod nową nazwą, Ctrl+O Odczytaj.
// Alt+Backspace undoes and Ctrl+Y redoes in both.

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QVariant>

namespace wykazki {

enum class KeyScheme { Modern = 0, Classic = 1 };

struct SchemeShortcuts {
    QKeySequence save;
    QKeySequence saveAs;
    QKeySequence open;
    QKeySequence newDocument;
    QKeySequence selectAll;
    QList<QKeySequence> undo;
    QList<QKeySequence> redo;
};

SchemeShortcuts shortcutsOf(KeyScheme scheme);

// The scheme from what the settings hold: the stored one when valid;
// without one, Klasyczne for a user who has run an older version and
// Współczesne for a new user.
KeyScheme decideKeyScheme(const QVariant& stored, bool usedBefore);

// Whether the user has worked with an older version in programFolder: the
// older versions kept no settings, but their user's program folder holds
// class files of the user's own beside the sample.
bool olderVersionUsed(const QString& programFolder);

// This user's scheme, decided and stored at the first call (usedBefore as
// above, or other settings exist); upgraded is set when an older version's
// user was given the classic keys just now.
KeyScheme userKeyScheme(bool* upgraded = nullptr, bool usedBefore = false);
void setUserKeyScheme(KeyScheme scheme);

// "Współczesne" or "Klasyczne".
QString keySchemeName(KeyScheme scheme);

}  // namespace wykazki
