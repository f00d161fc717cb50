#pragma once
// A control: a component with a parent control, pixel bounds on the design
// surface, a font that can follow its parent's, a colour and visibility.
// Destroying a control destroys the controls placed on it.

#include "report/QRComponent.h"
#include "report/QRGraphics.h"
#include "report/QRStructure.h"

#include <vector>

namespace zt::report {

struct TRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TRect&) const = default;
};

class TQRControl : public TQRComponent {
public:
    explicit TQRControl(TQRComponent* owner);
    ~TQRControl() override;

    TQRControl* Parent() const { return FParent; }
    void SetParent(TQRControl* parent);
    const std::vector<TQRControl*>& Controls() const { return FControls; }

    int Left() const { return FBounds.Left; }
    int Top() const { return FBounds.Top; }
    int Width() const { return FBounds.Width; }
    int Height() const { return FBounds.Height; }
    const TRect& BoundsRect() const { return FBounds; }
    // While loading, pixel bounds are only remembered (see ApplyRememberedBounds).
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, FBounds.Top, FBounds.Width, FBounds.Height); }
    void SetTop(int v) { SetBounds(FBounds.Left, v, FBounds.Width, FBounds.Height); }
    void SetWidth(int v) { SetBounds(FBounds.Left, FBounds.Top, v, FBounds.Height); }
    void SetHeight(int v) { SetBounds(FBounds.Left, FBounds.Top, FBounds.Width, v); }

    // Where the control's output belongs in a tagged document.
    TQRStructure Structure;

    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; }

    const TQRFont& Font() const { return FFont; }
    void SetFont(const TQRFont& font);  // the control then keeps its own font
    void SetFontSize(int points);
    void SetFontStyle(TFontStyles style);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    // Counts repaint requests; the design surface is not drawn here.
    int PaintRequests() const { return FPaintRequests; }
    void Invalidate() { ++FPaintRequests; }

protected:
    // Destroys the controls placed on this one; a derived destructor calls it
    // first, while the whole object still exists for their notifications.
    void DestroyControls();
    // The bounds a new control starts with; taken even while loading.
    void SetInitialBounds(const TRect& r);
    // Fills the bounds that came out zero from those remembered while loading.
    void ApplyRememberedBounds();
    void SetControlFont(const TQRFont& font);  // keeps ParentFont

    virtual void BoundsChanged(const TRect& /*old*/) {}
    virtual void ParentChanged(TQRControl* /*oldParent*/) {}
    virtual void FontChanged() {}
    virtual void ControlAdded(TQRControl* /*child*/) {}
    virtual void ControlRemoved(TQRControl* /*child*/) {}

private:
    void adoptParentFont();

    TQRControl* FParent = nullptr;
    std::vector<TQRControl*> FControls;
    TRect FBounds;
    TRect FRemembered;
    bool FHasRemembered = false;
    bool FVisible = true;
    TColor FColor = clWhite;
    TQRFont FFont;
    bool FParentFont = true;
    int FPaintRequests = 0;
};

} // namespace zt::report
