// Inet: the Internet transfer control's synchronous fetch of a URL's content as text.
#pragma once

#include "runtime/control.h"

namespace runtime {

class Inet : public Control {
public:
    Inet(Container& container, std::string name, int index = -1);

    // Seconds a fetch may take to connect and to answer; 0 waits as long as the system does.
    long RequestTimeout() const { return m_timeout_seconds; }
    void RequestTimeout(long seconds) { m_timeout_seconds = seconds; }

    // The document at a URL as text; a server that cannot be reached or does not answer in time
    // raises ErrRequestTimedOut.
    std::string OpenURL(const std::string& url);
    // The same for a document that must be there: an answer whose HTTP status is not a success
    // (a "404 Not Found" page) raises ErrRequestTimedOut too; at most max_bytes are read.
    std::string OpenDocument(const std::string& url, size_t max_bytes);

protected:
    bool is_windowed() const override { return false; }
    bool is_hit(POINT) const override { return false; }

private:
    std::string fetch(const std::string& url, size_t max_bytes, bool needs_success);

    long m_timeout_seconds = 60;
};

}
