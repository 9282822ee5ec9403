#pragma once
// File names as the file system holds them (bytes, which need not be
// UTF-8: a name made on a Latin-2 system or copied from old media) and as
// the windows show them. Qt's own conversion (QFile::decodeName) turns a
// byte that is not UTF-8 into U+FFFD and cannot give it back, so the
// program keeps every path as its bytes and converts only for showing.

#include <QString>

#include <string>

namespace wykazki {

namespace filenames {

// A name for showing: UTF-8 where the bytes are UTF-8, any other byte as
// the ISO 8859-2 letter it stands for there ("\xb6wiad.wkz" shows as
// "świad.wkz").
QString display(const std::string& bytes);

// The bytes of a name a file dialog or the user gave. Usually its UTF-8
// (QFile::encodeName); where that names nothing, a folder or file that
// exists and shows as the same text (display() or Qt's own decoding) gives
// its own bytes, so that a name Qt cannot spell still leads to its file.
std::string fromDisplay(const QString& name);

// Whether the bytes are a name Qt can spell: QFile::encodeName gives them
// back from QFile::decodeName.
bool qtCanSpell(const std::string& bytes);

}  // namespace filenames

}  // namespace wykazki
