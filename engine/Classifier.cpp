#include "engine/Classifier.h"

#include "engine/AppError.h"
#include "engine/FileError.h"
#include "engine/LineReader.h"
#include "engine/WordScanner.h"
#include "platform/os/FileSearch.h"
#include "platform/os/OpenFile.h"

namespace vantrel::engine {

namespace {

std::string lowerAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

} // namespace

void classifyFile(const std::string& path, Classification& out, os::FileOps& ops)
{
    out.empty = false;
    out.found = false;
    out.anyLineRead = false;
    out.opened = false;
    out.findPitch = 0;
    out.findBank = 0;
    try {
        os::OpenFile file(ops, ops.openRead(path));
        out.opened = true;
        LineReader reader(ops, file.handle());
        WordScanner scanner;
        std::string line;
        std::string_view piece;
        bool lineEnds = false;
        bool anyPiece = false;
        while (reader.next(piece, lineEnds)) {
            anyPiece = true;
            if (line.size() < Classification::kLastLineLimit)
                line.append(piece.substr(0, Classification::kLastLineLimit - line.size()));
            scanner.feed(piece);
            if (!lineEnds)
                continue;
            out.lastLine.swap(line);
            line.clear();
            out.anyLineRead = true;
            out.findPitch = scanner.findPitch();
            out.findBank = scanner.findBank();
            if (scanner.found()) {
                out.found = true;
                break;
            }
            scanner.reset();
        }
        out.empty = !anyPiece;
        file.close();
    } catch (const std::system_error& e) {
        throw fileError(e.code(), parentFolder(path), ops);
    }
}

std::string findSimulator(const std::string& simulatorFolder)
{
    std::string found = lowerAscii(os::findOrdinaryFile(simulatorFolder + "fs9.exe"));
    if (found != "fs9.exe")
        found = lowerAscii(os::findOrdinaryFile(simulatorFolder + "fs2000.exe"));
    return found;
}

} // namespace vantrel::engine
