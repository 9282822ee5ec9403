#include "classfile.h"

#include "ekolmoerror.h"
#include "platformfile.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>

static_assert(std::endian::native == std::endian::little, "class files are little-endian");

namespace {

// Smallest stored sizes, used to refuse counts the rest of the file cannot hold.
constexpr std::size_t kMinRecordOld = 44;  // four empty texts, no V-Korekta
constexpr std::size_t kMinRecord = 48;
constexpr std::size_t kMinPupil = 4;

class Reader {
public:
    explicit Reader(std::string_view bytes) : p_(bytes.data()), end_(bytes.data() + bytes.size()) {}

    std::size_t remaining() const { return static_cast<std::size_t>(end_ - p_); }

    template <typename T>
    T get()
    {
        need(sizeof(T));
        T v;
        std::memcpy(&v, p_, sizeof(T));
        p_ += sizeof(T);
        return v;
    }

    // A stored text ends at its first zero byte; all its bytes are consumed.
    std::string text()
    {
        const auto n = get<std::uint32_t>();
        need(n);
        const char* zero = static_cast<const char*>(std::memchr(p_, 0, n));
        std::string s(p_, zero ? static_cast<std::size_t>(zero - p_) : n);
        p_ += n;
        return s;
    }

    std::string_view bytes(std::size_t n)
    {
        need(n);
        std::string_view v(p_, n);
        p_ += n;
        return v;
    }

    // A count of items at least minSize bytes each that must fit in the rest.
    std::uint32_t count(std::size_t minSize)
    {
        const auto n = get<std::uint32_t>();
        if (static_cast<std::uint64_t>(n) * minSize > remaining())
            throw EKolmoError(kBladOdczytu);
        return n;
    }

private:
    void need(std::size_t n) const
    {
        if (n > remaining())
            throw EKolmoError(kBladOdczytu);
    }

    const char* p_;
    const char* end_;
};

class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}

    template <typename T>
    void put(T v)
    {
        char buf[sizeof(T)];
        std::memcpy(buf, &v, sizeof(T));
        out_.append(buf, sizeof(T));
    }

    void text(const std::string& s)
    {
        put(static_cast<std::uint32_t>(s.size()));
        out_ += s;
    }

    void raw(std::string_view s) { out_ += s; }

private:
    std::string& out_;
};

void readRecord(Reader& r, TFra& f, bool withKorekta)
{
    f.name = r.text();
    f.kind = r.get<std::uint8_t>();
    f.text = r.text();
    f.grade = r.get<std::int8_t>();
    f.picture = r.text();
    f.x0 = r.get<std::int16_t>();
    f.y0 = r.get<float>();
    f.width = r.get<std::int16_t>();
    f.height = r.get<std::int16_t>();
    f.align = r.get<std::int16_t>();
    if (f.align < 0 || f.align > 2)
        f.align = 0;
    f.fontName = r.text();
    f.fontSize = r.get<std::int32_t>();
    f.fontColor = r.get<std::uint32_t>();
    f.bold = r.get<std::uint8_t>();
    f.italic = r.get<std::uint8_t>();
    f.underline = r.get<std::uint8_t>();
    f.strikeout = r.get<std::uint8_t>();
    if (withKorekta)
        f.lineSpacing = r.get<float>();
    f.page = r.get<std::int16_t>();
}

void writeRecord(Writer& w, const TFra& f)
{
    w.text(f.name);
    w.put(f.kind);
    w.text(f.text);
    w.put(f.grade);
    w.text(f.picture);
    w.put(f.x0);
    w.put(f.y0);
    w.put(f.width);
    w.put(f.height);
    w.put(f.align);
    w.text(f.fontName);
    w.put(f.fontSize);
    w.put(f.fontColor);
    w.put(f.bold);
    w.put(f.italic);
    w.put(f.underline);
    w.put(f.strikeout);
    w.put(f.lineSpacing);
    w.put(f.page);
}

void readRecords(Reader& r, TFrazy& list, bool withKorekta)
{
    const auto n = r.count(withKorekta ? kMinRecord : kMinRecordOld);
    list.resize(n);
    for (TFra& f : list)
        readRecord(r, f, withKorekta);
}

void writeRecords(Writer& w, const TFrazy& list)
{
    w.put(static_cast<std::uint32_t>(list.count()));
    for (const TFra& f : list)
        writeRecord(w, f);
}

