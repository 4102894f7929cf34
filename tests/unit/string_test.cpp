// string_test.cpp: String formatting, parsing, searching, sharing and the
// text-file decoder.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdio>
#include <string>

#include "runtime/kx_array.h"
#include "runtime/kx_string.h"

namespace {

// The rep behind a string, found from its characters.
const String::Rep* rep_of(const String& s) {
	return reinterpret_cast<const String::Rep*>(reinterpret_cast<const char*>(s.Data()) - offsetof(String::Rep, data));
}

// A String from UTF-16 units given as a wide literal.
String units(std::u16string text) {
	return String(reinterpret_cast<const Char*>(text.data()), static_cast<int>(text.size()));
}

// Writes bytes to a temporary file and decodes it with String::Load.
String load_bytes(const std::string& bytes) {
	FILE* f = std::tmpfile();
	std::fwrite(bytes.data(), 1, bytes.size(), f);
	std::rewind(f);
	String s = String::Load(f);
	std::fclose(f);
	return s;
}

// The characters of a string as UTF-16 units, for readable comparisons.
std::u16string chars(const String& s) {
	return std::u16string(reinterpret_cast<const char16_t*>(s.Data()), s.Length());
}

}  // namespace

TEST(StringNumbers, FloatsUseSeventeenDigitsAndGainPointZero) {
	EXPECT_EQ(String(0.1f), String("0.10000000149011612"));
	EXPECT_EQ(String(3.0f), String("3.0"));
	EXPECT_EQ(String(0.5f), String("0.5"));
	EXPECT_EQ(String(-2.0f), String("-2.0"));
	EXPECT_EQ(String(100000000.0f), String("100000000.0"));
	// An exponent already marks the text as a float: no ".0" is appended.
	EXPECT_EQ(String(1e20f), String("1.0000000200408773e+20"));
	EXPECT_EQ(String(1e-5f), String("9.9999997473787516e-06"));
}

TEST(StringNumbers, IntsAreDecimal) {
	EXPECT_EQ(String(-7), String("-7"));
	EXPECT_EQ(String(0), String("0"));
	EXPECT_EQ(String(INT_MIN), String("-2147483648"));
	EXPECT_EQ(String(INT_MAX), String("2147483647"));
}

TEST(StringNumbers, ToIntStopsAtTheFirstNonDigit) {
	EXPECT_EQ(String("12abc").ToInt(), 12);
	EXPECT_EQ(String("abc").ToInt(), 0);
	EXPECT_EQ(String("").ToInt(), 0);
	EXPECT_EQ(String("  -42x").ToInt(), -42);
	EXPECT_EQ(String("+7").ToInt(), 7);
	// Each character counts by its low byte only: U+0131 U+0132 reads as "12".
	EXPECT_EQ(units(u"\u0131\u0132").ToInt(), 12);
}

TEST(StringNumbers, ToIntReadsOnlyTheFirst63Characters) {
	// 62 zeros, a 5, then 17 more digits: 80 digits in all.
	std::string digits = std::string(62, '0') + "5" + std::string(17, '9');
	ASSERT_EQ(digits.size(), 80u);
	EXPECT_EQ(String(digits.c_str()).ToInt(), 5);
	std::string spaced = std::string(63, ' ') + "9";
	EXPECT_EQ(String(spaced.c_str()).ToInt(), 0);
}

TEST(StringNumbers, ToIntSaturatesPastTheIntRange) {
	EXPECT_EQ(String("2147483647").ToInt(), INT_MAX);
	EXPECT_EQ(String("2147483648").ToInt(), INT_MAX);
	EXPECT_EQ(String("99999999999").ToInt(), INT_MAX);
	EXPECT_EQ(String("-2147483648").ToInt(), INT_MIN);
	EXPECT_EQ(String("-99999999999").ToInt(), INT_MIN);
	EXPECT_EQ(String(std::string(80, '9').c_str()).ToInt(), INT_MAX);
}

TEST(StringBasics, EmptyStringsShareOneRep) {
	EXPECT_EQ(rep_of(String()), &String::nullRep);
	EXPECT_EQ(rep_of(String("")), &String::nullRep);
	EXPECT_EQ(rep_of(String(static_cast<const Char*>(nullptr), 0)), &String::nullRep);
	EXPECT_EQ(rep_of(String(static_cast<const char*>(nullptr))), &String::nullRep);
	EXPECT_EQ(rep_of(String("abc").Slice(1, 1)), &String::nullRep);
	EXPECT_TRUE(String() == String(""));
}

TEST(StringBasics, EqualityComparesLengthThenUnits) {
	EXPECT_TRUE(String("abc") == String("abc"));
	EXPECT_FALSE(String("abc") == String("abd"));
	EXPECT_FALSE(String("ab") == String("abc"));
	EXPECT_FALSE(String("") == String("a"));
	EXPECT_TRUE(units(u"\u00e9") == units(u"\u00e9"));
	EXPECT_FALSE(units(u"\u01e9") == units(u"\u00e9"));
}

