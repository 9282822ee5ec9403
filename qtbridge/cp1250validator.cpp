#include "qtbridge/cp1250validator.h"

#include "qtbridge/cp1250text.h"

namespace wykazki {

QValidator::State Cp1250Validator::validate(QString& input, int&) const
{
    return cp1250CanHold(input) ? Acceptable : Invalid;
}

}  // namespace wykazki
