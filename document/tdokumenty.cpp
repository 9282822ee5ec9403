#include "tdokumenty.h"

namespace wykazki {

namespace {
TDok newPupil(std::size_t phraseCount)
{
    TDok d;
    d.values.resize(phraseCount);
    return d;
}
}  // namespace

void TDokumenty::insert(std::size_t p, std::size_t phraseCount)
{
    if (p > pupils_.size())
        p = pupils_.size();
    pupils_.insert(pupils_.begin() + static_cast<std::ptrdiff_t>(p), newPupil(phraseCount));
}

bool TDokumenty::erase(std::size_t p)
{
    if (p >= pupils_.size())
        return false;
    pupils_.erase(pupils_.begin() + static_cast<std::ptrdiff_t>(p));
    return true;
}

void TDokumenty::resize(std::size_t n, std::size_t phraseCount)
{
    if (n <= pupils_.size()) {
        pupils_.resize(n);
        return;
    }
    pupils_.reserve(n);
    while (pupils_.size() < n)
        pupils_.push_back(newPupil(phraseCount));
}

}  // namespace wykazki
