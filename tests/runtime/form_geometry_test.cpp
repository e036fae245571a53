// Form geometry in twips, Resize, Show and Hide, window styles and the by-name member hook.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using namespace runtime;

class frmSized : public Form {
public:
    explicit frmSized(Program& program)
        : Form(program, "frmSized")
    {
        BorderStyle(vbBSNone);
        ShowInTaskbar(false);
        Move(1500, 1500, 3000, 2250);
        Picture1.BorderStyle(0);
        Picture1.Move(150, 300, 1500, 750);
    }
    PictureBox Picture1 { *this, "Picture1" };
    Label Label2 { *this, "Label2" };
    int resizes = 0;
    int refreshes = 0;
    float last_scale_width = 0;

    void Form_Resize() override
    {
        ++resizes;
        last_scale_width = ScaleWidth();
    }
    void RefreshMe() { ++refreshes; }

    Variant call_by_name(std::string_view name) override
    {
        if (name == "RefreshMe") {
            RefreshMe();
            return {};
        }
        return Form::call_by_name(name);
    }
};

class frmCentred : public Form {
public:
    explicit frmCentred(Program& program)
        : Form(program, "frmCentred")
    {
        BorderStyle(vbFixedSingle);
        StartUpPosition(vbStartUpScreen);
        Move(0, 0, 6000, 4500);
        Caption("Centred");
    }
};

TEST_F(RuntimeTest, GeometryInTwipsPlacesTheWindowInPixels)
{
    run([&] {
        auto& form = program().form<frmSized>();
        RECT rect;
        GetWindowRect(form.hWnd(), &rect);
        EXPECT_EQ(rect.left, 100);
        EXPECT_EQ(rect.top, 100);
        EXPECT_EQ(rect.right - rect.left, 200);
        EXPECT_EQ(rect.bottom - rect.top, 150);
        EXPECT_EQ(form.ScaleWidth(), 3000);
        form.ScaleMode(vbPixels);
        EXPECT_EQ(form.ScaleWidth(), 200);
        // A control's geometry reads in its container's scale.
        EXPECT_EQ(form.Picture1.Left(), 10);
        EXPECT_EQ(form.Picture1.Width(), 100);
        form.Picture1.Left(20);
        form.ScaleMode(vbTwips);
        EXPECT_EQ(form.Picture1.Left(), 300);
        GetWindowRect(form.Picture1.hWnd(), &rect);
        EXPECT_EQ(rect.left, 120);
        EXPECT_EQ(rect.right - rect.left, 100);
    });
}

TEST_F(RuntimeTest, ResizeComesOnFirstShowAndSizeChangesButNotOnMoves)
{
    run([&] {
        auto& form = program().form<frmSized>();
        EXPECT_EQ(form.resizes, 0);
        form.Show();
        EXPECT_EQ(form.resizes, 1);
        form.Hide();
        form.Show();
        EXPECT_EQ(form.resizes, 1);
        form.Move(3000, 3000);
        EXPECT_EQ(form.resizes, 1);
        form.Width(4500);
        EXPECT_EQ(form.resizes, 2);
        EXPECT_EQ(form.last_scale_width, 4500);
        form.Height(3000);
        EXPECT_EQ(form.resizes, 3);
    });
}

TEST_F(RuntimeTest, SizeChangedByTheWindowSystemBecomesTheFormsGeometry)
{
    HWND window = nullptr;
    run([&] {
        auto& form = program().form<frmSized>();
        form.Show();
        window = form.hWnd();
    });
    sim::driver::run_program([&] { sim::driver::move(window, RECT { 50, 60, 350, 260 }); });
    auto& form = *static_cast<frmSized*>(program().forms()[0]);
    EXPECT_EQ(form.Left(), 750);
    EXPECT_EQ(form.Width(), 4500);
    EXPECT_EQ(form.Height(), 3000);
    EXPECT_EQ(form.resizes, 2);
}

TEST_F(RuntimeTest, BorderlessFormOutOfTheTaskbarAndCentredFixedSingleForm)
{
    run([&] {
        auto& sized = program().form<frmSized>();
        LONG style = GetWindowLongA(sized.hWnd(), GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, 0);
        EXPECT_NE(style & WS_POPUP, 0);
        EXPECT_NE(GetWindow(sized.hWnd(), GW_OWNER), nullptr);

        auto& centred = program().form<frmCentred>();
        style = GetWindowLongA(centred.hWnd(), GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_EQ(style & WS_THICKFRAME, 0);
        RECT rect;
        GetWindowRect(centred.hWnd(), &rect);
        EXPECT_EQ(rect.left, (1920 - 400) / 2);
        EXPECT_EQ(rect.top, (1080 - 300) / 2);
        char title[32] = {};
        GetWindowTextA(centred.hWnd(), title, sizeof title);
        EXPECT_STREQ(title, "Centred");
    });
}

TEST_F(RuntimeTest, WindowStateMinimisesMaximisesAndRestores)
{
    run([&] {
        auto& form = program().form<frmCentred>();
        form.Show();
        form.WindowState(vbMaximized);
        EXPECT_TRUE(IsZoomed(form.hWnd()));
        EXPECT_EQ(form.WindowState(), vbMaximized);
        form.WindowState(vbMinimized);
        EXPECT_TRUE(IsIconic(form.hWnd()));
        form.WindowState(vbNormal);
        EXPECT_EQ(form.WindowState(), vbNormal);
        EXPECT_FALSE(skip_on_error([&] { form.WindowState(3); }));
    });
}

TEST_F(RuntimeTest, StateGivenByTheWindowSystemStaysThroughHideAndShow)
{
    run([&] {
        auto& form = program().form<frmCentred>();
        form.Show();
        form.WindowState(vbMinimized);
        ShowWindow(form.hWnd(), SW_SHOWNORMAL);
        EXPECT_EQ(form.WindowState(), vbNormal);
        form.Hide();
        form.Show();
        EXPECT_FALSE(IsIconic(form.hWnd()));
        ShowWindow(form.hWnd(), SW_MAXIMIZE);
        form.Hide();
        form.Show();
        EXPECT_TRUE(IsZoomed(form.hWnd()));
    });
}

TEST_F(RuntimeTest, MembersReachedByName)
{
    run([&] {
        auto& form = program().form<frmSized>();
        form.Caption("A title");
        Form& any = *program().forms()[0];
        any.call_by_name("RefreshMe");
        EXPECT_EQ(form.refreshes, 1);
        EXPECT_EQ(any.call_by_name("Caption").to_string(), "A title");
        EXPECT_EQ(any.call_by_name("Hwnd").to_long(), static_cast<int32_t>(reinterpret_cast<uintptr_t>(form.hWnd())));
        any.call_by_name("Show");
        EXPECT_TRUE(IsWindowVisible(form.hWnd()));
        EXPECT_EQ(&any.control_by_name("Label2"), static_cast<Control*>(&form.Label2));
        EXPECT_EQ(&any.control_by_name<Label>("label2"), &form.Label2);
        EXPECT_FALSE(skip_on_error([&] { any.control_by_name<Label>("Picture1"); }));
        any.let_by_name("Left", 3000);
        EXPECT_EQ(form.Left(), 3000);
        EXPECT_FALSE(skip_on_error([&] { any.call_by_name("NoSuchMember"); }));
        EXPECT_FALSE(skip_on_error([&] { any.control_by_name("Label9"); }));
    });
}

}
