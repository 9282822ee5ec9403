#pragma once
// Builds class-file bytes by hand, independently of the program's writer.

#include <cstdint>
#include <cstring>
#include <string>

namespace wykazki {

class FileBytes {
public:
    std::string bytes;

    template <typename T>
    FileBytes& put(T v)
    {
        char buf[sizeof(T)];
        std::memcpy(buf, &v, sizeof(T));
        bytes.append(buf, sizeof(T));
        return *this;
    }
    FileBytes& u8(std::uint8_t v) { return put(v); }
    FileBytes& i8(std::int8_t v) { return put(v); }
    FileBytes& i16(std::int16_t v) { return put(v); }
    FileBytes& i32(std::int32_t v) { return put(v); }
    FileBytes& u32(std::uint32_t v) { return put(v); }
    FileBytes& f32(float v) { return put(v); }
    FileBytes& text(const std::string& s)
    {
        u32(static_cast<std::uint32_t>(s.size()));
        bytes += s;
        return *this;
    }

    struct Record {
        std::string name, text, picture, fontName = "MS Sans Serif";
        std::uint8_t kind = 0;
        std::int8_t grade = 6;
        std::int16_t x0 = 0, width = 0, height = 0, align = 0, page = 0;
        float y0 = 0, lineSpacing = 0;
        std::int32_t fontSize = 10;
        std::uint32_t fontColor = 0;
        std::uint8_t bold = 0, italic = 0, underline = 0, strikeout = 0;
    };

    FileBytes& record(const Record& r, bool withKorekta)
    {
        text(r.name).u8(r.kind).text(r.text).i8(r.grade).text(r.picture);
        i16(r.x0).f32(r.y0).i16(r.width).i16(r.height).i16(r.align);
        text(r.fontName).i32(r.fontSize).u32(r.fontColor);
        u8(r.bold).u8(r.italic).u8(r.underline).u8(r.strikeout);
        if (withKorekta)
            f32(r.lineSpacing);
        return i16(r.page);
    }

    // Options with the given shifts and sheet, wordings "w0".."w20".
    FileBytes& options(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
    {
        i32(left).i32(top).i32(width).i32(height);
        for (int i = 0; i < 21; ++i)
            text("w" + std::to_string(i));
        return *this;
    }

    FileBytes& rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
    {
        return i32(l).i32(t).i32(r).i32(b);
    }

    // A grid layout block with one data column and one data row.
    FileBytes& layout(const std::string& font = "Arial", std::uint32_t columns = 2,
                      std::uint32_t rows = 2)
    {
        u32(static_cast<std::uint32_t>(font.size()));
        bytes += font;
        i32(9).u8(1).u8(0).u8(1).u8(0).u32(0x112233).i32(90).i32(15).u32(0xC0C0C0).u32(0x00FFFF);
        u8(2).u8(0).u8(0).u8(0);
        u32(columns);
        for (std::uint32_t i = 0; i < columns; ++i)
            i32(static_cast<std::int32_t>(60 + i));
        u32(rows);
        for (std::uint32_t i = 0; i < rows; ++i)
            i32(static_cast<std::int32_t>(14 + i));
        return *this;
    }

    // Everything after the pupil list, with recognisable values.
    FileBytes& tail()
    {
        options(3, -4, 200, 290);
        rect(1, 2, 3, 4).layout();
        rect(5, 6, 7, 8).layout("Courier", 3, 1);
        rect(9, 10, 11, 12).rect(13, 14, 15, 16).rect(17, 18, 19, 20);
        return *this;
    }
};

}  // namespace wykazki
