// A long soak of play: many games in all three modes under random input,
// with the tables, their slot sets, the display list and the heap checked
// after every update, and the play compared with a recorded trace of the run.
//
// The first game starts from a crowd of every kind, so that the rare contacts
// (two bricks on one segment, a meteor crushing bricks after its last hit, a
// loose segment turning at a brick) come up many times.
//
// The trace (play_soak_trace.txt beside this file) holds a digest of the play
// state every TRACE_EVERY updates. A change that alters play, however slightly,
// fails the comparison. After an intended change of play, record it again:
//   ZIMBOLO_RECORD_PLAY_TRACE=1 unit_tests --gtest_filter=PlaySoak.*
// With ZIMBOLO_SKIP_PLAY_TRACE set the comparison is left out: tools/mutate
// sets it, as a rule of play must be held by an assertion of its own.
// NOTE: the random player draws its percentages itself (Percent): the
// standard libraries' uniform_int_distribution draws differently from each
// other, and the browser build's is LLVM's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "runtime/gc.h"
#include "runtime/random.h"
#include "support/play_harness.h"

namespace {

const int SOAK_UPDATES = 100000;
// Keys the random player holds and releases.
const int SOAK_KEYS[] = {KEY_SPACE, KEY_UP, KEY_DOWN, KEY_X, KEY_W, KEY_S};
// The recorded trace: a digest every TRACE_EVERY updates.
const char* const TRACE_FILE = ZIMBOLO_SOURCE_DIR "/tests/unit/play_soak_trace.txt";
const char* const TRACE_RECORD_VAR = "ZIMBOLO_RECORD_PLAY_TRACE";
const char* const TRACE_SKIP_VAR = "ZIMBOLO_SKIP_PLAY_TRACE";
const int TRACE_EVERY = 500;
// Object kinds the run must see, as bits (ball to invader).
const int ALL_KINDS = 0x7e;
// The crowd the first game starts with: objects of every kind packed so
// closely that each touches several others, in slots spread over the table.
const int CROWD = 700;
const int CROWD_SLOT_STEP = 389;
const int CROWD_KINDS[] = {KIND_PEDE, KIND_LOOSE, KIND_METEOR, KIND_BRICK, KIND_BALL,
                           KIND_BRICK, KIND_PEDE, KIND_METEOR, KIND_INVADER};

// A whole percentage, 0..99: the high word of a draw times 100, drawn again
// when its low word falls below 2^32 mod 100 (Lemire's method, as GCC's
// uniform_int_distribution uses it, so the recorded trace holds).
int Percent(std::mt19937& random) {
	const uint32_t range = 100;
	const uint32_t threshold = (0u - range) % range;
	uint64_t product = static_cast<uint64_t>(random()) * range;
	while (static_cast<uint32_t>(product) < threshold) product = static_cast<uint64_t>(random()) * range;
	return static_cast<int>(product >> 32);
}

// Screen y of the leftmost ball coming back, or -1: the random player's aim.
float IncomingBallY(c_MyApp* app) {
	float best = -1, bestX = 1e9f;
	for (int s = 0; s < obj::slots; ++s) {
		const float* r = &app->m_objects[s * obj::fields];
		if (app->p_isBall(static_cast<int>(r[obj::kind])) && r[obj::dx] < 0 && r[obj::x] < bestX) {
			bestX = r[obj::x];
			best = r[obj::y];
		}
	}
	if (best < 0) return -1;
	return kx_Zimbolo_jscrh / 2 - 8.5f * kx_Zimbolo_jscrw / 32 + best * kx_Zimbolo_jscrw / 1024;
}

// The slot sets kept beside the object and particle tables, one after the other.
std::vector<unsigned> SlotSets(c_MyApp* app) {
	std::vector<unsigned> sets;
	for (const Array<unsigned>* set : {&app->m_particleSlots, &app->m_objectSlots, &app->m_ballSlots,
	                                   &app->m_brickSlots, &app->m_rowSlots, &app->m_columnSlots}) {
		sets.insert(sets.end(), set->begin(), set->end());
	}
	return sets;
}

// Puts saved slot sets back in place.
void RestoreSlotSets(c_MyApp* app, const std::vector<unsigned>& sets) {
	auto from = sets.begin();
	for (Array<unsigned>* set : {&app->m_particleSlots, &app->m_objectSlots, &app->m_ballSlots, &app->m_brickSlots,
	                             &app->m_rowSlots, &app->m_columnSlots}) {
		for (unsigned& word : *set) word = *from++;
	}
}

// Whether the slot sets hold what indexing both tables anew gives.
// NOTE: play goes on with the sets it kept itself, so a set that goes wrong
// stays wrong in the updates that follow, as it would in the game.
bool SetsMatchTables(c_MyApp* app) {
	std::vector<unsigned> kept = SlotSets(app);
	std::vector<int> cells(app->m_slotCells.begin(), app->m_slotCells.end());
	app->p_IndexObjects();
	app->p_IndexParticles();
	bool same = SlotSets(app) == kept;
	RestoreSlotSets(app, kept);
	std::copy(cells.begin(), cells.end(), app->m_slotCells.begin());
	return same;
}

// The first broken invariant of the play tables, or an empty text; adds the
// kinds in the table to kinds, one bit each.
std::string CheckInvariants(c_MyApp* app, int& kinds) {
	float meter = app->m_players[player::meter];
	if (meter < 0 || meter > 5) return "meter " + std::to_string(meter);
	for (int i = 0; i < obj::fields * obj::slots; ++i) {
		if (!std::isfinite(app->m_objects[i])) return "object value " + std::to_string(i);
	}
	for (int s = 0; s < obj::slots; ++s) {
		float kind = app->m_objects[s * obj::fields];
		if (kind < 0 || kind > 6 || kind != std::floor(kind)) return "kind " + std::to_string(kind);
		kinds |= 1 << static_cast<int>(kind);
	}
	if (!SetsMatchTables(app)) return "slot sets";
	for (int i = 0; i < app->m_particles.Length(); ++i) {
		if (!std::isfinite(app->m_particles[i])) return "particle value " + std::to_string(i);
	}
	if (app->m_drawCount < 0 || app->m_drawCount > DL_CAPACITY || app->m_drawCount % DL_RECORD != 0) {
		return "display list count " + std::to_string(app->m_drawCount);
	}
	return "";
}

// Fills the object table with the crowd, placed by random.
void StartCrowd(PlayHarness& h, std::mt19937& random) {
	const int kinds = sizeof(CROWD_KINDS) / sizeof(CROWD_KINDS[0]);
	for (int i = 0; i < CROWD; ++i) {
		int kind = CROWD_KINDS[i % kinds];
		float x = 200 + random() % 600, y = 40 + random() % 480;
		float dx = kind == KIND_BRICK ? 0 : -1.0f - random() % 3;
		float* r = h.Put(i * CROWD_SLOT_STEP % obj::slots, kind, x, y, dx, random() % 5 - 2.0f);
		r[obj::ink] = 1 + random() % 4;
		if (kind == KIND_INVADER) r[obj::cooldown] = 360;
	}
}

//----------------------------------------------------------------------------
// The play trace
//----------------------------------------------------------------------------

// Folds n 32-bit values into a digest (FNV-1a, a word at a time).
uint64_t Fold(uint64_t digest, const void* values, int n) {
	const unsigned char* bytes = static_cast<const unsigned char*>(values);
	for (int i = 0; i < n; ++i) {
		uint32_t word;
		std::memcpy(&word, bytes + 4 * i, 4);
		digest = (digest ^ word) * 0x100000001b3ull;
	}
	return digest;
}

// Folds the state of play after one update: the object, player and particle
// tables, the score, the speed, the generator, the sounds and the display list.
uint64_t FoldPlay(uint64_t digest, c_MyApp* app) {
	digest = Fold(digest, app->m_objects.begin(), obj::fields * obj::slots);
	digest = Fold(digest, app->m_players.begin(), app->m_players.Length());
	digest = Fold(digest, app->m_particles.begin(), app->m_particles.Length());
	int values[] = {app->m_score, app->m_shownScore, app->m_gameOver, app->m_gameState, kx_random_Seed,
	                app->m_sfxVoice, app->m_drawCount};
	digest = Fold(digest, values, sizeof(values) / sizeof(values[0]));
	digest = Fold(digest, &app->m_speed, 1);
	return Fold(digest, app->m_drawList.begin(), app->m_drawCount);
}

// The digests of the recorded trace, in order.
std::vector<std::string> ReadTrace() {
	std::vector<std::string> digests;
	std::ifstream in(TRACE_FILE);
	std::string line;
	while (std::getline(in, line)) {
		if (line.empty() || line[0] == '#') continue;
		std::istringstream fields(line);
		int update;
		std::string digest;
		fields >> update >> digest;
		digests.push_back(digest);
	}
	return digests;
}

// Writes the digests as the recorded trace.
void WriteTrace(const std::vector<std::string>& digests) {
	std::ofstream out(TRACE_FILE);
	out << "# Play of the soak in play_soak_test.cpp: after update n, a digest of every update's play so far.\n"
	    << "# Recorded with " << TRACE_RECORD_VAR << "=1 unit_tests --gtest_filter=PlaySoak.*\n";
	for (size_t i = 0; i < digests.size(); ++i) out << (i + 1) * TRACE_EVERY << " " << digests[i] << "\n";
}

// A digest as 16 hexadecimal digits.
std::string Hex(uint64_t digest) {
	char text[17];
	std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(digest));
	return text;
}

