// The scripted answers the modal loops (menus, message boxes, common dialogs) take in order.
#pragma once

#include "platform/api/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct ModalAnswer {
    enum class Kind { Wait, MenuText, MenuPosition, MessageBox, ColorOk, ColorCancel, SaveOk, SaveCancel };
    Kind kind = Kind::Wait;
    std::string text;
    int number = 0;
    COLORREF colour = 0;
    uint64_t milliseconds = 0;
};

struct ModalRecordEntry {
    std::string kind;
    std::string text;
    std::string result;
};

void push_modal_answer(ModalAnswer answer);
size_t pending_answer_count();
void clear_modal_answers();

// For a modal loop that accepts answers of the given kinds: runs the waits at the head of the
// script (delivering messages and timers meanwhile), then takes the next answer if it is one of
// those kinds. Nothing means cancel.
std::optional<ModalAnswer> take_modal_answer(std::initializer_list<ModalAnswer::Kind> kinds);

void record_modal(std::string kind, std::string text, std::string result);
const std::vector<ModalRecordEntry>& modal_records();
void reset_modal_script();

}
