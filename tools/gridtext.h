#pragma once
// The pupil grid as tab-separated UTF-8 text, one line per grid row.

#include "document/document.h"

#include <string>

namespace wykazki {

std::string pupilGridAsText(const Document& doc);

}  // namespace wykazki
