#pragma once
// Picture files of one print job, preview painting or PDF: each file is
// loaded once and the same QImage is handed out for every card, so a PDF
// holds a picture used on every card only once.

#include <QImage>

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

namespace wykazki {

class PictureCache {
public:
    enum class State {
        Loaded,
        Missing,  // an empty name, no such file, or a name outside the program folder
        Damaged,  // the file does not decode completely, or is too large to decode
    };

    // programFolder ends with a separator; picture names are relative to it.
    explicit PictureCache(std::string programFolder);

    // The picture a phrase names (".bmp" appended to a name without a
    // three-letter extension), or nullptr when it is missing or damaged;
    // state, when given, says which.
    const QImage* find(const std::string& fileName, State* state = nullptr);

    const std::string& programFolder() const { return programFolder_; }

private:
    struct Entry {
        std::optional<QImage> image;
        State state = State::Missing;
    };

    std::string programFolder_;
    std::unordered_map<std::string, std::string>
        byName_;  // name -> path inside the folder, "" for none
    std::unordered_map<std::string, Entry> byPath_;
};

// Decodes a picture file, the bytes deciding its format. Nothing when the
// file cannot be read, is not a picture, is larger than the decoder allows
// or ends before the picture does (a bitmap cut short would otherwise come
// out with black rows).
// The file is found by the bytes of its name, so a name in any encoding is
// read; only regular files are opened.
std::optional<QImage> decodeWholePicture(const std::filesystem::path& path);

}  // namespace wykazki
