// The stand-in for the internet: no address answers unless a test or scenario gave it an answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct HttpAnswer {
    std::string body;
    int status = 200;
    // How long the server takes to answer; longer than the caller's time-out means no answer.
    uint32_t delay_ms = 0;
};

void set_http_answer(const std::string& url, HttpAnswer answer);
void remove_http_answer(const std::string& url);
// The addresses asked for, in order, for read-back.
const std::vector<std::string>& http_requests();

void reset_internet();

}
