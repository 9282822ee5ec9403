#include "classjson.h"

#include "document/cp1250.h"
#include "document/recordfields.h"
#include "document/screenlayout.h"
#include "qtbridge/cp1250text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

namespace wykazki {

namespace {

// ---- writing -------------------------------------------------------------

class JsonOut {
public:
    std::string out;

    void str(std::string_view cp1250Bytes) { utf8(cp1250::toUtf8(cp1250Bytes)); }

    void utf8(std::string_view s)
    {
        out += '"';
        for (char ch : s) {
            const auto c = static_cast<unsigned char>(ch);
            switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
            }
        }
        out += '"';
    }

    template <typename T>
    void integer(T v)
    {
        out += std::to_string(v);
    }

    // The shortest text that reads back to the same 32-bit float.
    void real(float v)
    {
        if (std::isnan(v)) {
            out += "\"NaN\"";
            return;
        }
        if (std::isinf(v)) {
            out += v > 0 ? "\"Infinity\"" : "\"-Infinity\"";
            return;
        }
        char buf[64];
        const auto res = std::to_chars(buf, buf + sizeof buf, v);
        std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
        out += text;
        if (text.find_first_of(".e") == std::string_view::npos)
            out += ".0";
    }

    void key(std::string_view k, bool first = false)
    {
        if (!first)
            out += ", ";
        out += '"';
        out += k;
        out += "\": ";
    }
};

// A list of numbers or texts, on one line.
template <typename T>
void writeValue(JsonOut& j, const T& value);

template <typename List>
void writeList(JsonOut& j, const List& list)
{
    j.out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i)
            j.out += ", ";
        writeValue(j, list[i]);
    }
    j.out += ']';
}

// One stored value, by the kind of its member. Style flags and colours are
// the stored numbers, so that every byte round-trips.
template <typename T>
void writeValue(JsonOut& j, const T& value)
{
    if constexpr (std::is_same_v<T, std::string>)
        j.str(value);
    else if constexpr (std::is_floating_point_v<T>)
        j.real(value);
    else if constexpr (std::is_integral_v<T>)
        j.integer(+value);  // a byte as a number, not a character
    else if constexpr (std::is_enum_v<T>)
        j.integer(+static_cast<std::underlying_type_t<T>>(value));
    else
        writeList(j, value);  // the grids' sizes, the wordings
}

// A record as an object of its fields' keys.
template <typename Record>
void writeObject(JsonOut& j, const Record& record)
{
    j.out += '{';
    bool first = true;
    forEachField<Record>([&](const auto& f) {
        j.key(f.key, first);
        writeValue(j, record.*f.member);
        first = false;
    });
    j.out += '}';
}

void writeRecords(JsonOut& j, const TFrazy& list, const char* indent)
{
    j.out += '[';
    bool first = true;
    for (const TFra& f : list) {
        j.out += first ? "\n" : ",\n";
        j.out += indent;
        writeObject(j, f);
        first = false;
    }
    j.out += ']';
}

// A rectangle as the array [left, top, right, bottom].
void writeRect(JsonOut& j, const WindowRect& r)
{
    j.out += '[';
    bool first = true;
    forEachField<WindowRect>([&](const auto& f) {
        if (!first)
            j.out += ", ";
        writeValue(j, r.*f.member);
        first = false;
    });
    j.out += ']';
}

// ---- reading -------------------------------------------------------------

class JsonIn {
public:
    explicit JsonIn(std::string path) : path_(std::move(path)) {}

    JsonIn at(const char* key) const { return JsonIn(path_.empty() ? key : path_ + "." + key); }
    JsonIn item(qsizetype index) const { return JsonIn(path_ + "[" + std::to_string(index) + "]"); }

    [[noreturn]] void fail(const std::string& what) const { throw JsonError(path_ + ": " + what); }

    QJsonObject object(const QJsonValue& v) const
    {
        if (!v.isObject())
            fail("expected an object");
        return v.toObject();
    }

    QJsonArray array(const QJsonValue& v) const
    {
        if (!v.isArray())
            fail("expected an array");
        return v.toArray();
    }

