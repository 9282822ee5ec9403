#include "jobprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace wykazki {

namespace {

int delay = 500;

}  // namespace

int JobProgress::delayMs()
{
    return delay;
}

void JobProgress::setDelayMs(int ms)
{
    delay = ms;
}

JobProgress::JobProgress(QWidget* parent, const QString& title, int total)
    : dialog_(std::make_unique<QProgressDialog>(
        title, QCoreApplication::translate("QProgressDialog", "Cancel"), 0, std::max(total, 1),
        parent))
{
    dialog_->setObjectName(QStringLiteral("jobProgress"));
    dialog_->setWindowTitle(title);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(delay);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
}

JobProgress::~JobProgress()
{
    dialog_->close();
}

bool JobProgress::step(int done, const QString& label)
{
    dialog_->setLabelText(label);
    dialog_->setValue(std::min(done, dialog_->maximum()));
    QCoreApplication::processEvents(dialog_->isVisible() ? QEventLoop::AllEvents
                                                         : QEventLoop::ExcludeUserInputEvents);
    return !dialog_->wasCanceled();
}

bool JobProgress::cancelled() const
{
    return dialog_->wasCanceled();
}

}  // namespace wykazki
