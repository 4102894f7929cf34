// records.h: names for the values of the play records and the tables' shapes.
//
// Play keeps its state in flat float tables of c_MyApp: the player record
// m_players, the object table m_objects (1025 records of 10 values) and the
// particle table m_particles (10 values per slot). These names index them and
// size the slot sets kept beside the tables (object_index.cpp, particles.cpp).
#pragma once

// A slot set holds one bit per slot of a table, SET_BITS slots a word.
const int SET_BITS = 32;

//----------------------------------------------------------------------------
// Player record (m_players)
//----------------------------------------------------------------------------

namespace player {
const int paddleY = 2;        // paddle position, world y
const int paddleHalf = 6;     // paddle half-length in segments
const int paddleTop = 8;      // top of the paddle's collision span
const int paddleBottom = 9;   // bottom of the paddle's collision span
const int meter = 10;         // launch-meter pips filled
const int ballsInPlay = 50;   // balls counted during the current frame
const int idleFrames = 51;    // frames with no ball and a meter that cannot pay
const int stun = 53;          // paddle stun timer, 0 when not stunned
const int hitsSinceWave = 55; // paddle returns since the last wave
const int wave = 56;          // waves launched so far

// Values 0..resetCount-1 are cleared at game start.
const int resetCount = 500;
}

//----------------------------------------------------------------------------
// Object table (m_objects)
//----------------------------------------------------------------------------

namespace obj {
const int kind = 0;     // object kind (ObjectKind), 0 = free slot
const int x = 1;        // world x of the centre
const int y = 2;        // world y of the centre
const int dx = 3;       // world units per frame before the speed factor
const int dy = 4;
const int angle = 5;    // drawing rotation, degrees
const int spin = 6;     // degrees per frame added to angle
const int cooldown = 7; // collision cool-down; an invader's fire timer
const int counter = 8;  // ball returns; invader animation counter
const int ink = 9;      // segment and brick colour; meteor hit points

const int fields = 10;  // values per record
const int slots = 1025; // records in the table
const int last = slots - 1;
const int words = (slots + SET_BITS - 1) / SET_BITS; // words of a slot set
}

// What an object record holds.
enum ObjectKind {
	KIND_FREE = 0,
	KIND_BALL = 1,
	KIND_PEDE = 2,
	KIND_LOOSE = 3,
	KIND_METEOR = 4,
	KIND_BRICK = 5,
	KIND_INVADER = 6
};

// Bands of one cell that the object index files balls and bricks under.
namespace band {
const int rows = 18;    // down the field, the outer ones open-ended
const int columns = 32; // across it
}

//----------------------------------------------------------------------------
// Particle table (m_particles)
//----------------------------------------------------------------------------

namespace part {
const int kind = 0;  // 0 free, PARTICLE_SPARK in use
const int x = 1;     // virtual pixels
const int y = 2;
const int dx = 3;    // per frame before the speed factor
const int dy = 4;
const int angle = 5; // degrees
const int spin = 6;  // degrees per frame
const int life = 7;  // remaining life, also the drawing alpha (capped at 1)
const int ink = 8;   // colour index of the ink table
const int frame = 9; // sprite frame of the particle sheet

const int fields = 10;    // values per slot
const int maxLimit = 499; // highest slot a reset may choose
const int slots = 510;    // slots the table has room for (its 5100 values)
const int words = (slots + SET_BITS - 1) / SET_BITS; // words of a slot set
}

// The only particle kind the game throws.
const int PARTICLE_SPARK = 1;

//----------------------------------------------------------------------------
// Playfield and sprites
//----------------------------------------------------------------------------

namespace field {
const float height = 560;     // world units
const float cellUnits = 32;   // world units per cell
const float escapeX = -64;    // objects further left are freed
const float overlap = 24;     // centre distance below which two objects touch
const float topBand = 24;     // wall bands tested against centres
const float bottomBand = 520;
const float rightBand = 968;
const float paddleX = 8;      // world x of the paddle segments
const float paddleLift = 8;   // the segments are centred this far above paddleY
const float segment = 16;     // spacing of paddle segments
}

// Sprite frames of the game sheet.
namespace frame {
const int ball = 0;
const int brick = 1;    // + ink
const int segment = 8;  // + ink
const int meteor = 20;  // - hit points
const int invader = 20;
const int invaderStep = 21;
const int invaderWarn = 22;
}

// Sound effect ids of play.
namespace sfx {
const int paddleReturn = 2;
const int rightWall = 3;
const int sideWall = 4;
const int meterFull = 5;
const int ballLost = 6;
const int meteorHit = 7;
const int segmentLoose = 8;
const int launch = 9;
const int stunned = 10;
const int reform = 11;
const int crush = 12;
const int wave = 13;
}
