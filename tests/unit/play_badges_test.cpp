// Badges: the table's names and details and the notice queue.
#include <gtest/gtest.h>

#include "support/play_harness.h"

namespace {

class PlayBadges : public ::testing::Test {
protected:
	PlayHarness h;
	void SetUp() override { h.Begin(2); }
};

TEST_F(PlayBadges, OnlyTheTestBadgeHasARow) {
	EXPECT_EQ(h.app->p_BadgeID(0), String("Test Badge|This is a Test Badge which has no purpose."));
	EXPECT_EQ(h.app->p_BadgeName(0), String("Test Badge"));
	EXPECT_EQ(h.app->p_BadgeDetail(0), String("This is a Test Badge which has no purpose."));
	for (int id : {1, 5, 127, 255, 256, -1}) {
		EXPECT_EQ(h.app->p_BadgeID(id), String()) << id;
		EXPECT_EQ(h.app->p_BadgeName(id), String()) << id;
		EXPECT_EQ(h.app->p_BadgeDetail(id), String()) << id;
	}
}

TEST_F(PlayBadges, NoticesAgeAndLeaveAfter240Frames) {
	h.app->m_drawCount = 0;
	h.app->p_ShowBadges();
	EXPECT_EQ(h.app->m_drawCount, 0) << "an empty queue draws nothing";
	h.app->m_badgeQueueId[3] = 0;
	h.app->m_badgeQueueTime[3] = 1;
	h.app->p_ShowBadges();
	EXPECT_EQ(h.app->m_badgeQueueTime[3], 2);
	EXPECT_GT(h.app->m_drawCount, 0);
	for (int i = 0; i < 238; ++i) h.app->p_ShowBadges();
	EXPECT_EQ(h.app->m_badgeQueueTime[3], 240);
	h.app->p_ShowBadges();
	EXPECT_EQ(h.app->m_badgeQueueTime[3], 0);
	for (int i = 0; i < 15; ++i) EXPECT_EQ(h.app->m_badgeQueueTime[i], 0);
}

}  // namespace