WindowRect readRect(Reader& r)
{
    WindowRect rect;
    rect.left = r.get<std::int32_t>();
    rect.top = r.get<std::int32_t>();
    rect.right = r.get<std::int32_t>();
    rect.bottom = r.get<std::int32_t>();
    return rect;
}

void writeRect(Writer& w, const WindowRect& rect)
{
    w.put(rect.left);
    w.put(rect.top);
    w.put(rect.right);
    w.put(rect.bottom);
}

std::vector<std::int32_t> readSizes(Reader& r)
{
    const auto n = r.get<std::uint32_t>();
    if (n > GridLayout::kMaxCount || std::uint64_t(n) * 4 > r.remaining())
        throw EKolmoError(kBladOdczytu);
    std::vector<std::int32_t> sizes(n);
    for (auto& s : sizes)
        s = r.get<std::int32_t>();
    return sizes;
}

void writeSizes(Writer& w, const std::vector<std::int32_t>& sizes)
{
    w.put(static_cast<std::uint32_t>(sizes.size()));
    for (auto s : sizes)
        w.put(s);
}

GridLayout readLayout(Reader& r)
{
    GridLayout g;
    const auto nameLength = r.get<std::uint32_t>();
    if (nameLength > GridLayout::kMaxFontName)
        throw EKolmoError(kBladOdczytu);
    g.fontName = std::string(r.bytes(nameLength));
    g.fontSize = r.get<std::int32_t>();
    g.bold = r.get<std::uint8_t>();
    g.italic = r.get<std::uint8_t>();
    g.underline = r.get<std::uint8_t>();
    g.strikeout = r.get<std::uint8_t>();
    g.fontColor = r.get<std::uint32_t>();
    g.cellWidth = r.get<std::int32_t>();
    g.cellHeight = r.get<std::int32_t>();
    g.headerColor = r.get<std::uint32_t>();
    g.cellColor = r.get<std::uint32_t>();
    g.align = r.get<std::uint8_t>();
    r.bytes(3);  // padding
    g.columnWidths = readSizes(r);
    g.rowHeights = readSizes(r);
    return g;
}

void writeLayout(Writer& w, const GridLayout& g)
{
    // A longer name could not be read back; the reader cuts names to 31 bytes too.
    const std::string name = g.fontName.substr(0, GridLayout::kMaxFontName);
    w.put(static_cast<std::uint32_t>(name.size()));
    w.raw(name);
    w.put(g.fontSize);
    w.put(g.bold);
    w.put(g.italic);
    w.put(g.underline);
    w.put(g.strikeout);
    w.put(g.fontColor);
    w.put(g.cellWidth);
    w.put(g.cellHeight);
    w.put(g.headerColor);
    w.put(g.cellColor);
    w.put(g.align);
    w.put(std::uint8_t{0});
    w.put(std::uint8_t{0});
    w.put(std::uint8_t{0});
    writeSizes(w, g.columnWidths);
    writeSizes(w, g.rowHeights);
}

}  // namespace

ClassFileContents readClassFile(std::string_view bytes, std::size_t paddingAllowance)
{
    Reader r(bytes);
    ClassFileContents c;
    c.version = r.get<std::int8_t>();
    if (c.version < kNajstarszaWersja || c.version > kNajnowszaWersja)
        throw EKolmoError(kBladWersji);
    const bool withKorekta = c.version >= kWersjaZKorekta;
    const std::size_t minRecord = withKorekta ? kMinRecord : kMinRecordOld;
    r.get<std::uint8_t>();  // reserved

    readRecords(r, c.frazy, withKorekta);
    const std::size_t phrases = c.frazy.count();

    const auto pupils = r.count(kMinPupil);
    c.dokumenty.reserve(pupils);
    std::size_t padding = 0;
    TFra extra;
    for (std::uint32_t i = 0; i < pupils; ++i) {
        const auto stored = r.count(minRecord);
        // Records the file does not hold cost memory the file did not pay
        // for: a small file declaring many phrases and many empty pupils
        // would otherwise take gigabytes. They are allowed up to a fixed
        // total and counted before anything is made.
        if (stored < phrases) {
            padding += phrases - stored;
            if (padding > paddingAllowance)
                throw EKolmoError(kBladOdczytu);
        }
        TDok pupil;
        // Keep the invariant: one value per phrase; values beyond the
        // phrase count are read past and dropped.
        pupil.wartosci.resize(phrases);
        for (std::uint32_t j = 0; j < stored; ++j)
            readRecord(r, j < phrases ? pupil.wartosci[j] : extra, withKorekta);
        c.dokumenty.push_back(std::move(pupil));
    }

    c.opcje.left = r.get<std::int32_t>();
    c.opcje.top = r.get<std::int32_t>();
    c.opcje.width = r.get<std::int32_t>();
    c.opcje.height = r.get<std::int32_t>();
    for (auto& wording : c.opcje.brzmienia)
        wording = r.text();

    c.screen.main = readRect(r);
    c.screen.pupilGrid = readLayout(r);
    c.screen.phraseEditor = readRect(r);
    c.screen.phraseGrid = readLayout(r);
    c.screen.tablePrint = readRect(r);
    c.screen.preview = readRect(r);
    c.screen.printOptions = readRect(r);
    // Bytes after the last item are left alone: older files may carry them.
    return c;
}

