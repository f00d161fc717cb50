#include "report/QRControl.h"

#include <algorithm>

namespace zt::report {

TQRControl::TQRControl(TQRComponent* owner) : TQRComponent(owner) {}

TQRControl::~TQRControl()
{
    DestroyControls();
    SetParent(nullptr);
}

void TQRControl::DestroyControls()
{
    while (!FControls.empty()) {
        TQRControl* child = FControls.back();
        child->SetParent(nullptr);
        child->Free();
    }
}

void TQRControl::SetParent(TQRControl* parent)
{
    if (parent == FParent || parent == this)
        return;
    TQRControl* old = FParent;
    if (old != nullptr) {
        old->FControls.erase(std::find(old->FControls.begin(), old->FControls.end(), this));
        old->ControlRemoved(this);
    }
    FParent = parent;
    if (parent != nullptr) {
        parent->FControls.push_back(this);
        if (FParentFont)
            adoptParentFont();
    }
    ParentChanged(old);
    if (FParent == parent && parent != nullptr)
        parent->ControlAdded(this);
}

void TQRControl::SetBounds(int left, int top, int width, int height)
{
    const TRect r{left, top, width, height};
    if (Loading()) {
        FRemembered = r;
        FHasRemembered = true;
        return;
    }
    if (r == FBounds)
        return;
    const TRect old = FBounds;
    FBounds = r;
    BoundsChanged(old);
}

void TQRControl::SetInitialBounds(const TRect& r)
{
    const TRect old = FBounds;
    FBounds = r;
    BoundsChanged(old);
}

void TQRControl::ApplyRememberedBounds()
{
    if (!FHasRemembered)
        return;
    FHasRemembered = false;
    TRect r = FBounds;
    if (r.Left == 0)
        r.Left = FRemembered.Left;
    if (r.Top == 0)
        r.Top = FRemembered.Top;
    if (r.Width == 0)
        r.Width = FRemembered.Width;
    if (r.Height == 0)
        r.Height = FRemembered.Height;
    SetBounds(r.Left, r.Top, r.Width, r.Height);
}

void TQRControl::SetFont(const TQRFont& font)
{
    FParentFont = false;
    SetControlFont(font);
}

void TQRControl::SetFontSize(int points)
{
    TQRFont f = FFont;
    f.SetSize(points);
    SetFont(f);
}

void TQRControl::SetFontStyle(TFontStyles style)
{
    TQRFont f = FFont;
    f.Style = style;
    SetFont(f);
}

void TQRControl::SetParentFont(bool value)
{
    FParentFont = value;
    if (value && FParent != nullptr)
        adoptParentFont();
}

void TQRControl::adoptParentFont()
{
    SetControlFont(FParent->FFont);
}

void TQRControl::SetControlFont(const TQRFont& font)
{
    const bool changed = !(font == FFont);
    FFont = font;
    if (!changed)
        return;
    FontChanged();
    for (TQRControl* c : FControls)
        if (c->FParentFont)
            c->adoptParentFont();
}

} // namespace zt::report
