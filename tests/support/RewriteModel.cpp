#include "RewriteModel.h"

#include <algorithm>

namespace vantrel::test {

namespace {

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// 16-bit text without a mark: in the bytes at even, or at odd, offsets (whole units only) zeros make up at least
// half, or two of them are a CR or LF unit (the line end beside a zero byte).
bool looksWide(std::string_view probe)
{
    const std::size_t units = probe.size() / 2;
    for (const std::size_t phase : {0, 1}) {
        std::size_t zeros = 0;
        std::size_t lineEnds = 0;
        for (std::size_t unit = 0; unit < units; ++unit) {
            const char byte = probe[2 * unit + phase];
            const char other = probe[2 * unit + 1 - phase];
            zeros += byte == '\0';
            lineEnds += byte == '\0' && (other == '\r' || other == '\n');
        }
        if (units > 0 && (2 * zeros >= units || lineEnds >= 2))
            return true;
    }
    return false;
}

} // namespace

std::vector<std::string> splitLines(std::string_view bytes, std::vector<std::uint64_t>* starts)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (!open && starts)
            starts->push_back(i);
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue;
        }
        line.push_back(c);
        open = true;
    }
    if (open)
        lines.push_back(line);
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

int wordPosition(std::string_view line, std::string_view word)
{
    const std::size_t at = lowerAscii(line).find(word);
    return at == std::string::npos ? 0 : static_cast<int>(at + 1);
}

bool mentionsWingLeveler(std::string_view line)
{
    return wordPosition(line, "default_pitch") > 0 || wordPosition(line, "default_bank") > 0;
}

bool isAutopilotHeader(std::string_view line)
{
    return lowerAscii(line.substr(0, 11)) == "[autopilot]";
}

std::string StoredText::encode(std::string_view ascii) const
{
    if (width == 1)
        return std::string(ascii);
    std::string out;
    for (const char c : ascii) {
        out += bigEndian ? '\0' : c;
        out += bigEndian ? c : '\0';
    }
    return out;
}

StoredText readStored(const std::string& bytes)
{
    StoredText t;
    if (startsWith(bytes, std::string_view("\xFF\xFE\0\0", 4)) || startsWith(bytes, std::string_view("\0\0\xFE\xFF", 4))) {
        t.refused = true;
        return t;
    }
    if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF")) {
        t.width = 2;
        t.bigEndian = bytes[0] == '\xFE';
        t.mark = bytes.substr(0, 2);
        if (bytes.size() % 2 != 0) {
            t.refused = true;
            return t;
        }
        for (std::size_t i = 2; i < bytes.size(); i += 2) {
            const unsigned char first = static_cast<unsigned char>(bytes[i]);
            const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
            const unsigned unit = t.bigEndian ? (first << 8 | second) : (second << 8 | first);
            t.text += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
    } else {
        if (looksWide(std::string_view(bytes).substr(0, 4096))) {
            t.refused = true;
            return t;
        }
        t.text = bytes;
    }
    t.lines = splitLines(t.text, &t.starts);
    for (std::size_t i = 0; i < t.lines.size(); ++i)
        t.stored.push_back(bytes.substr(t.mark.size() + t.width * t.starts[i], t.width * t.lines[i].size()));
    return t;
}

std::string modelRemove(const std::string& bytes, bool bank, bool pitch, bool fs9)
{
    const StoredText t = readStored(bytes);
    if (t.refused || std::any_of(t.lines.begin(), t.lines.end(), mentionsWingLeveler))
        return bytes; // the wing leveler is off already: the file stays as it is
    std::string out = t.mark;
    bool inserted = false;
    for (std::size_t i = 0; i < t.lines.size(); ++i) {
        const std::string_view line = t.lines[i];
        out += t.stored[i] + t.encode("\r\n");
        // A UTF-8 byte-order mark before the first line is no part of its text.
        const bool marked = i == 0 && startsWith(line, "\xEF\xBB\xBF");
        if (!isAutopilotHeader(marked ? line.substr(3) : line))
            continue;
        if (bank)
            out += t.encode(fs9 ? "default_bank_mode=0\r\n" : "use_no_default_bank=1\r\n");
        if (pitch)
            out += t.encode(fs9 ? "default_pitch_mode=0\r\n" : "use_no_default_pitch=1\r\n");
        inserted = inserted || bank || pitch;
    }
    return inserted ? out : bytes; // no line to insert: the file stays as it is, its line ends too
}

std::string modelRestore(const std::string& bytes)
{
    const StoredText t = readStored(bytes);
    if (t.refused)
        return bytes;
    std::string out = t.mark;
    bool droppedAny = false;
    for (std::size_t i = 0; i < t.lines.size(); ++i) {
        if (mentionsWingLeveler(t.lines[i]))
            droppedAny = true;
        else
            out += t.stored[i] + t.encode("\r\n");
    }
    return droppedAny ? out : bytes; // nothing to take out: the file stays as it is
}

} // namespace vantrel::test
