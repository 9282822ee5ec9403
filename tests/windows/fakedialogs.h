#pragma once
// Answers the windows' questions from a script and remembers what was
// asked, so that no test ever blocks on a dialog.

#include "windows/dialogs.h"
#include "windows/ffwerr.h"

#include <QApplication>
#include <QDialog>
#include <QProgressDialog>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace wykazki {

class FakeDialogs : public Dialogs {
public:
    struct Question {
        QString title;
        QString text;
        QStringList buttons;        // of choose(); empty for question()
        bool overProgress = false;  // asked while a progress dialog was up
    };

    std::deque<QString> openAnswers;  // an empty text cancels
    std::deque<QString> saveAnswers;
    std::deque<QMessageBox::StandardButton> questionAnswers;
    std::deque<int> chooseAnswers;  // button indexes; none left: the last button

    std::vector<FileDialogRequest> openAsked;
    std::vector<FileDialogRequest> saveAsked;
    std::vector<Question> questions;
    std::vector<QString> errors;  // messages the error window showed
    std::vector<QString> modals;  // object names of the windows shown modally
    // What the user does in a window shown modally, by its object name;
    // the answer is the window's result. Without one: accepted as it stands.
    std::map<QString, std::function<int(QDialog&)>> inModal;

    QString openFileName(QWidget*, const FileDialogRequest& request) override
    {
        openAsked.push_back(request);
        return take(openAnswers, QString());
    }
    QString saveFileName(QWidget*, const FileDialogRequest& request) override
    {
        saveAsked.push_back(request);
        return take(saveAnswers, QString());
    }
    QMessageBox::StandardButton question(QWidget*, const QString& title,
                                         const QString& text) override
    {
        questions.push_back({title, text, {}, progressShown()});
        return take(questionAnswers, QMessageBox::Cancel);
    }
    int choose(QWidget*, const QString& title, const QString& text, const QStringList& buttons,
               QMessageBox::Icon) override
    {
        questions.push_back({title, text, buttons, progressShown()});
        return take(chooseAnswers, static_cast<int>(buttons.size()) - 1);
    }
    int runModal(QDialog& dialog) override
    {
        modals.push_back(dialog.objectName());
        if (auto* error = qobject_cast<Tffwerr*>(&dialog))
            errors.push_back(error->message());
        if (const auto script = inModal.find(dialog.objectName()); script != inModal.end())
            return script->second(dialog);
        return QDialog::Accepted;
    }

private:
    static bool progressShown()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [](const QWidget* w) {
            return qobject_cast<const QProgressDialog*>(w) != nullptr && w->isVisible();
        });
    }
    template <typename T>
    static T take(std::deque<T>& answers, T otherwise)
    {
        if (answers.empty())
            return otherwise;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace wykazki