TEST(StringBasics, NarrowTextIsWidenedAsSignedBytes) {
	String s("\xE9" "A");
	ASSERT_EQ(s.Length(), 2);
	EXPECT_EQ(s[0], 0xFFE9);
	EXPECT_EQ(s[1], 'A');
}

TEST(StringBasics, CopiesCountReferencesAndReleaseFreesTheLast) {
	String a("text");
	EXPECT_EQ(rep_of(a)->refs, 1);
	{
		String b = a;
		String c;
		c = b;
		EXPECT_EQ(rep_of(a)->refs, 3);
		EXPECT_EQ(rep_of(c), rep_of(a));
	}
	EXPECT_EQ(rep_of(a)->refs, 1);
	a = a;
	EXPECT_EQ(rep_of(a)->refs, 1);
	EXPECT_EQ(a, String("text"));
}

TEST(StringSharing, ConcatenationWithAnEmptySideShares) {
	String s("abc");
	EXPECT_EQ((s + String()).Data(), s.Data());
	EXPECT_EQ((String() + s).Data(), s.Data());
	String both = s + String("de");
	EXPECT_NE(both.Data(), s.Data());
	EXPECT_EQ(both, String("abcde"));
}

TEST(StringSharing, WholeSlicesShare) {
	String s("abcdef");
	EXPECT_EQ(s.Slice(0).Data(), s.Data());
	EXPECT_EQ(s.Slice(0, 6).Data(), s.Data());
	EXPECT_EQ(s.Slice(-100, 100).Data(), s.Data());
	EXPECT_NE(s.Slice(1).Data(), s.Data());
}

TEST(StringSharing, ToLowerSharesWhenNothingChanges) {
	String lower("abc1");
	EXPECT_EQ(lower.ToLower().Data(), lower.Data());
	EXPECT_EQ(String("AbC1").ToLower(), lower);
}

TEST(StringSlice, BoundsCountFromTheEndAndClamp) {
	String s("abcdef");
	EXPECT_EQ(s.Slice(2), String("cdef"));
	EXPECT_EQ(s.Slice(1, 3), String("bc"));
	EXPECT_EQ(s.Slice(-2), String("ef"));
	EXPECT_EQ(s.Slice(1, -1), String("bcde"));
	EXPECT_EQ(s.Slice(-100, 2), String("ab"));
	EXPECT_EQ(s.Slice(4, 100), String("ef"));
	EXPECT_EQ(s.Slice(4, 2), String());
	EXPECT_EQ(s.Slice(6), String());
	EXPECT_EQ(s.Slice(INT_MIN, INT_MAX).Data(), s.Data());
}

TEST(StringSearch, FindAndStartsWith) {
	String s("abcabc");
	EXPECT_EQ(s.Find(String("bc")), 1);
	EXPECT_EQ(s.Find(String("bc"), 2), 4);
	EXPECT_EQ(s.Find(String("bc"), -5), 1);
	EXPECT_EQ(s.Find(String("bc"), 5), -1);
	EXPECT_EQ(s.Find(String("abcabcd")), -1);
	EXPECT_EQ(s.Find(String("c"), INT_MAX), -1);
	EXPECT_EQ(s.FindLast(String("abc")), 3);
	EXPECT_TRUE(s.StartsWith(String("abc")));
	EXPECT_TRUE(s.StartsWith(String()));
	EXPECT_FALSE(s.StartsWith(String("abd")));
	EXPECT_FALSE(String("ab").StartsWith(String("abc")));
	EXPECT_TRUE(s.EndsWith(String("cabc")));
}

TEST(StringSplit, SeparatorCases) {
	Array<String> a = String("a,,b").Split(String(","));
	ASSERT_EQ(a.Length(), 3);
	EXPECT_EQ(a[0], String("a"));
	EXPECT_EQ(a[1], String());
	EXPECT_EQ(a[2], String("b"));

	Array<String> edges = String(",a,").Split(String(","));
	ASSERT_EQ(edges.Length(), 3);
	EXPECT_EQ(edges[0], String());
	EXPECT_EQ(edges[1], String("a"));
	EXPECT_EQ(edges[2], String());

	Array<String> none = String("").Split(String(","));
	ASSERT_EQ(none.Length(), 1);
	EXPECT_EQ(none[0], String());
}

TEST(StringSplit, LongSeparatorsDoNotOverlap) {
	Array<String> a = String("aaaa").Split(String("aa"));
	ASSERT_EQ(a.Length(), 3);
	for (int i = 0; i < 3; ++i) EXPECT_EQ(a[i], String());
	Array<String> b = String("aaa").Split(String("aa"));
	ASSERT_EQ(b.Length(), 2);
	EXPECT_EQ(b[0], String());
	EXPECT_EQ(b[1], String("a"));
	Array<String> c = String("x::y::").Split(String("::"));
	ASSERT_EQ(c.Length(), 3);
	EXPECT_EQ(c[1], String("y"));
}

