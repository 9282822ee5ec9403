#pragma once
// One phrase record: an element of the report card's layout, and also a
// pupil's value of that element. Texts hold Windows-1250 bytes.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// Kinds of phrase (field `kind`).
inline constexpr std::uint8_t kRodzajTekst = 0;    // "Tekst"
inline constexpr std::uint8_t kRodzajOcena = 1;    // "Ocena"
inline constexpr std::uint8_t kRodzajObrazek = 2;  // "Obrazek"

// The grade index a new value record starts with: "--------------".
inline constexpr std::int8_t kBrakPrzedmiotu = 6;

struct TFra {
    std::string name;                          // "Nazwa frazy"
    std::uint8_t kind = kRodzajTekst;          // 0 text, 1 grade, 2 picture
    std::string text;                          // a pupil's text value
    std::int8_t grade = kBrakPrzedmiotu;       // a pupil's grade index 0..10
    std::string picture;                       // bitmap file, ".bmp" optional
    std::int16_t x0 = 0;                       // left edge, mm
    float y0 = 0.0f;                           // top edge, mm, one decimal
    std::int16_t width = 0;                    // Szer, mm; 0 = no box
    std::int16_t height = 0;                   // Wys, mm
    std::int16_t align = 0;                    // Poz: 0 left, 1 centre, 2 right
    std::string fontName = "MS Sans Serif";
    std::int32_t fontSize = 10;                // points
    std::uint32_t fontColor = 0;               // 0x00BBGGRR
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeout = 0;
    float lineSpacing = 0.0f;                  // V-Korekta, mm, -2..5
    std::int16_t page = 0;                     // Strona, 0..3 (shown 1..4)

    bool operator==(const TFra&) const = default;
};

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
        Iterator& operator++() { ++base_; return *this; }
        Iterator operator++(int) { Iterator old = *this; ++base_; return old; }
        Iterator& operator--() { --base_; return *this; }
        Iterator operator--(int) { Iterator old = *this; --base_; return old; }
        Iterator& operator+=(difference_type n) { base_ += n; return *this; }
        Iterator& operator-=(difference_type n) { base_ -= n; return *this; }
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
