#include "ffwerr.h"

#include "dialogs.h"
#include "glyphs.h"

#include "document/ekolmoerror.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QToolButton>

Tffwerr::Tffwerr(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      dialogs_(dialogs)
{
    setObjectName(QStringLiteral("ffwerr"));
    setWindowTitle(QStringLiteral("Błąd w programie"));
    setFixedSize(567, 48);

    QPalette red = palette();
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    red.setColor(QPalette::WindowText, Qt::white);
    setPalette(red);
    setAutoFillBackground(true);

    tekst_ = new QLabel(this);
    tekst_->setObjectName(QStringLiteral("tekst"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(16);
    font.setBold(true);
    tekst_->setFont(font);
    tekst_->setGeometry(8, 8, 512, 32);
    tekst_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Clicks on the text reach the window, which closes.
    tekst_->setAttribute(Qt::WA_TransparentForMouseEvents);

    closeButton_ = new QToolButton(this);
    closeButton_->setGeometry(528, 8, 32, 32);
    closeButton_->setAutoRaise(true);
    setGlyph(*closeButton_, "KONIEC", QStringLiteral("Zamknij"));
    closeButton_->setFocusPolicy(Qt::NoFocus);
    connect(closeButton_, &QToolButton::clicked, this, &QDialog::accept);
}

void Tffwerr::report(int code)
{
    tekst_->setText(QString::fromUtf8(komunikatBledu(code)));
    if (isVisible())
        return;
    dialogs_.runModal(*this);
}

QString Tffwerr::message() const
{
    return tekst_->text();
}

void Tffwerr::keyPressEvent(QKeyEvent* event)
{
    // Any key closes the window, Escape and Enter included.
    event->accept();
    accept();
}

void Tffwerr::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    accept();
}

void Tffwerr::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
