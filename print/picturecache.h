#pragma once
// Picture files of one print job, preview painting or PDF: each file is
// loaded once and the same QImage is handed out for every card, so a PDF
// holds a picture used on every card only once.

#include <QImage>

#include <optional>
#include <string>
#include <unordered_map>

class PictureCache {
public:
    // programFolder ends with a separator; picture names are relative to it.
    explicit PictureCache(std::string programFolder);

    // The picture a phrase names (".bmp" appended to a name without a
    // three-letter extension), or nullptr when the name is empty or no such
    // file exists. Throws EKolmoError(kBladWydruku) for a file that exists
    // but cannot be read as a picture.
    const QImage* find(const std::string& fileName);

    const std::string& programFolder() const { return programFolder_; }

private:
    std::string programFolder_;
    std::unordered_map<std::string, std::optional<QImage>> byPath_;  // nullopt: no such file
};
