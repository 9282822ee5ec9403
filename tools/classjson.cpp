#include "classjson.h"

#include "document/cp1250.h"
#include "document/screenlayout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <charconv>
#include <cmath>
#include <limits>

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
    void integer(T v) { out += std::to_string(v); }

    // The shortest text that reads back to the same 32-bit float.
    void real(float v)
    {
        if (std::isnan(v)) { out += "\"NaN\""; return; }
        if (std::isinf(v)) { out += v > 0 ? "\"Infinity\"" : "\"-Infinity\""; return; }
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

void writeRecord(JsonOut& j, const TFra& f)
{
    j.out += '{';
    j.key("name", true); j.str(f.name);
    j.key("kind"); j.integer(int(f.kind));
    j.key("text"); j.str(f.text);
    j.key("grade"); j.integer(int(f.grade));
    j.key("picture"); j.str(f.picture);
    j.key("x0"); j.integer(f.x0);
    j.key("y0"); j.real(f.y0);
    j.key("width"); j.integer(f.width);
    j.key("height"); j.integer(f.height);
    j.key("align"); j.integer(f.align);
    j.key("fontName"); j.str(f.fontName);
    j.key("fontSize"); j.integer(f.fontSize);
    j.key("fontColor"); j.integer(f.fontColor);
    j.key("bold"); j.integer(int(f.bold));
    j.key("italic"); j.integer(int(f.italic));
    j.key("underline"); j.integer(int(f.underline));
    j.key("strikeout"); j.integer(int(f.strikeout));
    j.key("lineSpacing"); j.real(f.lineSpacing);
    j.key("page"); j.integer(f.page);
    j.out += '}';
}

void writeRecords(JsonOut& j, const TFrazy& list, const char* indent)
{
    j.out += '[';
    bool first = true;
    for (const TFra& f : list) {
        j.out += first ? "\n" : ",\n";
        j.out += indent;
        writeRecord(j, f);
        first = false;
    }
    j.out += ']';
}

void writeRect(JsonOut& j, const WindowRect& r)
{
    j.out += '[';
    j.integer(r.left); j.out += ", ";
    j.integer(r.top); j.out += ", ";
    j.integer(r.right); j.out += ", ";
    j.integer(r.bottom);
    j.out += ']';
}

void writeSizes(JsonOut& j, const std::vector<std::int32_t>& sizes)
{
    j.out += '[';
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (i)
            j.out += ", ";
        j.integer(sizes[i]);
    }
    j.out += ']';
}

