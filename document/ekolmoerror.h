#pragma once
// The program's error: a code whose fixed message the user is shown.

#include <stdexcept>
#include <string>

namespace wykazki {

// The program's error codes. They are numbers the error window shows and
// callers keep beside other numbers, so the enum converts to int.
enum ErrorCode : int {
    OutOfMemory = 0,   // " Za mało pamięci w komputerze"
    ReadFailed = 1,    // " Odczyt danych z archiwum nie powiódł się"
    WriteFailed = 2,   // " Zapis danych do archiwum nie powiódł się"
    WrongVersion = 3,  // " Niewłaściwa wersja pliku z danymi"
    PrintFailed = 4,   // " Wydruk nie powiódł się"
    Unknown = 6,       // " Nieznany błąd"
};

// The message of a code, UTF-8; a number outside the list gives Unknown's.
const char* errorMessage(int code);

class EKolmoError : public std::runtime_error {
public:
    explicit EKolmoError(ErrorCode code) : std::runtime_error(errorMessage(code)), code_(code) {}
    // detail: what exactly went wrong, UTF-8, for a place beside the code's
    // message (the status bar); the message itself stays the code's.
    EKolmoError(ErrorCode code, std::string detail)
        : std::runtime_error(errorMessage(code)), code_(code), detail_(std::move(detail))
    {
    }
    ErrorCode code() const { return code_; }
    const std::string& detail() const { return detail_; }

private:
    ErrorCode code_;
    std::string detail_;
};

}  // namespace wykazki
