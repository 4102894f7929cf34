// save_data.cpp: settings, badges and high scores in the state file.
//
// The state is one line of decimal numbers, each followed by "|", in three
// sections (settings, badge words, the three modes' scores), each closed by
// its own checksum so a damaged section is reset without losing the others.
// All sums are 32-bit and wrap.
#include "game/my_app.h"
#include "host/app.h"
#include "runtime/errors.h"

namespace {

// Settings with bounds, and their defaults.
const int OPT_SOUND_MODE = 5;
const int OPT_PAD_X = 10;
const int OPT_PAD_BOTTOM = 11;
const int OPT_PAD_SIZE = 12;
const int OPT_OVERSCAN = 14;
const int PAD_EDGE_MIN = 64;
const int PAD_SIZE_MIN = 8;
const int PAD_SIZE_DEFAULT = 10;
const int OVERSCAN_DEFAULT = 64;
// Badge flags are saved as 8 words of 32 bits.
const int BADGE_WORDS = 8;
const int BITS_PER_WORD = 32;
// Score sections: three modes of ten (best, recent) pairs.
const int MODES = 3;
const int ROWS = 10;
const int RECENT_BASE = 30;
const int SETTINGS_FIELDS = 26;
const int MODE_FIELDS = 2 * ROWS;

// a + b with 32-bit wrap-around.
int WrapAdd(int a, int b) {
	return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}

// a * b with 32-bit wrap-around.
int WrapMul(int a, int b) {
	return static_cast<int>(static_cast<unsigned>(a) * static_cast<unsigned>(b));
}

// Appends a number and its "|".
void Append(String& text, int value) {
	text += String(value);
	text += String("|");
}

}  // namespace

//----------------------------------------------------------------------------
// Saving
//----------------------------------------------------------------------------

// Writes settings, badges and scores with their checksums to the state file.
int c_MyApp::p_Save() {
	String text;
	int sum = 0;
	for (int i = 0; i < MYAPP_OPTIONS; ++i) {
		Append(text, m_option[i]);
		sum = WrapAdd(sum, WrapMul(i, m_option[i]));
	}
	Append(text, sum);
	sum = 0;
	for (int w = 0; w < BADGE_WORDS; ++w) {
		unsigned word = 0;
		for (int b = 0; b < BITS_PER_WORD; ++b) {
			if (m_badgeGot[BITS_PER_WORD * w + b]) word |= 1u << b;
		}
		Append(text, static_cast<int>(word));
		sum = WrapAdd(sum, static_cast<int>(word));
	}
	Append(text, sum);
	for (int k = 0; k < MODES; ++k) {
		sum = 0;
		for (int r = 0; r < ROWS; ++r) {
			int best = m_hiScore[ROWS * k + r];
			int recent = m_hiScore[RECENT_BASE + ROWS * k + r];
			Append(text, best);
			sum = WrapAdd(sum, WrapMul(r + 4, best));
			Append(text, recent);
			sum = WrapAdd(sum, WrapMul(k + 3 + r, recent));
		}
		Append(text, sum);
	}
	if (kx_Zimbolo_DebugMode == 1) kxPrint(text);
	kx_app_SaveState(text);
	return 0;
}

//----------------------------------------------------------------------------
// Loading
//----------------------------------------------------------------------------

// Reads the state file; each section whose checksum holds replaces the fields.
int c_MyApp::p_Load() {
	String text = kx_app_LoadState();
	Array<String> fields = text.Split(String("|"));
	int count = fields.Length();
	int pos = 0;
	if (kx_Zimbolo_DebugMode == 1) kxPrint(text);
	if (count >= SETTINGS_FIELDS) {
		int sum = 0;
		for (int i = 0; i < MYAPP_OPTIONS; ++i) {
			m_option[i] = fields[i].ToInt();
			sum = WrapAdd(sum, WrapMul(i, m_option[i]));
		}
		int check = fields[MYAPP_OPTIONS].ToInt();
		pos = SETTINGS_FIELDS;
		if (sum == check) {
			kxPrint(String("Settings Loaded"));
		} else {
			kxPrint(String("Settings Checksum Invalid"));
			for (int i = 0; i < MYAPP_OPTIONS; ++i) m_option[i] = 0;
			m_option[OPT_SOUND_MODE] = 1;
		}
	}
	if (m_option[OPT_PAD_X] < PAD_EDGE_MIN) m_option[OPT_PAD_X] = PAD_EDGE_MIN;
	if (m_option[OPT_PAD_BOTTOM] < PAD_EDGE_MIN) m_option[OPT_PAD_BOTTOM] = PAD_EDGE_MIN;
	if (m_option[OPT_PAD_SIZE] < PAD_SIZE_MIN) m_option[OPT_PAD_SIZE] = PAD_SIZE_DEFAULT;
	if (m_option[OPT_OVERSCAN] < 1) m_option[OPT_OVERSCAN] = OVERSCAN_DEFAULT;
	if (kx_Zimbolo_isOuya == 1) {
		kx_Zimbolo_overscan = static_cast<float>(m_option[OPT_OVERSCAN]);
	} else {
		m_option[OPT_OVERSCAN] = 1;
		kx_Zimbolo_overscan = 0;
	}
	// A text too short for the settings holds no later section either.
	if (pos < SETTINGS_FIELDS) return 0;
	if (pos + BADGE_WORDS < count) {
		int sum = 0;
		for (int w = 0; w < BADGE_WORDS; ++w) {
			int word = fields[pos + w].ToInt();
			for (int b = 0; b < BITS_PER_WORD; ++b) {
				m_badgeGot[BITS_PER_WORD * w + b] = ((static_cast<unsigned>(word) >> b) & 1u) != 0;
			}
			sum = WrapAdd(sum, word);
		}
		pos += BADGE_WORDS;
		int check = fields[pos++].ToInt();
		if (sum == check) {
			kxPrint(String("Badges Loaded"));
		} else {
			kxPrint(String("Badge Checksum Invalid"));
			for (int i = 0; i < MYAPP_BADGES; ++i) m_badgeGot[i] = false;
		}
	}
	for (int k = 0; k < MODES && pos + MODE_FIELDS < count; ++k) {
		int sum = 0;
		for (int r = 0; r < ROWS; ++r) {
			int best = fields[pos + 2 * r].ToInt();
			int recent = fields[pos + 2 * r + 1].ToInt();
			m_hiScore[ROWS * k + r] = best;
			m_hiScore[RECENT_BASE + ROWS * k + r] = recent;
			sum = WrapAdd(sum, WrapMul(r + 4, best));
			sum = WrapAdd(sum, WrapMul(k + 3 + r, recent));
		}
		pos += MODE_FIELDS;
		int check = fields[pos++].ToInt();
		String section = String("Highscore ") + String(k);
		if (sum == check) {
			kxPrint(section + String(" Loaded"));
		} else {
			kxPrint(section + String(" Checksum Invalid"));
			for (int r = 0; r < ROWS; ++r) {
				m_hiScore[ROWS * k + r] = 0;
				m_hiScore[RECENT_BASE + ROWS * k + r] = 0;
			}
		}
	}
	return 0;
}