ClassFileContents readClassFile(std::istream& in)
{
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw EKolmoError(kBladOdczytu);
    return readClassFile(std::string_view(bytes));
}

namespace {

std::size_t recordsSize(const TFrazy& list)
{
    std::size_t n = 4;
    for (const TFra& f : list)
        n += kMinRecord + f.name.size() + f.text.size() + f.picture.size() + f.fontName.size();
    return n;
}

// The exact size of the file, so that writing never reallocates.
std::size_t fileSize(const ClassFileContents& c)
{
    std::size_t n = 2 + recordsSize(c.frazy) + 4;
    for (const TDok& pupil : c.dokumenty)
        n += recordsSize(pupil.wartosci);
    n += 16;
    for (const auto& wording : c.opcje.brzmienia)
        n += 4 + wording.size();
    for (const GridLayout* g : {&c.screen.pupilGrid, &c.screen.phraseGrid})
        n += 44 + std::min(g->fontName.size(), GridLayout::kMaxFontName) +
             4 * (g->columnWidths.size() + g->rowHeights.size());
    return n + 5 * 16;
}

}  // namespace

std::string writeClassFile(const ClassFileContents& c)
{
    std::string out;
    const std::size_t expectedSize = fileSize(c);
    out.reserve(expectedSize);
    Writer w(out);
    w.put(kWersjaZapisu);
    w.put(std::uint8_t{0});
    writeRecords(w, c.frazy);
    w.put(static_cast<std::uint32_t>(c.dokumenty.count()));
    for (const TDok& pupil : c.dokumenty)
        writeRecords(w, pupil.wartosci);
    w.put(c.opcje.left);
    w.put(c.opcje.top);
    w.put(c.opcje.width);
    w.put(c.opcje.height);
    for (const auto& wording : c.opcje.brzmienia)
        w.text(wording);
    writeRect(w, c.screen.main);
    writeLayout(w, c.screen.pupilGrid);
    writeRect(w, c.screen.phraseEditor);
    writeLayout(w, c.screen.phraseGrid);
    writeRect(w, c.screen.tablePrint);
    writeRect(w, c.screen.preview);
    writeRect(w, c.screen.printOptions);
    assert(out.size() == expectedSize);
    return out;
}

void writeClassFile(std::ostream& out, const ClassFileContents& contents)
{
    const std::string bytes = writeClassFile(contents);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out)
        throw EKolmoError(kBladZapisu);
}

std::string writeGridLayout(const GridLayout& layout)
{
    std::string out;
    Writer w(out);
    writeLayout(w, layout);
    return out;
}

GridLayout readGridLayout(std::string_view bytes)
{
    Reader r(bytes);
    return readLayout(r);
}

ClassFileContents readClassFileAt(const std::filesystem::path& path)
{
    std::string bytes;
    if (platformfile::readRegularFile(path, bytes) != platformfile::ReadResult::Ok)
        throw EKolmoError(kBladOdczytu);
    return readClassFile(std::string_view(bytes));
}

void saveClassFileAt(const std::filesystem::path& path, const ClassFileContents& contents)
{
    if (!platformfile::replaceFile(path, writeClassFile(contents)))
        throw EKolmoError(kBladZapisu);
}

std::vector<int> readFailureCodes(int code)
{
    if (code == kBladWersji)
        return {kBladWersji, kBladOdczytu};
    return {code};
}
