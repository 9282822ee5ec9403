#pragma once
// What one change of the document touched, so that every window repaints
// only what it shows of it.

#include "document/cellvalue.h"

namespace wykazki {

struct DocumentChange {
    enum What : unsigned {
        Values = 1,             // cells of `block` changed value
        Pupils = 2,             // pupils added or removed
        Phrases = 4,            // phrases added or removed
        PhraseDefinitions = 8,  // names, kinds, pages or layout of phrases
        Options = 16,           // sheet size, shifts, wordings
        Whole = 31,             // a file read, a new document
    };

    unsigned what = 0;
    CellBlock block;  // for Values

    bool touches(unsigned mask) const { return (what & mask) != 0; }
    // Whether pupil x's value of phrase y may have changed.
    bool touchesCell(std::size_t x, std::size_t y) const
    {
        return (what & ~unsigned(Values)) != 0 || (touches(Values) && block.contains(x, y));
    }
};

}  // namespace wykazki
