// Item identifier lists of the shell namespace, as bytes: a sequence of
// elements, each starting with its 16-bit little-endian byte count (the
// count included), ended by a 16-bit zero.  The caller allocates; these only
// measure and copy.
#pragma once
#include <cstddef>

namespace core {

// Bytes of a whole list, terminator included; a missing list is the empty
// one (2 bytes).  A count below 2 cannot start an element and ends the list.
std::size_t IdListSize(const unsigned char* list);

// Bytes of `a` followed by `b`: `a` without its terminator, then all of `b`.
std::size_t JoinedIdListSize(const unsigned char* a, const unsigned char* b);
// Writes that join into `out`, which holds JoinedIdListSize(a, b) bytes.
void JoinIdLists(unsigned char* out, const unsigned char* a, const unsigned char* b);

// Bytes of a list made of the first element of `list` alone: its count plus
// the terminator (2 for an empty list).
std::size_t FirstIdSize(const unsigned char* list);
// Writes that list into `out`, which holds FirstIdSize(list) bytes.
void CopyFirstId(unsigned char* out, const unsigned char* list);

}  // namespace core
