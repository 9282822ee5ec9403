#pragma once
// Refuses text holding a character that Windows-1250 cannot store, so an
// edit box of document text takes only what the class file can hold.

#include <QValidator>

namespace wykazki {

class Cp1250Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace wykazki
