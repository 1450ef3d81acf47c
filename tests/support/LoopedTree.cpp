#include "support/LoopedTree.h"

#include <cstdint>
#include <stdexcept>

#include "support/TestFiles.h"

namespace {
// Page kinds of the file format.
const uint8_t kIndexInterior = 2, kTableInterior = 5, kIndexLeaf = 10, kTableLeaf = 13;

uint32_t Get(const std::string& data, size_t at, int width) {
    uint32_t value = 0;
    for (int i = 0; i < width; ++i) value = value << 8 | static_cast<uint8_t>(data[at + i]);
    return value;
}

void Put(std::string& data, size_t at, uint32_t value, int width) {
    for (int i = width - 1; i >= 0; --i, value >>= 8) data[at + i] = static_cast<char>(value & 0xff);
}

// The varint of the file format at at, which moves past it.
uint64_t Varint(const std::string& data, size_t& at) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        const uint8_t byte = static_cast<uint8_t>(data[at++]);
        value = value << 7 | (byte & 0x7f);
        if (byte < 0x80) return value;
    }
    return value << 8 | static_cast<uint8_t>(data[at++]);
}
}  // namespace

void LoopTree(const std::string& path, const std::string& name, int levels, int cells) {
    std::string data = ReadFile(path);
    const size_t pageSize = Get(data, 16, 2) == 1 ? 65536 : Get(data, 16, 2);
    const uint32_t pages = static_cast<uint32_t>(data.size() / pageSize);
    const uint32_t root =
        name == "sqlite_master" ? 1 : std::stoul(RawQuery(path, "SELECT rootpage FROM sqlite_master WHERE name = '" +
                                                                    name + "'").at(0).at(0));
    auto page = [&](uint32_t number) { return (number - 1) * pageSize; };
    auto header = [&](uint32_t number) { return page(number) + (number == 1 ? 100 : 0); };
    const uint8_t kind = static_cast<uint8_t>(data[header(root)]);
    const bool index = kind == kIndexInterior || kind == kIndexLeaf;
    // The key of every new cell: an index's first entry, or a row id above any.
    std::string key;
    uint32_t at = root;
    while (data[header(at)] == kIndexInterior || data[header(at)] == kTableInterior)
        at = Get(data, page(at) + Get(data, header(at) + 12, 2), 4);
    if (index) {
        const size_t cell = page(at) + Get(data, header(at) + 8, 2);
        size_t end = cell;
        const uint64_t payload = Varint(data, end);  // end moves past the varint
        key = data.substr(cell, end + payload - cell);
    } else {
        key = std::string("\x81\x80\x80\x80", 4) + '\0';  // 2^28
    }
    // The old root moves to the file's end; on page 1 its header and cell
    // pointers move from behind the file header to the page's start.
    std::string moved = data.substr(page(root), pageSize);
    if (root == 1) {
        const size_t headerSize = kind == kIndexLeaf || kind == kTableLeaf ? 8 : 12;
        const size_t top = Get(moved, 105, 2);
        const std::string head = moved.substr(100, headerSize + 2 * Get(moved, 103, 2));
        moved.replace(0, top, std::string(top, '\0'));
        moved.replace(0, head.size(), head);
    }
    data += moved;
    const std::string cell = std::string(4, '\0') + key;
    const size_t top = pageSize - cells * cell.size();
    for (int level = 0; level < levels; ++level) {
        const uint32_t number = level == 0 ? root : pages + 1 + level;
        const uint32_t child = level + 1 < levels ? pages + 2 + level : pages + 1;
        const size_t start = number == 1 ? 100 : 0;
        if (start + 12 + 2 * cells > top) throw std::runtime_error("the cells do not fit on a page");
        std::string made(pageSize, '\0');
        if (number == 1) made.replace(0, 100, data, 0, 100);
        made[start] = static_cast<char>(index ? kIndexInterior : kTableInterior);
        Put(made, start + 3, cells, 2);
        Put(made, start + 5, top, 2);
        Put(made, start + 8, child, 4);
        for (int i = 0; i < cells; ++i) {
            const size_t place = top + i * cell.size();
            made.replace(place, cell.size(), cell);
            Put(made, place, child, 4);
            Put(made, start + 12 + 2 * i, place, 2);
        }
        if (number == root) data.replace(page(root), pageSize, made);
        else data += made;
    }
    Put(data, 28, static_cast<uint32_t>(data.size() / pageSize), 4);  // the pages the file holds
    WriteFile(path, data);
}
