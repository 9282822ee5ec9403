#include "tfrazy.h"

#include <algorithm>

namespace wykazki {

TFrazy::TFrazy(const TFrazy& other)
{
    records_.reserve(other.records_.size());
    for (const auto& record : other.records_)
        records_.push_back(std::make_unique<TFra>(*record));
}

TFrazy& TFrazy::operator=(const TFrazy& other)
{
    if (this != &other) {
        TFrazy copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void TFrazy::insert(std::size_t p)
{
    if (p > records_.size())
        p = records_.size();
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(p), std::make_unique<TFra>());
}

void TFrazy::erase(std::size_t p)
{
    if (p < records_.size())
        records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(p));
}

void TFrazy::resize(std::size_t n)
{
    if (n <= records_.size()) {
        records_.resize(n);
        return;
    }
    records_.reserve(n);
    while (records_.size() < n)
        records_.push_back(std::make_unique<TFra>());
}

bool TFrazy::operator==(const TFrazy& other) const
{
    return std::equal(begin(), end(), other.begin(), other.end());
}

}  // namespace wykazki
