#include <gtest/gtest.h>

#include <vector>

#include "common/unique_resource.h"

namespace {

std::vector<int> closed;

struct FakeTraits {
  using Handle = int;
  static Handle Empty() noexcept { return -1; }
  static void Close(Handle handle) noexcept { closed.push_back(handle); }
};
using UniqueFake = UniqueResource<FakeTraits>;

TEST(UniqueResource, ClosesEachHandleOnceAndNeverTheEmptyOne) {
  closed.clear();
  {
    UniqueFake empty;
    UniqueFake first(1);
    UniqueFake moved(std::move(first));
    UniqueFake second(2);
    second = std::move(moved);  // closes 2, takes 1
    UniqueFake given(3);
    EXPECT_EQ(given.release(), 3);
    EXPECT_FALSE(given);
    // NOLINTNEXTLINE(bugprone-use-after-move): a moved-from holder must read empty.
    EXPECT_FALSE(first);
    UniqueFake reset(4);
    reset.reset(5);  // closes 4
  }
  EXPECT_EQ(closed, (std::vector<int>{2, 4, 5, 1}));
}

}  // namespace
