#include "webcam/frmFlipImage.h"

frmFlipImage::frmFlipImage(runtime::Program& program)
    : Form(program, "frmFlipImage")
{
    ShowInTaskbar(false);
}