TEST(StringSplit, EmptySeparatorGivesCharacters) {
	Array<String> a = String("abc").Split(String());
	ASSERT_EQ(a.Length(), 3);
	EXPECT_EQ(a[0], String("a"));
	EXPECT_EQ(a[1], String("b"));
	EXPECT_EQ(a[2], String("c"));
	Array<String> none = String().Split(String());
	EXPECT_EQ(none.rep, &Array<String>::Rep::nullRep());
}

TEST(StringSplit, NoMatchSharesTheString) {
	String s("abc");
	Array<String> a = s.Split(String(";"));
	ASSERT_EQ(a.Length(), 1);
	EXPECT_EQ(a[0].Data(), s.Data());
}

TEST(StringUtf8, EncodesOneToThreeBytes) {
	EXPECT_EQ(units(u"A\u00e9\u20ac").ToUtf8(), "A\xC3\xA9\xE2\x82\xAC");
	EXPECT_EQ(units(u"\u07ff\u0800\uffff").ToUtf8(), "\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
}

TEST(StringLoad, ByteOrderMarks) {
	EXPECT_EQ(chars(load_bytes(std::string("\xFF\xFE\x41\x00\x42", 5))), u"A");
	EXPECT_EQ(chars(load_bytes(std::string("\xFE\xFF\x00\x41", 4))), u"A");
	EXPECT_EQ(chars(load_bytes(std::string("\xFF\xFE\xAC\x20\x41\x00", 6))), u"\u20acA");
	EXPECT_EQ(chars(load_bytes(std::string("\xFE\xFF\x20\xAC", 4))), u"\u20ac");
	EXPECT_EQ(chars(load_bytes("\xEF\xBB\xBF\x41")), u"A");
	EXPECT_EQ(String::LoadError(), nullptr);
}

TEST(StringLoad, EmptyAndMarkOnlyFilesAreEmpty) {
	for (const char* bytes : {"", "\xFF\xFE", "\xFE\xFF", "\xFF\xFE\x41", "\xEF\xBB\xBF"}) {
		String s = load_bytes(bytes);
		EXPECT_EQ(rep_of(s), &String::nullRep) << "bytes: " << bytes;
		EXPECT_EQ(String::LoadError(), nullptr);
	}
	EXPECT_EQ(String::Load(nullptr), String());
}

TEST(StringLoad, Utf8OfOneToThreeBytes) {
	EXPECT_EQ(chars(load_bytes("a\xC3\xA9\xE2\x82\xAC\xEF\xBF\xBF")), u"a\u00e9\u20ac\uffff");
	EXPECT_EQ(String::LoadError(), nullptr);
}

TEST(StringLoad, InvalidUtf8FallsBackToOneBytePerCharacter) {
	EXPECT_EQ(chars(load_bytes("\x41\xE9\x42")), u"A\u00e9B");
	EXPECT_STREQ(String::LoadError(), "Invalid UTF-8");
	// A valid file afterwards clears the note.
	load_bytes("ok");
	EXPECT_EQ(String::LoadError(), nullptr);
}

TEST(StringLoad, EveryKindOfInvalidSequenceFallsBack) {
	const char* cases[] = {
		"\x41\xE2\x82",         // three-byte sequence cut off at the end
		"\x41\xC3",             // two-byte sequence cut off at the end
		"\x80\x41",             // continuation byte where a lead is expected
		"\xF0\x9F\x98\x80",     // four-byte sequence
		"\xE2\x41\x82",         // wrong continuation byte
		"\xEF\xBB",             // two bytes of a mark are no mark
	};
	for (const char* bytes : cases) {
		String s = load_bytes(bytes);
		std::string raw(bytes);
		ASSERT_EQ(s.Length(), static_cast<int>(raw.size())) << raw;
		for (size_t i = 0; i < raw.size(); ++i) EXPECT_EQ(s[static_cast<int>(i)], static_cast<unsigned char>(raw[i]));
		EXPECT_STREQ(String::LoadError(), "Invalid UTF-8");
	}
}

TEST(StringLoad, FallbackSkipsTheUtf8Mark) {
	EXPECT_EQ(chars(load_bytes("\xEF\xBB\xBF\x41\xE9")), u"A\u00e9");
	EXPECT_STREQ(String::LoadError(), "Invalid UTF-8");
}

TEST(StringLoad, ReadsPastTheChunkSize) {
	for (size_t n : {4095u, 4096u, 4097u, 8192u, 10000u}) {
		std::string text(n, 'x');
		text[n - 1] = 'y';
		String s = load_bytes(text);
		ASSERT_EQ(s.Length(), static_cast<int>(n));
		EXPECT_EQ(s[static_cast<int>(n) - 1], 'y');
	}
}
