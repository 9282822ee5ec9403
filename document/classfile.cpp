#include "classfile.h"

#include "ekolmoerror.h"
#include "platformfile.h"
#include "recordfields.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>
#include <type_traits>

namespace wykazki {

static_assert(std::endian::native == std::endian::little, "class files are little-endian");

namespace {

// Smallest stored sizes, used to refuse counts the rest of the file cannot hold.
constexpr std::size_t kMinPupil = 4;
// Lists are given room for this many items at first and grow as items are
// read, so that a count the file only claims costs nothing.
constexpr std::size_t kFirstReserve = 4096;
// Bytes read from a file at a time.
constexpr std::size_t kReadChunk = std::size_t{64} * 1024;

// The bytes of a class file, from memory or read from the file as they are
// parsed. Every count is checked against the bytes the file still holds
// before anything is made for it.
class Reader {
public:
    explicit Reader(std::string_view bytes) : window_(bytes), total_(bytes.size()) {}
    Reader(platformfile::RegularFile& file, std::uint64_t size)
        : file_(&file), total_(static_cast<std::size_t>(size)), buffer_(kReadChunk, '\0')
    {
    }

    std::size_t remaining() const { return total_ - consumed_; }

    template <typename T>
    T get()
    {
        char bytes[sizeof(T)];
        copy(bytes, sizeof(T));
        T v;
        std::memcpy(&v, bytes, sizeof(T));
        return v;
    }

    // A stored text ends at its first zero byte; all its bytes are consumed.
    // Only the bytes kept take memory, added as they are read.
    std::string text()
    {
        std::size_t n = get<std::uint32_t>();
        need(n);
        std::string s;
        bool ended = false;
        while (n > 0) {
            const std::string_view piece = take(n);
            n -= piece.size();
            if (ended)
                continue;
            const std::size_t zero = piece.find('\0');
            s.append(piece.substr(0, zero));
            ended = zero != std::string_view::npos;
        }
        return s;
    }

    std::string bytes(std::size_t n)
    {
        need(n);
        std::string s(n, '\0');
        copy(s.data(), n);
        return s;
    }

    void skip(std::size_t n)
    {
        need(n);
        while (n > 0)
            n -= take(n).size();
    }

    // A count of items at least minSize bytes each that must fit in the rest.
    std::uint32_t count(std::size_t minSize)
    {
        const auto n = get<std::uint32_t>();
        if (static_cast<std::uint64_t>(n) * minSize > remaining())
            throw EKolmoError(ErrorCode::ReadFailed);
        return n;
    }

private:
    void need(std::size_t n) const
    {
        if (n > remaining())
            throw EKolmoError(ErrorCode::ReadFailed);
    }

    void copy(char* out, std::size_t n)
    {
        need(n);
        while (n > 0) {
            const std::string_view piece = take(n);
            std::memcpy(out, piece.data(), piece.size());
            out += piece.size();
            n -= piece.size();
        }
    }

    // Up to n of the next bytes (at least one); a file ending sooner than
    // it said fails the read.
    std::string_view take(std::size_t n)
    {
        if (window_.empty() && file_ != nullptr) {
            const std::ptrdiff_t got =
                file_->read(buffer_.data(), std::min(buffer_.size(), remaining()));
            if (got <= 0)
                throw EKolmoError(ErrorCode::ReadFailed);
            window_ = std::string_view(buffer_.data(), static_cast<std::size_t>(got));
        }
        if (window_.empty())
            throw EKolmoError(ErrorCode::ReadFailed);
        const std::string_view piece = window_.substr(0, n);
        window_.remove_prefix(piece.size());
        consumed_ += piece.size();
        return piece;
    }

