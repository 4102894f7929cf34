// badges.cpp: the badge table with its names and details, the queue of
// notices for newly earned badges and the badge viewer panel.
#include "game/play/play.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Rows of the badge table: name, "|", detail. Ids beyond have no row.
static const char* const BADGE_ROWS[] = {"Test Badge|This is a Test Badge which has no purpose."};
const int BADGE_ROW_COUNT = sizeof(BADGE_ROWS) / sizeof(BADGE_ROWS[0]);
// Notice slots, and the age in frames at which a notice goes.
const int NOTICE_SLOTS = 15;
const int NOTICE_FRAMES = 240;
// A notice slides in and out over this many frames.
const int NOTICE_SLIDE = 20;
// Height of a notice and of a viewer row, virtual pixels.
const float NOTICE_HEIGHT = 48;
const float VIEWER_ROW = 40;
// Badge icons are drawn at this scale; unearned ones faint.
const float ICON_SCALE = 0.5f;
const float UNEARNED_ALPHA = 0.3f;

//----------------------------------------------------------------------------
// Badge table
//----------------------------------------------------------------------------

// The table row of a badge id; empty for ids without a row.
String c_MyApp::p_BadgeID(int id) {
	if (id < 0 || id >= BADGE_ROW_COUNT) return String();
	return String(BADGE_ROWS[id]);
}

// The badge's name: its row up to the first "|".
String c_MyApp::p_BadgeName(int id) {
	return p_BadgeID(id).Split(String("|"))[0];
}

// The badge's detail: its row after the "|"; empty for a row without one.
String c_MyApp::p_BadgeDetail(int id) {
	Array<String> parts = p_BadgeID(id).Split(String("|"));
	return parts.Length() > 1 ? parts[1] : String();
}

//----------------------------------------------------------------------------
// Notices and viewer
//----------------------------------------------------------------------------

// Ages the queued notices, drops those past 240 frames and draws the rest.
int c_MyApp::p_ShowBadges() {
	int row = 0;
	for (int i = 0; i < NOTICE_SLOTS; ++i) {
		if (m_badgeQueueTime[i] < 1) continue;
		m_badgeQueueTime[i] += 1;
		if (m_badgeQueueTime[i] > NOTICE_FRAMES) {
			m_badgeQueueTime[i] = 0;
			continue;
		}
		p_DrawNotice(m_badgeQueueId[i], m_badgeQueueTime[i], row++);
	}
	return 0;
}

// One notice of a badge at its age, in row n from the top.
void c_MyApp::p_DrawNotice(int id, int age, int n) {
	int edge = age < NOTICE_FRAMES - age ? age : NOTICE_FRAMES - age;
	float slide = edge < NOTICE_SLIDE ? static_cast<float>(edge) / NOTICE_SLIDE : 1;
	float y = (n + slide - 0.5f) * NOTICE_HEIGHT;
	p_ResetDraw();
	p_SetCol(0, 0, 0, 0.6f);
	p_Rect(kx_Zimbolo_jscrw * 0.25f, y - NOTICE_HEIGHT / 2, kx_Zimbolo_jscrw * 0.5f, NOTICE_HEIGHT - 4);
	p_DrawBadge(id, kx_Zimbolo_jscrw * 0.25f + NOTICE_HEIGHT / 2, y - 2, 1);
}

// The badge viewer: every badge of the table with its name, earned ones bright.
int c_MyApp::p_BadgesBox() {
	p_ResetDraw();
	p_SetCol(0, 0, 0, 0.7f);
	p_Rect(kx_Zimbolo_jscrw * 0.1f, kx_Zimbolo_jscrh * 0.1f, kx_Zimbolo_jscrw * 0.8f, kx_Zimbolo_jscrh * 0.8f);
	for (int id = 0; id < BADGE_ROW_COUNT; ++id) {
		float alpha = m_badgeGot[id] ? 1 : UNEARNED_ALPHA;
		p_DrawBadge(id, kx_Zimbolo_jscrw * 0.1f + VIEWER_ROW, kx_Zimbolo_jscrh * 0.1f + VIEWER_ROW * (id + 1), alpha);
	}
	p_ResetDraw();
	return 0;
}

// A badge's icon at (x, y) with its name to the right.
void c_MyApp::p_DrawBadge(int id, float x, float y, float alpha) {
	p_SetCol(255, 255, 255, alpha);
	p_SetSize(ICON_SCALE, ICON_SCALE);
	p_SetRot(0);
	p_DrawImg(IMG_BADGES, x, y, id);
	p_SetSize(1, 1);
	p_Text(x + VIEWER_ROW / 2, y, p_BadgeName(id), 0, 1);
}
