// containers.cpp: the red-black tree map and the stacks.
#include "runtime/containers.h"

// The display mode class is complete only where the host defines it; the tree
// needs no more than a collector header for its values.
#include "host/display_mode.h"

//----------------------------------------------------------------------------
// Nodes
//----------------------------------------------------------------------------

// Fills in a new node.
c_Node* c_Node::m_new(int key, c_DisplayMode* value, int color, c_Node* parent) {
	m_key = key;
	gc_assign(m_value, value);
	m_color = color;
	gc_assign(m_parent, parent);
	return this;
}

// Queues the children, the value and the parent.
void c_Node::mark() {
	Object::mark();
	gc_mark_q(m_right);
	gc_mark_q(m_left);
	gc_mark_q(m_value);
	gc_mark_q(m_parent);
}

//----------------------------------------------------------------------------
// Map
//----------------------------------------------------------------------------

// An empty map.
c_Map* c_Map::m_new() {
	return this;
}

// Walks from the root by p_Compare.
c_Node* c_Map::p_FindNode(int key) {
	c_Node* node = m_root;
	while (node) {
		int cmp = p_Compare(key, node->m_key);
		if (cmp > 0) {
			node = node->m_right;
		} else if (cmp < 0) {
			node = node->m_left;
		} else {
			return node;
		}
	}
	return nullptr;
}

// Whether the key has a node.
bool c_Map::p_Contains(int key) {
	return p_FindNode(key) != nullptr;
}

// Replaces the value of an existing key, or inserts a red node and repairs.
bool c_Map::p_Set(int key, c_DisplayMode* value) {
	c_Node* node = m_root;
	c_Node* parent = nullptr;
	int cmp = 0;
	while (node) {
		parent = node;
		cmp = p_Compare(key, node->m_key);
		if (cmp > 0) {
			node = node->m_right;
		} else if (cmp < 0) {
			node = node->m_left;
		} else {
			gc_assign(node->m_value, value);
			return false;
		}
	}
	node = (new c_Node)->m_new(key, value, RB_RED, parent);
	if (!parent) {
		gc_assign(m_root, node);
	} else if (cmp > 0) {
		gc_assign(parent->m_right, node);
	} else {
		gc_assign(parent->m_left, node);
	}
	p_InsertFixup(node);
	return true;
}

// The textbook repair after inserting a red node.
void c_Map::p_InsertFixup(c_Node* node) {
	while (node->m_parent && node->m_parent->m_color == RB_RED && node->m_parent->m_parent) {
		c_Node* parent = node->m_parent;
		c_Node* grand = parent->m_parent;
		bool leftSide = parent == grand->m_left;
		c_Node* uncle = leftSide ? grand->m_right : grand->m_left;
		if (uncle && uncle->m_color == RB_RED) {
			parent->m_color = RB_BLACK;
			uncle->m_color = RB_BLACK;
			grand->m_color = RB_RED;
			node = grand;
			continue;
		}
		if (leftSide && node == parent->m_right) {
			node = parent;
			p_RotateLeft(node);
		} else if (!leftSide && node == parent->m_left) {
			node = parent;
			p_RotateRight(node);
		}
		node->m_parent->m_color = RB_BLACK;
		node->m_parent->m_parent->m_color = RB_RED;
		if (leftSide) {
			p_RotateRight(node->m_parent->m_parent);
		} else {
			p_RotateLeft(node->m_parent->m_parent);
		}
	}
	m_root->m_color = RB_BLACK;
}

// Puts a node's parent in place of the node being rotated.
static void replace_child(c_Map* map, c_Node* node, c_Node* child) {
	gc_assign(child->m_parent, node->m_parent);
	if (!node->m_parent) {
		gc_assign(map->m_root, child);
	} else if (node == node->m_parent->m_left) {
		gc_assign(node->m_parent->m_left, child);
	} else {
		gc_assign(node->m_parent->m_right, child);
	}
}

// Lifts the node's right child into its place.
void c_Map::p_RotateLeft(c_Node* node) {
	c_Node* child = node->m_right;
	gc_assign(node->m_right, child->m_left);
	if (child->m_left) gc_assign(child->m_left->m_parent, node);
	replace_child(this, node, child);
	gc_assign(child->m_left, node);
	gc_assign(node->m_parent, child);
}

// Lifts the node's left child into its place.
void c_Map::p_RotateRight(c_Node* node) {
	c_Node* child = node->m_left;
	gc_assign(node->m_left, child->m_right);
	if (child->m_right) gc_assign(child->m_right->m_parent, node);
	replace_child(this, node, child);
	gc_assign(child->m_right, node);
	gc_assign(node->m_parent, child);
}

// Queues the root node.
void c_Map::mark() {
	Object::mark();
	gc_mark_q(m_root);
}

// An empty map of int keys.
c_IntMap* c_IntMap::m_new() {
	c_Map::m_new();
	return this;
}

// NOTE: 32-bit wrap-around subtraction, as the translated code computes it.
int c_IntMap::p_Compare(int a, int b) {
	return static_cast<int>(static_cast<unsigned>(a) - static_cast<unsigned>(b));
}

//----------------------------------------------------------------------------
// Stacks
//----------------------------------------------------------------------------

// An empty stack of display modes.
c_Stack* c_Stack::m_new() {
	return this;
}

c_IAsyncEventSource* c_Stack2::m_NIL;

// An empty stack of event sources.
c_Stack2* c_Stack2::m_new() {
	return this;
}
