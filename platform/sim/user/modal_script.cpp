#include "platform/sim/user/modal_script.h"

#include "platform/sim/user/message_queue.h"

#include <algorithm>
#include <deque>

namespace sim {

namespace {

std::deque<ModalAnswer> g_answers;
std::vector<ModalRecordEntry> g_records;

}

void push_modal_answer(ModalAnswer answer)
{
    g_answers.push_back(std::move(answer));
}

size_t pending_answer_count()
{
    return g_answers.size();
}

void clear_modal_answers()
{
    g_answers.clear();
}

std::optional<ModalAnswer> take_modal_answer(std::initializer_list<ModalAnswer::Kind> kinds)
{
    while (!g_answers.empty() && g_answers.front().kind == ModalAnswer::Kind::Wait) {
        uint64_t milliseconds = g_answers.front().milliseconds;
        g_answers.pop_front();
        run_messages_for(milliseconds);
    }
    if (g_answers.empty())
        return std::nullopt;
    if (std::find(kinds.begin(), kinds.end(), g_answers.front().kind) == kinds.end())
        return std::nullopt;
    ModalAnswer answer = g_answers.front();
    g_answers.pop_front();
    return answer;
}

void record_modal(std::string kind, std::string text, std::string result)
{
    g_records.push_back(ModalRecordEntry {std::move(kind), std::move(text), std::move(result)});
}

const std::vector<ModalRecordEntry>& modal_records()
{
    return g_records;
}

void reset_modal_script()
{
    g_answers.clear();
    g_records.clear();
}

}