    std::string_view window_;  // read and not yet taken
    platformfile::RegularFile* file_ = nullptr;
    std::size_t total_;
    std::size_t consumed_ = 0;
    std::string buffer_;
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

// Stored values, one overload per kind of member.
template <typename T>
requires std::is_arithmetic_v<T>
void readValue(Reader& r, T& value, StoredText)
{
    value = r.get<T>();
}

template <typename T>
requires std::is_enum_v<T>
void readValue(Reader& r, T& value, StoredText)
{
    value = T{r.get<std::underlying_type_t<T>>()};
}

void readValue(Reader& r, std::string& value, StoredText stored)
{
    if (stored == StoredText::Ended) {
        value = r.text();
        return;
    }
    const auto length = r.get<std::uint32_t>();
    if (length > kMaxFontNameBytes)
        throw EKolmoError(ErrorCode::ReadFailed);
    value = r.bytes(length);
}

void readValue(Reader& r, std::vector<std::int32_t>& sizes, StoredText)
{
    const auto n = r.get<std::uint32_t>();
    if (n > GridLayout::kMaxCount || std::uint64_t(n) * 4 > r.remaining())
        throw EKolmoError(ErrorCode::ReadFailed);
    sizes.resize(n);
    for (auto& s : sizes)
        s = r.get<std::int32_t>();
}

template <std::size_t N>
void readValue(Reader& r, std::array<std::string, N>& texts, StoredText)
{
    for (auto& text : texts)
        text = r.text();
}

template <typename T>
requires std::is_arithmetic_v<T>
void writeValue(Writer& w, T value, StoredText)
{
    w.put(value);
}

template <typename T>
requires std::is_enum_v<T>
void writeValue(Writer& w, T value, StoredText)
{
    w.put(static_cast<std::underlying_type_t<T>>(value));
}

void writeValue(Writer& w, const std::string& value, StoredText stored)
{
    if (stored == StoredText::Ended) {
        w.text(value);
        return;
    }
    // A longer name could not be read back.
    const std::string_view name = std::string_view(value).substr(0, kMaxFontNameBytes);
    w.put(static_cast<std::uint32_t>(name.size()));
    w.raw(name);
}

void writeValue(Writer& w, const std::vector<std::int32_t>& sizes, StoredText)
{
    w.put(static_cast<std::uint32_t>(sizes.size()));
    for (auto s : sizes)
        w.put(s);
}

template <std::size_t N>
void writeValue(Writer& w, const std::array<std::string, N>& texts, StoredText)
{
    for (const auto& text : texts)
        w.text(text);
}

// Bytes a value takes in the file; minimal: what it takes when its texts
// and lists are empty.
template <typename T>
std::size_t valueSize(const T& value, StoredText stored)
{
    if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>)
        return sizeof(T);
    else if constexpr (std::is_same_v<T, std::string>)
        return 4
               + (stored == StoredText::FontName ? std::min(value.size(), kMaxFontNameBytes)
                                                 : value.size());
    else if constexpr (std::is_same_v<T, std::vector<std::int32_t>>)
        return 4 + 4 * value.size();
    else {
        std::size_t n = 0;
        for (const auto& text : value)
            n += 4 + text.size();
        return n;
    }
}

template <typename Record>
void readFields(Reader& r, Record& record, int version)
{
    forEachField<Record>([&](const auto& f) {
        if (version < f.sinceVersion)
            return;
        readValue(r, record.*f.member, f.stored);
        r.skip(f.paddingAfter);
    });
}

template <typename Record>
void writeFields(Writer& w, const Record& record)
{
    forEachField<Record>([&](const auto& f) {
        writeValue(w, record.*f.member, f.stored);
        for (std::size_t i = 0; i < f.paddingAfter; ++i)
            w.put(std::uint8_t{0});
    });
}

template <typename Record>
std::size_t storedSize(const Record& record, int version = kWrittenVersion)
{
    std::size_t n = 0;
    forEachField<Record>([&](const auto& f) {
        if (version >= f.sinceVersion)
            n += valueSize(record.*f.member, f.stored) + f.paddingAfter;
    });
    return n;
}

void readRecord(Reader& r, TFra& f, int version)
{
    readFields(r, f, version);
    if (f.align < 0 || f.align > 2)
        f.align = 0;
}

// The smallest record a file of this version can hold: its texts empty.
std::size_t minRecordSize(int version)
{
    TFra empty;
    empty.fontName.clear();
    return storedSize(empty, version);
}

void readRecords(Reader& r, TFrazy& list, int version)
{
    const auto n = r.count(minRecordSize(version));
    list.reserve(std::min<std::size_t>(n, kFirstReserve));
    for (std::uint32_t j = 0; j < n; ++j) {
        TFra f;
        readRecord(r, f, version);
        list.push_back(std::move(f));
    }
}

void writeRecords(Writer& w, const TFrazy& list)
{
    w.put(static_cast<std::uint32_t>(list.count()));
    for (const TFra& f : list)
        writeFields(w, f);
}

template <typename Record>
Record read(Reader& r)
{
    Record record;
    readFields(r, record, kWrittenVersion);
    return record;
}

std::int8_t readVersion(Reader& r)
{
    const auto version = r.get<std::int8_t>();
    if (version < kOldestVersion || version > kNewestVersion)
        throw EKolmoError(ErrorCode::WrongVersion);
    return version;
}

// The rest of the file after its version byte.
ClassFileContents readContents(Reader& r, std::int8_t version, std::size_t paddingAllowance)
{
    ClassFileContents c;
    c.version = version;
    const std::size_t minRecord = minRecordSize(c.version);
    r.get<std::uint8_t>();  // reserved

    readRecords(r, c.phrases, c.version);
    const std::size_t phrases = c.phrases.count();

    const auto pupils = r.count(kMinPupil);
    c.pupils.reserve(std::min<std::size_t>(pupils, kFirstReserve));
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
                throw EKolmoError(ErrorCode::ReadFailed);
        }
        TDok pupil;
        // Keep the invariant: one value per phrase; values beyond the
        // phrase count are read past and dropped, missing ones padded.
        pupil.values.reserve(std::min<std::size_t>(phrases, kFirstReserve));
        for (std::uint32_t j = 0; j < stored; ++j) {
            if (j < phrases) {
                TFra value;
                readRecord(r, value, c.version);
                pupil.values.push_back(std::move(value));
            } else {
                readRecord(r, extra, c.version);
            }
        }
        pupil.values.resize(phrases);
        c.pupils.push_back(std::move(pupil));
    }

