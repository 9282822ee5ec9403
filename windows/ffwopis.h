#pragma once
// The long-text editor: a small window above the main window whose text box
// shows and edits the whole text of the pupil grid's current text cell. On a
// grade or picture cell it turns red, reads "???" and takes no typing.
// Showing a text changes nothing; typing stores through the edit layer.
// It first opens beside the main window (or in the grid's corner), never
// over the menus and the toolbar, and then where the user last left it.

#include <QKeySequence>
#include <QList>
#include <QWidget>

#include <functional>

class QMenu;
class QPlainTextEdit;

namespace wykazki {

class DocumentEditor;
class Speller;
class SpellingHighlighter;
class Document;
struct DocumentChange;

// Where the long-text editor of `size` first opens: beside the main window's
// frame (right, then below, then left) when the screen has room there,
// otherwise in the bottom right corner of the grid. Global coordinates.
QRect longTextPlace(const QRect& mainFrame, const QRect& grid, const QSize& size,
                    const QRect& screen);

class Tffwopis : public QWidget {
    Q_OBJECT
public:
    explicit Tffwopis(DocumentEditor& editor, QWidget* parent = nullptr);

    // Shows pupil x's value of phrase y; shows the window when it is hidden.
    void bind(int x, int y, bool readOnly);

    // The long-text update for the grid's current cell (x, y): hides the
    // window when the editor is switched off; binds a data cell of a text,
    // grade or picture phrase; leaves any other cell (averages, an empty
    // document) with the previous binding. Returns whether it bound.
    bool follow(bool enabled, int x, int y);
    // Bound to no cell: empty, red and read-only, until the next bind. The
    // pupils or phrases changed, so the old binding may name another cell.
    void unbind();

    int boundPupil() const { return boundPupil_; }
    int boundPhrase() const { return boundPhrase_; }
    bool isReadOnly() const { return readOnly_; }
    QPlainTextEdit& memo() { return *textBox_; }
    SpellingHighlighter& spelling() { return *spelling_; }

    // Told of typed or pasted characters the class file cannot hold.
    void setLostCharactersHandler(std::function<void(int x, int y, const QString&)> handler)
    {
        lostCharacters_ = std::move(handler);
    }
    // Unknown words are underlined with the speller it gives (null: none).
    void setSpeller(std::function<const Speller*()> speller);
    // The text box's menu: the dictionary's words for an unknown word
    // first, then the usual editing commands.
    QMenu* contextMenuAt(const QPoint& position);

    // The keys of the main window's Cofnij and Ponów, which the text box
    // would otherwise take for itself.
    void setHistoryKeys(QList<QKeySequence> undo, QList<QKeySequence> redo);

    // The window it stays above and the grid it opens beside.
    void setAnchor(QWidget& mainWindow, QWidget& grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void textEdited();
    void documentChanged(const DocumentChange& change);
    void showText(const QString& text);
    void setReadOnlyLook(bool readOnly);
    void setSpellChecking(bool on);
    void present();
    void place();

    DocumentEditor& editor_;
    const Document& document_;
    QPlainTextEdit* textBox_;
    int boundPupil_ = -1;
    int boundPhrase_ = -1;
    bool readOnly_ = true;
    bool settingText_ = false;  // showing a text is no edit
    bool storing_ = false;      // our own edit's notice needs no reload
    SpellingHighlighter* spelling_ = nullptr;
    std::function<const Speller*()> speller_;
    std::function<void(int x, int y, const QString&)> lostCharacters_;
    QWidget* mainWindow_ = nullptr;
    QWidget* grid_ = nullptr;
    bool placed_ = false;
    QList<QKeySequence> undoKeys_{QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    QList<QKeySequence> redoKeys_{QKeySequence(Qt::CTRL | Qt::Key_Y)};
};

}  // namespace wykazki
