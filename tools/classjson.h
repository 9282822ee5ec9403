#pragma once
// The JSON form of a class file (UTF-8), as `wkz dump` writes it and
// `wkz build` reads it. Every stored field has a key, so that building
// a dump reproduces the file.

#include "document/document.h"

#include <stdexcept>
#include <string>

namespace wykazki {

// Raised for JSON that cannot become a class file; the message names the
// place (line and column, or the key path such as "phrases[3].x0").
class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string classToJson(const ClassFileContents& contents);
ClassFileContents classFromJson(const std::string& utf8);

}  // namespace wykazki
