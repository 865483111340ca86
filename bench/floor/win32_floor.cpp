// The Windows floors: only the file work that the scan and Modify must do, with the plain Windows calls and no
// other logic, the peers that vantrel.exe is measured against (see scripts/bench-windows).
//
//   vantrel_floor scan AIRCRAFT_FOLDER
//       FindFirstFileW over the folder; each sub-folder's aircraft.cfg opened and read until a wing-leveler word
//       (default_bank, default_pitch, any letter case) or its end. Prints seconds=, remove= (files without the
//       word) and restore= (files with it).
//   vantrel_floor modify AIRCRAFT_FOLDER remove|restore
//       The aircraft of that mode's list are found first, outside the timing (the program has them listed
//       already). Then, timed: for each one a backup copy (aircraftcfg.bak, when there is none yet), the file read,
//       aircraftcfg.tmp written with the line inserted below [autopilot] (remove) or without the wing-leveler lines
//       (restore), FlushFileBuffers, MoveFileExW over aircraft.cfg; and after them the scan again, as Modify ends
//       with one. Prints seconds= and rewritten=.

#include "Clock.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what, const std::wstring& path)
{
    std::fprintf(stderr, "vantrel_floor: cannot %s %ls: error %lu\n", what, path.c_str(), GetLastError());
    std::exit(1);
}

constexpr DWORD kBufferSize = 64 * 1024;

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsNoCase(const char* at, const char* end, const char* word)
{
    for (; *word; ++word, ++at)
        if (at == end || lower(*at) != *word)
            return false;
    return true;
}

// Whether bytes [begin, end) hold a wing-leveler word.
bool holdsWord(const char* begin, const char* end)
{
    for (const char* at = begin; at < end; ++at)
        if (lower(*at) == 'd' && (startsNoCase(at, end, "default_bank") || startsNoCase(at, end, "default_pitch")))
            return true;
    return false;
}

// Reads the open file until a wing-leveler word or its end; a word across two reads is still found.
bool fileHoldsWord(HANDLE file, std::vector<char>& buffer)
{
    constexpr DWORD keep = 12; // one less than the longer word
    DWORD kept = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer.data() + kept, kBufferSize, &got, nullptr) || got == 0)
            return false;
        const DWORD filled = kept + got;
        if (holdsWord(buffer.data(), buffer.data() + filled))
            return true;
        kept = filled < keep ? filled : keep;
        std::memmove(buffer.data(), buffer.data() + filled - kept, kept);
    }
}

struct Aircraft
{
    std::wstring folder;
    bool modified;
};

// The scan: every sub-folder with an aircraft.cfg, and whether that holds a wing-leveler word.
std::vector<Aircraft> scan(const std::wstring& root)
{
    std::vector<Aircraft> found;
    std::vector<char> buffer(kBufferSize + 16);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((root + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        fail("list", root);
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || wcscmp(entry.cFileName, L".") == 0 ||
            wcscmp(entry.cFileName, L"..") == 0)
            continue;
        const std::wstring folder = root + L"\\" + entry.cFileName;
        HANDLE file = CreateFileW((folder + L"\\aircraft.cfg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        found.push_back({folder, fileHoldsWord(file, buffer)});
        CloseHandle(file);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

std::string readWhole(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        fail("open", path);
    std::string content;
    std::vector<char> buffer(kBufferSize);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer.data(), kBufferSize, &got, nullptr))
            fail("read", path);
        if (got == 0)
            break;
        content.append(buffer.data(), got);
    }
    CloseHandle(file);
    return content;
}

// The new content: line by line, with the bank line below each [autopilot] header, or without the lines that
// hold a wing-leveler word.
std::string rewritten(const std::string& old, bool remove)
{
    std::string out;
    out.reserve(old.size() + 64);
    std::size_t start = 0;
    while (start < old.size()) {
        std::size_t end = old.find('\n', start);
        end = end == std::string::npos ? old.size() : end + 1;
        const char* line = old.data() + start;
        const char* lineEnd = old.data() + end;
        if (remove) {
            out.append(line, lineEnd);
            if (startsNoCase(line, lineEnd, "[autopilot]"))
                out += "default_bank_mode=0\r\n";
        } else if (!holdsWord(line, lineEnd)) {
            out.append(line, lineEnd);
        }
        start = end;
    }
    return out;
}

void rewrite(const std::wstring& folder, bool remove)
{
    const std::wstring cfg = folder + L"\\aircraft.cfg";
    const std::wstring bak = folder + L"\\aircraftcfg.bak";
    const std::wstring tmp = folder + L"\\aircraftcfg.tmp";
    if (GetFileAttributesW(bak.c_str()) == INVALID_FILE_ATTRIBUTES && !CopyFileW(cfg.c_str(), bak.c_str(), TRUE))
        fail("back up", cfg);
    const std::string content = rewritten(readWhole(cfg), remove);
    HANDLE out = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        fail("create", tmp);
    DWORD written = 0;
    if (!WriteFile(out, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
        written != content.size())
        fail("write", tmp);
    if (!FlushFileBuffers(out))
        fail("flush", tmp);
    CloseHandle(out);
    if (!MoveFileExW(tmp.c_str(), cfg.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        fail("rename over", cfg);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring operation = argc > 1 ? argv[1] : L"";
    if (operation == L"scan" && argc == 3) {
        const double start = now();
        const std::vector<Aircraft> found = scan(argv[2]);
        const double seconds = now() - start;
        std::size_t modified = 0;
        for (const Aircraft& aircraft : found)
            modified += aircraft.modified ? 1 : 0;
        std::printf("seconds=%.6f\nremove=%zu\nrestore=%zu\n", seconds, found.size() - modified, modified);
        return 0;
    }
    if (operation == L"modify" && argc == 4 && (wcscmp(argv[3], L"remove") == 0 || wcscmp(argv[3], L"restore") == 0)) {
        const bool remove = wcscmp(argv[3], L"remove") == 0;
        const std::vector<Aircraft> listed = scan(argv[2]);
        const double start = now();
        std::size_t count = 0;
        for (const Aircraft& aircraft : listed) {
            if (aircraft.modified == remove)
                continue;
            rewrite(aircraft.folder, remove);
            ++count;
        }
        scan(argv[2]);
        std::printf("seconds=%.6f\nrewritten=%zu\n", now() - start, count);
        return 0;
    }
    std::fputs("usage: vantrel_floor scan AIRCRAFT_FOLDER | modify AIRCRAFT_FOLDER remove|restore\n", stderr);
    return 2;
}
