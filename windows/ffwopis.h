#pragma once
// The long-text editor: a small always-on-top window whose text box shows
// and edits the whole text of the pupil grid's current text cell. On a grade
// or picture cell it turns red, reads "???" and takes no typing. Showing a
// text changes nothing; typing stores through the edit layer.

#include <QWidget>

class DocumentEditor;
class QPlainTextEdit;
class Document;
struct DocumentChange;

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textEdited();
    void documentChanged(const DocumentChange& change);
    void showText(const QString& text);
    void setReadOnlyLook(bool readOnly);

    DocumentEditor& editor_;
    const Document& document_;
    QPlainTextEdit* textBox_;
    int boundPupil_ = -1;
    int boundPhrase_ = -1;
    bool readOnly_ = true;
    bool settingText_ = false;  // showing a text is no edit
    bool storing_ = false;      // our own edit's notice needs no reload
};