    readFields(r, c.options, c.version);
    c.screen.main = read<WindowRect>(r);
    c.screen.pupilGrid = read<GridLayout>(r);
    c.screen.phraseEditor = read<WindowRect>(r);
    c.screen.phraseGrid = read<GridLayout>(r);
    c.screen.tablePrint = read<WindowRect>(r);
    c.screen.preview = read<WindowRect>(r);
    c.screen.printOptions = read<WindowRect>(r);
    // Bytes after the last item are left alone: older files may carry them.
    return c;
}

}  // namespace

ClassFileContents readClassFile(std::string_view bytes, std::size_t paddingAllowance)
{
    Reader r(bytes);
    const std::int8_t version = readVersion(r);
    return readContents(r, version, paddingAllowance);
}

ClassFileContents readClassFile(std::istream& in)
{
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw EKolmoError(ErrorCode::ReadFailed);
    return readClassFile(std::string_view(bytes));
}

namespace {

std::size_t recordsSize(const TFrazy& list)
{
    std::size_t n = 4;
    for (const TFra& f : list)
        n += storedSize(f);
    return n;
}

// The exact size of the file, so that writing never reallocates.
std::size_t fileSize(const ClassFileContents& c)
{
    std::size_t n = 2 + recordsSize(c.phrases) + 4;
    for (const TDok& pupil : c.pupils)
        n += recordsSize(pupil.values);
    n += storedSize(c.options) + storedSize(c.screen.pupilGrid) + storedSize(c.screen.phraseGrid);
    return n + 5 * storedSize(WindowRect{});
}

}  // namespace

