#pragma once
// The phrase editor's layout view: one page of one pupil's card drawn by
// the certificate renderer over the millimetre grid, every phrase of the
// page outlined with its name. A click puts the phrase editor's cursor on a
// phrase; dragging a box moves the selected phrases, dragging its right or
// bottom edge sizes it, arrow keys nudge; each drag or run of one arrow key
// is one step of the edit layer. The outlines are drawn on screen only.

#include "print/placedelement.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wykazki {

class CertificateRenderer;
class Document;
class DocumentEditor;
class TCellEdi;
struct TFra;

class LayoutView : public QWidget {
    Q_OBJECT
public:
    LayoutView(DocumentEditor& editor, TCellEdi& phraseGrid, std::string programFolder,
               QWidget* parent = nullptr);
    ~LayoutView() override;

    // Page 0..3 of pupil's card; a pupil outside the list shows the layout
    // with empty values.
    void showCard(std::size_t pupil, int page);
    std::size_t pupil() const { return pupil_; }
    int page() const { return page_; }

    // 1.0: the sheet at its real size on a screen of the widget's pixels per inch.
    void setScale(double scale);
    double scale() const { return scale_; }
    // The sheet's size on the view at scale 1.0, in pixels.
    QSize sheetSizeAtScaleOne() const;
    // Pixels of the view per millimetre of the sheet at the present scale.
    double pixelsPerMm() const;

    // Where phrase j is outlined (its box, or a small square round x0/y0
    // when it has no width); nothing when it is not on the page.
    std::optional<QRect> outlineOf(std::size_t phrase) const;
    // Whether phrase j's text, as printed for the shown pupil, does not
    // fit its box (outlined in red).
    bool overflows(std::size_t phrase) const;
    // Lays the page out again and repaints (the document changed).
    void refresh();

    // Where the scanned blank form of a page comes from (null image: none);
    // it is drawn under the card, unshifted, as the paper itself.
    void setFormScanSource(std::function<QImage(int page)> source);

    QSize sizeHint() const override;

    // Names of the undo steps the view makes.
    static const QString kMoveStep;
    static const QString kResizeStep;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Drag { None, Move, ResizeWidth, ResizeHeight, ResizeBoth };
    struct Outline {
        std::size_t phrase = 0;
        QRect rect;
        bool cross = false;      // no width: a cross at x0/y0
        bool overflows = false;  // its text does not fit the box on paper
    };

    const Document& document() const;
    void layOut();
    std::optional<std::size_t> phraseAt(QPoint pos) const;
    Drag dragKindAt(const Outline& outline, QPoint pos) const;
    // The phrases a move takes: the selected rows when the phrase is one of
    // them, else the phrase alone.
    std::vector<std::size_t> movedPhrases(std::size_t phrase) const;
    void selectPhrase(std::size_t phrase, bool extend);
    // Moves (dx, dy mm) or sizes (dw, dh mm) the phrases as one step.
    void commitMove(const std::vector<std::size_t>& phrases, double dxMm, double dyMm, bool inRun);
    void commitResize(std::size_t phrase, double dwMm, double dhMm);
    QRect draggedRect(const Outline& outline) const;

    DocumentEditor& editor_;
    std::function<QImage(int page)> formScanSource_;
    QImage formScan_;  // of the shown page, read at each refresh
    TCellEdi& grid_;
    std::string programFolder_;
    std::unique_ptr<CertificateRenderer> renderer_;
    std::size_t pupil_ = 0;
    int page_ = 0;
    double scale_ = 1.0;

    std::vector<PlacedElement> elements_;
    std::vector<Outline> outlines_;

    Drag drag_ = Drag::None;
    std::vector<std::size_t> dragged_;
    QPoint dragStart_;
    QPoint dragNow_;
    int lastArrow_ = 0;   // the key of the arrow run going on, 0: none
    bool stale_ = false;  // changed while hidden: laid out when shown
};

}  // namespace wykazki
