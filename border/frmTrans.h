// frmTrans: the border window. One instance per adopted foreign window (the target), which it
// hosts as a child of Picture10 and follows until the target goes or the program quits.
#pragma once

#include "runtime/forms.h"
#include "services/window_answers.h"

#include <array>
#include <optional>

class frmTrans : public runtime::Form {
public:
    explicit frmTrans(runtime::Program& program);

    // The caption piece and what sits on it.
    runtime::PictureBox Picture1 { *this, "Picture1" };
    runtime::PictureBox Picture17 { Picture1, "Picture17" };
    runtime::Label Label1 { Picture1, "Label1" };
    runtime::TextBox Text2 { Picture1, "Text2" };
    runtime::Label Label7 { Picture1, "Label7" };
    // Transparent hot zones over the three caption buttons, used while reflections are on.
    runtime::ControlArray<runtime::Label> Label4 { Picture1, "Label4", 3 };

    // The left, right and bottom pieces, and the host of the target.
    runtime::PictureBox Picture4 { *this, "Picture4" };
    runtime::PictureBox Picture6 { *this, "Picture6" };
    runtime::PictureBox Picture8 { *this, "Picture8" };
    runtime::PictureBox Picture10 { *this, "Picture10" };
    // The white frame line one pixel outside the host.
    runtime::Shape Shape1 { *this, "Shape1" };

    // Hidden work surfaces: the screen captured under the whole border, and the buffers the left,
    // right and bottom pieces are composed in.
    runtime::PictureBox Picture2 { *this, "Picture2" };
    runtime::PictureBox Picture5 { *this, "Picture5" };
    runtime::PictureBox Picture7 { *this, "Picture7" };
    runtime::PictureBox Picture9 { *this, "Picture9" };
    // Hidden scratch box of the effects; it sizes itself to its picture.
    runtime::PictureBox Picture15 { *this, "Picture15" };

    // The glass texture, hidden.
    runtime::PictureBox Picture3 { *this, "Picture3" };

    // The caption buttons: minimise, maximise, close.
    runtime::ControlArray<runtime::PictureBox> Picture11 { *this, "Picture11", 3 };
    // The buttons' images, hidden: normal, hover and pressed; the restore look of button 1 while
    // maximised; a lone close button; the normal sets used while maximised and while restored.
    runtime::ControlArray<runtime::PictureBox> Picture12 { *this, "Picture12", 3 };
    runtime::ControlArray<runtime::PictureBox> Picture13 { *this, "Picture13", 3 };
    runtime::ControlArray<runtime::PictureBox> Picture14 { *this, "Picture14", 3 };
    runtime::ControlArray<runtime::PictureBox> Picture16 { *this, "Picture16", 3 };
    runtime::ControlArray<runtime::PictureBox> Picture18 { *this, "Picture18", 3 };
    runtime::ControlArray<runtime::PictureBox> Picture20 { *this, "Picture20", 3 };
    runtime::ControlArray<runtime::PictureBox> Picture21 { *this, "Picture21", 3 };
    // The inert maximise button laid over button 1 when the target has no maximise box.
    runtime::PictureBox Picture19 { *this, "Picture19" };

    // Storage: target handle, process id, style and extended style before adoption.
    runtime::Label Label2 { *this, "Label2" };
    runtime::Label Label3 { *this, "Label3" };
    runtime::Label Label5 { *this, "Label5" };
    runtime::Label Label6 { *this, "Label6" };

    runtime::Timer Timer1 { *this, "Timer1" };
    runtime::Timer Timer2 { *this, "Timer2" };
    runtime::Timer Timer5 { *this, "Timer5" };
    // Grip follow, pointer leave, live reflection copy.
    runtime::Timer Timer3 { *this, "Timer3" };
    runtime::Timer Timer6 { *this, "Timer6" };
    runtime::Timer Timer8 { *this, "Timer8" };

