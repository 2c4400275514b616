// Text helpers shared by every layer. Inside the program all strings are UTF-8;
// files on disk are Windows-1252. Comparisons follow one process-wide mode:
// exact, or ignoring the case of the ASCII letters a-z only.
#pragma once

#include <cstddef>
#include <string>

namespace text {

// Windows-1252 bytes -> UTF-8. Lossless for every byte: the five codes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1
// code points of the same value.
std::string fromCp1252(const std::string& bytes);

// UTF-8 -> Windows-1252. Exact inverse of fromCp1252 for its results;
// characters that Windows-1252 cannot hold (and broken UTF-8) become '?'.
std::string toCp1252(const std::string& utf8);

// The Windows-1252 code of one Unicode code point, or -1 when it has none.
int cp1252Code(char32_t cp);
// The UTF-8 text of one Windows-1252 code (0..255).
std::string cp1252Char(unsigned char code);

// The first character of a UTF-8 text as its Windows-1252 code reinterpreted as
// a signed char (0 for an empty text, '?' for a character outside the code page).
char firstCharCode(const std::string& utf8);

// Number of characters (code points) of a UTF-8 text.
std::size_t charCount(const std::string& utf8);
// The first n characters of a UTF-8 text.
std::string leftChars(const std::string& utf8, std::size_t n);

// Process-wide comparison mode. It starts exact; the file reader and the
// name-sorted inserts switch it to ignoring case and nothing switches it back
// (tests may reset it).
void setIgnoreCase(bool on);
bool ignoreCase();

// Three-way comparison, character by character by Windows-1252 code
// (characters outside the code page after all of them, by code point).
// In ignore-case mode a-z compare as A-Z. A prefix sorts first.
int compare(const std::string& a, const std::string& b);
inline bool equals(const std::string& a, const std::string& b) { return compare(a, b) == 0; }
// True when `s` begins with `prefix` under the current mode.
bool startsWith(const std::string& s, const std::string& prefix);
// Prefix test that always ignores ASCII case.
bool startsWithNoCase(const std::string& s, const std::string& prefix);

// The leading decimal integer of a text as the standard conversion reads it:
// white space skipped, optional sign, digits up to the first other character;
// 0 without digits. Saturates at the int range instead of overflowing.
int leadingInt(const std::string& s);
// `v` kept within the int range.
int saturatedInt(long long v);

// The text with every CR and LF replaced by a space.
std::string oneLine(std::string s);

}  // namespace text
