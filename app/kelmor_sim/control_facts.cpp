#include "app/kelmor_sim/control_facts.h"

#include "runtime/forms.h"

namespace kelmor_sim {

namespace {

// The control's own Visible property and those of the containers it lies in, up to the form.
bool is_visible_in_form(const runtime::Control& control, const runtime::Form& form)
{
    for (const runtime::Control* level = &control; level && level != &form; level = level->container()) {
        if (!level->Visible())
            return false;
    }
    return true;
}

std::optional<std::string> text_of(const runtime::Control& control)
{
    if (auto* label = dynamic_cast<const runtime::Label*>(&control))
        return label->Caption();
    if (auto* text_box = dynamic_cast<const runtime::TextBox*>(&control))
        return text_box->Text();
    if (auto* captioned = dynamic_cast<const runtime::CaptionedControl*>(&control))
        return captioned->Caption();
    if (auto* button = dynamic_cast<const runtime::CommandButton*>(&control))
        return button->Caption();
    if (auto* frame = dynamic_cast<const runtime::Frame*>(&control))
        return frame->Caption();
    if (auto* list = dynamic_cast<const runtime::ListBox*>(&control))
        return list->Text();
    return std::nullopt;
}

std::optional<long> checked_of(const runtime::Control& control)
{
    if (auto* check_box = dynamic_cast<const runtime::CheckBox*>(&control))
        return check_box->Value();
    if (auto* option = dynamic_cast<const runtime::OptionButton*>(&control))
        return option->Value() ? 1 : 0;
    return std::nullopt;
}

std::optional<long> value_of(const runtime::Control& control)
{
    if (auto* scroll_bar = dynamic_cast<const runtime::ScrollBar*>(&control))
        return scroll_bar->Value();
    if (auto* slider = dynamic_cast<const runtime::Slider*>(&control))
        return slider->Value();
    return checked_of(control);
}

bool is_enabled(const runtime::Control& control)
{
    if (auto* timer = dynamic_cast<const runtime::Timer*>(&control))
        return timer->Enabled() && timer->Interval() > 0;
    return control.Enabled();
}

}

ControlFacts control_facts_of(const runtime::Control& control, const runtime::Form& form)
{
    ControlFacts facts;
    facts.is_visible = is_visible_in_form(control, form);
    facts.is_enabled = is_enabled(control);
    facts.text = text_of(control);
    facts.value = value_of(control);
    facts.checked = checked_of(control);
    return facts;
}

}
