#pragma once
// Document texts (Windows-1250 bytes) as Qt strings and back, for drawing
// and for the font dialog's family names.

#include <QString>

#include <string>
#include <string_view>

QString toQString(std::string_view cp1250Bytes);
// A character Windows-1250 cannot hold becomes "?".
std::string toCp1250(const QString& text);
