#include "core/LineReader.h"

#include <cstdio>

namespace {

constexpr char kFirstPrintable = ' ';
constexpr char kLastPrintable = '~';
constexpr int kLineFeed = '\n';
// Windows editors start UTF-8 text with it.
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

}  // namespace

LineReader::LineReader(std::istream& in, std::size_t maxLineBytes, std::size_t maxTotalBytes)
    : in(in), maxLine(maxLineBytes), maxTotal(maxTotalBytes) {}

int LineReader::take() {
    if (bytesRead >= maxTotal) {
        stoppedAtBound = stoppedAtBound || in.peek() != std::istream::traits_type::eof();
        return -1;
    }
    const std::istream::int_type byte = in.get();
    if (byte == std::istream::traits_type::eof()) return -1;
    ++bytesRead;
    return std::istream::traits_type::to_char_type(byte) & 0xff;
}

LineReader::Result LineReader::next(std::string& line) {
    line.clear();
    int byte = take();
    if (byte < 0) return Result::End;
    ++lineNumber;
    bool fits = true;
    for (; byte >= 0 && byte != kLineFeed; byte = take()) {
        if (line.size() < maxLine) {
            line.push_back(static_cast<char>(byte));
        } else {
            fits = false;
        }
    }
    lineFeed = byte == kLineFeed;
    if (!fits) {
        line.clear();
        return Result::TooLong;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineNumber == 1 && line.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
        line.erase(0, kByteOrderMark.size());
    }
    return Result::Line;
}

std::string shownSafely(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        if (c >= kFirstPrintable && c <= kLastPrintable && c != '\\') {
            shown.push_back(c);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            shown += escaped;
        }
    }
    return shown;
}
