#include "ffkolmo.h"

#include "dialogs.h"
#include "windowrect.h"

#include "print/programlogo.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#ifndef WYKAZKI_VERSION
#define WYKAZKI_VERSION "0"
#endif

namespace wykazki {

Tffkolmo::Tffkolmo(Dialogs& dialogs, QUrl homePage, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      dialogs_(dialogs), homePage_(std::move(homePage))
{
    setObjectName(QStringLiteral("ffkolmo"));
    setWindowTitle(QStringLiteral("Kolmo'05"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setAutoFillBackground(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);

    auto* logo = new QLabel(this);
    logo->setPixmap(programLogo(QSize(64, 64)));
    logo->setAlignment(Qt::AlignTop);
    grid->addWidget(logo, 0, 0, 5, 1);

    auto* name = new QLabel(QStringLiteral("Wykazki"), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);
    grid->addWidget(name, 0, 1);
    grid->addWidget(
        new QLabel(QStringLiteral("Wersja %1").arg(QStringLiteral(WYKAZKI_VERSION)), this), 1, 1);
    auto* purpose = new QLabel(
        QStringLiteral("Wypełnianie i drukowanie świadectw szkolnych\nna gotowych drukach."), this);
    grid->addWidget(purpose, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion())), this),
                    3, 1);

    link_ = new QLabel(this);
    link_->setObjectName(QStringLiteral("homePage"));
    if (homePage_.isValid() && !homePage_.isEmpty()) {
        // Underlined bold aqua, opened by the desktop's own browser.
        link_->setText(QStringLiteral("<a href=\"%1\" style=\"color:#00ffff; font-weight:bold; "
                                      "text-decoration:underline\">%2</a>")
                           .arg(homePage_.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                homePage_.toDisplayString().toHtmlEscaped()));
        link_->setTextFormat(Qt::RichText);
        link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        link_->setCursor(Qt::PointingHandCursor);
        connect(link_, &QLabel::linkActivated, this,
                [this](const QString&) { QDesktopServices::openUrl(homePage_); });
    } else {
        link_->hide();
    }
    grid->addWidget(link_, 4, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void Tffkolmo::about()
{
    dialogs_.runModal(*this);
}

QString Tffkolmo::text() const
{
    QStringList texts;
    for (const QLabel* label : findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts.join(QLatin1Char('\n'));
}

void Tffkolmo::showEvent(QShowEvent* event)
{
    centreOnPrimaryScreen(*this);
    QDialog::showEvent(event);
}

}  // namespace wykazki
