// Conversion between the ANSI code page (Latin-1 in the simulation), UTF-8 and wide text.
#include "platform/api/kernel.h"

#include "platform/sim/kernel/last_error.h"
#include "platform/sim/user/process_faults.h"

#include <string>

namespace {

std::u32string decode(UINT code_page, const unsigned char* text, size_t length)
{
    std::u32string result;
    if (code_page != CP_UTF8) {
        for (size_t i = 0; i < length; ++i)
            result += static_cast<char32_t>(text[i]);
        return result;
    }
    for (size_t i = 0; i < length;) {
        unsigned char lead = text[i];
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= length) {
            result += U'\xFFFD';
            ++i;
            continue;
        }
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        bool is_valid = true;
        for (int k = 1; k <= extra; ++k) {
            if ((text[i + k] & 0xC0) != 0x80)
                is_valid = false;
            code = (code << 6) | (text[i + k] & 0x3F);
        }
        if (!is_valid) {
            result += U'\xFFFD';
            ++i;
            continue;
        }
        result += code;
        i += extra + 1;
    }
    return result;
}

std::string encode(UINT code_page, const std::u32string& text, char default_char, bool& used_default)
{
    std::string result;
    for (char32_t code : text) {
        if (code_page != CP_UTF8) {
            if (code > 0xFF) {
                result += default_char;
                used_default = true;
                continue;
            }
            result += static_cast<char>(code);
            continue;
        }
        if (code < 0x80) {
            result += static_cast<char>(code);
        } else if (code < 0x800) {
            result += static_cast<char>(0xC0 | (code >> 6));
            result += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            result += static_cast<char>(0xE0 | (code >> 12));
            result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | (code >> 18));
            result += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return result;
}

bool is_known(UINT code_page)
{
    return code_page == CP_ACP || code_page == CP_OEMCP || code_page == CP_UTF8 || code_page == 1252
        || code_page == 28591;
}

// A length of -1 means the text runs to its NUL, which then belongs to it.
template<typename Char>
size_t measure(const Char* text, int length)
{
    if (length >= 0)
        return static_cast<size_t>(length);
    size_t count = 0;
    while (text[count])
        ++count;
    return count + 1;
}

}

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
    int cchWideChar)
{
    sim::ApiCall api_call;
    if (!lpMultiByteStr || cbMultiByte == 0 || cchWideChar < 0 || !is_known(CodePage))
        return sim::fail(ERROR_INVALID_PARAMETER, 0);
    size_t length = measure(lpMultiByteStr, cbMultiByte);
    auto wide = decode(CodePage, reinterpret_cast<const unsigned char*>(lpMultiByteStr), length);
    if (cchWideChar == 0)
        return static_cast<int>(wide.size());
    if (wide.size() > static_cast<size_t>(cchWideChar))
        return sim::fail(ERROR_INSUFFICIENT_BUFFER, 0);
    for (size_t i = 0; i < wide.size(); ++i)
        lpWideCharStr[i] = static_cast<WCHAR>(wide[i]);
    return static_cast<int>(wide.size());
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
    int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar)
{
    sim::ApiCall api_call;
    if (!lpWideCharStr || cchWideChar == 0 || cbMultiByte < 0 || !is_known(CodePage))
        return sim::fail(ERROR_INVALID_PARAMETER, 0);
    size_t length = measure(lpWideCharStr, cchWideChar);
    std::u32string wide;
    for (size_t i = 0; i < length; ++i)
        wide += static_cast<char32_t>(lpWideCharStr[i]);
    bool used_default = false;
    std::string text = encode(CodePage, wide, lpDefaultChar ? *lpDefaultChar : '?', used_default);
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = used_default ? TRUE : FALSE;
    if (cbMultiByte == 0)
        return static_cast<int>(text.size());
    if (text.size() > static_cast<size_t>(cbMultiByte))
        return sim::fail(ERROR_INSUFFICIENT_BUFFER, 0);
    text.copy(lpMultiByteStr, text.size());
    return static_cast<int>(text.size());
}
