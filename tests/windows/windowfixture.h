#pragma once
// A program context over a temporary program folder, with a small class
// file to open: five phrases (a text, two grades on page 2, a picture, a
// text on page 3) and three pupils.

#include "fakedialogs.h"

#include "document/document.h"
#include "grid/celledi.h"
#include "windows/ffwmain.h"
#include "windows/printcardsdialog.h"
#include "windows/programcontext.h"

#include <QAction>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace wykazki {

// Windows-1250 bytes of a UTF-8 literal.
std::string cp(const char* utf8);

enum Phrase { kName = 0, kMaths = 1, kPhysics = 2, kEmblem = 3, kRemarks = 4, kPhraseCount = 5 };
inline constexpr int kPupilCount = 3;

ClassFileContents sampleClass();

// A menu command of the main window by its object name.
inline QAction* action(Tffwmain& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

// Closes the modal window that is open once the event loop runs, after
// letting beforeClosing work on it.
void closeModalSoon(const std::function<void(QWidget&)>& beforeClosing = {});

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a class file into the program folder and returns its path.
    QString writeClass(const QString& name, const ClassFileContents& contents);
    // Shows the main window, which opens Przyklad.wkz from the program folder.
    void start(bool withSample = true);

    // The texts the grid shows for a header or cell, as UTF-8.
    QString columnHeader(int x);
    QString rowHeader(int y, TKolor* colour = nullptr);
    QString cell(int x, int y, TKolor* colour = nullptr);

    // Makes (x1, y1) .. (x2, y2) the selection with (x1, y1) current.
    void select(int x1, int y1, int x2, int y2);
    void selectCell(int x, int y) { select(x, y, x, y); }

    const TFra& value(int pupil, int phrase)
    {
        return doc().value(static_cast<std::size_t>(pupil), static_cast<std::size_t>(phrase));
    }

    // Changes made as the program makes them: through the edit layer.
    void setText(int pupil, int phrase, std::string text);
    void setGrade(int pupil, int phrase, std::int8_t grade);
    void setWording(std::size_t index, std::string text);
    // The next print dialogs for report cards: the user does `also`, chooses
    // "Do pliku PDF…", answers with pdf and prints.
    void printCardsTo(const QString& pdf, const std::function<void(PrintCardsDialog&)>& also = {});

    // Some change, so that the document is modified.
    void modify() { setText(0, kRemarks, "zmiana"); }
    // The present state counts as saved: the modified flag clears.
    void markSaved() { context->editor().markSaved(); }

    const Document& doc() { return context->document(); }
    DocumentEditor& editor() { return context->editor(); }
    Tffwmain& window() { return context->mainWindow(); }
    TCellEdi& grid() { return window().grid(); }

    QTemporaryDir folder;
    FakeDialogs* dialogs = nullptr;
    std::unique_ptr<ProgramContext> context;
};

}  // namespace wykazki