    // The drag delta of the last render pass, and whether a resize grip is held.
    long DeltaX = 0;
    long DeltaY = 0;
    bool IsSizing = false;

    void Form_Load() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // The rounded three-colour outline of the form; the caption's halo print; the target's icon.
    void DrawBorder(long Aussen_Color, long Innen_Color, long BiDir_Color);
    void CopyCaption(int plusLeft, int plusTop, long iColor);
    void DrawIcon(HDC hdc, HWND Hwnd, int x, int y);
    HICON GetIcons(HWND Hwnd);
    void GetIcon(runtime::PictureBox& picture, HWND ihWnd);
    void QuitMe();
    void LoadMe();
    // Brightness and tint of a piece, and the caption's button strips and address bar.
    void BrightPicture(runtime::PictureBox& picPicture);
    void ColorPicture(runtime::PictureBox& picPicture);
    void DrawReflections();
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
    // The caption's mouse-down: the reference point of a drag.
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    // A caption button's click: minimise (0), maximise or restore (1), close (2).
    void Picture11_MouseUp(int Index, int Button, int Shift, float X, float Y);
    // The caption bar: drag start, activation of the target, maximise by double-click, the
    // address overlay; the buttons' hover, pressed look and the pointer leaving the border.
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Picture1_MouseUp(int Button, int Shift, float X, float Y);
    void Label1_MouseDown(int Button, int Shift, float X, float Y);
    void Label7_MouseDown(int Button, int Shift, float X, float Y);
    void Text2_LostFocus();
    void Label4_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Picture11_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Picture11_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Timer6_Timer();
    void Timer8_Timer();
    // The resize grips: the right piece, the bottom piece and its right end as the corner.
    void Picture6_MouseDown(int Button, int Shift, float X, float Y);
    void Picture6_MouseMove(int Button, int Shift, float X, float Y);
    void Picture8_MouseDown(int Button, int Shift, float X, float Y);
    void Picture8_MouseMove(int Button, int Shift, float X, float Y);
    // The mouse-up of either grip: the full layout once, with fresh glass.
    void grip_MouseUp(int Button, int Shift, float X, float Y);
    // The border's size follows the pointer while a grip is dragged.
    void DoResize();
    void Timer3_Timer();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer5_Timer();

    runtime::Variant call_by_name(std::string_view name) override;
    void let_by_name(std::string_view name, const runtime::Variant& value) override;

    // Makes the surfaces every pass draws on; false when the process is out of GDI objects and
    // the border could not be drawn.
    bool can_draw();
    // The adopted window, as Label2 holds it.
    HWND target() const;
    // Adoption tells the border where the target was before anything changed it (the rectangle it
    // has when restored, screen pixels), then, once the border is sized around it, to take its own
    // rectangle as the one that goes with that place.
    void remember_adopted_place(RECT restored);
    void remember_adopted_border();
    void finish_adoption() { m_is_adoption_finished = true; }
    bool is_maximised() const { return m_is_maximised; }
    bool has_caption_button(int index) const { return m_caption_button_on.at(index); }

private:
    void set_designer_values();
    void set_designer_pictures();
    void wire_events();
    // Gives the target back to the desktop whole (top-level, its own styles, place and state, shown
    // unless its program hid it) when the border hosts it or an earlier give-back was cut short, so
    // that no adopted window is destroyed together with its border or left half given back.
    void release_target();
    bool is_hosting_target() const;
    bool target_hid_itself() const;
    void minimise();
    void maximise();
    void restore_from_maximised();
    // The target's program gets every move and show command of the border as a request of its
    // own, in the order made: a target that has stopped answering holds up nothing, and a request
    // made later is never overtaken by one still waiting.
    void fit_target_to_host();
    void ask_target_to_show(int command);
    // After a hand-back: the place the target now has, asked once more as a request, so that it is
    // the last word after any request still waiting from the border's layouts.
    void confirm_handed_back_place();
    // Where the target goes back: its place at adoption, moved and sized as the user has moved and
    // sized the border since, without what adoption itself added around it.
    RECT handed_back_place() const;
    // How the target goes back (SW_SHOWNORMAL, SW_MAXIMIZE or SW_SHOWMINNOACTIVE): as the user
    // sees it now, the border's state or the one its program gave it.
    int handed_back_state() const;

