#include "find/SimulatorSearch.h"

#include "os/FileSearch.h"
#include "os/Paths.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace vantrel::find {

const Simulator kFs2004{"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0", "EXE Path",
                        "Flight Simulator 9"};
const Simulator kFs2000{"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\7.0", "EXE Path", "FS2000"};

namespace {

const Simulator* const kSimulators[] = {&kFs2004, &kFs2000};
const char* const kProgramFolders[] = {"Program Files (x86)", "Program Files"};
constexpr const char* kGamesFolder = "Microsoft Games";
// A registry file larger than this is no prefix's.
constexpr std::size_t kLargestRegistryFile = 64u * 1024 * 1024;

class Deadline
{
public:
    explicit Deadline(os::SimulatorSearchPlatform& platform)
        : platform_(platform), end_(platform.milliseconds() + kSearchBudgetMs)
    {
    }
    bool passed() const { return platform_.milliseconds() >= end_; }

private:
    os::SimulatorSearchPlatform& platform_;
    std::int64_t end_;
};

std::string joined(const std::string& folder, const std::string& name, char separator)
{
    if (!folder.empty() && folder.back() == separator)
        return folder + name;
    return folder + separator + name;
}

bool sameName(const std::string& a, const std::string& b)
{
    return os::foldCase(a) == os::foldCase(b);
}

// A folder on a drive as a registry value names it: its drive letter (upper case) and the names below the root.
struct WindowsFolder
{
    char letter = 0;
    std::vector<std::string> names;
};

// Quotes and blanks around the value are dropped, and a value naming the program (...\fs9.exe) stands for its
// folder.
std::optional<WindowsFolder> windowsFolderOf(std::string value)
{
    const auto blankOrQuote = [](char c) { return c == ' ' || c == '\t' || c == '"'; };
    while (!value.empty() && blankOrQuote(value.back()))
        value.pop_back();
    value.erase(0,
                static_cast<std::size_t>(std::find_if_not(value.begin(), value.end(), blankOrQuote) - value.begin()));
    const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    if (value.size() < 2 || value[1] != ':' ||
        !((value[0] >= 'a' && value[0] <= 'z') || (value[0] >= 'A' && value[0] <= 'Z')) ||
        (value.size() > 2 && !isSeparator(value[2])))
        return std::nullopt;
    WindowsFolder folder;
    folder.letter = static_cast<char>(value[0] >= 'a' ? value[0] - 'a' + 'A' : value[0]);
    std::string name;
    for (std::size_t i = 2; i <= value.size(); ++i) {
        if (i < value.size() && !isSeparator(value[i])) {
            name += value[i];
            continue;
        }
        if (!name.empty())
            folder.names.push_back(name);
        name.clear();
    }
    const auto isProgram = [](const std::string& last) {
        return last.size() > 4 && os::foldCase(last.substr(last.size() - 4)) == os::foldCase(".exe");
    };
    if (!folder.names.empty() && isProgram(folder.names.back()))
        folder.names.pop_back();
    return folder;
}

// `names` below `base`, each matched in any letter case as Windows (and Wine for its programs) would match it:
// the name as written where it exists so, otherwise the first in byte order. "" when one is missing.
std::string resolvedBelow(os::SimulatorSearchPlatform& platform, std::string base, const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        const std::vector<std::string> folders = platform.entries(base, os::EntryKind::Folders);
        const int match = os::chooseMatch(name, folders);
        if (match < 0)
            return {};
        base = joined(base, folders[static_cast<std::size_t>(match)], '/');
    }
    return base;
}

// The folders of `parent`, each followed by `below` (when given), in name order.
void addChildren(os::SimulatorSearchPlatform& platform, const std::string& parent, const std::string& below,
                 std::vector<std::string>& to)
{
    std::vector<std::string> names = platform.entries(parent, os::EntryKind::Folders);
    os::sortIgnoringCase(names);
    for (const std::string& name : names)
        to.push_back(below.empty() ? joined(parent, name, '/') : joined(joined(parent, name, '/'), below, '/'));
}

