#pragma once
// Common base of the report and its bands: frame, zoom, stored font size.

#include "report/QRControl.h"
#include "report/QRFrame.h"

namespace zt::report {

class TQRBasePanel : public TQRControl {
public:
    explicit TQRBasePanel(TQRComponent* owner);

    TQRFrame& Frame() { return FFrame; }
    const TQRFrame& Frame() const { return FFrame; }

    int Zoom() const { return FZoom; }
    virtual void SetZoom(int value);

    // The "FontSize" pseudo-property of form data: held while loading and
    // then applied, so the point size wins over a stored pixel height.
    void ReadFontSize(int points);
    int WriteFontSize() const { return Font().Size(); }

protected:
    void Loaded() override;

    int FZoom = 100;
    int FFontSize = 0;

private:
    TQRFrame FFrame;
};

} // namespace zt::report
