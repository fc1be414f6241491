#pragma once

#include <utility>

// A move-only owner of one handle. Traits say what the empty value is and how
// a handle is closed, because an empty CreateFileA result is not an empty
// LoadLibraryA result.
//
//   struct Traits {
//     using Handle = ...;
//     static Handle Empty() noexcept;
//     static void Close(Handle) noexcept;
//   };
template <typename Traits>
class UniqueResource {
 public:
  using Handle = typename Traits::Handle;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
  ~UniqueResource() { reset(); }

  UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }
  Handle get() const noexcept { return handle_; }

  // Gives the handle away; the caller (or whoever it hands it to) closes it.
  Handle release() noexcept { return std::exchange(handle_, Traits::Empty()); }

  void reset(Handle handle = Traits::Empty()) noexcept {
    if (*this) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Empty();
};
