#include "ffwintro.h"

#include "dialogs.h"
#include "glyphs.h"
#include "windowrect.h"

#include "richtext/rtfreader.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace wykazki {

const QString Tffintro::kDocumentName = QStringLiteral("wyka2001.rtf");

Tffintro::Tffintro(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("ffintro"));
    setWindowTitle(QStringLiteral(" Info"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 0, 10, 10);
    column->setSpacing(10);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(41);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 4, 6, 5);
    row->addStretch(1);
    closeButton_ = new QToolButton(panel);
    closeButton_->setFixedSize(32, 32);
    closeButton_->setAutoRaise(true);
    closeButton_->setFocusPolicy(Qt::NoFocus);
    setGlyph(*closeButton_, "KONIEC", QStringLiteral("Zamknij"));
    connect(closeButton_, &QToolButton::clicked, this, &QDialog::accept);
    row->addWidget(closeButton_);
    column->addWidget(panel);

    textView_ = new QTextBrowser(this);
    textView_->setObjectName(QStringLiteral("RichEdit1"));
    textView_->setFrameShape(QFrame::NoFrame);
    textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView_->setOpenExternalLinks(false);
    // Never so narrow that laying out a document takes a line a letter.
    textView_->setMinimumSize(320, 160);
    column->addWidget(textView_, 1);
}

bool Tffintro::load(const QString& path)
{
    auto* document = new QTextDocument(textView_);
    if (!readRtfFile(path, *document)) {
        delete document;
        return false;
    }
    // Laid out once, at the width it is shown at: in the few pixels of a box
    // not yet placed, a long run of large letters takes a line a letter.
    // A box not yet shown places its viewport only when shown: told of its
    // size now, it lays the document out at the width it will have.
    fitToScreen();
    layout()->activate();
    QResizeEvent placed(textView_->size(), QSize());
    QCoreApplication::sendEvent(textView_, &placed);
    // The box deletes its first document itself; the ones read here are ours.
    const QPointer<QTextDocument> previous = textView_->document();
    textView_->setDocument(document);
    if (previous && previous->parent() == textView_)
        delete previous;
    return true;
}

bool Tffintro::showInformation(const QString& path, bool atStart, const QColor& background)
{
    if (atStart && !firstShowingPending_)
        return false;
    // Any failure shows nothing, and at start the next activation tries again.
    if (!load(path))
        return false;
    QPalette palette = textView_->palette();
    palette.setColor(QPalette::Base, background);
    textView_->setPalette(palette);
    firstShowingPending_ = false;
    textView_->moveCursor(QTextCursor::Start);
    dialogs_.runModal(*this);
    return true;
}

void Tffintro::fitToScreen()
{
    // The screen less 40 pixels on every side.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(available.width() - 80, available.height() - 80);
        centreOn(*this, available);
    }
}

void Tffintro::showEvent(QShowEvent* event)
{
    fitToScreen();
    QDialog::showEvent(event);
    textView_->setFocus();
}

}  // namespace wykazki
