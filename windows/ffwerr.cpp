#include "ffwerr.h"

#include "dialogs.h"
#include "glyphs.h"
#include "windowrect.h"

#include "document/ekolmoerror.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QToolButton>

namespace wykazki {

Tffwerr::Tffwerr(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      dialogs_(dialogs)
{
    setObjectName(QStringLiteral("ffwerr"));
    setWindowTitle(QStringLiteral("Błąd w programie"));

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
    tekst_->setMinimumSize(512, 32);
    tekst_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Clicks on the text reach the window, which closes.
    tekst_->setAttribute(Qt::WA_TransparentForMouseEvents);

    closeButton_ = new QToolButton(this);
    closeButton_->setAutoRaise(true);
    setGlyph(*closeButton_, "KONIEC", QStringLiteral("Zamknij"));
    closeButton_->setFocusPolicy(Qt::NoFocus);
    connect(closeButton_, &QToolButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 7, 8);
    row->setSpacing(8);
    closeButton_->setFixedSize(32, 32);
    row->addWidget(tekst_, 1);
    row->addWidget(closeButton_, 0, Qt::AlignVCenter);
    // The old form's 567 x 48 at least; a longer message or a larger font
    // makes the window as large as the message needs, never larger.
    setMinimumSize(567, 48);
    row->setSizeConstraint(QLayout::SetFixedSize);
    row->activate();
}

void Tffwerr::report(int code)
{
    showText(QString::fromUtf8(errorMessage(code)));
}

void Tffwerr::reportFile(const QString& file, const QList<int>& codes)
{
    // However long the path, the window stays within a screen: the middle
    // of the name gives way.
    constexpr int kWidestName = 900;
    QString text = QFontMetrics(tekst_->font()).elidedText(file, Qt::ElideMiddle, kWidestName);
    for (const int code : codes)
        text += QLatin1Char('\n') + QString::fromUtf8(errorMessage(code));
    showText(text);
}

void Tffwerr::showText(const QString& text)
{
    tekst_->setText(text);
    layout()->activate();
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
    centreOnPrimaryScreen(*this);
    QDialog::showEvent(event);
}

}  // namespace wykazki
