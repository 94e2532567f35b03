#include "core/idlist.h"

#include <cstring>

namespace core {

namespace {

constexpr std::size_t kTerminator = 2;

std::size_t ElementSize(const unsigned char* element) {
  const std::size_t count = static_cast<std::size_t>(element[0]) |
                            static_cast<std::size_t>(element[1]) << 8;
  return count < kTerminator ? 0 : count;
}

// Bytes of the elements, without the terminator.
std::size_t ElementsSize(const unsigned char* list) {
  if (list == nullptr) return 0;
  std::size_t size = 0;
  for (std::size_t element; (element = ElementSize(list + size)) != 0;) size += element;
  return size;
}

}  // namespace

std::size_t IdListSize(const unsigned char* list) { return ElementsSize(list) + kTerminator; }

std::size_t JoinedIdListSize(const unsigned char* a, const unsigned char* b) {
  return ElementsSize(a) + IdListSize(b);
}

void JoinIdLists(unsigned char* out, const unsigned char* a, const unsigned char* b) {
  const std::size_t first = ElementsSize(a), second = ElementsSize(b);
  if (first) std::memcpy(out, a, first);
  if (second) std::memcpy(out + first, b, second);
  std::memset(out + first + second, 0, kTerminator);
}

std::size_t FirstIdSize(const unsigned char* list) {
  return (list ? ElementSize(list) : 0) + kTerminator;
}

void CopyFirstId(unsigned char* out, const unsigned char* list) {
  const std::size_t element = list ? ElementSize(list) : 0;
  if (element) std::memcpy(out, list, element);
  std::memset(out + element, 0, kTerminator);
}

}  // namespace core
