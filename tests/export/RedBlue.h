#pragma once
// The picture the PDF tests draw: a Windows bitmap file of 2 x 1 pixels,
// red then blue.

#include "report/QRShapes.h"

#include <string>

namespace zt::testing {

inline std::string redBlueFile()
{
    const unsigned char d[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0,
                               0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                               0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0};
    return std::string(reinterpret_cast<const char*>(d), sizeof d);
}

// The file as a picture of no stated size.
inline report::TQRPicture redBluePicture()
{
    const std::string file = redBlueFile();
    report::TQRPicture p;
    p.Data.assign(file.begin(), file.end());
    return p;
}

} // namespace zt::testing