// The Linux folder of a Windows folder of the prefix: drive C: is its drive_c, other letters go through the
// links in its dosdevices folder.
std::string prefixFolder(os::SimulatorSearchPlatform& platform, const std::string& prefix, const WindowsFolder& folder)
{
    const std::string drive = folder.letter == 'C' ? joined(prefix, "drive_c", '/')
                                                   : joined(joined(prefix, "dosdevices", '/'),
                                                            std::string{char(folder.letter - 'A' + 'a'), ':'}, '/');
    return resolvedBelow(platform, drive, folder.names);
}

std::size_t findIgnoringCase(const std::string& text, const std::string& lowerPattern, std::size_t from);

std::string findInPrefix(os::SimulatorSearchPlatform& platform, const std::string& prefix, const Deadline& deadline)
{
    const std::string registry = platform.readFile(joined(prefix, "system.reg", '/'), kLargestRegistryFile);
    // Most prefixes hold no simulator: one look for what the names of all its keys share (as Wine writes them, in
    // lower case) spares a look for each key.
    if (findIgnoringCase(registry, "\\\\microsoft games\\\\flight simulator\\\\", 0) != std::string::npos) {
        for (const Simulator* simulator : kSimulators) {
            // A 32-bit program in a 64-bit prefix writes below Wow6432Node.
            const std::string key = simulator->key;
            const std::string below = key.substr(key.find('\\'));
            for (const std::string& path : {"Software" + below, "Software\\Wow6432Node" + below}) {
                const std::optional<WindowsFolder> folder =
                    windowsFolderOf(wineRegistryText(registry, path, simulator->value));
                if (!folder || deadline.passed())
                    continue;
                const std::string found = prefixFolder(platform, prefix, *folder);
                const std::string aircraft = found.empty() ? found : aircraftFolderOf(platform, found, '/');
                if (!aircraft.empty())
                    return aircraft;
            }
        }
    }
    for (const Simulator* simulator : kSimulators)
        for (const char* programs : kProgramFolders) {
            if (deadline.passed())
                return {};
            const std::string found = resolvedBelow(platform, joined(prefix, "drive_c", '/'),
                                                    {programs, kGamesFolder, simulator->defaultFolder});
            const std::string aircraft = found.empty() ? found : aircraftFolderOf(platform, found, '/');
            if (!aircraft.empty())
                return aircraft;
        }
    return {};
}

void appendUtf8(std::string& to, std::uint32_t code)
{
    if (code < 0x80) {
        to += char(code);
    } else if (code < 0x800) {
        to += char(0xC0 | (code >> 6));
        to += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        to += char(0xE0 | (code >> 12));
        to += char(0x80 | ((code >> 6) & 0x3F));
        to += char(0x80 | (code & 0x3F));
    } else {
        to += char(0xF0 | (code >> 18));
        to += char(0x80 | ((code >> 12) & 0x3F));
        to += char(0x80 | ((code >> 6) & 0x3F));
        to += char(0x80 | (code & 0x3F));
    }
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Takes the string at `at` of a registry file's line ("..." or str(2):"..."), moving past it. Wine writes them in
// ASCII: UTF-16 units outside it as \x and up to four hexadecimal digits
// (or \ and up to three octal ones), and \\, \", \n and their kind for the rest.
std::optional<std::string> registryString(const std::string& line, std::size_t& at)
{
    if (line.compare(at, 7, "str(2):") == 0)
        at += 7;
    if (at >= line.size() || line[at] != '"')
        return std::nullopt;
    std::string text;
    std::uint32_t highSurrogate = 0;
    const auto add = [&](std::uint32_t unit) {
        if (unit >= 0xD800 && unit < 0xDC00) {
            highSurrogate = unit;
            return;
        }
        if (unit >= 0xDC00 && unit < 0xE000 && highSurrogate != 0)
            unit = 0x10000 + ((highSurrogate - 0xD800) << 10) + (unit - 0xDC00);
        highSurrogate = 0;
        appendUtf8(text, unit);
    };
    for (++at; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '"') {
            ++at;
            return text;
        }
        if (c != '\\' || at + 1 >= line.size()) {
            add(static_cast<unsigned char>(c));
            continue;
        }
        const char e = line[++at];
        std::uint32_t unit = 0;
        if (e == 'x') {
            int digits = 0;
            for (int d; digits < 4 && at + 1 < line.size() && (d = hexDigit(line[at + 1])) >= 0; ++digits, ++at)
                unit = unit * 16 + static_cast<std::uint32_t>(d);
            if (digits == 0)
                unit = 'x';
        } else if (e >= '0' && e <= '7') {
            unit = static_cast<std::uint32_t>(e - '0');
            for (int digits = 1; digits < 3 && at + 1 < line.size() && line[at + 1] >= '0' && line[at + 1] <= '7';
                 ++digits)
                unit = unit * 8 + static_cast<std::uint32_t>(line[++at] - '0');
        } else {
            const char* const from = "abefnrtv";
            const char* const to = "\a\b\x1b\f\n\r\t\v";
            const char* known = std::char_traits<char>::find(from, 8, e);
            unit = static_cast<unsigned char>(known ? to[known - from] : e);
        }
        add(unit);
    }
    return std::nullopt; // no closing quote: not a string
}

