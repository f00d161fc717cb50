// Runs the outside EMF library's record safety check over every record of a page.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" {
#include <uemf.h>
#include <uemf_safe.h>
}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t pos = 0, count = 0;
    while (pos + 8 <= bytes.size()) {
        const char* record = bytes.data() + pos;
        std::uint32_t type, size;
        std::memcpy(&type, record, 4);
        std::memcpy(&size, record + 4, 4);
        if (size < 8 || pos + size > bytes.size()) {
            std::printf("record %zu: bad size %u\n", count, size);
            return 1;
        }
        if (!U_emf_record_safe(record)) {
            std::printf("record %zu (type %u) fails the safety check\n", count, type);
            return 1;
        }
        ++count;
        pos += size;
        if (type == U_EMR_EOF)
            break;
    }
    std::printf("%zu records pass\n", count);
    return pos == bytes.size() ? 0 : 1;
}
