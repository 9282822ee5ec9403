#include "ffwpodglad.h"

#include "previewgeometry.h"
#include "windowrect.h"

#include "print/certificaterenderer.h"
#include "print/millimetregrid.h"
#include "print/printjob.h"
#include "print/units.h"

#include "document/document.h"
#include "help/helpcontext.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace wykazki {

Tffwpodglad::Tffwpodglad(std::string programFolder, QWidget* parent)
    : QDialog(parent), programFolder_(std::move(programFolder))
{
    setObjectName(QStringLiteral("ffwpodglad"));
    setWindowTitle(QStringLiteral("Podgląd wykazki"));
    helpcontext::set(*this, helpcontext::kPreview);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFocusPolicy(Qt::StrongFocus);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void Tffwpodglad::preview(const Document& doc, int pupil, int page)
{
    if (pupil < 0 || static_cast<std::size_t>(pupil) >= doc.pupils().count())
        return;
    pupil_ = pupil;
    page_ = page;

    const QScreen* screen = this->screen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    const PreviewGeometry geometry = previewGeometry(doc.options().width, doc.options().height,
                                                     surfacePixelsPerInch(*this), screenSize);
    scale_ = geometry.scale;
    sheetMm_ = QSizeF(doc.options().width, doc.options().height);
    setFixedSize(geometry.clientSize);

    // One renderer per opening: each picture of the page is read once, and
    // an unreadable one stops the preview before the window appears.
    CertificateRenderer renderer(doc.phrases(), doc.pupils(), doc.options(), programFolder_);
    elements_ = renderer.layoutPage(*this, static_cast<std::size_t>(pupil), page, width(), height(),
                                    scale_);

    exec();
    elements_.clear();
}

void Tffwpodglad::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    drawFormScan(painter, formScan_, sheetMm_, surfacePixelsPerInch(*this) / 25.4 * scale_);
    drawMillimetreGrid(painter, width(), height(), scale_);
    paintElements(painter, elements_);
}

bool Tffwpodglad::event(QEvent* event)
{
    // Any key closes the window and goes no further: not to a shortcut, not
    // to the dialog's own Escape and Enter handling, not to focus moves on Tab.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // deliver it as a key press instead
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        event->accept();
        accept();
        return true;
    }
    return QDialog::event(event);
}

void Tffwpodglad::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    accept();
}

void Tffwpodglad::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The whole screen: the sheet was sized to it, panels included.
    if (const QScreen* screen = this->screen())
        centreOn(*this, screen->geometry());
}

}  // namespace wykazki
