#pragma once

#include <cstddef>
#include <istream>
#include <limits>
#include <string>
#include <string_view>

// Text files the players hand the game (settings, recordings), a line at a time within bounds: a
// file without line feeds, or a huge one, costs no more memory than one line of the bound.
class LineReader {
public:
    enum class Result { Line, TooLong, End };

    // Lines longer than maxLineBytes are not kept; reading stops for good after maxTotalBytes.
    LineReader(std::istream& in, std::size_t maxLineBytes,
               std::size_t maxTotalBytes = std::numeric_limits<std::size_t>::max());

    // The next line, without its line end or a byte-order mark starting the file. TooLong: skipped
    // to its line feed. End: no more lines, or the total bound reached (cutShort).
    Result next(std::string& line);
    // The number of the line just read, from 1.
    int number() const { return lineNumber; }
    // False when the line just read was the last and had no line feed (a file cut off).
    bool endedWithLineFeed() const { return lineFeed; }
    // True once reading stopped at maxTotalBytes with more of the file left.
    bool cutShort() const { return stoppedAtBound; }

private:
    // The next byte, or -1 at the end of the file or of the total bound.
    int take();

    std::istream& in;
    std::size_t maxLine;
    std::size_t maxTotal;
    std::size_t bytesRead = 0;
    int lineNumber = 0;
    bool lineFeed = true;
    bool stoppedAtBound = false;
};

// Text as a terminal may show it: printable ASCII as it is, every other byte as \xNN.
std::string shownSafely(std::string_view text);
