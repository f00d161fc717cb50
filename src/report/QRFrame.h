#pragma once
// The border of a band or printable: which sides, colour, pen style, width.

#include "base/QRTypes.h"

#include <functional>

namespace zt::report {

class TQRFrame {
public:
    bool DrawTop() const { return FSides[0]; }
    bool DrawBottom() const { return FSides[1]; }
    bool DrawLeft() const { return FSides[2]; }
    bool DrawRight() const { return FSides[3]; }
    void SetDrawTop(bool v) { setSide(0, v); }
    void SetDrawBottom(bool v) { setSide(1, v); }
    void SetDrawLeft(bool v) { setSide(2, v); }
    void SetDrawRight(bool v) { setSide(3, v); }
    // Stored index 0..3: top, bottom, left, right.
    bool Side(int index) const { return index >= 0 && index < 4 && FSides[index]; }

    TColor Color() const { return FColor; }
    void SetColor(TColor v) { set(FColor, v); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v) { set(FStyle, v); }
    // Points; -1 is the thinnest line the device can draw.
    int Width() const { return FWidth; }
    void SetWidth(int v) { set(FWidth, v); }

    bool AnyFrame() const { return FSides[0] || FSides[1] || FSides[2] || FSides[3]; }

    // Repaints the owning control.
    std::function<void()> OnChange;

private:
    void setSide(int i, bool v) { set(FSides[i], v); }
    template <class T>
    void set(T& field, T v)
    {
        if (field == v)
            return;
        field = v;
        if (OnChange)
            OnChange();
    }

    bool FSides[4] = {false, false, false, false};
    TColor FColor = clBlack;
    TPenStyle FStyle = TPenStyle::psSolid;
    int FWidth = 1;
};

} // namespace zt::report
