#include "core/util/result.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tessaray {
namespace {

enum class ETestError { None, Missing, Broken };

CResult<std::unique_ptr<int>, ETestError> Make(bool ok) {
    if (ok)
        return std::make_unique<int>(7);
    return SError<ETestError>{ETestError::Missing, "a.txt"};
}

CResult<void, ETestError, int> Check(bool ok) {
    if (ok)
        return {};
    return SError<ETestError, int>{ETestError::Broken, 42};
}

// A value (also one that can only be moved) or the code with its details; the void form alike.
TEST(ResultTest, CarriesValueOrCodeAndDetail) {
    auto made = Make(true);
    ASSERT_TRUE(made.Ok());
    EXPECT_EQ(made.Code(), ETestError::None);
    EXPECT_EQ(*std::move(made).Value(), 7);

    const auto failed = Make(false);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.Code(), ETestError::Missing);
    EXPECT_EQ(failed.GetError().detail, "a.txt");

    EXPECT_TRUE(Check(true).Ok());
    const auto broken = Check(false);
    EXPECT_EQ(broken.Code(), ETestError::Broken);
    EXPECT_EQ(broken.GetError().detail, 42);
}

} // namespace
} // namespace tessaray
