#pragma once
// The progress of a long job (printing, copies, tables): a cancellable
// QProgressDialog that appears only when the job takes longer than half a
// second. While it is not yet shown, the job's event processing takes no
// user input, so the class cannot change under the job; once shown it is
// application-modal and only its Anuluj answers.

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace wykazki {

class JobProgress {
public:
    // How long a job runs before its dialog shows; the tests set 0.
    static int delayMs();
    static void setDelayMs(int ms);

    JobProgress(QWidget* parent, const QString& title, int total);
    ~JobProgress();
    JobProgress(const JobProgress&) = delete;
    JobProgress& operator=(const JobProgress&) = delete;

    // Before step `done` of the total: shows the label, lets the window
    // system breathe; false once the user has cancelled.
    bool step(int done, const QString& label);
    bool cancelled() const;

private:
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace wykazki
