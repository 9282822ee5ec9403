#pragma once
// The program's error: a code whose fixed message the user is shown.

#include <stdexcept>
#include <string>

enum ErrorCode : int {
    ErrorCode::OutOfMemory = 0,   // " Za mało pamięci w komputerze"
    ErrorCode::ReadFailed = 1,   // " Odczyt danych z archiwum nie powiódł się"
    ErrorCode::WriteFailed = 2,    // " Zapis danych do archiwum nie powiódł się"
    ErrorCode::WrongVersion = 3,    // " Niewłaściwa wersja pliku z danymi"
    ErrorCode::PrintFailed = 4,   // " Wydruk nie powiódł się"
    ErrorCode::Unknown = 6,  // " Nieznany błąd"
};

// The message of a code, UTF-8; an unknown code gives the message of 6.
const char* errorMessage(int code);

class EKolmoError : public std::runtime_error {
public:
    explicit EKolmoError(int code) : std::runtime_error(errorMessage(code)), code_(code) {}
    // detail: what exactly went wrong, UTF-8, for a place beside the code's
    // message (the status bar); the message itself stays the code's.
    EKolmoError(int code, std::string detail)
        : std::runtime_error(errorMessage(code)), code_(code), detail_(std::move(detail))
    {
    }
    int code() const { return code_; }
    const std::string& detail() const { return detail_; }

private:
    int code_;
    std::string detail_;
};