    std::string text(const QJsonValue& v) const
    {
        if (!v.isString())
            fail("expected a text");
        const QString string = v.toString();
        // A lone half of a surrogate pair ("\\ud83d") is no character at
        // all; UTF-8 would turn it into "?".
        for (qsizetype i = 0; i < string.size(); ++i) {
            const QChar c = string[i];
            if (c.isHighSurrogate() && i + 1 < string.size() && string[i + 1].isLowSurrogate())
                ++i;
            else if (c.isSurrogate())
                fail("the text holds a lone UTF-16 surrogate (\\u"
                     + QString::number(c.unicode(), 16).toStdString() + ")");
        }
        if (!cp1250CanHold(string))
            fail("the text holds a character that Windows-1250 cannot hold");
        std::string bytes = cp1250FromQString(string, Unmappable::Drop);
        if (bytes.find('\0') != std::string::npos)
            fail("the text holds a zero character, which a class file cannot keep");
        return bytes;
    }

    template <typename T>
    T integer(const QJsonValue& v) const
    {
        if (!v.isDouble())
            fail("expected an integer");
        const double d = v.toDouble();
        if (d != std::trunc(d))
            fail("expected an integer, not " + QString::number(d).toStdString());
        if (d < double(std::numeric_limits<T>::min()) || d > double(std::numeric_limits<T>::max()))
            fail("the value " + QString::number(d, 'g', 17).toStdString() + " lies outside "
                 + std::to_string(std::numeric_limits<T>::min()) + ".."
                 + std::to_string(std::numeric_limits<T>::max()));
        return static_cast<T>(d);
    }

    float real(const QJsonValue& v) const
    {
        if (v.isString()) {
            const QString s = v.toString();
            if (s == u"NaN")
                return std::numeric_limits<float>::quiet_NaN();
            if (s == u"Infinity")
                return std::numeric_limits<float>::infinity();
            if (s == u"-Infinity")
                return -std::numeric_limits<float>::infinity();
        }
        if (!v.isDouble())
            fail("expected a number");
        const double d = v.toDouble();
        if (std::fabs(d) > double(std::numeric_limits<float>::max()))
            fail("the value lies outside the range of a 32-bit float");
        return static_cast<float>(d);
    }

private:
    std::string path_;
};

// Reads obj[key] through read() when the key is present.
template <typename T, typename Read>
void take(const QJsonObject& obj, const JsonIn& where, const char* key, T& field, Read read)
{
    const auto it = obj.constFind(QLatin1String(key));
    if (it != obj.constEnd())
        field = read(where.at(key), *it);
}

std::vector<std::int32_t> readSizes(const JsonIn& where, const QJsonValue& value)
{
    const QJsonArray a = where.array(value);
    if (std::size_t(a.size()) > GridLayout::kMaxCount)
        where.fail("more than " + std::to_string(GridLayout::kMaxCount) + " entries");
    std::vector<std::int32_t> sizes;
    for (qsizetype i = 0; i < a.size(); ++i)
        sizes.push_back(where.item(i).integer<std::int32_t>(a[i]));
    return sizes;
}

// One stored value, by the kind of its member; the value keeps what it
// holds where the JSON gives fewer items.
template <typename T>
void readValue(const JsonIn& where, const QJsonValue& json, T& value, StoredText stored)
{
    if constexpr (std::is_same_v<T, std::string>) {
        value = where.text(json);
        if (stored == StoredText::FontName && value.size() > kMaxFontNameBytes)
            where.fail("longer than " + std::to_string(kMaxFontNameBytes) + " bytes");
    } else if constexpr (std::is_floating_point_v<T>) {
        value = where.real(json);
    } else if constexpr (std::is_integral_v<T>) {
        value = where.integer<T>(json);
    } else if constexpr (std::is_enum_v<T>) {
        value = T{where.integer<std::underlying_type_t<T>>(json)};
    } else if constexpr (std::is_same_v<T, std::vector<std::int32_t>>) {
        value = readSizes(where, json);
    } else {
        const QJsonArray texts = where.array(json);
        if (std::size_t(texts.size()) > value.size())
            where.fail("more than " + std::to_string(value.size()) + " wordings");
        for (qsizetype i = 0; i < texts.size(); ++i)
            value[std::size_t(i)] = where.item(i).text(texts[i]);
    }
}

// A record from an object of its fields' keys; a missing key keeps the
// new record's value.
template <typename Record>
Record readObject(const JsonIn& where, const QJsonValue& json)
{
    const QJsonObject o = where.object(json);
    Record record;
    forEachField<Record>([&](const auto& f) {
        const std::string key(f.key);
        if (const auto it = o.constFind(QLatin1String(key)); it != o.constEnd())
            readValue(where.at(key.c_str()), *it, record.*f.member, f.stored);
    });
    return record;
}

