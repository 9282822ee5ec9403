#include "tabtext.h"

namespace wykazki {

namespace {

// Whether the field starting at the quote at `at` is a quoted field: its
// closing quote (a doubled quote is none) ends the field. Spreadsheets
// write a text like "cytat" na początku without quotes around it.
bool isQuotedField(std::string_view text, std::size_t at)
{
    std::size_t k = at + 1;
    while (k < text.size()) {
        if (text[k] != '"') {
            ++k;
            continue;
        }
        if (k + 1 < text.size() && text[k + 1] == '"') {
            k += 2;
            continue;
        }
        ++k;
        return k == text.size() || text[k] == '\t' || text[k] == '\r' || text[k] == '\n';
    }
    return true;  // cut short: the rest of the text is the field
}

bool needsQuotes(std::string_view cell)
{
    return cell.find_first_of("\r\n\t") != std::string_view::npos
           || (!cell.empty() && cell.front() == '"');
}

}  // namespace

void appendTabCell(std::string& text, std::string_view cell)
{
    if (!needsQuotes(cell)) {
        text += cell;
        return;
    }
    text += '"';
    for (std::size_t k = 0; k < cell.size(); ++k) {
        const char ch = cell[k];
        if (ch == '"') {
            text += "\"\"";
        } else if (ch == '\r') {
            text += '\n';  // CR LF and a lone CR are one line break each
            if (k + 1 < cell.size() && cell[k + 1] == '\n')
                ++k;
        } else {
            text += ch;
        }
    }
    text += '"';
}

void walkTabText(std::string_view text,
                 const std::function<void(int i, int j, std::string& cell)>& deliver)
{
    int i = 0;
    int j = 0;
    std::string cell;
    bool pending = false;  // something of the current cell has been read
    std::size_t k = 0;
    const auto lineEndAt = [&](std::size_t at) {
        return at < text.size() && (text[at] == '\n' || text[at] == '\r');
    };
    const auto skipLineEnd = [&] {
        if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n')
            ++k;
        ++k;
    };
    while (k < text.size()) {
        const char ch = text[k];
        if (ch == '"' && !pending && isQuotedField(text, k)) {
            // A quoted field: up to the quote that is not doubled.
            pending = true;
            ++k;
            while (k < text.size()) {
                if (text[k] == '"') {
                    if (k + 1 < text.size() && text[k + 1] == '"') {
                        cell += '"';
                        k += 2;
                        continue;
                    }
                    ++k;
                    break;
                }
                if (text[k] == '\r' || text[k] == '\n') {
                    cell += "\r\n";
                    skipLineEnd();
                    continue;
                }
                cell += text[k++];
            }
            continue;
        }
        if (ch == '\t') {
            if (lineEndAt(k + 1)) {
                ++k;  // the row's trailing TAB: the line end follows
                continue;
            }
            deliver(i, j, cell);
            cell.clear();
            pending = false;
            ++i;
            ++k;
            continue;
        }
        if (ch == '\n' || ch == '\r') {
            deliver(i, j, cell);
            cell.clear();
            pending = false;
            i = 0;
            ++j;
            skipLineEnd();
            continue;
        }
        cell += ch;
        pending = true;
        ++k;
    }
    if (pending || i > 0)
        deliver(i, j, cell);
}

}  // namespace wykazki
