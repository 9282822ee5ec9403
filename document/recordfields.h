#pragma once
// The fields of every stored record, each listed once in stored order. The
// class file's reader and writer and the JSON of wkz all walk these lists,
// so a new field is added here and nowhere else.

#include "classfile.h"
#include "screenlayout.h"
#include "storagelimits.h"
#include "tfra.h"
#include "topcje.h"

#include <cstddef>
#include <string_view>
#include <tuple>

namespace wykazki {

// How a text field is stored; numbers are stored as their member's type,
// lists of sizes and arrays of texts as a count or fixed number of items.
enum class StoredText {
    Ended,     // uint32 length and the bytes; a reader stops at the first zero byte
    FontName,  // uint32 length of at most kMaxFontNameBytes and the bytes as they are
};

template <typename Record, typename Member>
struct Field {
    std::string_view key;  // the key in wkz's JSON
    Member Record::*member;
    StoredText stored = StoredText::Ended;  // for a text member
    int sinceVersion = 0;                   // class files older than this lack the field
    std::size_t paddingAfter = 0;           // zero bytes after the field in a class file
};

template <typename Record, typename Member>
constexpr Field<Record, Member> field(std::string_view key, Member Record::*member,
                                      StoredText stored = StoredText::Ended, int sinceVersion = 0,
                                      std::size_t paddingAfter = 0)
{
    return {key, member, stored, sinceVersion, paddingAfter};
}

template <typename Record>
struct RecordFields;

template <>
struct RecordFields<TFra> {
    static constexpr auto list = std::make_tuple(
        field("name", &TFra::name), field("kind", &TFra::kind), field("text", &TFra::text),
        field("grade", &TFra::grade), field("picture", &TFra::picture), field("x0", &TFra::x0),
        field("y0", &TFra::y0), field("width", &TFra::width), field("height", &TFra::height),
        field("align", &TFra::align), field("fontName", &TFra::fontName),
        field("fontSize", &TFra::fontSize), field("fontColor", &TFra::fontColor),
        field("bold", &TFra::bold), field("italic", &TFra::italic),
        field("underline", &TFra::underline), field("strikeout", &TFra::strikeout),
        field("lineSpacing", &TFra::lineSpacing, StoredText::Ended, kLineSpacingVersion),
        field("page", &TFra::page));
};

template <>
struct RecordFields<TOpcje> {
    static constexpr auto list = std::make_tuple(
        field("left", &TOpcje::left), field("top", &TOpcje::top), field("width", &TOpcje::width),
        field("height", &TOpcje::height), field("wordings", &TOpcje::wordings));
};

// The JSON writes a rectangle as an array in this order.
template <>
struct RecordFields<WindowRect> {
    static constexpr auto list =
        std::make_tuple(field("left", &WindowRect::left), field("top", &WindowRect::top),
                        field("right", &WindowRect::right), field("bottom", &WindowRect::bottom));
};

template <>
struct RecordFields<GridLayout> {
    static constexpr auto list = std::make_tuple(
        field("fontName", &GridLayout::fontName, StoredText::FontName),
        field("fontSize", &GridLayout::fontSize), field("bold", &GridLayout::bold),
        field("italic", &GridLayout::italic), field("underline", &GridLayout::underline),
        field("strikeout", &GridLayout::strikeout), field("fontColor", &GridLayout::fontColor),
        field("cellWidth", &GridLayout::cellWidth), field("cellHeight", &GridLayout::cellHeight),
        field("headerColor", &GridLayout::headerColor), field("cellColor", &GridLayout::cellColor),
        field("align", &GridLayout::align, StoredText::Ended, 0,
              3),  // three bytes pad the block to 4
        field("columnWidths", &GridLayout::columnWidths),
        field("rowHeights", &GridLayout::rowHeights));
};

template <typename Record>
inline constexpr std::size_t kFieldCount = std::tuple_size_v<decltype(RecordFields<Record>::list)>;

// Calls visit(field) for every field of Record, in stored order.
template <typename Record, typename Visitor>
constexpr void forEachField(Visitor&& visit)
{
    std::apply([&](const auto&... fields) { (visit(fields), ...); }, RecordFields<Record>::list);
}

}  // namespace wykazki
