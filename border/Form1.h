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

    // Shows the glow of caption button Index with its top left at (nLeft, nTop), screen twips.
    void ShowGlow(int Index, long nLeft, long nTop);
    // Releases the glow picture shown at present, when there is one.
    void HideGlow();

private:
    std::unique_ptr<LayeredWindow> GlowLayer;
};