    // Layout.
    void place_pieces();
    void place_caption_buttons();
    void place_caption_contents();
    bool is_explorer_target();
    bool is_explorer_process();
    // The watcher.
    bool is_title_due(HWND watched);
    void capture_screen();
    void render_zero_delta_pass();

    // Outline, halo and icon.
    HICON ask_for_icon(HWND window, UINT message, WPARAM kind);

    // Render pass.
    bool is_aberration_on();
    void scroll_capture(HDC screen);
    void cut_piece_backgrounds();
    void hand_caption_to_webcam();
    void draw_outline();

    // Composition of the pieces.
    void compose_caption();
    void blur_and_tint_buffers();
    void draw_caption_corners();
    void draw_side_lights();
    void show_buffers();
    void draw_bottom_corners();
    // A file of the program folder, and an image of it drawn at its own size, left out when missing.
    std::string program_file(const std::string& name);
    void draw_image(const std::string& name, runtime::PictureBox& target, int x, int y);
    // The scratch box takes a piece's image and size, for an effect to work on.
    void load_into_scratch(runtime::PictureBox& picPicture);

    // The caption buttons back at rest after a caption mouse move, or one of them.
    void rest_caption_buttons();
    void rest_caption_button(int index);
    const runtime::PictureBox& normal_image(int index) const;
    // The close button's request to the target, undone when the target refuses.
    void close_target();
    // Grips.
    void set_grip_pointers();
    bool is_on_corner(float X) const;
    float minimum_width() const;
    float minimum_height() const;
    // The screen's work area, pixels: where a maximised border goes.
    RECT work_area() const;
    // The buttons' normal images while maximised (Picture20) or restored (Picture21).
    void use_button_set(const runtime::ControlArray<runtime::PictureBox>& normal_set);

    // The drag reference point (twips): the mouse-down point in the caption, or the form's Left
    // and Top before a pass of the layout.
    float DragX = 0;
    float DragY = 0;
    // The desktop window and its device context while the layout captures the screen.
    HWND DesktopWnd = nullptr;
    HDC DesktopDC = nullptr;
    // The bottom, right or corner grip is held.
    bool ResizeV = false;
    bool ResizeH = false;
    bool ResizeHV = false;
    // The caption button last hovered, -1 for none.
    int HoverIndex = -1;
    // The target let a query time out: it is not asked again for a while.
    AnswerPause m_answer_pause;
    // The watcher's last look at the target's title: the text Windows keeps for it, and when the
    // target itself was last asked.
    std::string m_kept_title;
    DWORD m_title_asked_at = 0;
    // Whether the target's process is a file explorer, for the process id it was found for.
    std::string m_explorer_checked_for;
    bool m_is_explorer_process = false;

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
    // Whether the border's maximise has maximised the target inside it; a restore leaves it so.
    bool m_has_maximised_target = false;
    // A maximise or a restore of the border under way: a give-back in between takes the state it
    // goes to and the rectangle from before the maximise.
    bool m_is_maximising = false;
    bool m_is_restoring = false;
    // Adoption has given the border the target's state (minimised or maximised); until then a
    // give-back takes the state and place the target had.
    bool m_is_adoption_finished = false;
    std::optional<RECT> m_adopted_place;
    std::optional<SavedGeometry> m_adopted_border;
    // The give-back of the target: begun, finished, whether it comes back shown, its state and place.
    struct HandBack {
        bool has_begun = false;
        bool is_done = false;
        bool is_shown = true;
        int state = SW_SHOWNORMAL;
        RECT place {};
    };
    HandBack m_hand_back;
    std::array<bool, 3> m_caption_button_on {};
};
