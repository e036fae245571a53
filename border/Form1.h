// Form1: the one top-most window that shows the glow around a hovered caption button of any border.
// It never takes a click or the focus: it is layered, click-through and never activated.
#pragma once

#include "border/LayeredWindow.h"
#include "runtime/forms.h"

#include <memory>

class Form1 : public runtime::Form {
public:
    explicit Form1(runtime::Program& program);

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    // Shows the glow of caption button Index with its top left at (nLeft, nTop), screen twips. It
    // lets pending events run first; when one of them releases the glow or shows another, that
    // one stands and this call shows nothing.
    void ShowGlow(int Index, long nLeft, long nTop);
    // Releases the glow picture shown at present, when there is one.
    void HideGlow();
    // Releases the glow picture and hides the window.
    void HideAll();

private:
    std::unique_ptr<LayeredWindow> GlowLayer;
    // Counts ShowGlow and HideGlow calls, so that a ShowGlow learns whether another came after it.
    unsigned m_glow_changes = 0;
};
