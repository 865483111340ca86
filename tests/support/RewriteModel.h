#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// An independent, whole-file model of how the program reads an aircraft.cfg and what Remove and Restore write,
// to check the streaming engine against. The engine tests, the bad-input tests and the fuzzer all use it.
namespace vantrel::test {

// Lines as the program must see them: ended by CR, CR LF, a lone LF, or the end of the file. `starts` receives
// the offset of each line's first byte (of its end byte, for an empty line).
std::vector<std::string> splitLines(std::string_view bytes, std::vector<std::uint64_t>* starts = nullptr);
std::string joinCrLf(const std::vector<std::string>& lines);
// 1 + the offset of `word` (lower case) in `line`, ASCII case ignored; 0 when the line lacks it.
int wordPosition(std::string_view line, std::string_view word);
bool mentionsWingLeveler(std::string_view line);
// A line that starts with "[autopilot]", ASCII case ignored.
bool isAutopilotHeader(std::string_view line);

// How the program reads a file: its text (one char per character), its lines, and each line's bytes as stored.
// A UTF-16 file with its mark is read as text of ASCII code units as themselves and '?' for the others; a file
// that looks like 16- or 32-bit text (in its first 4096 bytes) without a mark saying how, or UTF-16 of odd length,
// is refused ("Bad file mode").
struct StoredText
{
    bool refused = false;
    int width = 1;          // bytes per character
    bool bigEndian = false; // UTF-16 byte order
    std::string mark;       // bytes before the text
    std::string text;       // 8-bit: the bytes; UTF-16: ASCII units as themselves, others '?'
    std::vector<std::string> lines;
    std::vector<std::string> stored; // each line's bytes as stored
    std::vector<std::uint64_t> starts;

    // ASCII in the file's encoding.
    std::string encode(std::string_view ascii) const;
};
StoredText readStored(const std::string& bytes);

// The bytes after Remove (below each [autopilot] header the chosen lines of FS2004, or of the older simulators)
// and after Restore (every line but the wing-leveler lines), every line ended by CR LF in the file's encoding.
// A file that already mentions a wing-leveler word is left as it is by Remove, and so is one in which Remove has
// nothing to insert (no header, no line chosen); Restore leaves one without such a word as it is; a refused file
// is left as it is by both.
std::string modelRemove(const std::string& bytes, bool bank, bool pitch, bool fs9);
std::string modelRestore(const std::string& bytes);

} // namespace vantrel::test
