// kx_string.h: immutable, reference-counted text of 16-bit characters.
//
// A String points at a Rep that holds the reference count, the length and the
// characters in one heap block. Every empty String shares the static nullRep,
// so empty values never allocate. Operations return new values; where the
// result equals an operand (concatenation with an empty side, whole slices,
// splits without a match) the operand's rep is shared instead of copied.
#pragma once

#include <cstdio>
#include <string>

// A UTF-16 code unit.
typedef unsigned short Char;

template <class T>
class Array;

class String {
public:
	struct Rep {
		int refs;
		int length;
		Char data[1];

		// Drops one reference; frees the block when it was the last one.
		void release();
		// Allocates a rep for length characters (nullRep for 0).
		static Rep* alloc(int length);
	};
	static Rep nullRep;

	// The empty string.
	String();
	String(const String& other);
	String(String&& other) noexcept;
	// Copies length 16-bit characters.
	String(const Char* chars, int length);
	// Widens a NUL-terminated narrow text, one signed byte per character (null
	// gives the empty string).
	String(const char* text);
	// Widens length bytes of a narrow text.
	String(const char* text, int length);
	// The decimal text of "%i".
	explicit String(int value);
	// 17 significant digits, with ".0" when the text has no '.' or 'e'.
	explicit String(float value);
	~String();

	String& operator=(const String& other);
	String& operator=(String&& other) noexcept;

	// A one-character string.
	static String FromChar(int ch);
	// Reads the rest of an open file and decodes it (byte-order marks, UTF-8);
	// a null file reads as empty.
	static String Load(FILE* file);
	// The note left by the last Load: "Invalid UTF-8" or null.
	static const char* LoadError();

	int Length() const { return rep->length; }
	Char operator[](int i) const { return rep->data[i]; }
	const Char* Data() const { return rep->data; }

	bool operator==(const String& other) const;
	bool operator!=(const String& other) const { return !(*this == other); }
	// Lexicographic order of the 16-bit units; shorter prefixes first.
	int Compare(const String& other) const;
	bool operator<(const String& other) const { return Compare(other) < 0; }

	friend String operator+(const String& a, const String& b);
	String& operator+=(const String& other);

	// First index of sub at or after start (negative counts as 0), or -1.
	int Find(const String& sub, int start = 0) const;
	// Last index of sub, or -1.
	int FindLast(const String& sub) const;
	bool Contains(const String& sub) const { return Find(sub) != -1; }
	bool StartsWith(const String& prefix) const;
	bool EndsWith(const String& suffix) const;
	// Characters from..to; negative bounds count from the end, all are clamped.
	String Slice(int from) const;
	String Slice(int from, int to) const;
	String ToLower() const;
	String ToUpper() const;
	// Every occurrence of find replaced by with.
	String Replace(const String& find, const String& with) const;
	Array<String> Split(const String& separator) const;
	// The strings of an array with this string between them.
	String Join(const Array<String>& pieces) const;
	// atoi of the first 63 characters (each truncated to its low byte), with
	// values past the int range saturated.
	int ToInt() const;
	// atof of the first 63 characters.
	float ToFloat() const;

	// A temporary NUL-terminated copy of each character's low byte.
	std::string ToNarrow() const;
	// The text as UTF-8, one to three bytes per character.
	std::string ToUtf8() const;

private:
	explicit String(Rep* r) : rep(r) {}
	Rep* rep;
};
