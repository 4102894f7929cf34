// contacts.cpp: the contact index of the object pass: which slots of the
// object table hold a ball (or loose segment) or a brick, the only objects a
// hazard can touch, and in which band of rows and of columns each one lies.
// The hazards walk it in ascending slot order instead of reading every slot.
//
// Each set is a bit set over the 1025 slots. A ball or brick is filed under
// the bands of one cell that hold its centre. Two objects touch only when
// their centres are less than 24 units apart on both axes, so all that a
// hazard can touch lies in its own bands or the next ones on either side.
#include <algorithm>

#include "game/play/play.h"

//----------------------------------------------------------------------------
// Bands
//----------------------------------------------------------------------------

// The band of a world coordinate among `bands` bands of one cell from 0; the
// first and the last band also take everything beyond them.
static int contact_Band(float v, int bands) {
	if (!(v >= field::cellUnits)) return 0;
	if (v >= (bands - 1) * field::cellUnits) return bands - 1;
	return static_cast<int>(v / field::cellUnits);
}

// Word w of the union of bands lo..hi of a banded set.
static unsigned contact_Near(const Array<unsigned>& banded, int lo, int hi, int w) {
	unsigned near = 0;
	for (int b = lo; b <= hi; ++b) near |= banded[b * contact::words + w];
	return near;
}

//----------------------------------------------------------------------------
// Filing
//----------------------------------------------------------------------------

// Writes the kind of the object at slot value o and files it where it stands.
// NOTE: every write of a kind goes through here, so the index always holds
// the table's balls and bricks; a new object gets its place before its kind.
void c_MyApp::p_SetKind(int o, int kind) {
	m_objects[o + obj::kind] = kind;
	p_FileObject(o);
}

// Files the object at slot value o anew under its kind and position; a slot
// that holds neither a ball nor a brick is left out.
void c_MyApp::p_FileObject(int o) {
	int s = o / obj::fields;
	int w = s / contact::slotBits;
	unsigned bit = 1u << (s % contact::slotBits);
	int cell = m_slotCells[s];
	m_ballSlots[w] &= ~bit;
	m_brickSlots[w] &= ~bit;
	m_rowSlots[cell / contact::columns * contact::words + w] &= ~bit;
	m_columnSlots[cell % contact::columns * contact::words + w] &= ~bit;
	int kind = static_cast<int>(m_objects[o + obj::kind]);
	if (kind != KIND_BRICK && !p_isBall(kind)) return;
	int row = contact_Band(m_objects[o + obj::y], contact::rows);
	int column = contact_Band(m_objects[o + obj::x], contact::columns);
	m_slotCells[s] = row * contact::columns + column;
	(kind == KIND_BRICK ? m_brickSlots : m_ballSlots)[w] |= bit;
	m_rowSlots[row * contact::words + w] |= bit;
	m_columnSlots[column * contact::words + w] |= bit;
}

// Files every slot anew, after the table was written as a whole.
void c_MyApp::p_IndexObjects() {
	for (unsigned& word : m_ballSlots) word = 0;
	for (unsigned& word : m_brickSlots) word = 0;
	for (unsigned& word : m_rowSlots) word = 0;
	for (unsigned& word : m_columnSlots) word = 0;
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
	int row = contact_Band(m_objects[o + obj::y], contact::rows);
	int column = contact_Band(m_objects[o + obj::x], contact::columns);
	int top = std::max(row - 1, 0), bottom = std::min(row + 1, contact::rows - 1);
	int left = std::max(column - 1, 0), right = std::min(column + 1, contact::columns - 1);
	int self = o / obj::fields; g_ev[2]++;
	for (int s = j + 1; s <= obj::last; s = (s / contact::slotBits + 1) * contact::slotBits) {
		int w = s / contact::slotBits;
		unsigned near = m_ballSlots[w] | (bricks ? m_brickSlots[w] : 0);
		near &= ~0u << (s % contact::slotBits);
		if (w == self / contact::slotBits) near &= ~(1u << (self % contact::slotBits));
		if (near == 0) continue;
		near &= contact_Near(m_rowSlots, top, bottom, w) & contact_Near(m_columnSlots, left, right, w);
		if (near != 0) return w * contact::slotBits + __builtin_ctz(near);
	}
	return -1;
}
