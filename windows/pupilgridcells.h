#pragma once
// The pupil grid's header and cell texts, as the document describes them
// (document/pupilgridtext.h), handed on without that header's colour names,
// which clash with the grid's own in a file that needs both.

#include <cstdint>
#include <optional>
#include <string>

struct Document;

struct ShownCell {
    std::string text;                    // Windows-1250
    std::optional<std::uint32_t> color;  // nothing: the grid's default
};

ShownCell shownColumnHeader(const Document& doc, int x);
ShownCell shownRowHeader(const Document& doc, int y, int chosenPage);
ShownCell shownCell(const Document& doc, int x, int y);