TEST(PlaySoak, RandomGamesInAllModesKeepEveryInvariantAndTheRecordedPlay) {
	bool recording = std::getenv(TRACE_RECORD_VAR) != nullptr;
	bool comparing = !recording && std::getenv(TRACE_SKIP_VAR) == nullptr;
	std::vector<std::string> recorded = comparing ? ReadTrace() : std::vector<std::string>();
	ASSERT_TRUE(!comparing || static_cast<int>(recorded.size()) == SOAK_UPDATES / TRACE_EVERY)
	    << "no complete trace in " << TRACE_FILE;
	std::vector<std::string> digests;
	uint64_t digest = 0xcbf29ce484222325ull;
	PlayHarness h;
	h.Begin(1);
	h.app->m_scaleX = h.app->m_scaleY = 1;
	h.app->m_controlMode = 2;
	std::mt19937 random(20261209);
	int mode = 1;
	int games = 1;
	int heapStart = gc_alloced_bytes;
	int heapMax = heapStart;
	int waves = 0;
	int kinds = 0;
	StartCrowd(h, random);
	for (int update = 0; update < SOAK_UPDATES; ++update) {
		for (int key : SOAK_KEYS) {
			int roll = Percent(random);
			if (roll < 1) h.host.KeyDown(key);
			if (roll > 89) h.host.KeyUp(key);
		}
		int roll = Percent(random);
		if (roll < 2) h.host.MouseDown(static_cast<float>(Percent(random) * 6), 470);
		if (roll > 96) h.host.MouseUp(0, 0);
		if (roll == 50) h.app->m_paused = 1 - h.app->m_paused;
		// NOTE: steering by pointer toward the returning ball keeps games going long
		// enough for waves of every kind.
		float aim = IncomingBallY(h.app);
		if (aim >= 0 && Percent(random) < 90) h.host.MouseMove(100, aim + Percent(random) / 10.0f - 5);
		float wave = h.Player(player::wave);
		h.Update();
		waves += h.Player(player::wave) > wave;
		digest = FoldPlay(digest, h.app);
		if (h.app->m_gameState == STATE_MENU) {
			mode = mode % 3 + 1;
			++games;
			h.NewGame(mode);
		}
		std::string broken = CheckInvariants(h.app, kinds);
		ASSERT_EQ(broken, "") << "update " << update << ", game " << games;
		if (gc_alloced_bytes > heapMax) heapMax = gc_alloced_bytes;
		if ((update + 1) % TRACE_EVERY != 0) continue;
		digests.push_back(Hex(digest));
		if (!comparing) continue;
		ASSERT_EQ(digests.back(), recorded[digests.size() - 1])
		    << "play differs from the recorded trace in updates " << update + 2 - TRACE_EVERY << ".." << update + 1
		    << " (game " << games << ", mode " << mode << ")";
	}
	if (recording) WriteTrace(digests);
	EXPECT_GT(games, 10);
	EXPECT_GT(waves, 50) << "hazards took part";
	EXPECT_EQ(kinds & ALL_KINDS, ALL_KINDS) << "every kind of object took part";
	EXPECT_LT(heapMax - heapStart, 1 << 20) << "play allocates nothing that stays";
}

}  // namespace
