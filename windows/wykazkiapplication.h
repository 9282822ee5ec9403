#pragma once
// The program's application object. Qt cannot let an exception cross its
// event loop, so every event handler runs inside notify(): an exception that
// escapes one is caught here and reported once - a program error
// (EKolmoError) with its own message, anything else as " Nieznany błąd" -
// and the program goes on with the next event. Running out of memory ends
// the program with the message of code 0 on the diagnostic output and status 1.

#include "document/ekolmoerror.h"

#include <QApplication>

#include <functional>

namespace wykazki {

class WykazkiApplication : public QApplication {
    Q_OBJECT
public:
    WykazkiApplication(int& argc, char** argv);

    // Qt's own texts (file, print, font and colour dialogs, button rows,
    // context menus) in Polish whatever the desktop's language: the program
    // speaks only Polish. False when the translation is not installed; the
    // dialogs then stay in English and nothing else changes.
    static bool loadPolishQtTexts(QCoreApplication& app);

    // Who shows an error code to the user; set once the error window exists.
    // Without one the message goes to the diagnostic output.
    void setErrorReporter(std::function<void(ErrorCode code)> reporter);

    bool notify(QObject* receiver, QEvent* event) override;

    // Reports code 6; a report made while one is being shown is dropped, so
    // a failure inside the error window cannot loop.
    void reportUnexpected();

private:
    void report(ErrorCode code);

    std::function<void(ErrorCode)> reporter_;
    bool reporting_ = false;
};

}  // namespace wykazki
