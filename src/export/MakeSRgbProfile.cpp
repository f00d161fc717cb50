// Makes the archive document's sRGB output profile (ICC version 4.2) with
// the colour management library when the program is built, and writes its
// bytes as a C++ initializer list: the program then neither loads that
// library nor makes the same profile again on every run.
//   zt_make_srgb_profile OUTPUT
#include <lcms2.h>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: zt_make_srgb_profile AUSGABEDATEI\n");
        return 2;
    }
    const std::unique_ptr<void, decltype(&cmsCloseProfile)> p(cmsCreate_sRGBProfile(), &cmsCloseProfile);
    cmsUInt32Number size = 0;
    std::vector<unsigned char> bytes;
    if (p != nullptr) {
        // Version 4.2: the profiles the archive format's PDF 1.7 names.
        cmsSetProfileVersion(p.get(), 4.2);
        if (cmsSaveProfileToMem(p.get(), nullptr, &size) && size > 0) {
            bytes.resize(size);
            if (!cmsSaveProfileToMem(p.get(), bytes.data(), &size))
                bytes.clear();
            bytes.resize(bytes.empty() ? 0 : size);
        }
    }
    if (bytes.empty()) {
        std::fprintf(stderr, "Das sRGB-Farbprofil für das Archiv-PDF ließ sich nicht erzeugen.\n");
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::fprintf(stderr, "%s lässt sich nicht schreiben.\n", argv[1]);
        return 1;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i)
        std::fprintf(out, "0x%02X,%s", bytes[i], i % 16 == 15 ? "\n" : "");
    std::fputc('\n', out);
    return std::fclose(out) == 0 ? 0 : 1;
}
