#pragma once
// The long-text editor: a small always-on-top window whose text box shows
// and edits the whole text of the pupil grid's current text cell. On a grade
// or picture cell it turns red, reads "???" and takes no typing.

#include <QWidget>

struct Document;
class QPlainTextEdit;

class Tffwopis : public QWidget {
    Q_OBJECT
public:
    explicit Tffwopis(Document& document, QWidget* parent = nullptr);

    // Shows pupil x's value of phrase y; shows the window when it is hidden.
    void bind(int x, int y, bool readOnly);

    // The long-text update for the grid's current cell (x, y): hides the
    // window when the editor is switched off; binds a data cell of a text,
    // grade or picture phrase; leaves any other cell (averages, an empty
    // document) with the previous binding. Returns whether it bound.
    bool follow(bool enabled, int x, int y);

    int boundPupil() const { return boundPupil_; }
    int boundPhrase() const { return boundPhrase_; }
    bool isReadOnly() const { return readOnly_; }
    QPlainTextEdit& memo() { return *memo1_; }

private:
    void memo1Change();

    Document& document_;
    QPlainTextEdit* memo1_;
    int boundPupil_ = -1;
    int boundPhrase_ = -1;
    bool readOnly_ = true;
    bool settingText_ = false;
};