std::string asciiLower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Where `lowerPattern` (in lower case) first occurs in `text` at or after `from`, ignoring the letter case of ASCII
// letters; npos when it does not. Boyer-Moore-Horspool: it skips ahead by up to the pattern's length at each step.
std::size_t findIgnoringCase(const std::string& text, const std::string& lowerPattern, std::size_t from)
{
    const std::size_t length = lowerPattern.size();
    if (length == 0 || text.size() < length)
        return std::string::npos;
    const auto lower = [](char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    std::size_t skip[256];
    std::fill(std::begin(skip), std::end(skip), length);
    for (std::size_t i = 0; i + 1 < length; ++i)
        skip[static_cast<unsigned char>(lowerPattern[i])] = length - 1 - i;
    for (std::size_t at = from; at + length <= text.size();) {
        std::size_t i = length;
        while (i > 0 && lower(text[at + i - 1]) == static_cast<unsigned char>(lowerPattern[i - 1]))
            --i;
        if (i == 0)
            return at;
        at += skip[lower(text[at + length - 1])];
    }
    return std::string::npos;
}

// The key's name as Wine writes it in a header: every backslash doubled.
std::string headerName(const std::string& keyPath)
{
    std::string name;
    for (const char c : keyPath) {
        if (c == '\\')
            name += '\\';
        name += c;
    }
    return name;
}

} // namespace

std::string aircraftFolderOf(os::SimulatorSearchPlatform& platform, const std::string& folder, char separator)
{
    const std::vector<std::string> files = platform.entries(folder, os::EntryKind::Files);
    const bool simulator = std::any_of(files.begin(), files.end(), [](const std::string& name) {
        return sameName(name, "fs9.exe") || sameName(name, "fs2000.exe");
    });
    if (!simulator)
        return {};
    const std::vector<std::string> folders = platform.entries(folder, os::EntryKind::Folders);
    const int aircraft = os::chooseMatch("Aircraft", folders);
    return aircraft < 0 ? std::string() : joined(folder, folders[static_cast<std::size_t>(aircraft)], separator);
}

std::string findOnWindows(os::SimulatorSearchPlatform& platform)
{
    const Deadline deadline(platform);
    const std::vector<std::string> drives = platform.fixedDrives();
    const auto fixed = [&](char letter) {
        return std::any_of(drives.begin(), drives.end(), [&](const std::string& drive) {
            return !drive.empty() && sameName(drive.substr(0, 1), std::string(1, letter));
        });
    };
    std::vector<std::string> folders;
    for (const Simulator* simulator : kSimulators) {
        const std::optional<WindowsFolder> folder =
            windowsFolderOf(platform.machineRegistryText(simulator->key, simulator->value));
        // A network path or a drive that may not answer at once (floppy, CD, network) is left alone.
        if (!folder || !fixed(folder->letter))
            continue;
        std::string path{folder->letter, ':', '\\'};
        for (const std::string& name : folder->names)
            path = joined(path, name, '\\');
        folders.push_back(path);
    }
    for (const std::string& drive : drives)
        for (const Simulator* simulator : kSimulators)
            for (const char* programs : kProgramFolders)
                folders.push_back(drive + '\\' + programs + '\\' + kGamesFolder + '\\' + simulator->defaultFolder);

    for (const std::string& folder : folders) {
        if (deadline.passed())
            break;
        const std::string aircraft = aircraftFolderOf(platform, folder, '\\');
        if (!aircraft.empty())
            return aircraft;
    }
    return {};
}

