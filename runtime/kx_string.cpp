// kx_string.cpp: String operations, number formatting and text-file decoding.
#include "runtime/kx_string.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <vector>

#include "runtime/kx_array.h"

//----------------------------------------------------------------------------
// Reps
//----------------------------------------------------------------------------

String::Rep String::nullRep = {0, 0, {0}};

namespace {

// Characters that ToInt and ToFloat look at.
const int NUMBER_TEXT_LIMIT = 63;
// Chunk size of String::Load's reads.
const size_t LOAD_CHUNK = 4096;

const char* str_load_err;

// Takes one more reference.
String::Rep* retain(String::Rep* rep) {
	++rep->refs;
	return rep;
}

// A rep holding a copy of the given characters.
String::Rep* copy_rep(const Char* chars, int length) {
	String::Rep* rep = String::Rep::alloc(length);
	if (length > 0) std::memcpy(rep->data, chars, sizeof(Char) * length);
	return rep;
}

// A rep for narrow text.
// NOTE: bytes are widened as signed values, as the translated code expects.
String::Rep* widen(const char* text, int length) {
	String::Rep* rep = String::Rep::alloc(length);
	for (int i = 0; i < length; ++i) rep->data[i] = static_cast<Char>(static_cast<signed char>(text[i]));
	return rep;
}

// A NUL-terminated narrow copy of at most limit characters' low bytes.
std::string low_bytes(const String& s, int limit) {
	int n = s.Length() < limit ? s.Length() : limit;
	std::string out(n, '\0');
	for (int i = 0; i < n; ++i) out[i] = static_cast<char>(s[i] & 0xFF);
	return out;
}

// Whether the characters at index i equal sub.
bool matches_at(const String& s, const String& sub, int i) {
	return std::memcmp(s.Data() + i, sub.Data(), sizeof(Char) * sub.Length()) == 0;
}

// Decodes UTF-8 of one to three bytes a character; false on invalid input.
bool decode_utf8(const unsigned char* p, size_t n, std::vector<Char>& out) {
	size_t i = 0;
	while (i < n) {
		unsigned c = p[i];
		if (c < 0x80) {
			out.push_back(static_cast<Char>(c));
			i += 1;
		} else if ((c & 0xE0) == 0xC0) {
			if (i + 1 >= n || (p[i + 1] & 0xC0) != 0x80) return false;
			out.push_back(static_cast<Char>(((c & 0x1F) << 6) | (p[i + 1] & 0x3F)));
			i += 2;
		} else if ((c & 0xF0) == 0xE0) {
			if (i + 2 >= n || (p[i + 1] & 0xC0) != 0x80 || (p[i + 2] & 0xC0) != 0x80) return false;
			out.push_back(static_cast<Char>(((c & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F)));
			i += 3;
		} else {
			return false;
		}
	}
	return true;
}

// Decodes UTF-16 pairs after a byte-order mark; an odd last byte is ignored.
void decode_utf16(const unsigned char* p, size_t n, bool bigEndian, std::vector<Char>& out) {
	for (size_t i = 0; i + 1 < n; i += 2) {
		unsigned hi = bigEndian ? p[i] : p[i + 1];
		unsigned lo = bigEndian ? p[i + 1] : p[i];
		out.push_back(static_cast<Char>(hi * 256 + lo));
	}
}

}  // namespace

// Drops a reference; the shared empty rep is never freed.
void String::Rep::release() {
	if (--refs == 0 && this != &nullRep) std::free(this);
}

// One block for header and characters.
String::Rep* String::Rep::alloc(int length) {
	if (length <= 0) return retain(&nullRep);
	size_t bytes = offsetof(Rep, data) + sizeof(Char) * static_cast<size_t>(length);
	Rep* rep = static_cast<Rep*>(std::malloc(bytes));
	if (!rep) std::abort();
	rep->refs = 1;
	rep->length = length;
	return rep;
}

//----------------------------------------------------------------------------
// Construction
//----------------------------------------------------------------------------

// The empty string.
String::String() : rep(retain(&nullRep)) {}

// Shares the other rep.
String::String(const String& other) : rep(retain(other.rep)) {}

// Takes the other rep, leaving it empty.
String::String(String&& other) noexcept : rep(other.rep) {
	other.rep = retain(&nullRep);
}

// Copies length characters.
String::String(const Char* chars, int length) : rep(copy_rep(chars, length)) {}

// Widens a NUL-terminated narrow text.
String::String(const char* text) : String(text, text ? static_cast<int>(std::strlen(text)) : 0) {}

// Widens length narrow bytes.
String::String(const char* text, int length) : rep(widen(text, length)) {}

// The "%i" text of value.
String::String(int value) {
	char buf[16];
	std::snprintf(buf, sizeof buf, "%i", value);
	rep = widen(buf, static_cast<int>(std::strlen(buf)));
}

// The "%.17lg" text of value, with ".0" when it looks like an int.
String::String(float value) {
	char buf[64];
	std::snprintf(buf, sizeof buf, "%.17lg", static_cast<double>(value));
	std::string text = buf;
	if (text.find('.') == std::string::npos && text.find('e') == std::string::npos) text += ".0";
	rep = widen(text.data(), static_cast<int>(text.size()));
}

// Drops this reference.
String::~String() {
	rep->release();
}

// Shares the other rep (safe for self-assignment).
String& String::operator=(const String& other) {
	retain(other.rep);
	rep->release();
	rep = other.rep;
	return *this;
}

// Takes the other rep, leaving it empty.
String& String::operator=(String&& other) noexcept {
	if (this != &other) {
		rep->release();
		rep = other.rep;
		other.rep = retain(&nullRep);
	}
	return *this;
}

// A one-character string.
String String::FromChar(int ch) {
	Char c = static_cast<Char>(ch);
	return String(&c, 1);
}

//----------------------------------------------------------------------------
// Comparison and concatenation
//----------------------------------------------------------------------------

// Equal lengths and equal units.
bool String::operator==(const String& other) const {
	if (rep->length != other.rep->length) return false;
	return rep == other.rep || std::memcmp(rep->data, other.rep->data, sizeof(Char) * rep->length) == 0;
}

// The first differing unit decides; then the length.
int String::Compare(const String& other) const {
	int n = rep->length < other.rep->length ? rep->length : other.rep->length;
	for (int i = 0; i < n; ++i) {
		int d = static_cast<int>(rep->data[i]) - static_cast<int>(other.rep->data[i]);
		if (d) return d;
	}
	return rep->length - other.rep->length;
}

// An empty side shares the other side's rep.
String operator+(const String& a, const String& b) {
	if (a.Length() == 0) return b;
	if (b.Length() == 0) return a;
	String::Rep* rep = String::Rep::alloc(a.Length() + b.Length());
	std::memcpy(rep->data, a.Data(), sizeof(Char) * a.Length());
	std::memcpy(rep->data + a.Length(), b.Data(), sizeof(Char) * b.Length());
	return String(rep);
}

// Appends other (sharing when either side is empty).
String& String::operator+=(const String& other) {
	return *this = *this + other;
}

//----------------------------------------------------------------------------
// Searching and slicing
//----------------------------------------------------------------------------

// First index of sub at or after start, or -1.
int String::Find(const String& sub, int start) const {
	if (start < 0) start = 0;
	for (int i = start; i <= Length() - sub.Length(); ++i) {
		if (matches_at(*this, sub, i)) return i;
	}
	return -1;
}

// Last index of sub, or -1.
int String::FindLast(const String& sub) const {
	for (int i = Length() - sub.Length(); i >= 0; --i) {
		if (matches_at(*this, sub, i)) return i;
	}
	return -1;
}

// Whether the string begins with prefix.
bool String::StartsWith(const String& prefix) const {
	return prefix.Length() <= Length() && matches_at(*this, prefix, 0);
}

// Whether the string ends with suffix.
bool String::EndsWith(const String& suffix) const {
	return suffix.Length() <= Length() && matches_at(*this, suffix, Length() - suffix.Length());
}

// The characters from from to the end.
String String::Slice(int from) const {
	return Slice(from, Length());
}

// The characters from..to, bounds counted from the end when negative and clamped.
String String::Slice(int from, int to) const {
	int len = Length();
	if (from < 0) from = from + len < 0 ? 0 : from + len;
	if (to < 0) to = to + len < 0 ? 0 : to + len;
	if (from > len) from = len;
	if (to > len) to = len;
	if (to <= from) return String();
	if (from == 0 && to == len) return *this;
	return String(rep->data + from, to - from);
}

// Maps each character through a case function; shares when nothing changes.
static String map_case(const String& s, wint_t (*fn)(wint_t)) {
	for (int i = 0; i < s.Length(); ++i) {
		if (static_cast<Char>(fn(s[i])) == s[i]) continue;
		std::vector<Char> out(s.Data(), s.Data() + s.Length());
		for (int j = i; j < s.Length(); ++j) out[j] = static_cast<Char>(fn(out[j]));
		return String(out.data(), s.Length());
	}
	return s;
}

// Lower case through towlower.
String String::ToLower() const {
	return map_case(*this, std::towlower);
}

// Upper case through towupper.
String String::ToUpper() const {
	return map_case(*this, std::towupper);
}

// Every occurrence of find replaced by with.
String String::Replace(const String& find, const String& with) const {
	if (find.Length() == 0) return *this;
	return with.Join(Split(find));
}

// The pieces between occurrences of separator (characters for an empty one).
Array<String> String::Split(const String& separator) const {
	if (separator.Length() == 0) {
		Array<String> chars(Length());
		for (int i = 0; i < Length(); ++i) chars[i] = String(rep->data + i, 1);
		return chars;
	}
	int count = 0;
	for (int i = Find(separator); i != -1; i = Find(separator, i + separator.Length())) ++count;
	Array<String> pieces(count + 1);
	if (count == 0) {
		pieces[0] = *this;
		return pieces;
	}
	int start = 0;
	for (int k = 0; k < count; ++k) {
		int at = Find(separator, start);
		pieces[k] = Slice(start, at);
		start = at + separator.Length();
	}
	pieces[count] = Slice(start);
	return pieces;
}

// The pieces with this string between them.
String String::Join(const Array<String>& pieces) const {
	std::vector<Char> out;
	for (int i = 0; i < pieces.Length(); ++i) {
		if (i > 0) out.insert(out.end(), Data(), Data() + Length());
		out.insert(out.end(), pieces[i].Data(), pieces[i].Data() + pieces[i].Length());
	}
	return String(out.data(), static_cast<int>(out.size()));
}

//----------------------------------------------------------------------------
// Numbers and narrow text
//----------------------------------------------------------------------------

// NOTE: atoi is undefined past the int range (glibc wraps 99999999999 to
// 1215752191); the same parse with the value saturated at INT_MIN/INT_MAX.
int String::ToInt() const {
	long value = std::strtol(low_bytes(*this, NUMBER_TEXT_LIMIT).c_str(), nullptr, 10);
	if (value > INT_MAX) return INT_MAX;
	if (value < INT_MIN) return INT_MIN;
	return static_cast<int>(value);
}

// atof of the first 63 characters.
float String::ToFloat() const {
	return static_cast<float>(std::atof(low_bytes(*this, NUMBER_TEXT_LIMIT).c_str()));
}

// Each character truncated to its low byte.
std::string String::ToNarrow() const {
	return low_bytes(*this, Length());
}

// One to three UTF-8 bytes per character.
std::string String::ToUtf8() const {
	std::string out;
	out.reserve(Length());
	for (int i = 0; i < Length(); ++i) {
		unsigned c = rep->data[i];
		if (c < 0x80) {
			out += static_cast<char>(c);
		} else if (c < 0x800) {
			out += static_cast<char>(0xC0 | (c >> 6));
			out += static_cast<char>(0x80 | (c & 0x3F));
		} else {
			out += static_cast<char>(0xE0 | (c >> 12));
			out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
			out += static_cast<char>(0x80 | (c & 0x3F));
		}
	}
	return out;
}

//----------------------------------------------------------------------------
// Text files
//----------------------------------------------------------------------------

// The note left by the last Load.
const char* String::LoadError() {
	return str_load_err;
}

// Reads the rest of the file and decodes it.
String String::Load(FILE* file) {
	std::vector<unsigned char> bytes;
	unsigned char chunk[LOAD_CHUNK];
	while (file) {
		size_t n = std::fread(chunk, 1, LOAD_CHUNK, file);
		bytes.insert(bytes.end(), chunk, chunk + n);
		if (n < LOAD_CHUNK) break;
	}
	str_load_err = nullptr;
	size_t n = bytes.size();
	if (n == 0) return String();

	const unsigned char* p = bytes.data();
	std::vector<Char> chars;
	if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
		decode_utf16(p + 2, n - 2, true, chars);
	} else if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
		decode_utf16(p + 2, n - 2, false, chars);
	} else {
		if (n > 2 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
			p += 3;
			n -= 3;
		}
		if (!decode_utf8(p, n, chars)) {
			str_load_err = "Invalid UTF-8";
			chars.assign(p, p + n);
		}
	}
	return String(chars.data(), static_cast<int>(chars.size()));
}