void writeLayout(JsonOut& j, const GridLayout& g)
{
    j.out += '{';
    j.key("fontName", true); j.str(g.fontName);
    j.key("fontSize"); j.integer(g.fontSize);
    j.key("bold"); j.integer(int(g.bold));
    j.key("italic"); j.integer(int(g.italic));
    j.key("underline"); j.integer(int(g.underline));
    j.key("strikeout"); j.integer(int(g.strikeout));
    j.key("fontColor"); j.integer(g.fontColor);
    j.key("cellWidth"); j.integer(g.cellWidth);
    j.key("cellHeight"); j.integer(g.cellHeight);
    j.key("headerColor"); j.integer(g.headerColor);
    j.key("cellColor"); j.integer(g.cellColor);
    j.key("align"); j.integer(int(g.align));
    j.key("columnWidths"); writeSizes(j, g.columnWidths);
    j.key("rowHeights"); writeSizes(j, g.rowHeights);
    j.out += '}';
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
                fail("the text holds a lone UTF-16 surrogate (\\u" +
                     QString::number(c.unicode(), 16).toStdString() + ")");
        }
        const QByteArray utf8 = string.toUtf8();
        auto bytes = cp1250::fromUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
        if (!bytes)
            fail("the text holds a character that Windows-1250 cannot hold");
        if (bytes->find('\0') != std::string::npos)
            fail("the text holds a zero character, which a class file cannot keep");
        return *bytes;
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
            fail("the value " + QString::number(d, 'g', 17).toStdString() + " lies outside " +
                 std::to_string(std::numeric_limits<T>::min()) + ".." +
                 std::to_string(std::numeric_limits<T>::max()));
        return static_cast<T>(d);
    }

    float real(const QJsonValue& v) const
    {
        if (v.isString()) {
            const QString s = v.toString();
            if (s == "NaN") return std::numeric_limits<float>::quiet_NaN();
            if (s == "Infinity") return std::numeric_limits<float>::infinity();
            if (s == "-Infinity") return -std::numeric_limits<float>::infinity();
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

template <typename T>
void takeInt(const QJsonObject& obj, const JsonIn& where, const char* key, T& field)
{
    take(obj, where, key, field, [](const JsonIn& w, const QJsonValue& v) { return w.integer<T>(v); });
}

void takeText(const QJsonObject& obj, const JsonIn& where, const char* key, std::string& field)
{
    take(obj, where, key, field, [](const JsonIn& w, const QJsonValue& v) { return w.text(v); });
}

void takeReal(const QJsonObject& obj, const JsonIn& where, const char* key, float& field)
{
    take(obj, where, key, field, [](const JsonIn& w, const QJsonValue& v) { return w.real(v); });
}

TFra readRecord(const JsonIn& where, const QJsonValue& value)
{
    const QJsonObject o = where.object(value);
    TFra f;
    takeText(o, where, "name", f.name);
    takeInt(o, where, "kind", f.kind);
    takeText(o, where, "text", f.text);
    takeInt(o, where, "grade", f.grade);
    takeText(o, where, "picture", f.picture);
    takeInt(o, where, "x0", f.x0);
    takeReal(o, where, "y0", f.y0);
    takeInt(o, where, "width", f.width);
    takeInt(o, where, "height", f.height);
    takeInt(o, where, "align", f.align);
    takeText(o, where, "fontName", f.fontName);
    takeInt(o, where, "fontSize", f.fontSize);
    takeInt(o, where, "fontColor", f.fontColor);
    takeInt(o, where, "bold", f.bold);
    takeInt(o, where, "italic", f.italic);
    takeInt(o, where, "underline", f.underline);
    takeInt(o, where, "strikeout", f.strikeout);
    takeReal(o, where, "lineSpacing", f.lineSpacing);
    takeInt(o, where, "page", f.page);
    return f;
}

TFrazy readRecords(const JsonIn& where, const QJsonValue& value)
{
    const QJsonArray a = where.array(value);
    TFrazy list;
    list.reserve(std::size_t(a.size()));
    for (qsizetype i = 0; i < a.size(); ++i)
        list.push_back(readRecord(where.item(i), a[i]));
    return list;
}

WindowRect readRect(const JsonIn& where, const QJsonValue& value)
{
    const QJsonArray a = where.array(value);
    if (a.size() != 4)
        where.fail("expected four integers: left, top, right, bottom");
    return {where.item(0).integer<std::int32_t>(a[0]), where.item(1).integer<std::int32_t>(a[1]),
            where.item(2).integer<std::int32_t>(a[2]), where.item(3).integer<std::int32_t>(a[3])};
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

GridLayout readLayout(const JsonIn& where, const QJsonValue& value)
{
    const QJsonObject o = where.object(value);
    GridLayout g;
    takeText(o, where, "fontName", g.fontName);
    if (g.fontName.size() > GridLayout::kMaxFontName)
        where.at("fontName").fail("longer than " + std::to_string(GridLayout::kMaxFontName) + " bytes");
    takeInt(o, where, "fontSize", g.fontSize);
    takeInt(o, where, "bold", g.bold);
    takeInt(o, where, "italic", g.italic);
    takeInt(o, where, "underline", g.underline);
    takeInt(o, where, "strikeout", g.strikeout);
    takeInt(o, where, "fontColor", g.fontColor);
    takeInt(o, where, "cellWidth", g.cellWidth);
    takeInt(o, where, "cellHeight", g.cellHeight);
    takeInt(o, where, "headerColor", g.headerColor);
    takeInt(o, where, "cellColor", g.cellColor);
    takeInt(o, where, "align", g.align);
    take(o, where, "columnWidths", g.columnWidths, readSizes);
    take(o, where, "rowHeights", g.rowHeights, readSizes);
    return g;
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
    j.key("version", true); j.integer(int(c.version));
    j.out += ",\n  ";
    j.key("phrases", true); writeRecords(j, c.frazy, "    ");
    j.out += ",\n  ";
    j.key("pupils", true);
    j.out += '[';
    for (std::size_t i = 0; i < c.dokumenty.count(); ++i) {
        j.out += i ? ",\n    " : "\n    ";
        writeRecords(j, c.dokumenty[i].wartosci, "      ");
    }
    j.out += "],\n  ";
    j.key("options", true);
    j.out += '{';
    j.key("left", true); j.integer(c.opcje.left);
    j.key("top"); j.integer(c.opcje.top);
    j.key("width"); j.integer(c.opcje.width);
    j.key("height"); j.integer(c.opcje.height);
    j.key("wordings");
    j.out += '[';
    for (std::size_t i = 0; i < c.opcje.brzmienia.size(); ++i) {
        if (i)
            j.out += ", ";
        j.str(c.opcje.brzmienia[i]);
    }
    j.out += "]},\n  ";
    j.key("windows", true);
    j.out += '{';
    j.key("main", true); writeRect(j, c.screen.main);
    j.key("phraseEditor"); writeRect(j, c.screen.phraseEditor);
    j.key("tablePrint"); writeRect(j, c.screen.tablePrint);
    j.key("preview"); writeRect(j, c.screen.preview);
    j.key("printOptions"); writeRect(j, c.screen.printOptions);
    j.out += "},\n  ";
    j.key("pupilGrid", true); writeLayout(j, c.screen.pupilGrid);
    j.out += ",\n  ";
    j.key("phraseGrid", true); writeLayout(j, c.screen.phraseGrid);
    j.out += "\n}\n";
    return std::move(j.out);
}

ClassFileContents classFromJson(const std::string& utf8)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(utf8), &error);
    if (error.error != QJsonParseError::NoError)
        throw JsonError(lineAndColumn(utf8, error.offset) + ": " + error.errorString().toStdString());
    if (!json.isObject())
        throw JsonError("line 1, column 1: expected an object");

    const JsonIn root("");
    const QJsonObject o = json.object();
    ClassFileContents c;
    c.version = 0;  // the writer puts down its own version byte
    take(o, root, "phrases", c.frazy, readRecords);
    if (const auto it = o.constFind(QLatin1String("pupils")); it != o.constEnd()) {
        const JsonIn where = root.at("pupils");
        const QJsonArray pupils = where.array(*it);
        for (qsizetype i = 0; i < pupils.size(); ++i) {
            const JsonIn pupil = where.item(i);
            TDok values{readRecords(pupil, pupils[i])};
            // Fewer values are padded with defaults on reading; more would
            // be dropped without a word.
            if (values.wartosci.count() > c.frazy.count())
                pupil.item(qsizetype(c.frazy.count()))
                    .fail("the pupil has " + std::to_string(values.wartosci.count()) + " values but the class has " +
                          std::to_string(c.frazy.count()) + " phrases");
            c.dokumenty.push_back(std::move(values));
        }
    }
    if (const auto it = o.constFind(QLatin1String("options")); it != o.constEnd()) {
        const JsonIn where = root.at("options");
        const QJsonObject opt = where.object(*it);
        takeInt(opt, where, "left", c.opcje.left);
        takeInt(opt, where, "top", c.opcje.top);
        takeInt(opt, where, "width", c.opcje.width);
        takeInt(opt, where, "height", c.opcje.height);
        if (const auto w = opt.constFind(QLatin1String("wordings")); w != opt.constEnd()) {
            const JsonIn wWhere = where.at("wordings");
            const QJsonArray wordings = wWhere.array(*w);
            if (wordings.size() > kLiczbaBrzmien)
                wWhere.fail("more than " + std::to_string(kLiczbaBrzmien) + " wordings");
            for (qsizetype i = 0; i < wordings.size(); ++i)
                c.opcje.brzmienia[std::size_t(i)] = wWhere.item(i).text(wordings[i]);
        }
    }
    if (const auto it = o.constFind(QLatin1String("windows")); it != o.constEnd()) {
        const JsonIn where = root.at("windows");
        const QJsonObject win = where.object(*it);
        take(win, where, "main", c.screen.main, readRect);
        take(win, where, "phraseEditor", c.screen.phraseEditor, readRect);
        take(win, where, "tablePrint", c.screen.tablePrint, readRect);
        take(win, where, "preview", c.screen.preview, readRect);
        take(win, where, "printOptions", c.screen.printOptions, readRect);
    }
    take(o, root, "pupilGrid", c.screen.pupilGrid, readLayout);
    take(o, root, "phraseGrid", c.screen.phraseGrid, readLayout);
    return c;
}