std::vector<std::string> winePrefixes(os::SimulatorSearchPlatform& platform)
{
    std::vector<std::string> prefixes;
    // Wine itself takes only a full path there.
    std::string chosen = platform.environment("WINEPREFIX");
    while (chosen.size() > 1 && chosen.back() == '/')
        chosen.pop_back();
    if (!chosen.empty() && chosen[0] == '/')
        prefixes.push_back(chosen);
    const std::string home = platform.environment("HOME");
    if (home.empty() || home[0] != '/')
        return prefixes;
    const auto at = [&](const std::string& below) { return joined(home, below, '/'); };
    prefixes.push_back(at(".wine"));
    addChildren(platform, at(".local/share/wineprefixes"), "", prefixes);
    // ~/.steam/steam leads to Steam's own folder wherever it is; the others are where it lies without that link.
    for (const char* steam : {".steam/steam", ".local/share/Steam", ".steam/debian-installation"}) {
        const std::size_t before = prefixes.size();
        addChildren(platform, at(std::string(steam) + "/steamapps/compatdata"), "pfx", prefixes);
        if (prefixes.size() > before)
            break;
    }
    addChildren(platform, at(".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata"), "pfx",
                prefixes);
    addChildren(platform, at("Games"), "", prefixes);
    addChildren(platform, at(".local/share/bottles/bottles"), "", prefixes);
    addChildren(platform, at(".var/app/com.usebottles.bottles/data/bottles/bottles"), "", prefixes);
    addChildren(platform, at(".PlayOnLinux/wineprefix"), "", prefixes);
    return prefixes;
}

std::string findInWinePrefixes(os::SimulatorSearchPlatform& platform)
{
    const Deadline deadline(platform);
    for (const std::string& prefix : winePrefixes(platform)) {
        if (deadline.passed())
            break;
        const std::string aircraft = findInPrefix(platform, prefix, deadline);
        if (!aircraft.empty())
            return aircraft;
    }
    return {};
}

std::string findAircraftFolder(os::SimulatorSearchPlatform& platform)
{
    try {
#ifdef _WIN32
        return findOnWindows(platform);
#else
        return findInWinePrefixes(platform);
#endif
    } catch (const std::exception&) {
        // The search is a convenience: when it fails, the first start is what it always was.
        return {};
    }
}

std::string wineRegistryText(const std::string& file, const std::string& keyPath, const std::string& valueName)
{
    // A prefix's system.reg holds megabytes; the key's header is looked for as a whole, ignoring letter case (the
    // file is ASCII: Wine escapes everything else).
    const std::string header = asciiLower("[" + headerName(keyPath) + "]");
    const std::string wantedValue = asciiLower(valueName);
    for (std::size_t found = findIgnoringCase(file, header, 0); found != std::string::npos;
         found = findIgnoringCase(file, header, found + 1)) {
        if (found > 0 && file[found - 1] != '\n')
            continue;
        // The key's values, one a line, up to the next header.
        for (std::size_t start = file.find('\n', found); start != std::string::npos && start + 1 < file.size();) {
            ++start;
            if (file[start] == '[')
                break;
            const std::size_t end = file.find('\n', start);
            const std::string line = file.substr(start, end == std::string::npos ? std::string::npos : end - start);
            start = end;
            std::size_t at = 0;
            const std::optional<std::string> name = line[0] == '"' ? registryString(line, at) : std::nullopt;
            if (!name || at >= line.size() || line[at] != '=' || asciiLower(*name) != wantedValue)
                continue;
            ++at;
            return registryString(line, at).value_or(std::string());
        }
    }
    return {};
}

} // namespace vantrel::find
