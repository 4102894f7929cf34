// object_index.cpp: the index kept beside the object table: which slots are
// in use, for the free-slot search, and which hold a ball (or loose segment)
// or a brick, the only objects a hazard can touch, with the band of rows and
// of columns each of those lies in. Hazards walk it in ascending slot order
// instead of reading every slot of the table.
//
// Every set is a slot set (play.h). A ball or brick is filed under the bands
// of one cell that hold its centre. Two objects touch only when their centres
// are less than 24 units apart on both axes, so all that a hazard can touch
// lies in its own bands or the next ones on either side.
#include <algorithm>

#include "game/play/play.h"

//----------------------------------------------------------------------------
// Bands
//----------------------------------------------------------------------------

// The band of a world coordinate among `bands` bands of one cell from 0; the
// first and the last band also take everything beyond them.
static int index_Band(float v, int bands) {
	if (!(v >= field::cellUnits)) return 0;
	if (v >= (bands - 1) * field::cellUnits) return bands - 1;
	return static_cast<int>(v / field::cellUnits);
}

// Where the words of band b of a set kept per band begin, and those of the
// bands on either side (an outer band stands in for a missing neighbour).
static void index_Beside(const Array<unsigned>& banded, int b, int bands, const unsigned* beside[3]) {
	beside[0] = &banded[std::max(b - 1, 0) * obj::words];
	beside[1] = &banded[b * obj::words];
	beside[2] = &banded[std::min(b + 1, bands - 1) * obj::words];
}

//----------------------------------------------------------------------------
// Filing
//----------------------------------------------------------------------------

// Writes the kind of the object at slot value o and files it where it stands.
// NOTE: every write of a kind goes through here, so the index always holds
// what the table holds; a new object gets its place before its kind.
void c_MyApp::p_SetKind(int o, int kind) {
	m_objects[o + obj::kind] = kind;
	p_FileObject(o);
}

// Files the object at slot value o anew under its kind and position.
void c_MyApp::p_FileObject(int o) {
	int s = o / obj::fields;
	int w = set_Word(s);
	unsigned bit = set_Bit(s);
	int cell = m_slotCells[s];
	m_objectSlots[w] &= ~bit;
	m_ballSlots[w] &= ~bit;
	m_brickSlots[w] &= ~bit;
	m_rowSlots[cell / band::columns * obj::words + w] &= ~bit;
	m_columnSlots[cell % band::columns * obj::words + w] &= ~bit;
	int kind = static_cast<int>(m_objects[o + obj::kind]);
	if (kind != KIND_FREE) m_objectSlots[w] |= bit;
	if (kind != KIND_BRICK && !p_isBall(kind)) return;
	int row = index_Band(m_objects[o + obj::y], band::rows);
	int column = index_Band(m_objects[o + obj::x], band::columns);
	m_slotCells[s] = row * band::columns + column;
	(kind == KIND_BRICK ? m_brickSlots : m_ballSlots)[w] |= bit;
	m_rowSlots[row * obj::words + w] |= bit;
	m_columnSlots[column * obj::words + w] |= bit;
}

// Files every slot anew, after the table was written as a whole.
void c_MyApp::p_IndexObjects() {
	for (Array<unsigned>* set : {&m_objectSlots, &m_ballSlots, &m_brickSlots, &m_rowSlots, &m_columnSlots}) {
		for (unsigned& word : *set) word = 0;
	}
	for (int s = 0; s <= obj::last; ++s) p_FileObject(s * obj::fields);
}

//----------------------------------------------------------------------------
// Walking
//----------------------------------------------------------------------------

// The first slot after slot j that holds a ball (with bricks, a ball or a
// brick) within one band of the object at slot value o on both axes, other
// than the object's own; -1 when there is none. j -1 starts a walk.
// NOTE: each step reads the index and the object's place afresh, so a walk
// sees every kind or place that changed before the step.
int c_MyApp::p_NextContact(int o, int j, bool bricks) {
	const unsigned *rows[3], *columns[3];
	index_Beside(m_rowSlots, index_Band(m_objects[o + obj::y], band::rows), band::rows, rows);
	index_Beside(m_columnSlots, index_Band(m_objects[o + obj::x], band::columns), band::columns, columns);
	const unsigned* balls = m_ballSlots.begin();
	const unsigned* more = bricks ? m_brickSlots.begin() : balls;
	int self = o / obj::fields;
	for (int s = j + 1; s <= obj::last; s = (set_Word(s) + 1) * SET_BITS) {
		int w = set_Word(s);
		unsigned near = (balls[w] | more[w]) & (~0u << (s % SET_BITS));
		if (w == set_Word(self)) near &= ~set_Bit(self);
		if (near == 0) continue;
		near &= (rows[0][w] | rows[1][w] | rows[2][w]) & (columns[0][w] | columns[1][w] | columns[2][w]);
		if (near != 0) return w * SET_BITS + __builtin_ctz(near);
	}
	return -1;
}
