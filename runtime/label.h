// Label: a windowless caption drawn on its container; it can size itself to its text and let the
// container's drawing show through.
#pragma once

#include "runtime/control.h"

namespace runtime {

enum AlignmentKind : int {
    vbLeftJustify = 0,
    vbRightJustify = 1,
    vbCenter = 2,
};

class Label : public Control {
public:
    Label(Container& container, std::string name, int index = -1);

    const std::string& Caption() const { return m_caption; }
    void Caption(std::string caption);
    bool AutoSize() const { return m_is_auto_size; }
    void AutoSize(bool auto_size);
    bool WordWrap() const { return m_is_word_wrap; }
    void WordWrap(bool word_wrap);
    // 0 transparent (the container shows through), 1 opaque.
    int BackStyle() const { return m_back_style; }
    void BackStyle(int style);
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);
    long ForeColor() const { return m_fore_color; }
    void ForeColor(long colour);
    int Alignment() const { return m_alignment; }
    void Alignment(int alignment);

protected:
    bool is_windowed() const override { return false; }
    void paint(HDC dc) override;
    void text_layout_changed() override;

private:
    UINT text_format() const;

    std::string m_caption;
    long m_back_color = static_cast<long>(0x8000000F);
    long m_fore_color = static_cast<long>(0x80000012);
    int m_back_style = 1;
    int m_alignment = vbLeftJustify;
    bool m_is_auto_size = false;
    bool m_is_word_wrap = false;
};

}
