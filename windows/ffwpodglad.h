#pragma once
// The preview window "Podgląd wykazki": one page of one pupil's card on
// screen over the millimetre grid, shrunk to fit the screen. A click or any
// key closes it.

#include "print/placedelement.h"

#include <QDialog>
#include <QImage>
#include <QSizeF>

#include <string>
#include <vector>

namespace wykazki {

class Document;

class Tffwpodglad : public QDialog {
    Q_OBJECT
public:
    // Pictures are looked up in programFolder (ending with a separator).
    explicit Tffwpodglad(std::string programFolder, QWidget* parent = nullptr);

    // Shows page `page` (0..3) of pupil `pupil`'s card modally, sized and
    // scaled to the screen; returns when the window is closed. Does nothing
    // for a pupil outside the pupil list. Throws EKolmoError(ErrorCode::PrintFailed),
    // before anything is shown, when a picture on the page cannot be read.
    void preview(const Document& doc, int pupil, int page);

    // The scanned blank form drawn under the card at the next openings
    // (null: none). It stands for the paper and is not shifted.
    void setFormScan(const QImage& scan) { formScan_ = scan; }

    // What the last opening showed.
    int pupil() const { return pupil_; }
    int page() const { return page_; }
    double scale() const { return scale_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::string programFolder_;
    int pupil_ = 0;
    int page_ = 0;
    double scale_ = 1.0;
    // The page laid out once per opening, for the client size and scale:
    // painting only draws it, so a repaint never reads picture files again.
    std::vector<PlacedElement> elements_;
    QImage formScan_;
    QSizeF sheetMm_;
};

}  // namespace wykazki
