// kx_array.h: collected, fixed-length arrays.
//
// An Array<T> is a handle to a collector block that holds the header, the
// length and the elements in one piece. Each element type has one static empty
// rep (never moved or marked); a default Array and every array of length 0
// point at it. Elements start zero (or the empty String). Arrays of object
// references mark their elements at once, depth first; storing a reference
// into an element goes through gc_assign.
#pragma once

#include <new>
#include <type_traits>

#include "runtime/gc.h"
#include "runtime/kx_string.h"

template <class T>
class Array {
public:
	class Rep : public gc_object {
	public:
		int length;

		// A new, collected rep with length zeroed elements.
		explicit Rep(int n) : length(n) {
			for (int i = 0; i < n; ++i) new (&data()[i]) T();
		}
		// The static empty rep.
		explicit Rep(gc_static_tag tag) : gc_object(tag), length(0) {}
		~Rep() override {
			for (int i = 0; i < length; ++i) data()[i].~T();
		}

		// Marks referenced elements at once, in index order.
		void mark() override {
			if constexpr (std::is_pointer_v<T>) {
				for (int i = 0; i < length; ++i) gc_mark(data()[i]);
			}
		}

		T* data() { return reinterpret_cast<T*>(reinterpret_cast<char*>(this) + sizeof(Rep)); }

		// The one empty rep of this element type.
		static Rep& nullRep() {
			static Rep empty{gc_static_tag{}};
			return empty;
		}
	};

	// The empty array.
	Array() : rep(&Rep::nullRep()) {}
	// A new array of length zeroed elements; length 0 gives the empty array.
	explicit Array(int length) : rep(length > 0 ? new (sizeof(T) * length) Rep(length) : &Rep::nullRep()) {}
	// A new array holding a copy of length elements.
	Array(const T* elements, int length) : Array(length) {
		for (int i = 0; i < length; ++i) (*this)[i] = elements[i];
	}

	int Length() const { return rep->length; }
	T& operator[](int i) const { return rep->data()[i]; }
	T* begin() const { return rep->data(); }
	T* end() const { return rep->data() + rep->length; }

	// A new array of the given length with the elements copied and the rest zero.
	Array<T> Resize(int length) const {
		Array<T> grown(length);
		int n = length < Length() ? length : Length();
		for (int i = 0; i < n; ++i) grown[i] = (*this)[i];
		return grown;
	}
	// A new array of elements from..to (bounds clamped, negative from the end).
	Array<T> Slice(int from, int to) const {
		int len = Length();
		if (from < 0) from = from + len < 0 ? 0 : from + len;
		if (to < 0) to = to + len < 0 ? 0 : to + len;
		if (from > len) from = len;
		if (to > len) to = len;
		if (to <= from) return Array<T>();
		return Array<T>(rep->data() + from, to - from);
	}

	Rep* rep;
};

// Queues an array's block (used by mark()).
template <class T>
inline void gc_mark_q(const Array<T>& a) {
	gc_queue_object(a.rep);
}

// Marks an array's block at once.
template <class T>
inline void gc_mark(const Array<T>& a) {
	gc_mark_object(a.rep);
}

// The write barrier for array-valued fields.
template <class T>
inline void gc_assign(Array<T>& slot, const Array<T>& value) {
	gc_queue_object(value.rep);
	slot = value;
}
