// frmTrans: the border window. One instance per adopted foreign window (the target), which it
// hosts as a child of Picture10 and follows until the target goes or the program quits.
#pragma once

#include "runtime/forms.h"

#include <array>

class frmTrans : public runtime::Form {
public:
    explicit frmTrans(runtime::Program& program);

    // The caption piece and what sits on it.
    runtime::PictureBox Picture1 { *this, "Picture1" };
    runtime::PictureBox Picture17 { Picture1, "Picture17" };
    runtime::Label Label1 { Picture1, "Label1" };
    runtime::TextBox Text2 { Picture1, "Text2" };
    runtime::Label Label7 { Picture1, "Label7" };

    // The left, right and bottom pieces, and the host of the target.
    runtime::PictureBox Picture4 { *this, "Picture4" };
    runtime::PictureBox Picture6 { *this, "Picture6" };
    runtime::PictureBox Picture8 { *this, "Picture8" };
    runtime::PictureBox Picture10 { *this, "Picture10" };

    // The glass texture, hidden.
    runtime::PictureBox Picture3 { *this, "Picture3" };

    // The caption buttons: minimise, maximise, close.
    runtime::ControlArray<runtime::PictureBox> Picture11 { *this, "Picture11", 3 };

    // Storage: target handle, process id, style and extended style before adoption.
    runtime::Label Label2 { *this, "Label2" };
    runtime::Label Label3 { *this, "Label3" };
    runtime::Label Label5 { *this, "Label5" };
    runtime::Label Label6 { *this, "Label6" };

    runtime::Timer Timer1 { *this, "Timer1" };
    runtime::Timer Timer2 { *this, "Timer2" };
    runtime::Timer Timer5 { *this, "Timer5" };

    // The drag delta of the last render pass, and whether a resize grip is held.
    long DeltaX = 0;
    long DeltaY = 0;
    bool IsSizing = false;

    void Form_Load() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    void QuitMe();
    void LoadMe();
    void SetMeFree();
    void RestoreBorder(HWND& Hwnd);
    void RefreshMe();
    void ShowIcon();
    void SetWinProperties(bool xMinButton = false, bool xMaxButton = false, bool xCloseButton = false);
    void CheckWinProperties();
    void MaxMe();
    void MinMe();

    // The caption's mouse move: the glass render pass for dragging, layout and repaint.
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    // A caption button's click: minimise (0), maximise or restore (1).
    void Picture11_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer5_Timer();

    runtime::Variant call_by_name(std::string_view name) override;
    void let_by_name(std::string_view name, const runtime::Variant& value) override;

    // The adopted window, as Label2 holds it.
    HWND target() const;
    bool is_maximised() const { return m_is_maximised; }
    bool has_caption_button(int index) const { return m_caption_button_on.at(index); }

private:
    void set_designer_values();
    void wire_events();
    // Gives the target back to the desktop as it is now (shown or hidden) when the border still
    // hosts it, so that no adopted window is destroyed together with its border.
    void release_target();
    bool is_hosting_target() const;
    bool target_hid_itself() const;
    void minimise();
    void maximise();
    void restore_from_maximised();

    int FadeLevel = 100;
    bool m_is_maximised = false;
    // The rectangle and caption height before maximising, in twips. Kept as 32-bit numbers: a
    // border wider or higher than 2184 pixels must be restored to its size as well.
    struct SavedGeometry {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        int caption_height = 0;
    };
    SavedGeometry m_saved;
    std::array<bool, 3> m_caption_button_on {};
};