TFrazy readRecords(const JsonIn& where, const QJsonValue& value)
{
    const QJsonArray a = where.array(value);
    TFrazy list;
    list.reserve(std::size_t(a.size()));
    for (qsizetype i = 0; i < a.size(); ++i)
        list.push_back(readObject<TFra>(where.item(i), a[i]));
    return list;
}

WindowRect readRect(const JsonIn& where, const QJsonValue& value)
{
    const QJsonArray a = where.array(value);
    if (a.size() != qsizetype(kFieldCount<WindowRect>))
        where.fail("expected four integers: left, top, right, bottom");
    WindowRect rect;
    qsizetype i = 0;
    forEachField<WindowRect>([&](const auto& f) {
        readValue(where.item(i), a[i], rect.*f.member, f.stored);
        ++i;
    });
    return rect;
}

std::string lineAndColumn(const std::string& text, int offset)
{
    int line = 1, column = 1;
    for (int i = 0; i < offset && i < int(text.size()); ++i) {
        if (text[std::size_t(i)] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

std::string classToJson(const ClassFileContents& c)
{
    JsonOut j;
    j.out += "{\n  ";
    j.key("version", true);
    j.integer(int(c.version));
    j.out += ",\n  ";
    j.key("phrases", true);
    writeRecords(j, c.phrases, "    ");
    j.out += ",\n  ";
    j.key("pupils", true);
    j.out += '[';
    for (std::size_t i = 0; i < c.pupils.count(); ++i) {
        j.out += i ? ",\n    " : "\n    ";
        writeRecords(j, c.pupils[i].values, "      ");
    }
    j.out += "],\n  ";
    j.key("options", true);
    writeObject(j, c.options);
    j.out += ",\n  ";
    j.key("windows", true);
    j.out += '{';
    j.key("main", true);
    writeRect(j, c.screen.main);
    j.key("phraseEditor");
    writeRect(j, c.screen.phraseEditor);
    j.key("tablePrint");
    writeRect(j, c.screen.tablePrint);
    j.key("preview");
    writeRect(j, c.screen.preview);
    j.key("printOptions");
    writeRect(j, c.screen.printOptions);
    j.out += "},\n  ";
    j.key("pupilGrid", true);
    writeObject(j, c.screen.pupilGrid);
    j.out += ",\n  ";
    j.key("phraseGrid", true);
    writeObject(j, c.screen.phraseGrid);
    j.out += "\n}\n";
    return std::move(j.out);
}

ClassFileContents classFromJson(const std::string& utf8)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(utf8), &error);
    if (error.error != QJsonParseError::NoError)
        throw JsonError(lineAndColumn(utf8, error.offset) + ": "
                        + error.errorString().toStdString());
    if (!json.isObject())
        throw JsonError("line 1, column 1: expected an object");

    const JsonIn root("");
    const QJsonObject o = json.object();
    ClassFileContents c;
    c.version = 0;  // the writer puts down its own version byte
    take(o, root, "phrases", c.phrases, readRecords);
    if (const auto it = o.constFind(QLatin1String("pupils")); it != o.constEnd()) {
        const JsonIn where = root.at("pupils");
        const QJsonArray pupils = where.array(*it);
        for (qsizetype i = 0; i < pupils.size(); ++i) {
            const JsonIn pupil = where.item(i);
            TDok values{readRecords(pupil, pupils[i])};
            // Fewer values are padded with defaults on reading; more would
            // be dropped without a word.
            if (values.values.count() > c.phrases.count())
                pupil.item(qsizetype(c.phrases.count()))
                    .fail("the pupil has " + std::to_string(values.values.count())
                          + " values but the class has " + std::to_string(c.phrases.count())
                          + " phrases");
            c.pupils.push_back(std::move(values));
        }
    }
    take(o, root, "options", c.options, readObject<TOpcje>);
    if (const auto it = o.constFind(QLatin1String("windows")); it != o.constEnd()) {
        const JsonIn where = root.at("windows");
        const QJsonObject win = where.object(*it);
        take(win, where, "main", c.screen.main, readRect);
        take(win, where, "phraseEditor", c.screen.phraseEditor, readRect);
        take(win, where, "tablePrint", c.screen.tablePrint, readRect);
        take(win, where, "preview", c.screen.preview, readRect);
        take(win, where, "printOptions", c.screen.printOptions, readRect);
    }
    take(o, root, "pupilGrid", c.screen.pupilGrid, readObject<GridLayout>);
    take(o, root, "phraseGrid", c.screen.phraseGrid, readObject<GridLayout>);
    return c;
}

}  // namespace wykazki
