#include "app/Manifest.h"

#include "qxsdk/core/QXFileStream.h"

#include <cstdlib>
#include <cstring>
#include <utility>

using namespace QXSDK;

namespace {

const int kBlock = 64 * 1024;

// Bytes of a line that does not end in the current block, kept for the next.
class PartialLine {
public:
    PartialLine() : bytes(nullptr), used(0), capacity(0) {}
    ~PartialLine() { std::free(bytes); }
    PartialLine(const PartialLine&) = delete;
    PartialLine& operator=(const PartialLine&) = delete;

    bool empty() const { return used == 0; }
    const char* data() const { return bytes; }
    size_t size() const { return used; }
    void clear() { used = 0; }
    // False when memory ran out.
    bool append(const char* more, size_t count)
    {
        if (used + count > capacity) {
            size_t bigger = capacity ? capacity * 2 : kBlock;
            while (bigger < used + count) bigger *= 2;
            char* grown = static_cast<char*>(std::realloc(bytes, bigger));
            if (!grown) return false;
            bytes = grown;
            capacity = bigger;
        }
        std::memcpy(bytes + used, more, count);
        used += count;
        return true;
    }

private:
    char* bytes;
    size_t used;
    size_t capacity;
};

// One entry from the bytes of a line: its text stops at a zero byte.
void addEntry(const char* bytes, size_t count, TQXList<QXString>& entries)
{
    const void* zero = std::memchr(bytes, '\0', count);
    if (zero) count = static_cast<size_t>(static_cast<const char*>(zero) - bytes);
    QXString line(static_cast<const char*>(nullptr));
    line.assign(bytes, static_cast<int>(count));
    line.trimRight();
    entries.addLast(std::move(line));
}

// Adds the lines that end in [start, end), the first one completing partial;
// keeps the unfinished rest in partial. False when memory ran out.
bool cutLines(const char* start, const char* end, PartialLine& partial, TQXList<QXString>& entries)
{
    while (start < end) {
        const char* lineFeed = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
        if (!lineFeed) return partial.append(start, static_cast<size_t>(end - start));
        const size_t count = static_cast<size_t>(lineFeed - start) + 1;
        if (partial.empty()) {
            addEntry(start, count, entries);
        } else {
            if (!partial.append(start, count)) return false;
            addEntry(partial.data(), partial.size(), entries);
            partial.clear();
        }
        start = lineFeed + 1;
    }
    return true;
}

} // namespace

void readManifest(const QXString& path, TQXList<QXString>& entries)
{
    QXFileStream manifest;
    manifest.setPath(path);
    manifest.setMode(IQXIOStream::kModeRead);
    if (!manifest.open()) return;
    if (manifest.available() == -1) {
        manifest.close();
        return;
    }
    char* block = static_cast<char*>(std::malloc(kBlock));
    if (!block) {
        manifest.close();
        return;
    }
    PartialLine partial;
    bool memoryLasted = true;
    int got;
    while (memoryLasted && (got = manifest.read(block, kBlock)) > 0)
        memoryLasted = cutLines(block, block + got, partial, entries);
    // The last line, without its line feed.
    if (memoryLasted && !partial.empty()) addEntry(partial.data(), partial.size(), entries);
    std::free(block);
    manifest.close();
}