std::string writeClassFile(const ClassFileContents& c)
{
    std::string out;
    const std::size_t expectedSize = fileSize(c);
    out.reserve(expectedSize);
    Writer w(out);
    w.put(kWrittenVersion);
    w.put(std::uint8_t{0});
    writeRecords(w, c.phrases);
    w.put(static_cast<std::uint32_t>(c.pupils.count()));
    for (const TDok& pupil : c.pupils)
        writeRecords(w, pupil.values);
    writeFields(w, c.options);
    writeFields(w, c.screen.main);
    writeFields(w, c.screen.pupilGrid);
    writeFields(w, c.screen.phraseEditor);
    writeFields(w, c.screen.phraseGrid);
    writeFields(w, c.screen.tablePrint);
    writeFields(w, c.screen.preview);
    writeFields(w, c.screen.printOptions);
    assert(out.size() == expectedSize);
    return out;
}

void writeClassFile(std::ostream& out, const ClassFileContents& contents)
{
    const std::string bytes = writeClassFile(contents);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out)
        throw EKolmoError(ErrorCode::WriteFailed);
}

std::string writeGridLayout(const GridLayout& layout)
{
    std::string out;
    Writer w(out);
    writeFields(w, layout);
    return out;
}

GridLayout readGridLayout(std::string_view bytes)
{
    Reader r(bytes);
    return read<GridLayout>(r);
}

namespace {

// Appends n bytes from the stream to block, or fails the read.
void take(std::istream& in, std::string& block, std::size_t n)
{
    const std::size_t old = block.size();
    block.resize(old + n);
    in.read(block.data() + old, static_cast<std::streamsize>(n));
    if (static_cast<std::size_t>(in.gcount()) != n)
        throw EKolmoError(ErrorCode::ReadFailed);
}

// Appends a stored count and checks it against limit.
std::uint32_t takeCount(std::istream& in, std::string& block, std::size_t limit)
{
    take(in, block, 4);
    std::uint32_t n;
    std::memcpy(&n, block.data() + block.size() - 4, 4);
    if (n > limit)
        throw EKolmoError(ErrorCode::ReadFailed);
    return n;
}

}  // namespace

GridLayout readGridLayout(std::istream& in)
{
    // The block's length follows from its counts, so exactly one block is
    // taken from the stream and checked before any of it is used.
    std::string block;
    forEachField<GridLayout>([&](const auto& f) {
        using T = std::remove_cvref_t<decltype(GridLayout{}.*f.member)>;
        if constexpr (std::is_arithmetic_v<T>)
            take(in, block, sizeof(T));
        else if constexpr (std::is_same_v<T, std::string>)
            take(in, block, takeCount(in, block, kMaxFontNameBytes));
        else
            take(in, block, 4 * std::size_t(takeCount(in, block, GridLayout::kMaxCount)));
        take(in, block, f.paddingAfter);
    });
    return readGridLayout(std::string_view(block));
}

ClassFileContents readClassFileAt(const std::filesystem::path& path)
{
    platformfile::RegularFile file;
    if (file.open(path) != platformfile::ReadResult::Ok)
        throw EKolmoError(ErrorCode::ReadFailed);
    // The version first: a file of another kind costs one byte, whatever
    // its size. Then the file's size, before anything is read for it.
    const std::uint64_t size = std::min<std::uint64_t>(file.size(), kMaxClassFileBytes + 1);
    Reader r(file, size);
    const std::int8_t version = readVersion(r);
    if (file.size() > kMaxClassFileBytes)
        throw EKolmoError(ErrorCode::ReadFailed);
    return readContents(r, version, kPaddingAllowance);
}

void saveClassFileAt(const std::filesystem::path& path, const ClassFileContents& contents)
{
    if (!platformfile::replaceFile(path, writeClassFile(contents)))
        throw EKolmoError(ErrorCode::WriteFailed);
}

std::vector<ErrorCode> readFailureCodes(ErrorCode code)
{
    if (code == ErrorCode::WrongVersion)
        return {ErrorCode::WrongVersion, ErrorCode::ReadFailed};
    return {code};
}

}  // namespace wykazki
