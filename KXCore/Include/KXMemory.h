// Host memory: the plug-in's only allocation functions, and its byte routines.
#pragma once

#include <cstddef>
#include <cstdint>

/// Object memory from the host; null when there is no memory service or the host refuses.
void* KXAllocObject(std::uint32_t size);
/// Gives object memory back; nothing when there is no memory service. Null is passed on.
void KXFreeObject(void* object);
/// Block memory from the host; null when there is no memory service or the host refuses.
void* KXAllocBlock(std::uint32_t size);
/// Resizes a block, keeping its contents; null when there is no memory service or on refusal.
void* KXReallocBlock(void* block, std::uint32_t size);
/// Gives a block back; nothing for null or when there is no memory service.
void KXFreeBlock(void* block);

/// Fills `count` bytes with `value`: whole words first, then the 0 to 3 bytes left.
void KXMemFill(std::uint32_t value, void* destination, std::int32_t count);
/// Forward copy of `count` bytes.
void KXMemCopy(void* destination, const void* source, std::int32_t count);
/// Copy of `count` bytes that is safe for overlapping ranges.
void KXMemMove(void* destination, const void* source, std::int32_t count);

// Gives a class host object memory for `new` and `delete`. A refused allocation makes `new`
// yield null without running the constructor. The global operators are never replaced: in a
// shared library they would take over the host's own allocations.
#define KX_OBJECT_MEMORY                                                        \
  static void* operator new(std::size_t size) noexcept {                       \
    return KXAllocObject(static_cast<std::uint32_t>(size));                    \
  }                                                                             \
  static void operator delete(void* object) noexcept { KXFreeObject(object); } \
  static void* operator new(std::size_t, void* place) noexcept { return place; } \
  static void operator delete(void*, void*) noexcept {}
