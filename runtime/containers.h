// containers.h: the framework's ordered map and growable stacks.
//
// c_Map is a red-black tree from int keys to display modes, ordered by its
// p_Compare; c_IntMap orders keys by subtraction. c_Stack and c_Stack2 are
// growable stacks of display modes and of asynchronous event sources. All are
// collector objects; every stored reference goes through gc_assign.
#pragma once

#include "runtime/kx_array.h"
#include "runtime/object.h"

class c_DisplayMode;
class c_IAsyncEventSource;

//----------------------------------------------------------------------------
// Ordered map
//----------------------------------------------------------------------------

// Colours of tree nodes.
const int RB_RED = -1;
const int RB_BLACK = 1;

class c_Node : public Object {
public:
	int m_key = 0;
	c_Node* m_right = nullptr;
	c_Node* m_left = nullptr;
	c_DisplayMode* m_value = nullptr;
	int m_color = 0;
	c_Node* m_parent = nullptr;

	// A new node with its key, value, colour and parent.
	c_Node* m_new(int key, c_DisplayMode* value, int color, c_Node* parent);
	void mark() override;
};

class c_Map : public Object {
public:
	c_Node* m_root = nullptr;

	c_Map* m_new();
	// The order of two keys: its sign says which is greater.
	virtual int p_Compare(int a, int b) = 0;
	c_Node* p_FindNode(int key);
	bool p_Contains(int key);
	// Replaces an existing key's value (false) or inserts a new node (true).
	bool p_Set(int key, c_DisplayMode* value);
	void p_InsertFixup(c_Node* node);
	void p_RotateLeft(c_Node* node);
	void p_RotateRight(c_Node* node);
	void mark() override;
};

class c_IntMap : public c_Map {
public:
	c_IntMap* m_new();
	int p_Compare(int a, int b) override;
};

//----------------------------------------------------------------------------
// Stacks
//----------------------------------------------------------------------------

// The layout and growth rule shared by the framework's stacks.
template <class T>
class kx_Stack : public Object {
public:
	Array<T> m_data;
	int m_length = 0;

	// Grows the array to (length + 5) × 2 when it is full, then stores value.
	void p_Push(T value) {
		if (m_length == m_data.Length()) gc_assign(m_data, m_data.Resize((m_length + 5) * 2));
		gc_assign(m_data[m_length], value);
		++m_length;
	}
	// A new array of exactly the pushed elements, in push order.
	Array<T> p_ToArray() {
		Array<T> out(m_length);
		for (int i = 0; i < m_length; ++i) gc_assign(out[i], m_data[i]);
		return out;
	}
	int p_Length() { return m_length; }
	void mark() override { gc_mark_q(m_data); }
};

class c_Stack : public kx_Stack<c_DisplayMode*> {
public:
	c_Stack* m_new();
};

class c_Stack2 : public kx_Stack<c_IAsyncEventSource*> {
public:
	// The value left in vacated slots.
	static c_IAsyncEventSource* m_NIL;
	c_Stack2* m_new();
};
