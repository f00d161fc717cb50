#pragma once
// The table directory of an sfnt font file (TrueType or OpenType outlines),
// a font alone or one face of a collection (.ttc), whose header gives each
// face's directory. Tables are read from the face in use, never from the
// collection's first face.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zt::platform {

struct SfntTable {
    std::size_t offset = 0;  // from the start of the file
    std::size_t length = 0;
};

// Whether the file is a collection of faces ('ttcf').
bool isFontCollection(std::span<const std::uint8_t> file);

// Where the face's table directory starts: 0 for a font alone (whatever the
// index), the collection header's entry for a face of a collection; none
// when the collection has no such face or the file is too short. The low 16
// bits of `faceIndex` name the face: fontconfig sets the bits above for the
// named instances of a variable font.
std::optional<std::size_t> sfntDirectory(std::span<const std::uint8_t> file, int faceIndex);

// The face's table of that four-letter tag, when it has one that lies within
// the file.
std::optional<SfntTable> sfntTable(std::span<const std::uint8_t> file, int faceIndex, std::string_view tag);

// Whether the face has PostScript (CFF) outlines rather than TrueType ones.
bool hasCffOutlines(std::span<const std::uint8_t> file, int faceIndex);

// The face as a font file of its own: its tables behind a directory of its
// own. A file that is no collection comes back unchanged; empty when the
// face cannot be read.
std::vector<std::uint8_t> sfntFace(std::span<const std::uint8_t> file, int faceIndex);

} // namespace zt::platform
