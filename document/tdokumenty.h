#pragma once
// The pupil list: every pupil holds one value record per phrase.

#include "tfrazy.h"

#include <cstddef>
#include <vector>

namespace wykazki {

// One pupil: value j belongs to phrase j.
struct TDok {
    TFrazy values;

    bool operator==(const TDok&) const = default;
};

class TDokumenty {
public:
    std::size_t count() const { return pupils_.size(); }
    bool empty() const { return pupils_.empty(); }
    TDok& operator[](std::size_t i) { return pupils_[i]; }
    const TDok& operator[](std::size_t i) const { return pupils_[i]; }
    TFra& value(std::size_t i, std::size_t j) { return pupils_[i].values[j]; }
    const TFra& value(std::size_t i, std::size_t j) const { return pupils_[i].values[j]; }

    // A new pupil holds phraseCount default records. Always succeeds.
    void insert(std::size_t p, std::size_t phraseCount);
    // False and nothing changed when p >= count().
    bool erase(std::size_t p);
    // Growing appends new pupils of phraseCount default records.
    void resize(std::size_t n, std::size_t phraseCount);
    void clear() { pupils_.clear(); }
    void reserve(std::size_t n) { pupils_.reserve(n); }
    void push_back(TDok d) { pupils_.push_back(std::move(d)); }

    auto begin() { return pupils_.begin(); }
    auto end() { return pupils_.end(); }
    auto begin() const { return pupils_.begin(); }
    auto end() const { return pupils_.end(); }

    bool operator==(const TDokumenty&) const = default;

private:
    std::vector<TDok> pupils_;
};

}  // namespace wykazki
