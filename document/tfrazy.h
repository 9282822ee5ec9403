#pragma once
// The list of phrase records: the phrase list, and each pupil's values.

#include "tfra.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace wykazki {

// An ordered list of records: the phrase list, and each pupil's values.
// Every record lives in a block of its own and the list keeps pointers, so
// that adding or removing a phrase near the top of a large class moves a
// few bytes per pupil instead of every record below it.
class TFrazy {
    using Storage = std::vector<std::unique_ptr<TFra>>;

    // Iterates the records themselves, not the pointers.
    template <typename Base, typename Record>
    class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = TFra;
        using difference_type = std::ptrdiff_t;
        using pointer = Record*;
        using reference = Record&;

        Iterator() = default;
        explicit Iterator(Base base) : base_(base) {}

        reference operator*() const { return **base_; }
        pointer operator->() const { return base_->get(); }
        reference operator[](difference_type n) const { return *base_[n]; }
        Iterator& operator++()
        {
            ++base_;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            ++base_;
            return old;
        }
        Iterator& operator--()
        {
            --base_;
            return *this;
        }
        Iterator operator--(int)
        {
            Iterator old = *this;
            --base_;
            return old;
        }
        Iterator& operator+=(difference_type n)
        {
            base_ += n;
            return *this;
        }
        Iterator& operator-=(difference_type n)
        {
            base_ -= n;
            return *this;
        }
        friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
        friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
        friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b)
        {
            return a.base_ - b.base_;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.base_ == b.base_; }
        friend bool operator<(const Iterator& a, const Iterator& b) { return a.base_ < b.base_; }
        friend bool operator>(const Iterator& a, const Iterator& b) { return a.base_ > b.base_; }
        friend bool operator<=(const Iterator& a, const Iterator& b) { return a.base_ <= b.base_; }
        friend bool operator>=(const Iterator& a, const Iterator& b) { return a.base_ >= b.base_; }

    private:
        Base base_{};
    };

public:
    using iterator = Iterator<Storage::iterator, TFra>;
    using const_iterator = Iterator<Storage::const_iterator, const TFra>;

    TFrazy() = default;
    TFrazy(const TFrazy& other);
    TFrazy& operator=(const TFrazy& other);
    TFrazy(TFrazy&&) noexcept = default;
    TFrazy& operator=(TFrazy&&) noexcept = default;

    std::size_t count() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    TFra& operator[](std::size_t j) { return *records_[j]; }
    const TFra& operator[](std::size_t j) const { return *records_[j]; }

    // p in 0..count(); the records from p on move up by one.
    void insert(std::size_t p);
    // p in 0..count()-1; does nothing for p >= count().
    void erase(std::size_t p);
    // Growing appends default records, shrinking drops from the end.
    void resize(std::size_t n);
    void clear() { records_.clear(); }
    void reserve(std::size_t n) { records_.reserve(n); }
    void push_back(TFra r) { records_.push_back(std::make_unique<TFra>(std::move(r))); }

    iterator begin() { return iterator(records_.begin()); }
    iterator end() { return iterator(records_.end()); }
    const_iterator begin() const { return const_iterator(records_.begin()); }
    const_iterator end() const { return const_iterator(records_.end()); }

    bool operator==(const TFrazy& other) const;

private:
    Storage records_;
};

}  // namespace wykazki
