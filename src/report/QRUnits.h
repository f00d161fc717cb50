#pragma once
// Measurement objects: lengths kept in native units (0.1 mm) and read and
// written through the current units. Each object mirrors its values into
// the pixel bounds of the control it measures, at the screen resolution and
// the zoom; FParentUpdating stops the control's echo back while it does.

#include "base/QRMath.h"
#include "base/QRTypes.h"

#include <cstddef>
#include <vector>

namespace zt::report {

class TCustomBandoriaRep;

class TQRUnitBase {
public:
    explicit TQRUnitBase(std::size_t valueCount);
    virtual ~TQRUnitBase() = default;
    TQRUnitBase(const TQRUnitBase&) = delete;
    TQRUnitBase& operator=(const TQRUnitBase&) = delete;

    TQRUnit GetUnits() const { return FUnits; }
    virtual void SetUnits(TQRUnit value);
    TQRUnit Units() const { return FUnits; }

    int Resolution() const { return FResolution; }
    int Zoom() const { return FZoom; }
    void SetZoom(int value);

    TCustomBandoriaRep* ParentReport() const { return FParentReport; }
    void SetParentReport(TCustomBandoriaRep* report) { FParentReport = report; }

    // A native value in the given units, and back.
    long double FromNative(TQRUnit kind, bool horizontal, Native value) const;
    Native ToNative(TQRUnit kind, bool horizontal, long double value) const;

    // The stored "Values" list: native, raw, in the fixed order of the object.
    virtual std::vector<long double> WriteValues() const;
    // Takes as many values as the list has, up to the object's count.
    virtual void ReadValues(const std::vector<long double>& values);
    // Converts the values to pixels and sets the measured control's bounds.
    virtual void SetParentSizes() = 0;
    virtual void Loaded();

    // A temporary switch of units: remembers the current ones in SavedUnits
    // and returns them, so that nested switches restore correctly.
    TQRUnit PushUnits(TQRUnit temporary);
    void PopUnits(TQRUnit previous);

    TQRUnit SavedUnits = TQRUnit::MM;
    bool FParentUpdating = false;

    // The native value at an index of "Values".
    Native Value(std::size_t index) const { return FValues[index]; }

protected:
    void SetValue(std::size_t index, Native v) { FValues[index] = v; }
    // The value at index in the current units, and its assignment.
    long double Get(std::size_t index, bool horizontal) const;
    Native Converted(long double v, bool horizontal) const { return ToNative(FUnits, horizontal, v); }
    // Pixel mirror of a native value, rounded to a whole pixel.
    int Pixels(Native value, bool horizontal) const;
    Native FromPixels(int pixels, bool horizontal) const;
    bool Updating() const { return FParentUpdating; }

    int FResolution;
    TQRUnit FUnits = TQRUnit::MM;
    TCustomBandoriaRep* FParentReport = nullptr;
    int FZoom = 100;

private:
    // Absolute point size of the report's font, which defines Characters.
    long double ReportFontSize() const;

    std::vector<Native> FValues;
};

// Sets FParentUpdating for a scope.
class TQRParentUpdate {
public:
    explicit TQRParentUpdate(TQRUnitBase& u) : u_(u), old_(u.FParentUpdating) { u_.FParentUpdating = true; }
    ~TQRParentUpdate() { u_.FParentUpdating = old_; }
    TQRParentUpdate(const TQRParentUpdate&) = delete;
    TQRParentUpdate& operator=(const TQRParentUpdate&) = delete;

private:
    TQRUnitBase& u_;
    bool old_;
};

} // namespace zt::report
