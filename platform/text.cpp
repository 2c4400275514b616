#include "platform/text.h"

#include <atomic>
#include <climits>
#include <cstdint>

namespace text {
namespace {

// Code points of the bytes 0x80..0x9F. The undefined ones keep their own value.
const char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::atomic<bool> g_ignoreCase{false};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point at s[i] and advances i. Broken sequences yield
// U+FFFD for one byte.
char32_t decode(const std::string& s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int len = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        len = 2;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        cp = c & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < len; ++k) {
        const unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (d & 0x3F);
    }
    i += len;
    return cp;
}

// Ordering key of one code point: its Windows-1252 code, or above all codes.
inline std::uint32_t sortKey(char32_t cp, bool fold) {
    std::uint32_t k;
    if (cp < 0x80) {
        k = cp;
    } else {
        const int code = cp1252Code(cp);
        k = code >= 0 ? static_cast<std::uint32_t>(code) : 256u + static_cast<std::uint32_t>(cp);
    }
    if (fold && k >= 'a' && k <= 'z') k -= 'a' - 'A';
    return k;
}

}  // namespace

int cp1252Code(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    return -1;
}

std::string cp1252Char(unsigned char code) {
    std::string out;
    appendUtf8(out, code >= 0x80 && code < 0xA0 ? kHigh[code - 0x80] : char32_t(code));
    return out;
}

std::string fromCp1252(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else
            appendUtf8(out, c < 0xA0 ? kHigh[c - 0x80] : char32_t(c));
    }
    return out;
}

std::string toCp1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const int code = cp1252Code(decode(utf8, i));
        out += code >= 0 ? static_cast<char>(code) : '?';
    }
    return out;
}

char firstCharCode(const std::string& utf8) {
    if (utf8.empty()) return 0;
    std::size_t i = 0;
    const int code = cp1252Code(decode(utf8, i));
    return static_cast<char>(code >= 0 ? code : '?');
}

std::size_t charCount(const std::string& utf8) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        decode(utf8, i);
        ++n;
    }
    return n;
}

std::string leftChars(const std::string& utf8, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < utf8.size(); ++k) decode(utf8, i);
    return utf8.substr(0, i);
}

void setIgnoreCase(bool on) { g_ignoreCase.store(on, std::memory_order_relaxed); }
bool ignoreCase() { return g_ignoreCase.load(std::memory_order_relaxed); }

namespace {
int compareImpl(const std::string& a, const std::string& b, bool fold, bool prefixOnly) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[j]);
        std::uint32_t ka, kb;
        if (ca < 0x80 && cb < 0x80) {
            ka = ca;
            kb = cb;
            ++i;
            ++j;
            if (fold) {
                if (ka >= 'a' && ka <= 'z') ka -= 'a' - 'A';
                if (kb >= 'a' && kb <= 'z') kb -= 'a' - 'A';
            }
        } else {
            ka = sortKey(decode(a, i), fold);
            kb = sortKey(decode(b, j), fold);
        }
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    const bool aEnd = i >= a.size(), bEnd = j >= b.size();
    if (prefixOnly) return bEnd ? 0 : 1;
    if (aEnd && bEnd) return 0;
    return aEnd ? -1 : 1;
}
}  // namespace

int compare(const std::string& a, const std::string& b) { return compareImpl(a, b, ignoreCase(), false); }

bool startsWith(const std::string& s, const std::string& prefix) {
    return compareImpl(s, prefix, ignoreCase(), true) == 0;
}

bool startsWithNoCase(const std::string& s, const std::string& prefix) {
    return compareImpl(s, prefix, true, true) == 0;
}

int leadingInt(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' || s[i] == '\v' ||
                            s[i] == '\f'))
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) {
            v = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (neg) return v > INT_MAX ? INT_MIN : -static_cast<int>(v);
    return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

int saturatedInt(long long v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v); }

}  // namespace text
